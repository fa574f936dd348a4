#include "analysis/FatteningSummary.h"
#include "FarmRows.h"
#include "SheetText.h"
#include "TempFarm.h"
#include "analysis/FatteningCharts.h"
#include "db/Clock.h"
#include "db/SqlFormat.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QDate kJan1(2001, 1, 1);
const QDate kJan10(2001, 1, 10);

struct Fixture {
    TempFarm farm;
    Database& db = farm.db();
    FixedClock clock{QDate(2001, 2, 14)};

    // A movement of fed kits and nothing else, then the columns given ("SalGazaposVen=50").
    void move(const QDate& date, const QString& values = {}) {
        db.exec(QStringLiteral("insert into Cebadero (FechaMovimiento, Consumo1, Consumo2, Consumo3) values (%1, 0, "
                               "0, 0)")
                    .arg(sql::date(date)));
        if (!values.isEmpty())
            db.exec(QStringLiteral("update Cebadero set %1 where FechaMovimiento=%2").arg(values, sql::date(date)));
    }
    QStringList line(const DatePeriod& period, const char* caption) {
        for (const SummaryLine& l : fattening_summary::lines(db, period))
            if (l.caption == QString::fromUtf8(caption))
                return {l.total, l.days30, l.days90, l.days365};
        ADD_FAILURE() << "no line " << caption;
        return {};
    }
    // The indicator's points, oldest month first (March 2000 to February 2001).
    std::vector<double> plotted(int indicator) {
        std::vector<double> ys;
        for (const ChartPoint& p : monthly::gather(db, fattening_charts::movements(),
                                                   fattening_charts::indicators().at(size_t(indicator)), clock))
            ys.push_back(p.y);
        return ys;
    }
    qint64 emptyFeeds() {
        return testkit::count(db, QStringLiteral("select count(*) cuenta from Cebadero where Consumo1 is null or "
                                                 "Consumo2 is null or Consumo3 is null"));
    }
};

QStringList same(const char* text) {
    const QString t = QString::fromUtf8(text);
    return {t, t, t, t};
}

} // namespace

TEST(FatteningSummary, StatementAsSentOnFechaMovimiento) {
    const QString fixed = QStringLiteral(
        "select count(*) cuenta, sum(EntGazaposDes) suma1,sum(PesGazaposDes) suma2, avg(PesPromedioEnt) "
        "media1,sum(BajasGazapos) suma3, sum(SalGazaposRep) suma4,sum(SalGazaposVen) suma5, sum(PesGazaposVen) "
        "suma6,avg(PesPromedioVen) media2, sum(Consumo1+Consumo2+Consumo3) "
        "suma7,sum(BajasGazapos)/sum(EntGazaposDes)*100 suma8 from Cebadero where FechaMovimiento is not null");
    EXPECT_EQ(fattening_summary::statement({}), QStringList{fixed});
    EXPECT_EQ(fattening_summary::statement({kJan1, kJan10}),
              (QStringList{fixed, "and FechaMovimiento>='01/01/2001'", "and FechaMovimiento<='01/10/2001'"}));
}

TEST(FatteningSummary, ProjectionsAveragesAndZeroDivisors) {
    Fixture f;
    f.move(QDate(2001, 1, 2), QStringLiteral("EntGazaposDes=300, BajasGazapos=6"));
    f.move(QDate(2001, 1, 9), QStringLiteral("EntGazaposDes=200, BajasGazapos=4"));
    f.move(QDate(2001, 1, 20), QStringLiteral("EntGazaposDes=700"));
    // Ten days with 500 kits entered: 500 / 10 × 30, with the thousands separator.
    EXPECT_EQ(f.line({kJan1, kJan10}, "Entrada de Gazapos Destetados"),
              (QStringList{"500", "1.500", "4.500", "18.250"}));
    EXPECT_EQ(f.line({kJan1, kJan10}, "(%) Bajas de Gazapos respecto a destetados"), same("2,00 %"));
    // Only "Desde": the three movements counted are the days.
    EXPECT_EQ(f.line({kJan1, {}}, "Entrada de Gazapos Destetados"),
              (QStringList{"1.200", "12.000", "36.000", "146.000"}));

    struct Case {
        const char* what;
        DatePeriod period;
        const char* caption;
        QStringList texts;
    };
    const std::vector<Case> cases{
        // No entry in the period: the losses divide by zero and read 0.
        {"no entries", {QDate(2001, 2, 1), {}}, "(%) Bajas de Gazapos respecto a destetados", same("0,00 %")},
        {"no movement", {QDate(2001, 2, 1), {}}, "Peso de Promedio de los Gazapos Vendidos", same("0,000")},
        // "Hasta" before "Desde": nothing selected, nothing projected.
        {"reversed", {kJan10, kJan1}, "Entrada de Gazapos Destetados", (QStringList{"0", "0", "0", "0"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.line(c.period, c.caption), c.texts) << c.what;

    Fixture empty; // nothing counted and no dates: n = 0
    EXPECT_EQ(empty.line({}, "Consumo"), (QStringList{"0", "0", "0", "0"}));
}

// A sale of average 2.400 and an entry-only movement (sale average 0) in one
// month: the chart leaves out the 0, the summary averages over both.
TEST(FatteningSummary, SaleAverageChartedWithoutTheZeroAndSummarisedWithIt) {
    Fixture f;
    f.move(QDate(2001, 2, 3), QStringLiteral("SalGazaposVen=50, PesGazaposVen=120, PesPromedioVen=2.4"));
    f.move(QDate(2001, 2, 5), QStringLiteral("EntGazaposDes=100, PesGazaposDes=65, PesPromedioEnt=0.65, "
                                             "PesPromedioVen=0"));
    EXPECT_DOUBLE_EQ(f.plotted(8).back(), 2.4);
    EXPECT_EQ(f.line({}, "Peso de Promedio de los Gazapos Vendidos"), same("1,200"));
    EXPECT_DOUBLE_EQ(f.plotted(2).back(), 0.65); // the sale has no entry average at all
    EXPECT_EQ(f.line({}, "Peso de Promedio de los Gazapos Destetados"), same("0,650"));
}

TEST(FatteningSummary, ElevenIndicatorsAndMonthsThatDivideByZero) {
    Fixture f;
    f.move(QDate(2000, 3, 10), QStringLiteral("EntGazaposDes=100, PesGazaposDes=60, BajasGazapos=5"));
    f.move(QDate(2000, 3, 20), QStringLiteral("SalGazaposVen=50, PesGazaposVen=120, Consumo1=100, Consumo2=20, "
                                              "Consumo3=20"));
    f.move(QDate(2001, 2, 1), QStringLiteral("SalGazaposRep=7, Consumo1=30")); // no entry nor weight
    const auto& indicators = fattening_charts::indicators();
    ASSERT_EQ(indicators.size(), 11u);
    EXPECT_EQ(indicators.front().caption, QStringLiteral("Entrada de Gazapos Destetados"));
    EXPECT_EQ(indicators.back().caption, QStringLiteral("Índice de Conversión del Cebadero"));
    for (size_t i = 0; i < indicators.size(); ++i) {
        const bool average = i == 2 || i == 8;
        EXPECT_EQ(indicators[i].extraCondition.isEmpty(), !average) << i;
    }
    EXPECT_EQ(indicators[8].extraCondition, QStringLiteral(" and PesPromedioVen>0"));
    struct Case {
        int indicator;
        double march2000;    // point 0
        double february2001; // point 11
    };
    // February has neither entries nor weights: its losses ratio (4) and its
    // conversion index (10) divide by zero and plot 0.
    const std::vector<Case> cases{
        {0, 100, 0}, {3, 5, 0}, {4, 5, 0}, {5, 0, 7}, {9, 140, 30}, {10, 140.0 / 60, 0},
    };
    for (const Case& c : cases) {
        const auto ys = f.plotted(c.indicator);
        ASSERT_EQ(ys.size(), 12u);
        EXPECT_DOUBLE_EQ(ys[0], c.march2000) << c.indicator;
        EXPECT_DOUBLE_EQ(ys[11], c.february2001) << c.indicator;
    }
}

// Either "Aceptar" makes every empty feed figure 0 for good, so a movement with
// one empty feed still counts its other feeds.
TEST(FatteningSummary, EitherScreenLeavesNoEmptyFeedFigure) {
    for (bool summary : {true, false}) {
        Fixture f;
        f.move(QDate(2001, 1, 5), QStringLiteral("Consumo1=40, Consumo2=NULL, Consumo3=NULL"));
        f.move(QDate(1990, 1, 5), QStringLiteral("Consumo1=NULL")); // outside the chart: zeroed too
        ASSERT_EQ(f.emptyFeeds(), 2);
        if (summary) {
            const auto sheet = fattening_summary::sheet(f.db, {}, f.clock.today());
            EXPECT_EQ(sheet->lines().back().total, QStringLiteral("40"));
        } else {
            EXPECT_DOUBLE_EQ(f.plotted(9)[10], 40);
        }
        EXPECT_EQ(f.emptyFeeds(), 0) << summary;
    }
}

// One page in the house style with its ten lines, against the text kept with the tests.
TEST(FatteningSummary, SheetAsKept) {
    Fixture f;
    f.db.exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='Granja Los Olmos'"));
    for (int d = 1; d <= 10; ++d)
        f.move(QDate(2001, 1, d),
               QStringLiteral("EntGazaposDes=%1, PesGazaposDes=%2, PesPromedioEnt=0.65, BajasGazapos=%3, "
                              "SalGazaposRep=2, SalGazaposVen=45, PesGazaposVen=108, PesPromedioVen=2.4, Consumo1=150, "
                              "Consumo2=%4, Consumo3=NULL")
                   .arg(200 + d)
                   .arg(130 + d)
                   .arg(d % 3)
                   .arg(d * 5));
    const auto sheet = fattening_summary::sheet(f.db, {kJan1, QDate(2001, 1, 31)}, QDate(2001, 3, 5));
    ListRows rows = sheet->rows();
    const auto document = SheetComposer::compose(*sheet, rows);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->title, QStringLiteral("Resumen de Datos de Cebadero"));
    ASSERT_EQ(document->pages.size(), 1u);
    const QString actual = sheetText(*document);
    QFile kept(QStringLiteral(TORVANE_ANALYSIS_DATA "/fattening-summary.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << kept.fileName().toStdString();
    EXPECT_EQ(actual, QString::fromUtf8(kept.readAll())) << actual.toStdString();
}
