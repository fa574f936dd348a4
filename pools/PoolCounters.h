#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

class Database;

// A female's state when she is inseminated, as stored in Pools.Estado.
namespace poolstate {
inline const QString kNulliparous = QStringLiteral("N"); // "Nulíparas": never gave birth
inline const QString kLactating = QStringLiteral("L");   // "Lactación": gave birth, last cycle not failed
inline const QString kDelayed = QStringLiteral("R");     // "Retrasadas": gave birth, last cycle palpated negative
} // namespace poolstate

// How a female enters a pool: her state and the days since her previous birth.
struct PoolEntry {
    QString estado;
    qint64 diasPos = 0;
    bool operator==(const PoolEntry&) const = default;
};

// One group of four counters of a MasterPools row.
struct PoolGroup {
    qint64 females = 0;   // Pools rows counted in the group
    qint64 positives = 0; // positive palpations
    qint64 births = 0;    // births, one with no kit at all included
    qint64 alive = 0;     // kits born alive in those births
    bool operator==(const PoolGroup&) const = default;
};

// A MasterPools row: the running totals of one pool.
struct PoolTotals {
    QString pool;
    PoolGroup nul; // Nuliparas, NulPositivas, NulPartos, NulVivos
    PoolGroup lac; // Lactacion, LacPositivas, LacPartos, LacVivos
    PoolGroup ret; // Retrasadas, RetPositivas, RetPartos, RetVivos
    PoolGroup all; // TotalPool, TotPositivas, TotPartos, TotVivos
    bool operator==(const PoolTotals&) const = default;
};

// The insemination pools: one Pools row per inseminated female and one
// MasterPools row of running totals per pool name. The insemination,
// palpation and birth screens call these operations row by row inside their
// own recording; each operation is all or nothing on its own (a savepoint), so
// a failure never leaves a Pools row without its count.
class PoolCounters {
public:
    explicit PoolCounters(Database& db) : m_db(db) {}

    // The female's state at an insemination on day d, judged from her cycle
    // rows dated otherwise than d (the insemination's own row and any other of
    // that day are left out). Writes nothing.
    PoolEntry classify(qint64 female, const QDate& d) const;

    // Called after her insemination cycle row dated d is written: classifies
    // her, inserts her Pools row, creates the pool's MasterPools row when the
    // name is new, and counts her in her state and in the whole pool.
    PoolEntry recordInsemination(qint64 female, const QDate& d, const QString& pool);

    // Copies a palpation result to her Pools row of the cycle mated on fc and
    // counts a positive one. False when that cycle has no Pools row (a natural
    // mating): nothing is touched then.
    bool recordPalpation(qint64 female, const QDate& fc, bool positive);

    // Copies a litter (kits born alive and dead) to her Pools row of the cycle
    // mated on fc and counts the birth, even at 0 and 0, and the live kits.
    // False when that cycle has no Pools row.
    bool recordBirth(qint64 female, const QDate& fc, qint64 alive, qint64 dead);

    // Rebuilds every MasterPools row from the Pools rows by the import's rule:
    // only palpated rows count as females and kits, only births with a kit
    // alive or dead count as births. Reports (done, total) after each pool.
    // Returns the number of pools.
    int recompute(const std::function<void(int done, int total)>& progress = {});

    // The MasterPools row of a pool, when there is one.
    std::optional<PoolTotals> totals(const QString& pool) const;

private:
    Database& m_db;
};
