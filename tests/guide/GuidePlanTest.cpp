#include "guide/GuidePlan.h"
#include "db/DbError.h"
#include "db/FarmParameters.h"

#include <gtest/gtest.h>

namespace {

FarmParameters parameters() {
    FarmParameters p;
    p.diasCubrirPosparto = 11;
    p.intervaloCubrirMacho = 3;
    p.edadCamadasRevisar = 15;
    p.edadRetirarNidal = 25;
    return p;
}

QDate day(int d, int m = 3, int y = 2001) {
    return QDate(y, m, d);
}

TEST(GuidePlan, FreshDayLineHasTheTwentyOneFields) {
    EXPECT_EQ(GuideDay::fresh(day(5), parameters()).line(),
              QString::fromUtf8("20010305|05/03/2001|lunes, 05/03/2001|0|0|0|0|0|0|0|0|0|0|0|2|11|3|0|0|15|25"));
}

TEST(GuidePlan, BuildsOneEntryPerDayBothIncluded) {
    struct Case {
        QDate from, to;
        int entries;
    } cases[] = {{day(5), day(5), 1}, {day(5), day(11), 7}, {day(28, 2), day(1, 3), 2}, {day(6), day(5), 0}};
    for (const Case& c : cases) {
        GuidePlan plan;
        plan.build(day(1), day(3), parameters()); // an earlier list is discarded
        plan.build(c.from, c.to, parameters());
        ASSERT_EQ(plan.size(), c.entries) << c.from.toString().toStdString();
        for (int i = 0; i < plan.size(); ++i)
            EXPECT_EQ(plan.day(i).date(), c.from.addDays(i));
    }
}

TEST(GuidePlan, BuildFromTheDateBoxesAsTyped) {
    using M = GuidePlan::Missing;
    const struct {
        const char* from;
        const char* to;
        M missing;
        int entries; // -1: the text is no date
    } cases[] = {
        {"  /  /    ", "05/03/2001", M::From, 3}, {"05/03/2001", "  /  /    ", M::To, 3},
        {"05/03/2001", "11/03/2001", M::None, 7}, {"31/02/2001", "05/03/2001", M::None, -1},
        {"05/03/2001", "05/03/2001", M::None, 1},
    };
    for (const auto& c : cases) {
        GuidePlan plan;
        plan.build(day(1), day(3), parameters());
        if (c.entries < 0) {
            EXPECT_THROW(plan.build(QString::fromLatin1(c.from), QString::fromLatin1(c.to), parameters()), InvalidDate);
            EXPECT_TRUE(plan.isEmpty()) << c.from;
            continue;
        }
        EXPECT_EQ(plan.build(QString::fromLatin1(c.from), QString::fromLatin1(c.to), parameters()), c.missing);
        EXPECT_EQ(plan.size(), c.entries) << c.from;
    }
}

TEST(GuidePlan, EditKeepsDateOrderAndChangesOnlyFlagsAndNumbers) {
    GuidePlan plan;
    plan.build(day(5), day(11), parameters());
    const QStringList before = plan.lines();
    for (int i : {6, 0, 3}) {
        GuideDay edited = GuideDay::fresh(day(20), FarmParameters{}); // its own date is ignored
        edited.setTicked(GuideTask::Cubriciones, true);
        edited.setTicked(GuideTask::Traslados, true);
        edited.setNumbers({.injectionLead = 4,
                           .diasCubrirPosparto = 9,
                           .intervaloCubrirMacho = 2,
                           .firstMale = 10,
                           .lastMale = 20,
                           .edadCamadasRevisar = 12,
                           .edadRetirarNidal = 30});
        plan.edit(i, edited);
    }
    ASSERT_EQ(plan.size(), 7);
    for (int i = 0; i < 7; ++i) {
        const GuideDay d = plan.day(i);
        EXPECT_EQ(d.date(), day(5 + i));
        const bool edited = i == 0 || i == 3 || i == 6;
        EXPECT_EQ(d.ticked(GuideTask::Cubriciones), edited);
        EXPECT_EQ(d.ticked(GuideTask::Pinchazo), false);
        EXPECT_EQ(plan.lines()[i].section(QLatin1Char('|'), 0, 2), before[i].section(QLatin1Char('|'), 0, 2));
    }
    EXPECT_TRUE(plan.lines()[3].endsWith(QLatin1String("|0|1|0|0|0|0|0|0|0|1|0|4|9|2|10|20|12|30")));
}

TEST(GuidePlan, DeleteRemovesTheEntryAtOnce) {
    GuidePlan plan;
    plan.build(day(5), day(7), parameters());
    plan.removeAt(1);
    plan.removeAt(9);
    ASSERT_EQ(plan.size(), 2);
    EXPECT_EQ(plan.day(1).date(), day(7));
}

TEST(GuidePlan, LineRoundTripsAndRefusesOthers) {
    GuideDay d = GuideDay::fresh(day(31, 12, 2026), parameters());
    d.setTicked(GuideTask::ReproductoresEnfermos, true);
    d.setNumbers({.injectionLead = -1, .firstMale = 7, .lastMale = 9});
    EXPECT_EQ(GuideDay::fromLine(d.line()).line(), d.line());
    EXPECT_EQ(d.caption(), QString::fromUtf8("jueves, 31/12/2026"));
    EXPECT_THROW(GuideDay::fromLine(QStringLiteral("20010305|05/03/2001")), std::invalid_argument);
}

TEST(GuidePlan, CaptionsOfListAndDialog) {
    EXPECT_EQ(listCaption(GuideTask::RetirarNidales), QStringLiteral("Retirar Nidales"));
    EXPECT_EQ(editCaption(GuideTask::RetirarNidales), QStringLiteral("Retirar nidales"));
    EXPECT_EQ(listCaption(GuideTask::Pinchazo), QString::fromUtf8("Pinchazo Ciclización"));
}

} // namespace
