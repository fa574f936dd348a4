#include "guide/GuidePrinting.h"
#include "GuideFarm.h"
#include "guide/GuidePlan.h"
#include "guide/GuideSheet.h"

#include <gtest/gtest.h>

namespace {

// Answers the questions from a script and keeps what was asked.
struct Answers : GuideQuestions {
    std::vector<bool> script;
    QStringList asked;
    bool next(const QString& question) {
        asked << question;
        return script.at(asked.size() - 1);
    }
    bool printYoung() override { return next(printYoungText()); }
    bool cageOrderFirst() override { return next(cageOrderFirstText()); }
};

struct PrintFarm : GuideFarm {
    GuidePlan plan;
    PrintFarm() {
        female(1, 30, QDate(2000, 5, 1)); // never mated
        female(2, 10, QDate(2000, 6, 1)); // never mated
        female(3, 20);                    // negative
        cycle(3, 40, false);
        male(5, 60);
        maleCycle(5, 10, true);
        plan.build(guideDay(), guideDay().addDays(1), FarmParameters::read(db()));
    }
    void tick(int entry, std::initializer_list<GuideTask> tasks, int lastMale = 0) {
        GuideDay d = plan.day(entry);
        for (GuideTask t : tasks)
            d.setTicked(t, true);
        GuideDayNumbers n = d.numbers();
        n.lastMale = lastMale;
        d.setNumbers(n);
        plan.edit(entry, d);
    }
    // The sheets produced: title and the first column of each line.
    QStringList print(Answers& answers) {
        QStringList out;
        printPlan(db(), plan, FarmParameters::read(db()), {}, answers, [&out](GuideSheet& sheet) {
            QString s = sheet.sheet().title();
            SheetRows& rows = sheet.rows();
            for (; !rows.eof(); rows.next())
                s += QLatin1Char(' ') + rows.field(QStringLiteral("Jaula")).asString();
            out << s;
        });
        return out;
    }
};

TEST(GuidePrinting, FreshPlanAndSheetlessTasksPrintNothing) {
    PrintFarm farm;
    farm.tick(0, {GuideTask::MovimientoCebadero, GuideTask::Traslados, GuideTask::Partos});
    Answers none;
    EXPECT_TRUE(farm.print(none).isEmpty()); // no female is due to give birth
    EXPECT_TRUE(none.asked.isEmpty());
}

TEST(GuidePrinting, YoungQuestionsDecideTheYoungSheetOnly) {
    const struct {
        std::vector<bool> script;
        int asked;
        QStringList sheets;
    } cases[] = {
        {{false}, 1, {"Guía de Cubriciones Hembras 20", "Guía de Cubriciones Machos 60"}},
        {{true, false},
         2,
         {"Guía de Cubriciones Hembras 20", "Guía de Cubriciones (Jóvenes) 30 10", "Guía de Cubriciones Machos 60"}},
        {{true, true},
         2,
         {"Guía de Cubriciones Hembras 20", "Guía de Cubriciones (Jóvenes) 10 30", "Guía de Cubriciones Machos 60"}},
    };
    for (const auto& c : cases) {
        PrintFarm farm;
        farm.tick(1, {GuideTask::Cubriciones}, 9);
        Answers answers;
        answers.script = c.script;
        EXPECT_EQ(farm.print(answers), c.sheets);
        EXPECT_EQ(answers.asked.size(), c.asked);
    }
}

TEST(GuidePrinting, DaysInDateOrderTasksInTheirOrder) {
    PrintFarm farm;
    farm.tick(1, {GuideTask::ReproductoresEnfermos, GuideTask::Pinchazo});
    farm.tick(0, {GuideTask::Cubriciones});
    farm.db().exec(QStringLiteral("update Hembras set Enfermedad=2 where CodigoHembra=3"));
    Answers answers;
    answers.script = {false};
    // The sick female is off the mating sheet, which is then not produced; the question still comes.
    EXPECT_EQ(farm.print(answers),
              (QStringList{"Guía Pinchazos Ciclización 10 20 30", "Guía de Reproductores Enfermos 20"}));
    EXPECT_EQ(answers.asked, QStringList{GuideQuestions::printYoungText()});
}

} // namespace
