#include "PoolTestKit.h"
#include "TempFarm.h"

#include "db/Database.h"

#include <gtest/gtest.h>

using namespace poolkit;

namespace {

const QDate kDay = day(2003, 3, 3);
const auto kNone = std::nullopt;

} // namespace

TEST(PoolRecompute, TwoInseminatedNotYetPalpatedCountNothing) {
    TempFarm farm;
    PoolCounters pools(farm.db());
    for (qint64 female : {1, 2}) {
        addInsemination(farm.db(), female, kDay);
        pools.recordInsemination(female, kDay, QStringLiteral("P1"));
    }
    EXPECT_EQ(pools.totals(QStringLiteral("P1"))->all.females, 2);
    EXPECT_EQ(pools.recompute(), 1);
    EXPECT_EQ(pools.totals(QStringLiteral("P1")), totalsOf("P1", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// Imported rows of every kind, and what the rebuild makes of them: females and
// kits only from palpated rows, births only from litters with a kit, and rows
// of an unknown state only in the whole pool (never as positives).
TEST(PoolRecompute, RebuildsEveryPoolFromItsRows) {
    TempFarm farm;
    Database& db = farm.db();
    const QString a = QStringLiteral("A");
    addPoolRow(db, kDay, 1, a, true, 9, 1, 0, QStringLiteral("N"));
    addPoolRow(db, kDay, 2, a, true, 0, 0, 0, QStringLiteral("N")); // birth with no kit: not a birth here
    addPoolRow(db, kDay, 3, a, false, 0, 0, 0, QStringLiteral("N"));
    addPoolRow(db, kDay, 4, a, kNone, 0, 0, 0, QStringLiteral("N")); // not palpated: not counted at all
    addPoolRow(db, kDay, 5, a, true, 7, 0, 40, QStringLiteral("L"));
    addPoolRow(db, kDay, 6, a, true, 0, 2, 35, QStringLiteral("L"));
    addPoolRow(db, kDay, 7, a, false, 0, 0, 0, QStringLiteral("R"));
    addPoolRow(db, kDay, 8, a, true, 5, 0, 0, QStringLiteral("R"));
    addPoolRow(db, kDay, 9, a, true, 4, 0, 0, QStringLiteral("X")); // unknown state
    addPoolRow(db, kDay, 10, a, false, 0, 0, 0, QString());
    addPoolRow(db, kDay, 11, QStringLiteral("B"), kNone, 3, 0, 0, QStringLiteral("L")); // kits but never palpated
    addPoolRow(db, kDay, 12, QStringLiteral("O'Hara"), false, 0, 0, 0, QStringLiteral("R"));
    // A stale totals row of a pool no longer in Pools disappears.
    db.exec(QStringLiteral("insert into MasterPools Values ('Gone', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0)"));

    PoolCounters pools(db);
    std::vector<std::pair<int, int>> steps;
    EXPECT_EQ(pools.recompute([&](int done, int total) { steps.emplace_back(done, total); }), 3);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));

    //                                N: n pos par viv  L: n pos par viv  R: n pos par viv  all: n pos par viv
    EXPECT_EQ(pools.totals(a), totalsOf("A", {3, 2, 1, 9, 2, 2, 2, 7, 2, 1, 1, 5, 9, 5, 5, 25}));
    EXPECT_EQ(pools.totals(QStringLiteral("B")), totalsOf("B", {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(pools.totals(QStringLiteral("O'Hara")),
              totalsOf("O'Hara", {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_FALSE(pools.totals(QStringLiteral("Gone")).has_value());
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from MasterPools")), 3);
}

TEST(PoolRecompute, EmptyPoolsLeaveNoTotals) {
    TempFarm farm;
    farm.db().exec(
        QStringLiteral("insert into MasterPools Values ('Old', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0)"));
    PoolCounters pools(farm.db());
    int calls = 0;
    EXPECT_EQ(pools.recompute([&](int, int) { ++calls; }), 0);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from MasterPools")), 0);
}
