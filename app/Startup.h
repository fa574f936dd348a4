#pragma once

class Settings;

// What the main window does while it is being created, read from the settings:
// the database upgrade when VersionActual is empty, the update offer when
// ActualizacionAutomatica is true.
struct StartupPlan {
    bool upgradeDatabase = false;
    bool offerUpdate = false;

    static StartupPlan read(const Settings& settings);
};
