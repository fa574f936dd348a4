// The block screens on a large farm: loading the day's candidates and
// processing a whole batch (rows, pools and ledger) in one recording.
#include "LargeFarm.h"
#include "blocks/BlockBatch.h"
#include "blocks/CycleEvents.h"
#include "blocks/MatingEvent.h"
#include "db/Database.h"
#include "db/FarmParameters.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

namespace {

QString farmFile() {
    const QString dir = QDir::tempPath() + QStringLiteral("/torvane-bench");
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/large-farm.db");
    LargeFarm::ensure(file);
    return file;
}

// A fresh copy of the large farm for one run that writes.
QString freshCopy() {
    const QString copy = QDir::tempPath() + QStringLiteral("/torvane-bench/run.db");
    QFile::remove(copy);
    QFile::copy(farmFile(), copy);
    return copy;
}

CandidateList firstRows(const CandidateList& all, int n) {
    CandidateList some;
    for (int i = 0; i < all.size() && i < n; ++i)
        some.insert(all.at(i));
    return some;
}

void loadMatingCandidates(benchmark::State& state) {
    Database db(farmFile());
    const MatingEvent event(FarmParameters::read(db));
    int rows = 0;
    for (auto _ : state) {
        rows = blockbatch::load(db, event, {}, LargeFarm::kDay).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["candidates"] = rows;
}
BENCHMARK(loadMatingCandidates)->Unit(benchmark::kMillisecond);

// Opening the farm as a start-up does, with its integrity check and trial
// write: the farmer waits for it before the main window, so it must stay short.
void openWithChecks(benchmark::State& state) {
    const QString file = farmFile();
    for (auto _ : state) {
        Database db(file);
        benchmark::DoNotOptimize(db.health().damaged);
    }
}
BENCHMARK(openWithChecks)->Unit(benchmark::kMillisecond);

void processInseminations2000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Database db(freshCopy());
        InseminationEvent event(FarmParameters::read(db), QStringLiteral("P-2024"));
        const CandidateList batch = firstRows(blockbatch::load(db, event, {}, LargeFarm::kDay), 2000);
        if (batch.size() != 2000)
            state.SkipWithError("the farm has fewer than 2,000 mating candidates");
        state.ResumeTiming();
        blockbatch::process(db, event, batch, LargeFarm::kDay);
    }
}
BENCHMARK(processInseminations2000)->Unit(benchmark::kMillisecond)->Iterations(5);

void processBirths2000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Database db(freshCopy());
        BirthEvent event;
        CandidateList batch = firstRows(blockbatch::load(db, event, {}, LargeFarm::kDay), 2000);
        if (batch.size() != 2000)
            state.SkipWithError("the farm has fewer than 2,000 birth candidates");
        for (int i = 0; i < batch.size(); ++i)
            batch.setFields(i, BirthEvent::kAlive, {QString::number(6 + i % 5), QString::number(i % 2)});
        state.ResumeTiming();
        blockbatch::process(db, event, batch, LargeFarm::kDay);
    }
}
BENCHMARK(processBirths2000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
