#include "analysis/DailyData.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "db/TableCursor.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QDate kFirst(2002, 3, 1);
const QDate kSecond(2002, 3, 5);
const QDate kThird(2002, 3, 9);

struct Fixture {
    TempFarm farm;
    Database& db = farm.db();
    std::unique_ptr<DailyData> data;
    std::unique_ptr<TableCursor> days;
    QStringList sent;

    // Three days: 490/20, 500/21, 505/22 females/males.
    Fixture() {
        putDay(kFirst, 490, 20);
        putDay(kSecond, 500, 21);
        putDay(kThird, 505, 22);
        open();
    }
    void open() {
        days.reset();
        data = std::make_unique<DailyData>(db);
        data->setTrace([this](const QString& s) { sent << s; });
        days = std::make_unique<TableCursor>(db, QString::fromLatin1(DailyData::kTable), QStringList{"Fecha"});
        data->attach(*days);
    }
    void putDay(const QDate& date, int hembras, int machos) {
        db.exec(QStringLiteral("insert into HistoricoMaternidad Values (%1, %2, 0, 0, 0, %3, 0, 0, 0, 0, 0, 0, 0, 0, "
                               "0, 0, 0, 0, 0, 0, 0, 0 ,0, '')")
                    .arg(sql::date(date), sql::number(hembras), sql::number(machos)));
    }
    void editDay(const QDate& date) {
        ASSERT_TRUE(days->locate(QStringLiteral("Fecha"), date));
        days->edit();
    }
    // The day as the maternity bar begins it once its date is confirmed.
    void addDay(const QDate& date) {
        days->insert();
        days->setValue(QStringLiteral("Fecha"), date);
    }
    // "female/male" of every day in date order.
    QStringList totals() {
        QStringList out;
        Query q(db, QStringLiteral("select * from HistoricoMaternidad order by Fecha"));
        for (q.open(); !q.eof(); q.next())
            out << QStringLiteral("%1 %2/%3")
                       .arg(q.field(QStringLiteral("Fecha")).asString())
                       .arg(q.field(QStringLiteral("NumeroTotalHembras")).asInteger())
                       .arg(q.field(QStringLiteral("NumeroTotalMachos")).asInteger());
        return out;
    }
};

} // namespace

TEST(DailyData, ChangedTotalsShiftEveryLaterDayAndNothingElse) {
    struct Case {
        const char* what;
        const char* column;
        double value;
        QStringList after;
    };
    const std::vector<Case> cases{
        {"females raised", "NumeroTotalHembras", 510, {"01/03/2002 490/20", "05/03/2002 510/21", "09/03/2002 515/22"}},
        {"females lowered back",
         "NumeroTotalHembras",
         500,
         {"01/03/2002 490/20", "05/03/2002 500/21", "09/03/2002 505/22"}},
        {"males lowered", "NumeroTotalMachos", 18, {"01/03/2002 490/20", "05/03/2002 500/18", "09/03/2002 505/19"}},
        {"males raised back", "NumeroTotalMachos", 21, {"01/03/2002 490/20", "05/03/2002 500/21", "09/03/2002 505/22"}},
        {"only Altas", "AltasHembras", 7, {"01/03/2002 490/20", "05/03/2002 500/21", "09/03/2002 505/22"}},
        {"only Muertas", "BajasHembrasMuertas", 3, {"01/03/2002 490/20", "05/03/2002 500/21", "09/03/2002 505/22"}},
    };
    Fixture f; // the cases run one after the other on the same ledger
    for (const Case& c : cases) {
        f.editDay(kSecond);
        f.days->setValue(QString::fromLatin1(c.column), c.value);
        f.days->post();
        EXPECT_EQ(f.totals(), c.after) << c.what;
    }
    EXPECT_TRUE(f.sent.contains(QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+-"
                                               "10, NumeroTotalMachos=NumeroTotalMachos+0 where Fecha>'03/05/2002'")))
        << f.sent.join(QLatin1Char('\n')).toStdString();
}

TEST(DailyData, ANewDayStartsFromTheDayBeforeAndChangesNoOtherDay) {
    struct Case {
        const char* what;
        QDate date;
        qint64 females, males;
    };
    const std::vector<Case> cases{
        {"between two days", QDate(2002, 3, 7), 500, 21},
        {"earlier than every day", QDate(2002, 2, 1), 0, 0},
        {"after the last day", QDate(2002, 4, 1), 505, 22},
    };
    for (const Case& c : cases) {
        Fixture f;
        const QStringList before = f.totals();
        f.addDay(c.date);
        EXPECT_TRUE(f.data->carryTotals(*f.days)) << c.what;
        EXPECT_EQ(f.days->value(QStringLiteral("NumeroTotalHembras")).toLongLong(), c.females) << c.what;
        EXPECT_EQ(f.days->value(QStringLiteral("NumeroTotalMachos")).toLongLong(), c.males) << c.what;
        EXPECT_EQ(f.data->referenceTotals(*f.days).females, c.females) << c.what;
        // Focus coming back to the box once the total is there carries nothing again.
        EXPECT_EQ(f.data->carryTotals(*f.days), c.females == 0) << c.what;
        f.days->setValue(QStringLiteral("AltasHembras"), 4.0);
        f.days->post();
        QStringList expected = before;
        expected << QStringLiteral("%1 %2/%3")
                        .arg(c.date.toString(QStringLiteral("dd/MM/yyyy")))
                        .arg(c.females)
                        .arg(c.males);
        std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return QDate::fromString(a.left(10), QStringLiteral("dd/MM/yyyy")) <
                   QDate::fromString(b.left(10), QStringLiteral("dd/MM/yyyy"));
        });
        EXPECT_EQ(f.totals(), expected) << c.what;
    }
}

TEST(DailyData, ANewDayIsNeverSavedAgainstAnEarlierEditsTotals) {
    Fixture f;
    f.editDay(kThird); // reference 505/22 while this edit lasts
    f.days->cancel();
    f.addDay(QDate(2002, 3, 3)); // typed totals, never carried: saved against 0 and 0
    f.days->setValue(QStringLiteral("NumeroTotalHembras"), 2.0);
    f.days->post();
    EXPECT_EQ(f.totals(),
              (QStringList{"01/03/2002 490/20", "03/03/2002 2/0", "05/03/2002 502/21", "09/03/2002 507/22"}));
}

TEST(DailyData, AFailedWriteLeavesEveryDayAsItWas) {
    Fixture f;
    f.db.execNative(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON HistoricoMaternidad WHEN "
                                   "NEW.Observaciones = 'rechazar' BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
    const QStringList before = testkit::ledger(f.db);
    f.editDay(kFirst);
    f.days->setValue(QStringLiteral("NumeroTotalHembras"), 480.0);
    f.days->setValue(QStringLiteral("Observaciones"), QStringLiteral("rechazar"));
    EXPECT_THROW(f.days->post(), DbError);
    EXPECT_EQ(testkit::ledger(f.db), before); // the later days' shift went back too
    EXPECT_EQ(f.days->state(), TableCursor::State::Edit);
    f.days->setValue(QStringLiteral("Observaciones"), QStringLiteral("corregido"));
    f.days->post(); // the same change saved once the write goes through: shifted once
    EXPECT_EQ(f.totals(), (QStringList{"01/03/2002 480/20", "05/03/2002 490/21", "09/03/2002 495/22"}));
}

TEST(DailyData, DeletingADayChangesNoOtherDay) {
    Fixture f;
    f.editDay(kSecond);
    f.days->remove();
    EXPECT_EQ(f.totals(), (QStringList{"01/03/2002 490/20", "09/03/2002 505/22"}));
}

TEST(DailyData, IndexLinesAndTheirZeroCases) {
    struct Case {
        DayCounts day;
        const char* total;
        const char* positive;
        const char* bornAlive;
        const char* weaned;
    };
    const std::vector<Case> cases{
        {{3, 1, 0, 0, 0, 0}, "4", "Palpaciones Positivas 75,00 %", "Nacidos Vivos / Parto 0", "Destetados / Camada 0"},
        {{0, 0, 4, 37, 4, 29},
         "0",
         "Palpaciones Positivas 0 %",
         "Nacidos Vivos / Parto 9,25",
         "Destetados / Camada 7,25"},
        {{1000, 234, 1, 1, 3, 2},
         "1.234",
         "Palpaciones Positivas 81,04 %",
         "Nacidos Vivos / Parto 1,00",
         "Destetados / Camada 0,67"},
        {{2, -5, -1, 8, -2, 9}, "-3", "Palpaciones Positivas 0 %", "Nacidos Vivos / Parto 0", "Destetados / Camada 0"},
    };
    for (const Case& c : cases) {
        const DayIndices i = DayIndices::of(c.day);
        EXPECT_EQ(i.palpationsTotal, QString::fromUtf8(c.total));
        EXPECT_EQ(i.positiveLine, QString::fromUtf8(c.positive));
        EXPECT_EQ(i.bornAliveLine, QString::fromUtf8(c.bornAlive));
        EXPECT_EQ(i.weanedLine, QString::fromUtf8(c.weaned));
    }
    EXPECT_TRUE(DayIndices::follows(QStringLiteral("nacidosvivos")));
    EXPECT_FALSE(DayIndices::follows(QStringLiteral("AltasHembras")));
}

TEST(DailyData, RecalcularCountsTheCycleRowsOfTheDay) {
    Fixture f;
    f.db.exec(QStringLiteral("update DatosExplotacion set DiasPalpar=12"));
    const QDate day(2002, 3, 20);
    const QDate mated = day.addDays(-12);
    const auto cycle = [&f](const QDate& mating, const QString& palpation, const QDate& birth, int alive, int dead) {
        f.db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Palpacion, FechaParto, "
                                 "NacidosVivos, NacidosMuertos) values (1, %1, %2, %3, %4, %5)")
                      .arg(sql::date(mating), palpation, sql::date(birth), sql::number(alive), sql::number(dead)));
    };
    cycle(day, QStringLiteral("NULL"), QDate(), 0, 0);
    cycle(day, QStringLiteral("True"), QDate(), 0, 0); // mated today: no palpation of today
    cycle(mated, QStringLiteral("True"), QDate(), 0, 0);
    cycle(mated, QStringLiteral("True"), QDate(), 0, 0);
    cycle(mated, QStringLiteral("False"), QDate(), 0, 0);
    cycle(mated.addDays(-1), QStringLiteral("False"), QDate(), 0, 0);
    cycle(QDate(2001, 1, 1), QStringLiteral("True"), day, 9, 1);
    cycle(QDate(2001, 1, 2), QStringLiteral("True"), day, 7, 0);

    f.addDay(day);
    f.data->carryTotals(*f.days);
    f.sent.clear();
    f.data->recalculate(*f.days);
    const auto n = [&f](const char* column) { return f.days->value(QString::fromLatin1(column)).toLongLong(); };
    EXPECT_EQ((std::vector<qint64>{n("Cubriciones"), n("PalpacionesPositivas"), n("PalpacionesNegativas"),
                                   n("NumeroPartos"), n("NacidosVivos"), n("NacidosMuertos")}),
              (std::vector<qint64>{2, 2, 1, 2, 16, 1}));
    // The dates are bound, never written into the text.
    EXPECT_EQ(f.sent.size(), 6);
    for (const QString& s : f.sent)
        EXPECT_TRUE(s.contains(QStringLiteral(":fc")) || s.contains(QStringLiteral(":fp"))) << s.toStdString();

    // A day with no matings, palpations or births: six zeros, saved only with the day.
    f.days->cancel();
    f.editDay(kSecond);
    f.days->setValue(QStringLiteral("Cubriciones"), 5.0);
    f.data->recalculate(*f.days);
    EXPECT_EQ((std::vector<qint64>{n("Cubriciones"), n("PalpacionesPositivas"), n("PalpacionesNegativas"),
                                   n("NumeroPartos"), n("NacidosVivos"), n("NacidosMuertos")}),
              (std::vector<qint64>(6, 0)));
    f.days->cancel();
    EXPECT_THROW(f.data->recalculate(*f.days), std::logic_error);
}

TEST(DailyData, FeedCaptionsComeFromTheFarmsFeedNames) {
    Fixture f;
    f.db.exec(QStringLiteral("update DatosExplotacion set NutriPriMaternidad='Lactancia', Nutri4Maternidad='Heno'"));
    f.open();
    EXPECT_EQ(f.data->feedCaptions()[0], QStringLiteral("Kg. de Lactancia"));
    EXPECT_EQ(f.data->feedCaptions()[1], QStringLiteral("Kg. de "));
    EXPECT_EQ(f.data->feedCaptions()[3], QStringLiteral("Kg. de Heno"));
    f.db.exec(QStringLiteral("delete from DatosExplotacion"));
    f.open();
    EXPECT_EQ(f.data->feedCaptions()[2], QStringLiteral("Kg. de "));
    EXPECT_EQ(DailyData::dataColumns().size(), 23);
}
