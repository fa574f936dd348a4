#pragma once

#include <QString>
#include <functional>

class Database;
class Settings;

// Brings a farm database of an earlier version to 1.1.0: the efficiency index
// Eficacia on every female and male, and the yes/no Seleccion in place of the
// old number NumeroSeleccion. Every step tolerates having run before, so a
// database already at 1.1.0 only gets fresh indices. VersionActual = "010100"
// is written last, and only when no step failed beyond the ignored ones.
// What the upgrade dialog shows: the caption of the running step and its bar.
struct UpgradeProgress {
    std::function<void(const QString& caption)> caption = [](const QString&) {};
    std::function<void(int maximum)> maximum = [](int) {};
    std::function<void(int value)> value = [](int) {};
};

class DatabaseUpgrade {
public:
    using Progress = UpgradeProgress;

    DatabaseUpgrade(Database& db, Settings& settings, Progress progress = {});

    // Runs every step; throws DbError on an error the upgrade does not pass over,
    // leaving VersionActual unwritten so the next start runs it again.
    void run();

private:
    void addColumn(const QString& table, const QString& column, const QString& type);
    void indices(const QString& table, const QString& codeColumn, bool female);
    void selection(const QString& table, const QString& codeColumn);
    int count(const QString& table);

    Database& m_db;
    Settings& m_settings;
    Progress m_progress;
};
