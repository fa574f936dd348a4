#pragma once

#include <QString>
#include <QStringList>

class Database;

// What opening the farm file found, for the farmer to be told at start-up: a
// damaged file, one that cannot be written, and the tables that were missing
// and were made again empty.
struct FarmHealth {
    bool damaged = false;
    QString damage; // the engine's report on a damaged file
    bool readOnly = false;
    QStringList restoredTables;

    // The checks of an opened farm, in this order: the file reads as a database
    // and passes the engine's quick check (else damaged, and nothing else is
    // tried); a trial write, rolled back, succeeds (else read-only); then, on a
    // sound writable file, every missing farm table is created again empty and
    // the lookup indexes are made, in one transaction.
    static FarmHealth check(Database& db);

    // One Spanish message for each finding, naming the file; none when all is well.
    QStringList messages(const QString& file) const;
};
