#pragma once

#include <QString>
#include <functional>

class Database;

// Rebuilds the keys of the farm tables: for each keyed table, in the fixed
// order of the keys, its indexes are dropped one by one and created again as
// one action. Every failure is said and passed over; no data row is read or
// changed, and the two tables without keys are left alone. Because a damaged
// file is more than its indexes, the engine's integrity check runs before the
// keys, and after them every index is rebuilt (REINDEX) and the file checked
// again: a file still damaged is said instead of the closing message.
// What the repair says while it runs.
struct RepairReport {
    // The small waiting message: shown before a table's first action, hidden after its last.
    std::function<void(const QString& text)> show = [](const QString&) {};
    std::function<void()> hide = [] {};
    // A message box captioned "¡Atención!" with the warning icon.
    std::function<void(const QString& text)> warn = [](const QString&) {};
};

class TableRepair {
public:
    using Report = RepairReport;

    // The engine's findings before and after the keys; empty when sound.
    struct Outcome {
        QString before;
        QString after;
        bool sound() const { return after.isEmpty(); }
    };

    // Runs the whole repair and says its end: the closing message, or the damage left.
    static Outcome run(Database& db, const Report& report);

    // The engine's verdict on the whole file: empty when sound, else its complaints.
    static QString integrityProblems(Database& db);
};
