#include "FarmRows.h"
#include "TempFarm.h"
#include "db/Query.h"
#include "replacement/ReplacementObjectives.h"

#include <gtest/gtest.h>

namespace {

struct Day {
    QDate date;
    const char* values;
};

struct Case {
    const char* name;
    QDate today;
    int femaleTarget;
    int maleTarget;
    std::vector<Day> ledger;
    // Altas, Bajas, Actual, Objetivo, Objectivo anual, Proyectado anual, Tendencia actual.
    const char* females;
    const char* males;
};

// A year with 182 days left on 2 July: the females average 200 (182 and 218) and
// were joined by 50, the males average 3000 and were joined by 300; the day of
// the previous year counts for neither.
const std::vector<Day> kYear = {
    {QDate(2025, 12, 31), "NumeroTotalHembras=900, AltasHembras=40, NumeroTotalMachos=900, AltasMachos=40"},
    {QDate(2026, 1, 10), "NumeroTotalHembras=182, AltasHembras=50, NumeroTotalMachos=2000, AltasMachos=300"},
    {QDate(2026, 6, 30), "NumeroTotalHembras=218, NumeroTotalMachos=4000"},
};

const std::vector<Day> kNone;
const std::vector<Day> kLeapNewYear = {{QDate(2028, 1, 1), "NumeroTotalHembras=100, AltasHembras=10"}};
const std::vector<Day> kReached = {{QDate(2026, 1, 10), "NumeroTotalHembras=100, AltasHembras=30"},
                                   {QDate(2026, 3, 1), "NumeroTotalHembras=100"}};

const Case kCases[] = {
    {"an empty ledger shows the targets and zeros", QDate(2026, 7, 2), 100, 25, kNone, "0|0|0|0|100 %|0 %|0 %",
     "0|0|0|0|25 %|0 %|0 %"},
    // T = 25 %, W = 75 x 200 / 100 / 26 = 5.77, J = 25 x 365 / 183 = 49.86; B = 18 / 182 = 0.1.
    {"the weekly additions, culls per remaining day and projection", QDate(2026, 7, 2), 100, 25, kYear,
     "6|0|218|200|100 %|50 %|25 %", "17|5|4.000|3.000|25 %|20 %|10 %"},
    {"on 31 December nothing remains to add, cull or project", QDate(2026, 12, 31), 100, 25, kYear,
     "0|0|218|200|100 %|0 %|25 %", "0|0|4.000|3.000|25 %|0 %|10 %"},
    // 365 days remain: the weeks are 365 / 7, but no day is behind to extend.
    {"1 January of a leap year projects nothing", QDate(2028, 1, 1), 100, 25, kLeapNewYear,
     "2|0|100|100|100 %|0 %|10 %", "0|0|0|0|25 %|0 %|0 %"},
    {"a target already reached and a stock at its average", QDate(2026, 7, 2), 20, 25, kReached,
     "0|0|100|100|20 %|60 %|30 %", "0|0|0|0|25 %|0 %|0 %"},
};

class ObjectivesTest : public ::testing::TestWithParam<Case> {};

TEST_P(ObjectivesTest, FiguresAsShown) {
    const Case& c = GetParam();
    SCOPED_TRACE(c.name);
    TempFarm farm;
    Query q(farm.db(), QStringLiteral("update DatosExplotacion set PorcentRepHemAnual=:h, PorcentRepMacAnual=:m"));
    q.bindInteger(QStringLiteral("h"), c.femaleTarget);
    q.bindInteger(QStringLiteral("m"), c.maleTarget);
    q.exec();
    for (const Day& day : c.ledger)
        testkit::addLedgerDay(farm.db(), day.date, QString::fromUtf8(day.values));

    const ReplacementObjectives objectives = ReplacementObjectives::read(farm.db(), c.today);
    EXPECT_EQ(objectives.females.texts().join(QLatin1Char('|')).toStdString(), c.females);
    EXPECT_EQ(objectives.males.texts().join(QLatin1Char('|')).toStdString(), c.males);
}

INSTANTIATE_TEST_SUITE_P(Replacement, ObjectivesTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ReplacementDays, RemainingToTheEndOfTheYear) {
    EXPECT_EQ(replacement::remainingDays(QDate(2026, 12, 31)), 0);
    EXPECT_EQ(replacement::remainingDays(QDate(2026, 1, 1)), 364);
    EXPECT_EQ(replacement::remainingDays(QDate(2028, 1, 1)), 365);
    EXPECT_EQ(replacement::remainingDays(QDate(2026, 7, 2)), 182);
}

} // namespace
