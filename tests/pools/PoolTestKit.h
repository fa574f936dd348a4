#pragma once

#include "FarmRows.h"
#include "pools/PoolCounters.h"

#include <QDate>
#include <QString>
#include <optional>

class Database;

// Hand-built cycle histories and pool rows for the pool tests.
namespace poolkit {

inline QDate day(int y, int m, int d) {
    return QDate(y, m, d);
}

// A cycle row as the registers or block screens leave it. male -1 marks an
// insemination. Returns its Orden.
qint64 addCycle(Database& db, qint64 female, const QDate& mated, std::optional<bool> palpation = std::nullopt,
                const QDate& born = {}, qint64 alive = 0, qint64 dead = 0, qint64 male = -1);

// The insemination screen's own cycle row of day d (male -1, not palpated).
qint64 addInsemination(Database& db, qint64 female, const QDate& d);

// A Pools row written directly, as the import writes it.
void addPoolRow(Database& db, const QDate& fecha, qint64 female, const QString& pool, std::optional<bool> palpation,
                qint64 alive, qint64 dead, qint64 diasPos, const QString& estado);

struct PoolRow {
    QString pool;
    QString palpacion; // "True", "False" or "" as read as text
    qint64 alive = 0;
    qint64 dead = 0;
    qint64 diasPos = 0;
    QString estado;
};

// The Pools rows of a cycle (female and mating date), in insertion order.
std::vector<PoolRow> poolRows(Database& db, qint64 female, const QDate& fc);

// Every row of Pools and MasterPools as text, to tell whether anything changed.
QString snapshot(Database& db);

using testkit::count;

// A MasterPools row built from its sixteen counters, N, L, R and whole pool.
PoolTotals totalsOf(const QString& pool, std::initializer_list<qint64> counters);

} // namespace poolkit

// Readable failures: a pool's counters in one line.
std::ostream& operator<<(std::ostream& os, const PoolTotals& t);
std::ostream& operator<<(std::ostream& os, const PoolEntry& e);
