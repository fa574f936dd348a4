#include "results/TechnicalResults.h"
#include "ResultsFarm.h"
#include "TempFarm.h"
#include "db/Settings.h"
#include "reports/SheetComposer.h"
#include "results/ResultsSheet.h"

#include <QSettings>
#include <functional>
#include <gtest/gtest.h>

using namespace results;

namespace {

const DatePeriod kPeriod{QDate(2026, 1, 1), QDate(2026, 2, 28)};

// The eleven figures of a column as the screen writes them, in indicator order.
QStringList figures(const ResultColumn& c) {
    QStringList out;
    for (const IndicatorDefinition& d : indicators())
        out << text(d.id, c.value(d.id));
    return out;
}

struct Expected {
    const char* what;
    std::function<const ResultColumn&(const TechnicalResults&)> column;
    QString caption;
    QStringList texts; // services, fertility, kindling rate, alive and total per kindling, weaned per
                       // litter and per service, mortality, productivity, replacement, removal
};

// Worked out by hand from resultskit::build, period 01/01/2026 to 28/02/2026.
//
// Band A (5 females): 4 positive (1, 2, 3, 7) -> 80,0 %; 4 kindlings (1, 2, 3 and 7's
// pool row) -> 80,0 %; alive 10+8+9+7 = 34 / 4 = 8,50; total 34+1+2 = 37 / 4 = 9,25;
// weaned 8+8 = 16 over 2 litters = 8,00; 16 / 5 = 3,20; kits nursed in the weaned
// litters (10-1) + (8+1) = 18, lost 18-16 = 2 -> 11,1 %. No ledger in a band.
// Band B (2 females): 1 positive -> 50,0 %; no kindling -> 0,0 % and no figure per
// kindling or per litter; 0 weaned / 2 = 0,00.
// Bands total (7): 5 positive 71,4 %; 4 kindlings 57,1 %; 34/4, 37/4; 16/2; 16/7 = 2,29; 11,1.
//
// January cycles: 1, 2, 3, 4 (05/01), 9 (20/01), 10 (25/01) = 6, the row without a
// female left out. Positive 5 -> 83,3 %; kindlings 1, 2, 3, 9 (10 had no kit) = 4 ->
// 66,7 %; alive 10+8+9+6 = 33 / 4 = 8,25; total 36 / 4 = 9,00; 16 / 2 litters = 8,00;
// 16 / 6 = 2,67; mortality 11,1.
// January ledger: 1-9 January 100 does (9 days), 10-31 January 110 (22 days):
// 900 + 2420 = 3320 doe-days over 31 days, 107,10 does. No kit weaned: 0,0.
// Replacement 10 / 107,10 x 100 = 9,3 %; removal 0,0.
// February cycles: 5, 6: 1 positive 50,0 %, 0 kindlings 0,0 %, 0 / 2 = 0,00.
// February ledger: 108 does for 28 days = 3024 doe-days; 16 weaned x 365 / 3024 = 1,9
// per doe and year; removal 2 / 108 x 100 = 1,9 %.
// Period: 6344 doe-days over 59 days (107,53 does), 2 months. Cycles 8: 6 positive
// 75,0 %; 4 kindlings 50,0 %; 16 / 8 = 2,00. Weaned 16 x 365 / 6344 = 0,9;
// replacement 10 / 107,53 / 2 x 100 = 4,65 -> 4,7 %; removal 2 / 107,53 / 2 x 100 = 0,9 %.
// The entries of 05/03 lie after "Hasta" and count nowhere.
TEST(TechnicalResults, EveryFigureEqualsTheHandComputation) {
    TempFarm farm;
    resultskit::build(farm.db());
    const TechnicalResults r = compute(farm.db(), kPeriod, resultskit::kToday);
    ASSERT_EQ(r.bands.size(), 2u);
    ASSERT_EQ(r.months.size(), 2u);
    const QString none = kNoFigure;
    const Expected cases[] = {
        {"band A",
         [](const TechnicalResults& t) -> const ResultColumn& { return t.bands[0]; },
         QStringLiteral("05/01/2026 P1"),
         {"5", "80,0", "80,0", "8,50", "9,25", "8,00", "3,20", "11,1", none, none, none}},
        {"band B, no birth yet",
         [](const TechnicalResults& t) -> const ResultColumn& { return t.bands[1]; },
         QStringLiteral("16/02/2026 P2"),
         {"2", "50,0", "0,0", none, none, none, "0,00", none, none, none, none}},
        {"bands total",
         [](const TechnicalResults& t) -> const ResultColumn& { return t.bandsTotal; },
         QStringLiteral("Total"),
         {"7", "71,4", "57,1", "8,50", "9,25", "8,00", "2,29", "11,1", none, none, none}},
        {"January",
         [](const TechnicalResults& t) -> const ResultColumn& { return t.months[0]; },
         QStringLiteral("01/2026"),
         {"6", "83,3", "66,7", "8,25", "9,00", "8,00", "2,67", "11,1", "0,0", "9,3", "0,0"}},
        {"February",
         [](const TechnicalResults& t) -> const ResultColumn& { return t.months[1]; },
         QStringLiteral("02/2026"),
         {"2", "50,0", "0,0", none, none, none, "0,00", none, "1,9", "0,0", "1,9"}},
        {"period",
         [](const TechnicalResults& t) -> const ResultColumn& { return t.monthsTotal; },
         QStringLiteral("Total"),
         {"8", "75,0", "50,0", "8,25", "9,00", "8,00", "2,00", "11,1", "0,9", "4,7", "0,9"}},
    };
    for (const Expected& c : cases) {
        EXPECT_EQ(c.column(r).caption, c.caption) << c.what;
        EXPECT_EQ(figures(c.column(r)), c.texts) << c.what;
    }
}

// With nothing to count, or "Hasta" before "Desde", there is no band and no month,
// and the totals show 0 females and no other figure: nothing is divided by zero.
TEST(TechnicalResults, NothingToCountShowsNoFigure) {
    TempFarm empty;
    TempFarm full;
    resultskit::build(full.db());
    const QString none = kNoFigure;
    const QStringList nothing{"0", none, none, none, none, none, none, none, none, none, none};
    struct {
        const char* what;
        Database& db;
        DatePeriod period;
    } cases[] = {{"empty farm, open period", empty.db(), {}},
                 {"Hasta before Desde", full.db(), {QDate(2026, 2, 1), QDate(2026, 1, 1)}}};
    for (const auto& c : cases) {
        const TechnicalResults r = compute(c.db, c.period, resultskit::kToday);
        EXPECT_TRUE(r.bands.empty() && r.months.empty()) << c.what;
        EXPECT_EQ(figures(r.bandsTotal), nothing) << c.what;
        EXPECT_EQ(figures(r.monthsTotal), nothing) << c.what;
    }
}

// An open period reaches from the first day row to today: March's 12 entries over
// 05/03-10/03 count, the days before the ledger's first row do not.
TEST(TechnicalResults, AnOpenPeriodRunsFromTheFirstDayRowToToday) {
    TempFarm farm;
    resultskit::build(farm.db());
    const TechnicalResults r = compute(farm.db(), {}, resultskit::kToday);
    ASSERT_EQ(r.months.size(), 4u); // 12/2025 (pool P0 and the first day row) to 03/2026
    EXPECT_EQ(r.months.front().caption, QStringLiteral("12/2025"));
    EXPECT_EQ(r.months.front().ledger->days, 1);
    // March: 1-4 at 108, 5-10 at 120: 432 + 720 = 1152 doe-days over 10 days, 115,2 does;
    // 12 / 115,2 x 100 / (10/31 of a month) = 32,3 %.
    EXPECT_EQ(text(Indicator::Replacement, r.months.back().value(Indicator::Replacement)), QStringLiteral("32,3"));
    EXPECT_EQ(r.bands.size(), 3u);
}

TEST(References, MarksAreJudgedOnTheFigureAsWritten) {
    const References refs = References::builtIn();
    struct {
        Indicator id;
        std::optional<double> value;
        Mark mark;
    } cases[] = {
        {Indicator::KindlingRate, 84.0, Mark::Good},
        {Indicator::KindlingRate, 83.96, Mark::Good},
        {Indicator::KindlingRate, 83.94, Mark::Fair},
        {Indicator::KindlingRate, 75.0, Mark::Fair},
        {Indicator::KindlingRate, 74.9, Mark::Poor},
        {Indicator::PreweaningMortality, 10.0, Mark::Good},
        {Indicator::PreweaningMortality, 15.04, Mark::Fair},
        {Indicator::PreweaningMortality, 15.1, Mark::Poor},
        {Indicator::WeanedPerLitter, 8.6, Mark::Good},
        {Indicator::Productivity, 44.9, Mark::Poor},
        {Indicator::Services, 3.0, Mark::None},
        {Indicator::Fertility, std::nullopt, Mark::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refs.mark(c.id, c.value), c.mark) << definition(c.id).key << " " << c.value.value_or(-1);
}

// The built-in figures until the farm changes them; kept in the settings store and
// read back by the next session; a stored text that is no number reads as built in.
TEST(References, ChangedReferencesAreKeptInTheSettings) {
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("Quendal.conf"));
    {
        Settings settings(file);
        References refs = References::read(settings);
        EXPECT_EQ(refs, References::builtIn());
        EXPECT_EQ(refs.of(Indicator::KindlingRate), (Reference{84, 75}));
        refs.set(Indicator::KindlingRate, {88.5, 80});
        refs.write(settings);
    }
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("ReferenciasTecnicas/FertilidadLimite"), QStringLiteral("mucho"));
    const References read = References::read(Settings(file));
    EXPECT_EQ(read.of(Indicator::KindlingRate), (Reference{88.5, 80}));
    EXPECT_EQ(read.of(Indicator::Fertility), (Reference{85, 75}));
}

// The sheet: the references first, a figure short of its reference followed by " *",
// beyond its limit by " **"; a band has no ledger cells (an empty cell is not placed).
TEST(ResultsSheet, LinesCarryThePrintedMarks) {
    TempFarm farm;
    resultskit::build(farm.db());
    const TechnicalResults r = compute(farm.db(), kPeriod, resultskit::kToday);
    const ResultsSheet sheet(farm.db(), resultskit::kToday, kPeriod, r, References::builtIn());
    ListRows rows = sheet.rows();
    const auto document = SheetComposer::compose(sheet, rows);
    ASSERT_TRUE(document);
    const SheetPage& page = document->pages.at(0);
    EXPECT_EQ(page.texts(QStringLiteral("seleccion")).value(0),
              QStringLiteral("Desde la fecha 01/01/2026 Hasta la fecha 28/02/2026"));
    EXPECT_EQ(page.texts(QStringLiteral("concepto")),
              (QStringList{"Referencia", "Por bandas de inseminación", "05/01/2026 P1", "16/02/2026 P2", "Total bandas",
                           "Por meses", "01/2026", "02/2026", "Total periodo"}));
    EXPECT_EQ(page.texts(QStringLiteral("tasapartos")),
              (QStringList{"84,0", "80,0 *", "0,0 **", "57,1 **", "66,7 **", "0,0 **", "50,0 **"}));
    EXPECT_EQ(page.texts(QStringLiteral("totalesparto")).value(1), QStringLiteral("9,25 **")); // band A
    EXPECT_EQ(page.texts(QStringLiteral("vivosparto")).value(2), kNoFigure);                   // band B
    EXPECT_EQ(page.texts(QStringLiteral("productividad")), (QStringList{"54,0", "0,0 **", "1,9 **", "0,9 **"}));
}

} // namespace
