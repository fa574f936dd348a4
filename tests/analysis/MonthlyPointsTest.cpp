#include "analysis/MonthlyPoints.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/Clock.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

#include <gtest/gtest.h>

namespace {

struct Fixture {
    TempFarm farm;
    Database& db = farm.db();
    FixedClock clock{QDate(2001, 2, 14)};

    void day(const QDate& date, const QString& values = {}) { testkit::addLedgerDay(db, date, values); }
    // The y of every point of the indicator, oldest month first.
    std::vector<double> values(int indicator) {
        std::vector<double> ys;
        for (const ChartPoint& p :
             monthly::gather(db, maternity_charts::ledger(), maternity_charts::indicators().at(indicator), clock))
            ys.push_back(p.y);
        return ys;
    }
};

} // namespace

TEST(MonthlyPoints, TwelveMonthsEndingWithTheClocksMonth) {
    struct Case {
        QDate today;
        const char* first;
        const char* last;
        int firstYear;
    };
    const std::vector<Case> cases{
        {QDate(2001, 2, 14), "marzo", "febrero", 2000},
        {QDate(2001, 12, 31), "enero", "diciembre", 2001},
        {QDate(2001, 1, 1), "febrero", "enero", 2000},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.clock.set(c.today);
        const auto points =
            monthly::gather(f.db, maternity_charts::ledger(), maternity_charts::indicators()[4], f.clock);
        ASSERT_EQ(points.size(), 12u);
        EXPECT_EQ(points.front().label, QString::fromUtf8(c.first));
        EXPECT_EQ(points.front().year, c.firstYear);
        EXPECT_EQ(points.back().label, QString::fromUtf8(c.last));
        EXPECT_EQ(points.back().month, c.today.month());
        EXPECT_EQ(points.back().year, c.today.year());
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(points[i].x, i);
    }
    Fixture f;
    QStringList labels;
    for (const ChartPoint& p :
         monthly::points(f.db, maternity_charts::ledger(), maternity_charts::indicators()[0], QDate(2001, 2, 14)))
        labels << p.label;
    EXPECT_EQ(labels, (QStringList{"marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
                                   "noviembre", "diciembre", "enero", "febrero"}));
}

TEST(MonthlyPoints, ValuesOfTheMonthEmptyMonthsAndDivisionsByZero) {
    Fixture f;
    f.day(QDate(2000, 3, 1), QStringLiteral("Cubriciones=4, PalpacionesPositivas=3, PalpacionesNegativas=1"));
    f.day(QDate(2000, 3, 31), QStringLiteral("Cubriciones=6"));
    f.day(QDate(1999, 3, 15), QStringLiteral("Cubriciones=100")); // same month, another year
    f.day(QDate(2001, 2, 2),
          QStringLiteral("NumeroTotalHembras=200, BajasHembrasMuertas=3, Destetados=30, Consumo1=10, Consumo2=10, "
                         "Consumo3=10, Consumo4=NULL"));
    f.day(QDate(2001, 2, 3),
          QStringLiteral("NumeroTotalHembras=100, BajasHembrasMuertas=0, Consumo1=5, Consumo2=5, Consumo3=5, "
                         "Consumo4=5"));
    struct Case {
        int indicator;
        double march2000;    // point 0
        double february2001; // point 11
    };
    const std::vector<Case> cases{
        {0, 0, 2.0}, // 3 / avg 150 × 100; March: females average 0, a division by zero
        {4, 10, 0},  // Cubriciones
        {5, 75, 0},  // February has days but no palpation: 0
        {12, 0, 50}, // the empty Consumo4 made 0 counts the day's other feeds
        {13, 0, 50.0 / 30},
    };
    for (const Case& c : cases) {
        const auto ys = f.values(c.indicator);
        ASSERT_EQ(ys.size(), 12u);
        EXPECT_DOUBLE_EQ(ys[0], c.march2000) << c.indicator;
        EXPECT_DOUBLE_EQ(ys[11], c.february2001) << c.indicator;
        for (int i = 1; i < 11; ++i) // months without ledger days
            EXPECT_EQ(ys[i], 0.0) << c.indicator << " month " << i;
    }
}

TEST(MonthlyPoints, EveryIndicatorRunsAndLeavesNoEmptyFeedFigure) {
    Fixture f;
    f.day(QDate(2001, 1, 5), QStringLiteral("Consumo1=NULL, Consumo2=NULL, Consumo3=NULL, Consumo4=NULL"));
    f.day(QDate(1990, 1, 5), QStringLiteral("Consumo3=NULL")); // outside the chart: zeroed too
    const auto& indicators = maternity_charts::indicators();
    ASSERT_EQ(indicators.size(), 14u);
    EXPECT_EQ(indicators.front().caption, QStringLiteral("% Muertes de Hembras"));
    EXPECT_EQ(indicators.back().caption, QStringLiteral("Índice de Conversión de Maternidad"));
    for (size_t i = 0; i < indicators.size(); ++i)
        EXPECT_EQ(f.values(int(i)).size(), 12u) << indicators[i].caption.toStdString();
    EXPECT_EQ(Query::scalar(f.db,
                            QStringLiteral("select count(*) cuenta from HistoricoMaternidad where consumo1 is null or "
                                           "consumo2 is null or consumo3 is null or consumo4 is null"),
                            QStringLiteral("cuenta"))
                  .asInteger(),
              0);
}

TEST(MonthlyPoints, StatementOfAnotherTableWithItsExtraCondition) {
    const MonthlySource fattening{QStringLiteral("Cebadero"), QStringLiteral("FechaMovimiento"), {}};
    const ChartIndicator weight{QStringLiteral("Peso"), QStringLiteral("avg(PesPromedioVen)"),
                                QStringLiteral(" and PesPromedioVen>0")};
    EXPECT_EQ(monthly::statement(fattening, weight),
              QStringLiteral("select avg(PesPromedioVen) suma from Cebadero where extract (month from "
                             "FechaMovimiento)=:m and extract (year from FechaMovimiento)=:y and PesPromedioVen>0"));
    TempFarm farm;
    farm.db().exec(QStringLiteral("insert into Cebadero (FechaMovimiento, PesPromedioVen) values ('02/10/2001', 2.4)"));
    farm.db().exec(QStringLiteral("insert into Cebadero (FechaMovimiento, PesPromedioVen) values ('02/11/2001', 0)"));
    EXPECT_DOUBLE_EQ(monthly::points(farm.db(), fattening, weight, QDate(2001, 2, 28)).back().y, 2.4);
}
