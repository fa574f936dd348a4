#include "BlockFarm.h"
#include "blocks/BlockBatch.h"
#include "blocks/BlockRow.h"
#include "blocks/CycleEvents.h"
#include "blocks/MatingEvent.h"
#include "db/FarmParameters.h"

#include <gtest/gtest.h>

namespace {

const QDate kDay(2002, 6, 1);
const QDate kBorn(2001, 1, 1);

template <class Event> class Cycle : public ::testing::Test {
protected:
    BlockFarm farm;
    Event make() {
        if constexpr (std::is_constructible_v<Event, const FarmParameters&>)
            return Event(FarmParameters::read(farm.db()));
        else
            return Event();
    }
    CandidateList load(const QDate& day = kDay, const CageRange& range = {}) {
        Event e = make();
        return blockbatch::load(farm.db(), e, range, day);
    }
    void process(const CandidateList& list, const QDate& day = kDay) {
        Event e = make();
        blockbatch::process(farm.db(), e, list, day);
    }
    qint64 day(const char* column, const QDate& d = kDay) {
        return farm.count(QStringLiteral("select %1 cuenta from HistoricoMaternidad where Fecha=%2")
                              .arg(QString::fromUtf8(column), sql::date(d)));
    }
};

using Palpations = Cycle<PalpationEvent>;
using Births = Cycle<BirthEvent>;
using Weanings = Cycle<WeaningEvent>;

TEST_F(Palpations, ListedExactlyDiasPalparAfterTheMating) {
    farm.female(1, 1, kBorn);
    farm.cycle(1, kDay.addDays(-10));
    farm.female(2, 2, kBorn);
    farm.cycle(2, kDay.addDays(-9));
    farm.female(3, 3, kBorn, 2); // sick
    farm.cycle(3, kDay.addDays(-20));
    farm.female(4, 4, kBorn, 0, 1); // dead
    farm.cycle(4, kDay.addDays(-20));
    farm.female(5, 5, kBorn); // already palpated
    farm.cycle(5, kDay.addDays(-20), true);
    const CandidateList list = load();
    EXPECT_EQ(females(list), QStringList({"1"}));
    EXPECT_EQ(list.at(0), QStringLiteral("000001|1|False|False|False|False|+|1"));
}

TEST_F(Palpations, FlipsGiveSevenAndThreeAndReachMirrorsAndPools) {
    for (int i = 1; i <= 10; ++i) {
        farm.female(i, i, kBorn);
        farm.cycle(i, kDay.addDays(-12), std::nullopt, {}, 0, 0, false, 50 + i);
        farm.db().exec(QStringLiteral("insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra) values "
                                      "(%1, %2, %3)")
                           .arg(50 + i)
                           .arg(sql::date(kDay.addDays(-12)))
                           .arg(i));
    }
    CandidateList list = load();
    ASSERT_EQ(list.size(), 10);
    for (int row : {1, 4, 7})
        list.setFields(row, PalpationEvent::kResult, {PalpationEvent::flipped(list.fields(row).at(6))});
    EXPECT_EQ(PalpationEvent::flipped(PalpationEvent::flipped(QStringLiteral("+"))), QStringLiteral("+"));
    process(list);
    EXPECT_EQ(day("PalpacionesPositivas"), 7);
    EXPECT_EQ(day("PalpacionesNegativas"), 3);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where Palpacion=False")), 3);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriMachos where Palpacion=False and "
                                        "CodigoHembra in (2, 5, 8)")),
              3);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriMachos where Palpacion=True")), 7);
    EXPECT_TRUE(load().isEmpty());
}

TEST_F(Palpations, APoolFemaleCountsAPositiveInHerState) {
    farm.female(1, 1, kBorn);
    farm.cycle(1, kDay.addDays(-60), true, kDay.addDays(-30), 8, 0, true);
    farm.female(2, 2, kBorn);
    farm.cycle(2, kDay.addDays(-60), true, kDay.addDays(-30), 8, 0, true);
    {
        InseminationEvent ins(FarmParameters::read(farm.db()), QStringLiteral("P1"));
        CandidateList toInseminate = blockbatch::load(farm.db(), ins, {}, kDay.addDays(-12));
        ASSERT_EQ(toInseminate.size(), 2);
        blockbatch::process(farm.db(), ins, toInseminate, kDay.addDays(-12));
    }
    CandidateList list = load();
    ASSERT_EQ(list.size(), 2);
    list.setFields(1, PalpationEvent::kResult, {QStringLiteral("-")});
    process(list);
    EXPECT_EQ(farm.count(QStringLiteral("select LacPositivas cuenta from MasterPools where Pool='P1'")), 1);
    EXPECT_EQ(farm.count(QStringLiteral("select TotPositivas cuenta from MasterPools where Pool='P1'")), 1);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from Pools where CodigoHembra=2 and Palpacion=False")),
              1);
}

TEST_F(Births, DueTwentyNineDaysAfterAPositiveMatingWhateverHerHealth) {
    farm.female(1, 1, kBorn, 5); // sick but due
    farm.cycle(1, kDay.addDays(-29), true);
    farm.female(2, 2, kBorn);
    farm.cycle(2, kDay.addDays(-28), true);
    farm.female(3, 3, kBorn);
    farm.cycle(3, kDay.addDays(-40), false);
    farm.female(4, 4, kBorn, 0, 0); // culled
    farm.cycle(4, kDay.addDays(-40), true);
    EXPECT_EQ(females(load()), QStringList({"1"}));
}

TEST_F(Births, LittersCountedByTheBirthRule) {
    for (int i = 1; i <= 3; ++i) {
        farm.female(i, i, kBorn);
        farm.cycle(i, kDay.addDays(-31), true, {}, 0, 0, false, 9);
        farm.db().exec(QStringLiteral("insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra) values "
                                      "(9, %1, %2)")
                           .arg(sql::date(kDay.addDays(-31)))
                           .arg(i));
    }
    CandidateList list = load();
    ASSERT_EQ(list.size(), 3);
    list.setFields(0, BirthEvent::kAlive, {QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("2"),
                                           QStringLiteral("3")});
    list.setFields(2, BirthEvent::kAlive, {QStringLiteral("7")});
    process(list);
    EXPECT_EQ(day("NumeroPartos"), 2);
    EXPECT_EQ(day("NacidosVivos"), 16);
    EXPECT_EQ(day("NacidosMuertos"), 1);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where FechaParto='06/01/2002'")), 3);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where CodigoHembra=1 and "
                                        "NacidosVivos=9 and NacidosMuertos=1 and Anadidos=2 and Quitados=3")),
              1);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriMachos where CodigoHembra=1 and "
                                        "NacidosVivos=9 and NacidosMuertos=1")),
              1);
    EXPECT_EQ(farm.count(QStringLiteral("select sum(Anadidos) cuenta from CubriHembras")), 2);
}

TEST_F(Births, AnEmptyLitterOfAPoolFemaleCountsInThePool) {
    farm.female(1, 1, kBorn);
    {
        InseminationEvent ins(FarmParameters::read(farm.db()), QStringLiteral("P2"));
        blockbatch::process(farm.db(), ins, blockbatch::load(farm.db(), ins, {}, kDay.addDays(-30)),
                            kDay.addDays(-30));
        PalpationEvent palp(FarmParameters::read(farm.db()));
        blockbatch::process(farm.db(), palp, blockbatch::load(farm.db(), palp, {}, kDay.addDays(-15)),
                            kDay.addDays(-15));
    }
    process(load());
    EXPECT_EQ(farm.count(QStringLiteral("select NulPartos cuenta from MasterPools where Pool='P2'")), 1);
    EXPECT_EQ(farm.count(QStringLiteral("select TotPartos cuenta from MasterPools where Pool='P2'")), 1);
    EXPECT_EQ(day("NumeroPartos"), 0);
}

TEST_F(Weanings, ProposalAndTheNarrowedLitterRule) {
    farm.female(1, 1, kBorn); // born exactly DiasDestetar days before
    farm.cycle(1, kDay.addDays(-61), true, kDay.addDays(-30), 8);
    farm.db().exec(QStringLiteral("update CubriHembras set Anadidos=2, Quitados=3 where CodigoHembra=1"));
    farm.female(2, 2, kBorn); // a day later
    farm.cycle(2, kDay.addDays(-60), true, kDay.addDays(-29), 8);
    farm.female(3, 3, kBorn); // no live kit left
    farm.cycle(3, kDay.addDays(-61), true, kDay.addDays(-30), 5);
    farm.db().exec(QStringLiteral("update CubriHembras set Quitados=5 where CodigoHembra=3"));
    farm.female(4, 4, kBorn, 7); // mated again, litter never weaned, sick
    farm.cycle(4, kDay.addDays(-80), true, kDay.addDays(-45), 6);
    farm.cycle(4, kDay.addDays(-5));
    const CandidateList list = load();
    EXPECT_EQ(females(list), QStringList({"1", "4"}));
    EXPECT_EQ(list.fields(0).at(WeaningEvent::kWeaned), QStringLiteral("7"));
    EXPECT_EQ(list.fields(1).at(WeaningEvent::kOrden), QStringLiteral("4"));
}

TEST_F(Weanings, EveryRowIsAWeaningAlsoWithNoKit) {
    farm.female(1, 1, kBorn);
    farm.cycle(1, kDay.addDays(-61), true, kDay.addDays(-30), 8);
    farm.female(2, 2, kBorn);
    farm.cycle(2, kDay.addDays(-61), true, kDay.addDays(-30), 6);
    CandidateList list = load();
    list.setFields(1, WeaningEvent::kWeaned, {QStringLiteral("0")});
    process(list);
    EXPECT_EQ(day("NumeroDestetes"), 2);
    EXPECT_EQ(day("Destetados"), 8);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where Destetada=True")), 2);
    EXPECT_EQ(farm.count(QStringLiteral("select Destetados cuenta from CubriHembras where CodigoHembra=2")), 0);
    EXPECT_TRUE(load().isEmpty());
}

} // namespace

namespace {

// Counts travel 64-bit from the rows to the ledger: three thousand million kits
// arrive as they were typed, never wrapped round to a negative number.
TEST_F(Births, KitCountsBeyondThirtyTwoBitsReachTheLedgerWhole) {
    farm.female(1, 1, kBorn);
    farm.cycle(1, kDay.addDays(-31), true);
    CandidateList list = load();
    ASSERT_EQ(list.size(), 1);
    list.setFields(0, BirthEvent::kAlive, {QStringLiteral("3000000000"), QStringLiteral("2500000000")});
    process(list);
    EXPECT_EQ(day("NacidosVivos"), 3000000000LL);
    EXPECT_EQ(day("NacidosMuertos"), 2500000000LL);
    EXPECT_EQ(farm.count(QStringLiteral("select NacidosVivos cuenta from CubriHembras")), 3000000000LL);
}

TEST_F(Weanings, KitCountsBeyondThirtyTwoBitsReachTheLedgerWhole) {
    farm.female(1, 1, kBorn);
    farm.cycle(1, kDay.addDays(-61), true, kDay.addDays(-30), 8);
    farm.db().exec(QStringLiteral("update CubriHembras set NacidosVivos=3000000000"));
    CandidateList list = load();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.fields(0).at(WeaningEvent::kWeaned), QStringLiteral("3000000000"));
    process(list);
    EXPECT_EQ(day("Destetados"), 3000000000LL);
}

} // namespace
