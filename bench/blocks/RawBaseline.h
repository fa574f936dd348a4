#pragma once

#include <QDate>
#include <QString>
#include <vector>

struct sqlite3;

// The block runs written straight against the SQLite C API: the same
// statements the program sends for each row, prepared once, bound per row, in
// one transaction. What the program's own runs are measured against; on the
// same file they leave the same database.
namespace rawbaseline {

struct Insemination {
    qint64 female = 0;
    QString pool;
};

struct Birth {
    qint64 female = 0;
    qint64 orden = 0;
    qint64 alive = 0, dead = 0, adopted = 0, given = 0;
};

void inseminate(sqlite3* db, const std::vector<Insemination>& rows, const QDate& day);
void giveBirth(sqlite3* db, const std::vector<Birth>& rows, const QDate& day);

// Every table's rows in key order, every value with its storage class: two
// files hold the same data when their dumps are equal.
QString dump(sqlite3* db);

} // namespace rawbaseline
