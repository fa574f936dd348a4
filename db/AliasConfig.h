#pragma once

#include <QString>
#include <optional>

// The engine's persistent alias configuration: a small INI file next to the
// settings store mapping an alias name to its data folder (PATH=). The farm
// database is reached through the alias "Quendal"; backup and restore read the
// folder from here.
class AliasConfig {
public:
    static constexpr const char* kFarmAlias = "Quendal";

    // The configuration in the standard place ($XDG_CONFIG_HOME/Brimmont/Alias.conf).
    AliasConfig();
    explicit AliasConfig(QString file);

    QString file() const { return m_file; }
    // The folder of an alias, its name compared without regard to case.
    std::optional<QString> folder(const QString& alias) const;

    // What the configuration says about the farm alias. Missing: there is no
    // configuration file yet (a first run). Unreadable: the file is there but
    // cannot be read, or holds no folder for the alias; such a file is never
    // rewritten, since the farm it named would be lost from sight.
    struct Entry {
        enum class State { Missing, Known, Unreadable };
        State state = State::Missing;
        QString folder;  // Known: the data folder, with '/' separators
        QString problem; // Unreadable: why, in Spanish
    };
    Entry farmAlias() const;
    // Adds a standard alias on a folder and saves the configuration at once.
    void add(const QString& alias, const QString& folder);

    // The data folder of a first run: "$ProgramFiles/Torvane/Datos" when the
    // variable is set, otherwise "$XDG_DATA_HOME/Torvane/Datos".
    static QString defaultDataFolder();

    // The farm alias's folder, creating the alias on the default folder when there
    // is no configuration yet. A known alias is never looked up again; an
    // unreadable configuration throws DbError naming the file.
    QString ensureFarmAlias();

private:
    QString m_file;
};
