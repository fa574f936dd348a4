#include "PoolTestKit.h"
#include "TempFarm.h"

#include "db/DbError.h"

#include <gtest/gtest.h>

using namespace poolkit;

namespace {

const QDate kDay = day(2002, 6, 10);

// One earlier cycle of the female: mating date (days before kDay, 0 = kDay
// itself), palpation, and birth (days before kDay, -1 = none).
struct Cycle {
    int matedBefore;
    std::optional<bool> palpation;
    int bornBefore = -1;
};

struct ClassCase {
    const char* name;
    std::vector<Cycle> history; // in the order recorded (rising Orden)
    const char* estado;
    qint64 diasPos;
};

// Histories are written in the order given, then the day's own insemination
// row is added, as the insemination screen does before classifying.
const ClassCase kCases[] = {
    {"never mated", {}, "N", 0},
    {"mated, not palpated yet, never gave birth", {{40, std::nullopt}}, "N", 0},
    {"no birth ever, last mating palpated negative", {{40, false}}, "N", 0},
    {"pregnant once without a recorded birth, then negative", {{80, true}, {40, false}}, "N", 0},
    {"last cycle a birth 42 days ago", {{73, true, 42}}, "L", 42},
    {"gave birth once, last cycle palpated negative", {{120, true, 89}, {40, false}}, "R", 0},
    {"negative, then a birth 11 days ago", {{120, true, 89}, {80, false}, {42, true, 11}}, "L", 11},
    {"last by Orden decides, not the latest date", {{30, false}, {60, true, 29}}, "L", 29},
    {"earlier negative, later-recorded older birth is last", {{120, true, 89}, {40, false}, {100, true, 70}}, "L", 70},
    {"birth, then a natural mating not palpated yet", {{120, true, 89}, {20, std::nullopt}}, "L", 89},
    {"birth, then a pregnancy without birth yet", {{120, true, 89}, {35, true}}, "L", 89},
    {"rows dated the day are left out: negative before", {{120, true, 89}, {40, false}, {0, std::nullopt}}, "R", 0},
    {"a negative dated the day itself is left out", {{73, true, 42}, {0, false}}, "L", 42},
    {"her only birth lies on a row dated the day", {{0, true, 0}}, "N", 0},
};

} // namespace

TEST(PoolClassification, StateAndDaysSinceBirthFromHistory) {
    for (const ClassCase& c : kCases) {
        TempFarm farm;
        const qint64 female = 17;
        // Another female's history must never count for her.
        addCycle(farm.db(), 18, kDay.addDays(-50), false);
        addCycle(farm.db(), 18, kDay.addDays(-90), true, kDay.addDays(-60), 8, 0);
        for (const Cycle& cy : c.history)
            addCycle(farm.db(), female, kDay.addDays(-cy.matedBefore), cy.palpation,
                     cy.bornBefore < 0 ? QDate() : kDay.addDays(-cy.bornBefore), cy.bornBefore < 0 ? 0 : 8);
        addInsemination(farm.db(), female, kDay);

        PoolCounters pools(farm.db());
        const PoolEntry got = pools.classify(female, kDay);
        EXPECT_EQ(got, (PoolEntry{QString::fromLatin1(c.estado), c.diasPos})) << c.name;
        // Classifying writes nothing.
        EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Pools")), 0) << c.name;
    }
}

TEST(PoolClassification, SecondInseminationTheSameDayIsClassifiedLikeTheFirst) {
    TempFarm farm;
    PoolCounters pools(farm.db());
    addCycle(farm.db(), 5, kDay.addDays(-120), true, kDay.addDays(-89), 9);
    addCycle(farm.db(), 5, kDay.addDays(-40), false);

    addInsemination(farm.db(), 5, kDay);
    const PoolEntry first = pools.recordInsemination(5, kDay, QStringLiteral("P1"));
    addInsemination(farm.db(), 5, kDay);
    const PoolEntry second = pools.recordInsemination(5, kDay, QStringLiteral("P2"));

    EXPECT_EQ(first, (PoolEntry{QStringLiteral("R"), 0}));
    EXPECT_EQ(second, first);
    const auto rows = poolRows(farm.db(), 5, kDay);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].pool, QStringLiteral("P1"));
    EXPECT_EQ(rows[1].pool, QStringLiteral("P2"));
}

TEST(PoolClassification, InvalidDateIsRefused) {
    TempFarm farm;
    PoolCounters pools(farm.db());
    EXPECT_THROW(pools.classify(3, QDate()), DbError);
    EXPECT_THROW(pools.recordInsemination(3, QDate(), QStringLiteral("P1")), DbError);
    EXPECT_EQ(snapshot(farm.db()), QStringLiteral("--\n--\n"));
}
