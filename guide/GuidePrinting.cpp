#include "GuidePrinting.h"

#include "GuideCounts.h"
#include "GuidePlan.h"
#include "GuideSheet.h"

QString GuideQuestions::printYoungText() {
    return QString::fromUtf8("¿Desea imprimir guía de trabajo de Hembras Jóvenes?");
}

QString GuideQuestions::cageOrderFirstText() {
    return QString::fromUtf8("¿Desea que prevalezca el orden de Jaula sobre el de Edad de Hembras Jóvenes?");
}

int printPlan(Database& db, const GuidePlan& plan, const FarmParameters& parameters, const GuideCages& cages,
              GuideQuestions& questions, const std::function<void(GuideSheet&)>& produce) {
    int produced = 0;
    GuideCounts counts(db);
    for (const GuideJob& job : printOrder(plan)) {
        YoungOrder order = YoungOrder::ByAge;
        if (job.sheet == GuideSheetKind::CubricionesJovenes) {
            if (!questions.printYoung())
                continue;
            order = questions.cageOrderFirst() ? YoungOrder::ByCage : YoungOrder::ByAge;
        }
        const GuideContext context{
            .day = job.day, .numbers = plan.day(job.entry).numbers(), .parameters = parameters, .cages = cages};
        GuideSheet sheet(db, collectSheet(db, counts, job.sheet, context, order));
        if (sheet.isEmpty())
            continue;
        produce(sheet);
        ++produced;
    }
    return produced;
}
