#include "BlockFarm.h"
#include "blocks/BlockBatch.h"
#include "blocks/BlockRow.h"
#include "blocks/MatingEvent.h"
#include "db/DbError.h"
#include "db/FarmParameters.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const QDate kDay(2002, 6, 1);
const QDate kOldEnough = kDay.addDays(-130);
const QDate kPost = kDay.addDays(-10);

class Matings : public ::testing::Test {
protected:
    BlockFarm farm;
    CandidateList load(const CageRange& range = {}, const QDate& day = kDay) {
        MatingEvent event(FarmParameters::read(farm.db()));
        return blockbatch::load(farm.db(), event, range, day);
    }
    void process(const CandidateList& list, const QDate& day = kDay) {
        MatingEvent event(FarmParameters::read(farm.db()));
        blockbatch::process(farm.db(), event, list, day);
    }
};

TEST_F(Matings, CandidatesByTheirLastCycle) {
    farm.female(1, 10, kOldEnough);                // last cycle palpated negative yesterday
    farm.cycle(1, kDay.addDays(-40), true, kDay.addDays(-200), 8);
    farm.cycle(1, kDay.addDays(-11), false);
    farm.female(2, 11, kOldEnough);                // birth on dPost itself
    farm.cycle(2, kPost.addDays(-30), true, kPost, 7);
    farm.female(3, 12, kOldEnough);                // birth one day after dPost
    farm.cycle(3, kPost.addDays(-29), true, kPost.addDays(1), 7);
    farm.female(4, 13, kOldEnough);                // mated, not palpated
    farm.cycle(4, kDay.addDays(-3));
    farm.female(5, 14, kOldEnough, 3);             // sick
    farm.cycle(5, kDay.addDays(-20), false);
    farm.female(6, 15, kOldEnough, 0, 0);          // culled
    farm.cycle(6, kDay.addDays(-20), false);
    farm.female(7, 16, kOldEnough.addDays(1));     // too young, whatever her cycle says
    farm.cycle(7, kDay.addDays(-20), false);
    farm.female(8, 17, kOldEnough);                // pregnant
    farm.cycle(8, kDay.addDays(-20), true);
    EXPECT_EQ(females(load()), QStringList({"1", "2"}));
}

TEST_F(Matings, NeverMatedFemalesOfTheWholeFarmWhateverTheirState) {
    farm.female(20, 500, kOldEnough, 4, 0);        // outside the range, sick and culled
    farm.female(21, 501, kOldEnough.addDays(1));   // too young
    farm.female(22, 30, kOldEnough);
    farm.cycle(22, kDay.addDays(-15), false);
    const CandidateList list = load({25, 40});
    EXPECT_EQ(females(list), QStringList({"22", "20"}));
    EXPECT_EQ(list.at(1), QStringLiteral("000500|20|False|False|False|False|0|0"));
    EXPECT_EQ(list.fields(0).at(MatingEvent::kOrden), QStringLiteral("1"));

    // A range from above to below lists only the never-mated group.
    EXPECT_EQ(females(load({40, 25})), QStringList({"20"}));
}

TEST_F(Matings, RangeBoundsAndMarks) {
    for (int cage : {200, 5, 40}) {
        farm.female(cage, cage, kOldEnough, 0, -1, cage == 40, cage == 40);
        farm.cycle(cage, kDay.addDays(-20), false);
    }
    EXPECT_EQ(females(load()), QStringList({"5", "40", "200"}));
    EXPECT_EQ(females(load({6, 0})), QStringList({"40", "200"}));
    EXPECT_EQ(females(load({0, 40})), QStringList({"5", "40"}));
    EXPECT_EQ(females(load({40, 40})), QStringList({"40"}));
    EXPECT_EQ(load({40, 40}).at(0), QStringLiteral("000040|40|True|False|True|False|0|3"));
}

TEST_F(Matings, ProcessingWritesCycleMirrorAndLedger) {
    farm.db().exec(QStringLiteral("insert into HistoricoMaternidad Values ('05/20/2002', 120, 0, 0, 0, 8, 0, 0, 0, 0, "
                                  "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 ,0, '')"));
    for (int i = 1; i <= 10; ++i)
        farm.female(i, i, kOldEnough);
    CandidateList list = load();
    ASSERT_EQ(list.size(), 10);
    list.setFields(0, MatingEvent::kMale, {QStringLiteral("33")});
    process(list);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where FechaCubricion='06/01/2002' "
                                        "and Palpacion is NULL and FechaParto is NULL and Destetada=False and "
                                        "Maquina is NULL and NacidosVivos=0")),
              10);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where CodigoHembra=1 and "
                                        "CodigoMacho=33")),
              1);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriMachos where CodigoMacho=0")), 9);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriMachos where CodigoMacho=33 and "
                                        "CodigoHembra=1 and FechaCubricion='06/01/2002'")),
              1);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from HistoricoMaternidad where Fecha='06/01/2002' "
                                        "and Cubriciones=10 and NumeroTotalHembras=120 and NumeroTotalMachos=8")),
              1);

    // Five more the same day add to the day row; the mated ones are no longer candidates.
    for (int i = 11; i <= 15; ++i)
        farm.female(i, i, kOldEnough);
    list = load();
    EXPECT_EQ(list.size(), 5);
    process(list);
    EXPECT_EQ(farm.count(QStringLiteral("select Cubriciones cuenta from HistoricoMaternidad where "
                                        "Fecha='06/01/2002'")),
              15);
}

TEST_F(Matings, AnEmptyBatchWritesNothing) {
    process(CandidateList());
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from HistoricoMaternidad")), 0);
}

TEST_F(Matings, SameFemaleTwiceOnOneDayTheLaterRowIsHerLast) {
    farm.female(1, 1, kOldEnough);
    const CandidateList list = load();
    process(list);
    process(list);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where CodigoHembra=1")), 2);
    EXPECT_EQ(farm.count(QStringLiteral("select max(orden) cuenta from CubriHembras where CodigoHembra=1")), 2);
}

TEST_F(Matings, AFailureHalfWayWritesNothingAtAll) {
    farm.db().exec(QStringLiteral("insert into HistoricoMaternidad Values ('06/01/2002', 120, 0, 0, 0, 8, 0, 0, 0, 3, "
                                  "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 ,0, '')"));
    for (int i = 1; i <= 3; ++i)
        farm.female(i, i, kOldEnough);
    const CandidateList list = load();
    const QString before = farm.dump();
    farm.refuseMirrorOf(2); // the second of three rows fails after the first is written
    EXPECT_THROW(process(list), DbError);
    EXPECT_EQ(farm.dump(), before);
    // Corrected and processed again, every female is mated once and counted once.
    farm.acceptMirrors();
    process(list);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras")), 3);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriMachos")), 3);
    EXPECT_EQ(farm.count(QStringLiteral("select Cubriciones cuenta from HistoricoMaternidad")), 6);
}

// A cycle row without a female number (a registration in progress on another
// computer) belongs to nobody and hides no never-mated female.
TEST_F(Matings, ACycleRowWithoutFemaleHidesNoNeverMatedFemale) {
    farm.female(20, 500, kOldEnough);
    farm.female(22, 30, kOldEnough);
    farm.cycle(22, kDay.addDays(-15), false);
    farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Maquina) values (NULL, "
                                  "'05/01/2002', 'OTRO')"));
    EXPECT_EQ(females(load()), QStringList({"22", "20"}));
    InseminationEvent inseminations(FarmParameters::read(farm.db()), QStringLiteral("P1"));
    EXPECT_EQ(females(blockbatch::load(farm.db(), inseminations, {}, kDay)), QStringList({"22", "20"}));
}

// The candidate statement finds each female's last cycle row, and the
// never-mated ones, through the index for her alone. On the edge rows it lists
// exactly what the grouped "orden in (select max(orden) ...)" and the
// "not in" list always listed.
TEST_F(Matings, CandidatesAsTheGroupedStatementListedThem) {
    auto grouped = [](const QDate& day) {
        const QString edad = sql::date(day.addDays(-130));
        return QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, FechaParto, "
                              "Orden from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra and "
                              "FechaNacimiento<=%1 and ((Palpacion=False) or (FechaParto<=%2)) and enfermedad=0 and "
                              "CausaBaja not in (0,1) and orden in ( select max(orden) from CubriHembras group by "
                              "CodigoHembra) union select CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, False, "
                              "'01/01/2000', 0 from Hembras where CodigoHembra not in (select CodigoHembra from "
                              "CubriHembras where CodigoHembra is not NULL) and FechaNacimiento<=%1")
            .arg(edad, sql::date(day.addDays(-10)));
    };
    const auto noNumber = [this] {
        farm.db().exec(QStringLiteral("insert into Hembras values (NULL, 0, 0, '01/01/2001', '01/01/2001', '', 0, 77, "
                                      "False, False, False, False, NULL, -1, 0, False)"));
    };
    const auto nobodysRow = [this] {
        farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Maquina) values (NULL, "
                                      "'05/01/2002', 'OTRO')"));
    };
    struct Case {
        const char* name;
        std::function<void()> rows;
        int listed;
    } cases[] = {
        {"no cycle row at all, one female without number", [&] { farm.female(1, 1, kOldEnough); noNumber(); }, 2},
        {"only a cycle row without female", [&] { farm.female(1, 1, kOldEnough); noNumber(); nobodysRow(); }, 2},
        {"a female without number beside numbered cycle rows",
         [&] {
             noNumber();
             farm.female(1, 1, kOldEnough);
             farm.cycle(1, kDay.addDays(-20), false);
             nobodysRow();
         },
         1},
        {"two cycle rows of one day: the later one is the last",
         [&] {
             farm.female(1, 1, kOldEnough);
             farm.cycle(1, kDay.addDays(-20), false);
             farm.cycle(1, kDay.addDays(-20), true);
             farm.female(2, 2, kOldEnough);
             farm.cycle(2, kDay.addDays(-20), true);
             farm.cycle(2, kDay.addDays(-20), false);
         },
         1},
        {"an older row would qualify, the last does not",
         [&] {
             farm.female(1, 1, kOldEnough);
             farm.cycle(1, kDay.addDays(-90), false);
             farm.cycle(1, kDay.addDays(-5));
             farm.female(2, 2, kOldEnough.addDays(1));
         },
         0},
        {"cycle rows of a female not in the register",
         [&] {
             farm.cycle(9, kDay.addDays(-20), false);
             farm.female(1, 1, kOldEnough);
             farm.female(2, 2, kOldEnough);
             farm.cycle(2, kDay.addDays(-20), false);
         },
         2},
    };
    const MatingEvent event(FarmParameters::read(farm.db()));
    for (const Case& c : cases) {
        farm.db().exec(QStringLiteral("delete from Hembras"));
        farm.db().exec(QStringLiteral("delete from CubriHembras"));
        c.rows();
        QStringList before = testkit::rowTexts(farm.db(), grouped(kDay));
        QStringList now = testkit::rowTexts(farm.db(), event.candidateStatement({}, kDay).join(QLatin1Char(' ')));
        before.sort();
        now.sort();
        EXPECT_EQ(now, before) << c.name;
        EXPECT_EQ(now.size(), c.listed) << c.name;
    }
}

TEST_F(Matings, NoDayNoBatch) {
    farm.female(1, 1, kOldEnough);
    EXPECT_THROW(process(load(), QDate()), InvalidDate);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras")), 0);
}

} // namespace

namespace {

class Inseminations : public Matings {
protected:
    CandidateList loadPool(const QString& pool) {
        InseminationEvent event(FarmParameters::read(farm.db()), pool);
        return blockbatch::load(farm.db(), event, {}, kDay);
    }
    void processPool(const CandidateList& list) {
        InseminationEvent event(FarmParameters::read(farm.db()), QString());
        blockbatch::process(farm.db(), event, list, kDay);
    }
};

TEST_F(Inseminations, RowsTakeThePoolOfTheLoadAndEditsChangeOneRow) {
    farm.female(1, 1, kOldEnough);
    farm.female(2, 2, kOldEnough);
    farm.cycle(2, kDay.addDays(-45), true, kDay.addDays(-15), 9);
    farm.female(3, 3, kOldEnough);
    CandidateList list = loadPool(QStringLiteral("P7"));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.at(0), QStringLiteral("000001|1|False|False|False|False|P7|0"));
    list.setFields(1, InseminationEvent::kPool, {QStringLiteral("P8")});
    list.setFields(2, InseminationEvent::kPool, {QString()});
    farm.db().exec(QStringLiteral("insert into HistoricoMaternidad Values ('06/01/2002', 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, "
                                  "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 ,0, '')"));
    processPool(list);

    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where CodigoMacho=-1 and "
                                        "FechaCubricion='06/01/2002'")),
              3);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from CubriMachos")), 0);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from Pools where FechaPool='06/01/2002' and "
                                        "CodigoHembra=1 and Pool='P7' and Estado='N' and Palpacion is NULL")),
              1);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from Pools where CodigoHembra=2 and Pool='P8' and "
                                        "Estado='L' and DiasPos=15")),
              1);
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from MasterPools")), 3) << "P7, P8 and the empty name";
    EXPECT_EQ(farm.count(QStringLiteral("select TotalPool cuenta from MasterPools where Pool=''")), 1);
    EXPECT_EQ(farm.count(QStringLiteral("select Cubriciones cuenta from HistoricoMaternidad where "
                                        "Fecha='06/01/2002'")),
              8);
}

TEST_F(Inseminations, PoolNamesWithQuotesAreStoredAsTyped) {
    farm.female(1, 1, kOldEnough);
    processPool(loadPool(QStringLiteral("O'Neil 01/02/2003")));
    EXPECT_EQ(Query::scalar(farm.db(), QStringLiteral("select Pool from MasterPools"), QStringLiteral("Pool")).asString(),
              QStringLiteral("O'Neil 01/02/2003"));
}

} // namespace

