#include "PoolTestKit.h"
#include "TempFarm.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Transaction.h"

#include <gtest/gtest.h>

using namespace poolkit;

namespace {

const QDate kDay = day(2002, 6, 10);

// Females 1 to 3 never gave birth, 4 gave birth 42 days ago, 5 gave birth and
// then was palpated negative.
void buildHerd(Database& db) {
    addCycle(db, 2, kDay.addDays(-40), false);
    addCycle(db, 4, kDay.addDays(-73), true, kDay.addDays(-42), 9);
    addCycle(db, 5, kDay.addDays(-120), true, kDay.addDays(-89), 7);
    addCycle(db, 5, kDay.addDays(-40), false);
}

void inseminate(Database& db, qint64 female, const QString& pool, const QDate& d = kDay) {
    addInsemination(db, female, d);
    PoolCounters(db).recordInsemination(female, d, pool);
}

} // namespace

TEST(PoolInsemination, WritesThePoolRowAsInseminated) {
    TempFarm farm;
    buildHerd(farm.db());
    inseminate(farm.db(), 4, QStringLiteral("P1"));

    const auto rows = poolRows(farm.db(), 4, kDay);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].pool, QStringLiteral("P1"));
    EXPECT_EQ(rows[0].palpacion, QString()); // not palpated yet: NULL
    EXPECT_EQ(rows[0].alive, 0);
    EXPECT_EQ(rows[0].dead, 0);
    EXPECT_EQ(rows[0].diasPos, 42);
    EXPECT_EQ(rows[0].estado, QStringLiteral("L"));
}

TEST(PoolInsemination, NewPoolNameCreatesItsTotalsOnceAndReusesThem) {
    TempFarm farm;
    buildHerd(farm.db());
    for (qint64 female : {1, 2, 3, 4})
        inseminate(farm.db(), female, QStringLiteral("P1"));

    PoolCounters pools(farm.db());
    EXPECT_EQ(pools.totals(QStringLiteral("P1")), totalsOf("P1", {3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0}));
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from MasterPools")), 1);

    inseminate(farm.db(), 5, QStringLiteral("P2"));
    inseminate(farm.db(), 6, QStringLiteral("P3"));
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from MasterPools")), 3);
    EXPECT_EQ(pools.totals(QStringLiteral("P2")), totalsOf("P2", {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(pools.totals(QStringLiteral("P3")), totalsOf("P3", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(pools.totals(QStringLiteral("P1"))->all.females, 4);
    EXPECT_FALSE(pools.totals(QStringLiteral("P4")).has_value());
}

// Pool names are typed by the farmer: every one is stored and counted exactly
// as typed, and none alters a statement.
TEST(PoolInsemination, PoolNamesAreStoredAsTyped) {
    const QString names[] = {
        QString(),                      // left empty: a pool like any other
        QStringLiteral("O'Neill 'B'"),  // quotes
        QStringLiteral("01/02/2003"),   // looks like a date literal
        QStringLiteral("x' or '1'='1"), // would widen a where clause
        QStringLiteral("P1; delete from Hembras"),
        QStringLiteral("100% %1 Lote ñ"), // placeholders and accents
        QStringLiteral("p1"),             // differs from P1 only by case
    };
    TempFarm farm;
    buildHerd(farm.db());
    inseminate(farm.db(), 1, QStringLiteral("P1"));
    qint64 female = 100;
    PoolCounters pools(farm.db());
    for (const QString& name : names) {
        inseminate(farm.db(), female, name);
        ASSERT_TRUE(pools.recordPalpation(female, kDay, true));
        ASSERT_TRUE(pools.recordBirth(female, kDay, 6, 1));
        const auto rows = poolRows(farm.db(), female, kDay);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].pool, name);
        EXPECT_EQ(pools.totals(name), totalsOf(name, {1, 1, 1, 6, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 6}))
            << name.toStdString();
        ++female;
    }
    EXPECT_EQ(pools.totals(QStringLiteral("P1")), totalsOf("P1", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from MasterPools")), 8);

    // The import's rebuild reaches the same names and the same numbers.
    pools.recompute();
    for (const QString& name : names)
        EXPECT_EQ(pools.totals(name), totalsOf(name, {1, 1, 1, 6, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 6}))
            << name.toStdString();
}

namespace {

struct StateCase {
    qint64 female;
    const char* estado;
    int group; // 0 N, 1 L, 2 R
};
const StateCase kStates[] = {{1, "N", 0}, {4, "L", 1}, {5, "R", 2}};

PoolGroup& groupOf(PoolTotals& t, int group) {
    return group == 0 ? t.nul : group == 1 ? t.lac : t.ret;
}

} // namespace

TEST(PoolPalpation, PositiveCountsInItsStateNegativeCountsNothing) {
    for (const StateCase& s : kStates) {
        for (bool positive : {true, false}) {
            TempFarm farm;
            buildHerd(farm.db());
            inseminate(farm.db(), s.female, QStringLiteral("P1"));
            PoolCounters pools(farm.db());
            PoolTotals expected = *pools.totals(QStringLiteral("P1"));

            EXPECT_TRUE(pools.recordPalpation(s.female, kDay, positive));

            const auto rows = poolRows(farm.db(), s.female, kDay);
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_EQ(rows[0].palpacion, positive ? QStringLiteral("True") : QStringLiteral("False"));
            EXPECT_EQ(rows[0].estado, QString::fromLatin1(s.estado));
            if (positive) {
                groupOf(expected, s.group).positives += 1;
                expected.all.positives += 1;
            }
            EXPECT_EQ(pools.totals(QStringLiteral("P1")), expected) << s.estado << ' ' << positive;
        }
    }
}

TEST(PoolPalpation, PositiveCountedOnceWhenPalpatedAgain) {
    TempFarm farm;
    buildHerd(farm.db());
    inseminate(farm.db(), 4, QStringLiteral("P1"));
    PoolCounters pools(farm.db());
    pools.recordPalpation(4, kDay, true);
    pools.recordPalpation(4, kDay, true);
    EXPECT_EQ(pools.totals(QStringLiteral("P1"))->lac.positives, 1);
    EXPECT_EQ(pools.totals(QStringLiteral("P1"))->all.positives, 1);

    // A first negative later corrected to positive counts the positive.
    inseminate(farm.db(), 1, QStringLiteral("P1"));
    pools.recordPalpation(1, kDay, false);
    pools.recordPalpation(1, kDay, true);
    EXPECT_EQ(pools.totals(QStringLiteral("P1"))->nul.positives, 1);
    EXPECT_EQ(pools.totals(QStringLiteral("P1"))->all.positives, 2);
}

TEST(PoolBirth, CountsTheBirthAndLiveKitsInItsStateEvenWithoutKits) {
    struct Litter {
        qint64 alive, dead;
    };
    for (const StateCase& s : kStates) {
        for (const Litter l : {Litter{9, 1}, Litter{0, 0}, Litter{0, 3}}) {
            TempFarm farm;
            buildHerd(farm.db());
            inseminate(farm.db(), s.female, QStringLiteral("P1"));
            PoolCounters pools(farm.db());
            pools.recordPalpation(s.female, kDay, true);
            PoolTotals expected = *pools.totals(QStringLiteral("P1"));

            EXPECT_TRUE(pools.recordBirth(s.female, kDay, l.alive, l.dead));

            const auto rows = poolRows(farm.db(), s.female, kDay);
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_EQ(rows[0].alive, l.alive);
            EXPECT_EQ(rows[0].dead, l.dead);
            EXPECT_EQ(rows[0].palpacion, QStringLiteral("True"));
            groupOf(expected, s.group).births += 1;
            groupOf(expected, s.group).alive += l.alive;
            expected.all.births += 1;
            expected.all.alive += l.alive;
            EXPECT_EQ(pools.totals(QStringLiteral("P1")), expected) << s.estado << ' ' << l.alive << '/' << l.dead;
        }
    }
}

TEST(PoolEvents, NaturalMatingTouchesNeitherTable) {
    TempFarm farm;
    buildHerd(farm.db());
    inseminate(farm.db(), 4, QStringLiteral("P1"));
    const QDate mated = kDay.addDays(-3);
    addCycle(farm.db(), 7, mated, std::nullopt, {}, 0, 0, 12); // male 12: no Pools row
    const QString before = snapshot(farm.db());

    PoolCounters pools(farm.db());
    EXPECT_FALSE(pools.recordPalpation(7, mated, true));
    EXPECT_FALSE(pools.recordBirth(7, mated, 8, 0));
    // The same female inseminated on another day is another cycle.
    EXPECT_FALSE(pools.recordPalpation(4, kDay.addDays(1), true));
    EXPECT_FALSE(pools.recordBirth(4, kDay.addDays(-1), 8, 0));
    EXPECT_EQ(snapshot(farm.db()), before);
}

TEST(PoolEvents, PoolRowWithUnknownStateGetsItsResultButNoCounter) {
    TempFarm farm;
    PoolCounters pools(farm.db());
    inseminate(farm.db(), 1, QStringLiteral("P1"));
    addPoolRow(farm.db(), kDay, 9, QStringLiteral("P1"), std::nullopt, 0, 0, 0, QStringLiteral("X"));
    const PoolTotals before = *pools.totals(QStringLiteral("P1"));

    EXPECT_TRUE(pools.recordPalpation(9, kDay, true));
    EXPECT_TRUE(pools.recordBirth(9, kDay, 5, 0));
    EXPECT_EQ(pools.totals(QStringLiteral("P1")), before);
    const auto rows = poolRows(farm.db(), 9, kDay);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].palpacion, QStringLiteral("True"));
    EXPECT_EQ(rows[0].alive, 5);
}

TEST(PoolBirth, NegativeKitCountIsRefusedAndNothingWritten) {
    TempFarm farm;
    buildHerd(farm.db());
    inseminate(farm.db(), 4, QStringLiteral("P1"));
    PoolCounters pools(farm.db());
    pools.recordPalpation(4, kDay, true);
    const QString before = snapshot(farm.db());
    EXPECT_THROW(pools.recordBirth(4, kDay, -2, 0), DbError);
    EXPECT_THROW(pools.recordBirth(4, kDay, 3, -1), DbError);
    EXPECT_EQ(snapshot(farm.db()), before);
}

// An operation is all or nothing: when the count cannot be written, her Pools
// row is not left behind uncounted; and it takes part in the screen's own
// recording without ending it.
TEST(PoolEvents, FailedOperationLeavesNoHalfWrittenRowInsideTheScreensRecording) {
    TempFarm farm;
    buildHerd(farm.db());
    farm.db().execNative(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON MasterPools WHEN NEW.Pool='BAD' "
                                        "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    PoolCounters pools(farm.db());
    {
        Transaction batch(farm.db());
        inseminate(farm.db(), 1, QStringLiteral("P1"));
        addInsemination(farm.db(), 2, kDay);
        EXPECT_THROW(pools.recordInsemination(2, kDay, QStringLiteral("BAD")), DbError);
        EXPECT_TRUE(poolRows(farm.db(), 2, kDay).empty());
        EXPECT_FALSE(pools.totals(QStringLiteral("BAD")).has_value());
        inseminate(farm.db(), 3, QStringLiteral("P1"));
        batch.commit();
    }
    EXPECT_EQ(pools.totals(QStringLiteral("P1"))->nul.females, 2);
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Pools")), 2);

    // The screen's recording rolled back takes the pool operations with it.
    {
        Transaction batch(farm.db());
        inseminate(farm.db(), 4, QStringLiteral("P9"));
        pools.recordPalpation(1, kDay, true);
    }
    EXPECT_FALSE(pools.totals(QStringLiteral("P9")).has_value());
    EXPECT_EQ(pools.totals(QStringLiteral("P1")), totalsOf("P1", {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(poolRows(farm.db(), 1, kDay).at(0).palpacion, QString());
}
