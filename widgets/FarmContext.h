#pragma once

#include <QString>

class Clock;
class Database;
class Settings;

// What every screen is handed by the main window: the farm's connection, today's
// date, the installation's settings and the machine tag of this run.
struct FarmContext {
    Database& db;
    const Clock& clock;
    Settings& settings;
    QString machineTag;
};
