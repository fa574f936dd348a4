#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class Database;

// The twelve tables of a farm, their keys and the rows a new farm is delivered with.
namespace schema {

struct TableKeys {
    QString table;
    QString primaryColumn;       // empty: the table has no key
    QStringList secondaryColumns; // the secondary index "index01", when there is one
};

// Every table with its keys, in the order the keys are rebuilt.
const std::vector<TableKeys>& keys();
// The names of the twelve tables.
QStringList tableNames();

// Creates every table, key and delivered row in an empty database.
void create(Database& db);

// Creates again, with their keys, the farm tables the file lacks (a table dropped
// by hand): empty, but for the rows a new farm is delivered with; the names of
// those made, in key-rebuilding order.
QStringList restoreMissingTables(Database& db);

// Lookup indexes that are no key: the male's mirror row and the pool row are
// found by female and mating date once per processed row, a female's cycle rows
// by female in recording order (Orden). Created when missing at every open, so
// older farm files get them too.
void ensureLookupIndexes(Database& db);

// Key building blocks, as the repair of the keys uses them.
void createPrimaryKey(Database& db, const TableKeys& table);
void createSecondaryIndex(Database& db, const TableKeys& table);

} // namespace schema
