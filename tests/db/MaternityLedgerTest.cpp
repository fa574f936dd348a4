#include "db/MaternityLedger.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "db/Transaction.h"

#include <gtest/gtest.h>

namespace {

// One day row as the ledger holds it; missing when the date has no row.
struct Day {
    bool exists = false;
    qint64 hembras = 0, altas = 0, muertas = 0, eliminadas = 0, machos = 0;
    qint64 cubriciones = 0, positivas = 0, negativas = 0, partos = 0, vivos = 0, muertos = 0;
    qint64 destetes = 0, destetados = 0;
    QString observaciones;
};

Day day(Database& db, const QDate& date) {
    Query q(db, QStringLiteral("select * from HistoricoMaternidad where Fecha=%1").arg(sql::date(date)));
    q.open();
    Day d;
    if (q.eof())
        return d;
    auto n = [&q](const char* column) { return q.field(QString::fromUtf8(column)).asInteger(); };
    d.exists = true;
    d.hembras = n("NumeroTotalHembras");
    d.altas = n("AltasHembras");
    d.muertas = n("BajasHembrasMuertas");
    d.eliminadas = n("BajasHembrasEliminadas");
    d.machos = n("NumeroTotalMachos");
    d.cubriciones = n("Cubriciones");
    d.positivas = n("PalpacionesPositivas");
    d.negativas = n("PalpacionesNegativas");
    d.partos = n("NumeroPartos");
    d.vivos = n("NacidosVivos");
    d.muertos = n("NacidosMuertos");
    d.destetes = n("NumeroDestetes");
    d.destetados = n("Destetados");
    d.observaciones = q.field(QStringLiteral("Observaciones")).asString();
    return d;
}

qint64 dayRows(Database& db) {
    return Query::scalar(db, QStringLiteral("select count(*) cuenta from HistoricoMaternidad"),
                         QStringLiteral("cuenta"))
        .asInteger();
}

// A day row typed in by hand, as the daily data screen or the import leave them.
void putDay(Database& db, const QDate& date, int hembras, int machos) {
    db.exec(QStringLiteral("insert into HistoricoMaternidad (Fecha, NumeroTotalHembras, AltasHembras, "
                           "BajasHembrasMuertas, BajasHembrasEliminadas, NumeroTotalMachos, Cubriciones, "
                           "PalpacionesPositivas, PalpacionesNegativas, NumeroPartos, NacidosVivos, NacidosMuertos, "
                           "NumeroDestetes, Destetados, Observaciones) values (%1, %2, 0, 0, 0, %3, 0, 0, 0, 0, 0, "
                           "0, 0, 0, '')")
                .arg(sql::date(date), sql::number(hembras), sql::number(machos)));
}

struct Fixture {
    TempFarm farm;
    MaternityLedger ledger{farm.db()};
    QStringList sent;
    Fixture() {
        ledger.setTrace([this](const QString& s) { sent << s; });
    }
    Database& db() { return farm.db(); }
};

const QDate kMarch(2002, 3, 1);
const QDate kApril(2002, 4, 23);
const QDate kMay(2002, 5, 1);

} // namespace

TEST(MaternityLedger, FirstEventEverStartsFromZeroTotals) {
    Fixture f;
    f.ledger.newFemale(kApril);
    const Day d = day(f.db(), kApril);
    ASSERT_TRUE(d.exists);
    EXPECT_EQ(d.hembras, 1);
    EXPECT_EQ(d.altas, 1);
    EXPECT_EQ(d.machos, 0);
    EXPECT_EQ(d.observaciones, QString());
    EXPECT_EQ(f.sent, QStringList({
                          "select * from HistoricoMaternidad where Fecha='04/23/2002'",
                          "select Fecha, NumeroTotalHembras, NumeroTotalMachos from HistoricoMaternidad where "
                          "fecha<'04/23/2002' order by Fecha desc",
                          "insert into HistoricoMaternidad Values ('04/23/2002', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
                          "0, 0, 0, 0, 0, 0, 0, 0, 0, 0 ,0, '')",
                          "update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+1\n"
                          ", AltasHembras=AltasHembras+1\nwhere Fecha='04/23/2002'",
                          "update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+1\n"
                          "where Fecha>'04/23/2002'",
                      }));
}

TEST(MaternityLedger, EventBetweenTwoDaysCarriesTheEarlierTotalsAndShiftsTheLaterOnes) {
    Fixture f;
    putDay(f.db(), kMarch, 100, 12);
    putDay(f.db(), kMay, 104, 13);
    f.ledger.newFemale(kApril);
    const Day april = day(f.db(), kApril);
    EXPECT_EQ(april.hembras, 101);
    EXPECT_EQ(april.machos, 12);
    EXPECT_EQ(april.altas, 1);
    EXPECT_EQ(day(f.db(), kMarch).hembras, 100);
    EXPECT_EQ(day(f.db(), kMay).hembras, 105);
    EXPECT_EQ(day(f.db(), kMay).machos, 13);
}

TEST(MaternityLedger, RegisterEventsOnAnExistingDay) {
    struct Case {
        const char* name;
        std::function<void(MaternityLedger&)> record;
        qint64 hembras, altas, eliminadas, muertas, later;
        QString dayUpdate;
    };
    const Case cases[] = {
        {"new female", [](MaternityLedger& l) { l.newFemale(kApril); }, 51, 1, 0, 0, 61,
         "update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+1\n, AltasHembras=AltasHembras+1\n"
         "where Fecha='04/23/2002'"},
        {"culled", [](MaternityLedger& l) { l.cull(kApril, 0); }, 49, 0, 1, 0, 59,
         "update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras-1\n"
         ", BajasHembrasEliminadas=BajasHembrasEliminadas+1\nwhere Fecha='04/23/2002'"},
        {"died", [](MaternityLedger& l) { l.cull(kApril, 1); }, 49, 0, 0, 1, 59,
         "update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras-1\n"
         ", BajasHembrasMuertas=BajasHembrasMuertas+1\nwhere Fecha='04/23/2002'"},
        {"eight in bulk", [](MaternityLedger& l) { l.bulkAdditions(kApril, 8); }, 58, 8, 0, 0, 68,
         "update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+8\n, AltasHembras=AltasHembras+8\n"
         "where Fecha='04/23/2002'"},
    };
    for (const Case& c : cases) {
        Fixture f;
        putDay(f.db(), kApril, 50, 5);
        putDay(f.db(), kMay, 60, 5);
        c.record(f.ledger);
        const Day d = day(f.db(), kApril);
        EXPECT_EQ(d.hembras, c.hembras) << c.name;
        EXPECT_EQ(d.altas, c.altas) << c.name;
        EXPECT_EQ(d.eliminadas, c.eliminadas) << c.name;
        EXPECT_EQ(d.muertas, c.muertas) << c.name;
        EXPECT_EQ(day(f.db(), kMay).hembras, c.later) << c.name;
        // The day row existed: no carried totals read, no insert.
        ASSERT_EQ(f.sent.size(), 3) << c.name;
        EXPECT_EQ(f.sent[1], c.dayUpdate) << c.name;
        EXPECT_TRUE(f.sent[2].endsWith(QStringLiteral("\nwhere Fecha>'04/23/2002'"))) << c.name;
    }
}

TEST(MaternityLedger, BlockEventsWriteTheirCountsIntoANewDayRow) {
    struct Case {
        const char* name;
        std::function<void(MaternityLedger&)> record;
        QString insert;
        std::function<bool(const Day&)> check;
    };
    const Case cases[] = {
        {"matings", [](MaternityLedger& l) { l.matings(kApril, 7); },
         "insert into HistoricoMaternidad Values ('04/23/2002', 100, 0, 0, 0, 12, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, "
         "0, 0, 0, 0, 0 ,0, '')",
         [](const Day& d) { return d.cubriciones == 7; }},
        {"palpations", [](MaternityLedger& l) { l.palpations(kApril, 5, 2); },
         "insert into HistoricoMaternidad Values ('04/23/2002', 100, 0, 0, 0, 12, 0, 0, 0, 0, 5, 2, 0, 0, 0, 0, 0, "
         "0, 0, 0, 0, 0 ,0, '')",
         [](const Day& d) { return d.positivas == 5 && d.negativas == 2; }},
        {"births", [](MaternityLedger& l) { l.births(kApril, 3, 25, 2); },
         "insert into HistoricoMaternidad Values ('04/23/2002', 100, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 3, 25, 2, 0, 0, "
         "0, 0, 0, 0, 0 ,0, '')",
         [](const Day& d) { return d.partos == 3 && d.vivos == 25 && d.muertos == 2; }},
        {"weanings", [](MaternityLedger& l) { l.weanings(kApril, 4, 31); },
         "insert into HistoricoMaternidad Values ('04/23/2002', 100, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, "
         "31, 0, 0, 0, 0 ,0, '')",
         [](const Day& d) { return d.destetes == 4 && d.destetados == 31; }},
    };
    for (const Case& c : cases) {
        Fixture f;
        putDay(f.db(), kMarch, 100, 12);
        putDay(f.db(), kMay, 90, 11);
        c.record(f.ledger);
        ASSERT_EQ(f.sent.size(), 3) << c.name;
        EXPECT_EQ(f.sent[1], QStringLiteral("select Fecha, NumeroTotalHembras, NumeroTotalMachos from "
                                            "HistoricoMaternidad where fecha<'04/23/2002'order by Fecha desc"))
            << c.name;
        EXPECT_EQ(f.sent[2], c.insert) << c.name;
        const Day d = day(f.db(), kApril);
        EXPECT_TRUE(c.check(d)) << c.name;
        EXPECT_EQ(d.hembras, 100) << c.name;
        EXPECT_EQ(d.machos, 12) << c.name;
        // Block events never move the running totals of later days.
        EXPECT_EQ(day(f.db(), kMay).hembras, 90) << c.name;
        EXPECT_EQ(day(f.db(), kMay).machos, 11) << c.name;
    }
}

TEST(MaternityLedger, SecondBlockRunOnTheSameDateAddsToTheRow) {
    struct Case {
        const char* name;
        std::function<void(MaternityLedger&)> record;
        QString update;
        std::function<bool(const Day&)> check;
    };
    const Case cases[] = {
        {"matings", [](MaternityLedger& l) { l.matings(kApril, 7); },
         "update HistoricoMaternidad set Cubriciones=Cubriciones+7 where Fecha='04/23/2002'",
         [](const Day& d) { return d.cubriciones == 14; }},
        {"palpations", [](MaternityLedger& l) { l.palpations(kApril, 5, 2); },
         "update HistoricoMaternidad set PalpacionesPositivas=PalpacionesPositivas+5, "
         "PalpacionesNegativas=PalpacionesNegativas+2 where Fecha='04/23/2002'",
         [](const Day& d) { return d.positivas == 10 && d.negativas == 4; }},
        {"births", [](MaternityLedger& l) { l.births(kApril, 3, 25, 2); },
         "update HistoricoMaternidad set NumeroPartos=NumeroPartos+3, NacidosVivos=NacidosVivos+25, "
         "NacidosMuertos=NacidosMuertos+2 where Fecha='04/23/2002'",
         [](const Day& d) { return d.partos == 6 && d.vivos == 50 && d.muertos == 4; }},
        {"weanings", [](MaternityLedger& l) { l.weanings(kApril, 4, 31); },
         "update HistoricoMaternidad set NumeroDestetes=NumeroDestetes+4, Destetados=Destetados+31 where "
         "Fecha='04/23/2002'",
         [](const Day& d) { return d.destetes == 8 && d.destetados == 62; }},
    };
    for (const Case& c : cases) {
        Fixture f;
        c.record(f.ledger);
        f.sent.clear();
        c.record(f.ledger);
        EXPECT_EQ(f.sent, QStringList({"select * from HistoricoMaternidad where Fecha='04/23/2002'", c.update}))
            << c.name;
        EXPECT_TRUE(c.check(day(f.db(), kApril))) << c.name;
        EXPECT_EQ(dayRows(f.db()), 1) << c.name;
    }
}

TEST(MaternityLedger, ABatchOfLittersWithNoKitStillMakesTheDayRow) {
    Fixture f;
    f.ledger.births(kApril, MaternityLedger::BirthTally{});
    EXPECT_EQ(dayRows(f.db()), 1);
    const Day d = day(f.db(), kApril);
    EXPECT_EQ(d.partos, 0);
    EXPECT_EQ(d.vivos, 0);
}

TEST(MaternityLedger, EmptyBatchSendsNothing) {
    const std::pair<const char*, std::function<void(MaternityLedger&)>> cases[] = {
        {"bulk additions", [](MaternityLedger& l) { l.bulkAdditions(kApril, 0); }},
        {"correction", [](MaternityLedger& l) { l.correctTotals(kApril, 0, 0); }},
    };
    for (const auto& [name, record] : cases) {
        Fixture f;
        record(f.ledger);
        EXPECT_TRUE(f.sent.isEmpty()) << name;
        EXPECT_EQ(dayRows(f.db()), 0) << name;
    }
}

TEST(MaternityLedger, BirthsCountOnlyLittersWithAKitAliveOrDead) {
    Fixture f;
    MaternityLedger::BirthTally tally;
    tally.add(9, 1);
    tally.add(0, 0);
    tally.add(0, 2);
    EXPECT_EQ(tally.births, 2);
    EXPECT_EQ(tally.alive, 9);
    EXPECT_EQ(tally.dead, 3);

    MaternityLedger::BirthTally litters;
    litters.add(9, 1);
    litters.add(0, 0);
    f.ledger.births(kApril, litters);
    const Day d = day(f.db(), kApril);
    EXPECT_EQ(d.partos, 1);
    EXPECT_EQ(d.vivos, 9);
    EXPECT_EQ(d.muertos, 1);
}

TEST(MaternityLedger, OnlyACullOfAnActiveFemaleIsRecorded) {
    struct Case {
        int before, saved;
        bool recorded;
    };
    const Case cases[] = {
        {-1, 0, true},   // active, culled now
        {-1, 1, true},   // active, died now
        {0, 1, false},   // cause changed after the cull: nothing more to count
        {1, 0, false},   //
        {-1, -1, false}, // still active
        {0, -1, false},  // cull date cleared: active again, the ledger stays as it is
        {1, 1, false},   // saved again unchanged
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaternityLedger::recordsCull(c.before, c.saved), c.recorded) << c.before << " -> " << c.saved;
}

TEST(MaternityLedger, CauseChangedAfterACullChangesNoCounter) {
    Fixture f;
    putDay(f.db(), kMay, 40, 4);
    if (MaternityLedger::recordsCull(-1, 0))
        f.ledger.cull(kApril, 0);
    const QStringList afterCull = testkit::ledger(f.db());
    // The register saves her again with "Muerte" instead of "Eliminación".
    if (MaternityLedger::recordsCull(0, 1))
        f.ledger.cull(kApril, 1);
    EXPECT_EQ(testkit::ledger(f.db()), afterCull);
    EXPECT_EQ(day(f.db(), kApril).eliminadas, 1);
    EXPECT_EQ(day(f.db(), kApril).muertas, 0);
    EXPECT_EQ(day(f.db(), kMay).hembras, 39);
}

TEST(MaternityLedger, HandCorrectionShiftsOnlyLaterDays) {
    Fixture f;
    putDay(f.db(), kMarch, 118, 10);
    putDay(f.db(), kApril, 120, 10);
    putDay(f.db(), kMay, 121, 10);
    putDay(f.db(), QDate(2002, 6, 1), 125, 11);
    // The daily data screen saves the day itself (120 -> 117), then shifts the rest.
    f.db().exec(QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=117 where Fecha='04/23/2002'"));
    f.ledger.correctTotals(kApril, 117 - 120, 0);
    EXPECT_EQ(f.sent, QStringList({"update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+-3, "
                                   "NumeroTotalMachos=NumeroTotalMachos+0 where Fecha>'04/23/2002'"}));
    EXPECT_EQ(day(f.db(), kMarch).hembras, 118);
    EXPECT_EQ(day(f.db(), kApril).hembras, 117);
    EXPECT_EQ(day(f.db(), kMay).hembras, 118);
    EXPECT_EQ(day(f.db(), QDate(2002, 6, 1)).hembras, 122);
    EXPECT_EQ(day(f.db(), QDate(2002, 6, 1)).machos, 11);

    f.sent.clear();
    f.ledger.correctTotals(kApril, 2, -1);
    EXPECT_EQ(f.sent, QStringList({"update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+2, "
                                   "NumeroTotalMachos=NumeroTotalMachos+-1 where Fecha>'04/23/2002'"}));
    EXPECT_EQ(day(f.db(), kMay).hembras, 120);
    EXPECT_EQ(day(f.db(), kMay).machos, 9);
    EXPECT_EQ(day(f.db(), kMarch).machos, 10);
}

TEST(MaternityLedger, CarriedTotalsComeFromTheLatestEarlierDay) {
    Fixture f;
    EXPECT_EQ(f.ledger.carriedTotals(kApril).females, 0);
    EXPECT_EQ(f.ledger.carriedTotals(kApril).males, 0);
    putDay(f.db(), kMarch, 100, 12);
    putDay(f.db(), QDate(2002, 3, 15), 103, 11);
    putDay(f.db(), kMay, 90, 9);
    EXPECT_EQ(f.ledger.carriedTotals(kApril).females, 103);
    EXPECT_EQ(f.ledger.carriedTotals(kApril).males, 11);
    // The day itself does not count as earlier.
    EXPECT_EQ(f.ledger.carriedTotals(QDate(2002, 3, 15)).females, 100);
}

TEST(MaternityLedger, FailureInTheMiddleLeavesTheLedgerAsItWas) {
    Fixture f;
    putDay(f.db(), kMarch, 100, 12);
    putDay(f.db(), kMay, 104, 13);
    // The shift of the later days is refused by the engine.
    f.db().execNative(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON HistoricoMaternidad "
                                     "WHEN OLD.Fecha > '2002-04-23' BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
    const QStringList before = testkit::ledger(f.db());
    EXPECT_THROW(f.ledger.newFemale(kApril), DbError);
    EXPECT_THROW(f.ledger.cull(kApril, 1), DbError);
    EXPECT_THROW(f.ledger.bulkAdditions(kApril, 4), DbError);
    EXPECT_THROW(f.ledger.correctTotals(kMarch, -3, 0), DbError);
    // The day row was inserted and counted before the failure, and is gone again.
    EXPECT_FALSE(day(f.db(), kApril).exists);
    EXPECT_EQ(testkit::ledger(f.db()), before);

    // A block event failing on its day-row update leaves the counters alone too.
    f.db().execNative(QStringLiteral("DROP TRIGGER refuse"));
    f.ledger.matings(kMay, 3);
    f.db().execNative(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON HistoricoMaternidad "
                                     "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
    const QStringList withMatings = testkit::ledger(f.db());
    EXPECT_THROW(f.ledger.matings(kMay, 3), DbError);
    EXPECT_EQ(testkit::ledger(f.db()), withMatings);
}

TEST(MaternityLedger, RecordingNestsInsideTheCallersTransaction) {
    Fixture f;
    putDay(f.db(), kMay, 104, 13);
    {
        // A register's save: its own write, the ledger's, then a failure after both.
        Transaction save(f.db());
        f.db().exec(QStringLiteral("insert into Machos (CodigoMacho) values (7)"));
        f.ledger.newFemale(kApril);
        EXPECT_EQ(day(f.db(), kMay).hembras, 105);
        // No commit: the whole save is undone, the ledger's part with it.
    }
    EXPECT_FALSE(day(f.db(), kApril).exists);
    EXPECT_EQ(day(f.db(), kMay).hembras, 104);
    EXPECT_EQ(Query::scalar(f.db(), QStringLiteral("select count(*) cuenta from Machos"), QStringLiteral("cuenta"))
                  .asInteger(),
              0);

    Transaction save(f.db());
    f.ledger.newFemale(kApril);
    save.commit();
    EXPECT_EQ(day(f.db(), kApril).hembras, 1);
    EXPECT_EQ(day(f.db(), kMay).hembras, 105);
}

TEST(MaternityLedger, RefusesWhatCannotBeARecording) {
    Fixture f;
    EXPECT_THROW(f.ledger.newFemale(QDate()), DbError);
    EXPECT_THROW(f.ledger.matings(QDate(), 3), DbError);
    EXPECT_THROW(f.ledger.cull(kApril, -1), std::invalid_argument);
    EXPECT_THROW(f.ledger.cull(kApril, 2), std::invalid_argument);
    EXPECT_TRUE(f.sent.isEmpty());
    EXPECT_EQ(dayRows(f.db()), 0);
}
