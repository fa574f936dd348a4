// The work guide's core on the generated farm of 5,000 females: thirty days
// with every task ticked and the whole male range, each sheet selected, its
// lines computed (the per-animal counts bound per line) and laid out; then the
// same guide written to one PDF file, as the planner's "Guardar Guía en PDF" does.
#include "LargeFarm.h"
#include "db/Database.h"
#include "db/FarmParameters.h"
#include "db/Query.h"
#include "guide/GuidePlan.h"
#include "guide/GuidePrinting.h"
#include "guide/GuideSheet.h"
#include "reports/SheetComposer.h"
#include "reports/ui/PdfBook.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

QString farmFile() {
    const QString dir = QDir::tempPath() + QStringLiteral("/torvane-bench");
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/large-farm.db");
    if (!QFile::exists(file)) {
        LargeFarm::ensure(file);
        Database{file};
    }
    return file;
}

struct YesToBoth : GuideQuestions {
    bool printYoung() override { return true; }
    bool cageOrderFirst() override { return false; }
};

GuidePlan everyTask(const FarmParameters& parameters, int days) {
    GuidePlan plan;
    plan.build(LargeFarm::kDay, LargeFarm::kDay.addDays(days - 1), parameters);
    for (int i = 0; i < plan.size(); ++i) {
        GuideDay d = plan.day(i);
        for (int t = 0; t < kGuideTaskCount; ++t)
            d.setTicked(GuideTask(t), true);
        GuideDayNumbers n = d.numbers();
        n.firstMale = 1;
        n.lastMale = LargeFarm::kMales;
        d.setNumbers(n);
        plan.edit(i, d);
    }
    return plan;
}

void ThirtyDaysEveryTask(benchmark::State& state) {
    Database db(farmFile());
    const FarmParameters parameters = FarmParameters::read(db);
    const GuidePlan plan = everyTask(parameters, int(state.range(0)));
    YesToBoth answers;
    int sheets = 0, lines = 0, pages = 0;
    double composing = 0;
    for (auto _ : state) {
        sheets = lines = pages = 0;
        composing = 0;
        printPlan(db, plan, parameters, {}, answers, [&](GuideSheet& sheet) {
            const auto start = std::chrono::steady_clock::now();
            const auto doc = SheetComposer::compose(sheet.sheet(), sheet.rows());
            composing += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            ++sheets;
            lines += doc->rows;
            pages += int(doc->pages.size());
        });
    }
    state.counters["sheets"] = sheets;
    state.counters["lines"] = lines;
    state.counters["pages"] = pages;
    state.counters["layout_s"] = composing;
}
BENCHMARK(ThirtyDaysEveryTask)->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);

// The selections alone, every row stepped through: what the engine costs.
void ThirtyDaysSelectionsOnly(benchmark::State& state) {
    Database db(farmFile());
    const FarmParameters parameters = FarmParameters::read(db);
    const GuidePlan plan = everyTask(parameters, int(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const GuideJob& job : printOrder(plan)) {
            const GuideContext context{
                .day = job.day, .numbers = plan.day(job.entry).numbers(), .parameters = parameters, .cages = {}};
            Query q(db);
            selectionStatement(job.sheet, context).applyTo(q);
            for (q.open(); !q.eof(); q.next())
                ++rows;
        }
    }
    state.counters["rows"] = rows;
}
BENCHMARK(ThirtyDaysSelectionsOnly)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);

// The whole guide in one PDF file (kept as torvane-bench/guide.pdf to be looked at).
void ThirtyDaysToOnePdf(benchmark::State& state) {
    Database db(farmFile());
    const FarmParameters parameters = FarmParameters::read(db);
    const GuidePlan plan = everyTask(parameters, int(state.range(0)));
    const QString path = QDir::tempPath() + QStringLiteral("/torvane-bench/guide.pdf");
    YesToBoth answers;
    int pages = 0;
    for (auto _ : state) {
        PdfBook book(path, QStringLiteral("Guía de Trabajo"));
        printPlan(db, plan, parameters, {}, answers, [&](GuideSheet& sheet) {
            if (const auto doc = SheetComposer::compose(sheet.sheet(), sheet.rows()))
                book.add(*doc);
        });
        pages = book.pages();
        if (!book.commit())
            state.SkipWithError("the PDF file could not be written");
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = double(QFile(path).size()) / (1024 * 1024);
}
BENCHMARK(ThirtyDaysToOnePdf)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

// Painting text needs the gui application; no window is ever shown.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
