// The block screens on a large farm: loading the day's candidates and
// processing a whole batch (rows, pools and ledger) in one recording, each
// batch beside a raw baseline (the same statements through the SQLite C API,
// prepared once, bound per row, one transaction, on a copy of the same file).
//
//   bench_blocks [--females=N] [--rounds=N] [benchmark flags]
//
// --females sizes the generated farm (5,000 by default); --rounds is how many
// times each run is repeated (7 by default). At the end each batch is printed
// as a ratio to its baseline, and both are run once more on fresh copies to
// check that they leave the same database.
#include "LargeFarm.h"
#include "RawBaseline.h"
#include "blocks/BlockBatch.h"
#include "blocks/BlockRow.h"
#include "blocks/CycleEvents.h"
#include "blocks/MatingEvent.h"
#include "db/Database.h"
#include "db/FarmParameters.h"
#include "db/Query.h"
#include "db/StatementCache.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <sqlite3.h>
#include <string>

namespace {

int g_females = LargeFarm::kFemales;
int g_rounds = 7;
constexpr int kBatch = 2000;
const QString kPool = QStringLiteral("P-2024");

QString benchFolder() {
    const QString dir = QDir::tempPath() + QStringLiteral("/torvane-bench");
    QDir().mkpath(dir);
    return dir;
}

QString farmFile() {
    const QString name = g_females == LargeFarm::kFemales ? QStringLiteral("large-farm.db")
                                                          : QStringLiteral("large-farm-%1.db").arg(g_females);
    const QString file = benchFolder() + QLatin1Char('/') + name;
    if (!QFile::exists(file)) {
        LargeFarm::ensure(file, g_females);
        // Opened once by the program: the lookup indexes it makes at open are in
        // the file every copy starts from.
        Database{file};
    }
    return file;
}

// A fresh copy of the large farm for one run that writes.
QString freshCopy(const QString& name = QStringLiteral("run.db")) {
    const QString copy = benchFolder() + QLatin1Char('/') + name;
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

CandidateList inseminationBatch(Database& db) {
    const InseminationEvent event(FarmParameters::read(db), kPool);
    return firstRows(blockbatch::load(db, event, {}, LargeFarm::kDay), kBatch);
}

CandidateList birthBatch(Database& db) {
    CandidateList batch = firstRows(blockbatch::load(db, BirthEvent(), {}, LargeFarm::kDay), kBatch);
    for (int i = 0; i < batch.size(); ++i)
        batch.setFields(i, BirthEvent::kAlive, {QString::number(6 + i % 5), QString::number(i % 2)});
    return batch;
}

std::vector<rawbaseline::Insemination> rawInseminations(const CandidateList& batch) {
    std::vector<rawbaseline::Insemination> rows;
    for (int i = 0; i < batch.size(); ++i)
        rows.push_back({blockrow::integerField(batch.fields(i), blockrow::kAnimal), kPool});
    return rows;
}

std::vector<rawbaseline::Birth> rawBirths(const CandidateList& batch) {
    std::vector<rawbaseline::Birth> rows;
    for (int i = 0; i < batch.size(); ++i) {
        const QStringList f = batch.fields(i);
        using blockrow::integerField;
        rows.push_back({integerField(f, blockrow::kAnimal), integerField(f, BirthEvent::kOrden),
                        integerField(f, BirthEvent::kAlive), integerField(f, BirthEvent::kDead),
                        integerField(f, BirthEvent::kAdopted), integerField(f, BirthEvent::kGiven)});
    }
    return rows;
}

// A raw connection with the engine's default settings, as the program opens it.
struct RawConnection {
    explicit RawConnection(const QString& file) {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open the bench farm");
        sqlite3_busy_timeout(db, 5000);
    }
    ~RawConnection() { sqlite3_close_v2(db); }
    sqlite3* db = nullptr;
};

// How many statements a batch prepared and how many runs reused a kept one.
void countStatements(benchmark::State& state, const StatementCache::Stats& before, const StatementCache::Stats& after) {
    state.counters["prepared"] = double(after.misses - before.misses);
    state.counters["reused"] = double(after.hits - before.hits);
}

void checkBatch(benchmark::State& state, const CandidateList& batch) {
    if (batch.size() != kBatch)
        state.SkipWithError("the farm has fewer than 2,000 candidates");
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
    state.counters["females"] = g_females;
}

// Opening the farm as a start-up does, with its integrity check and trial
// write: the farmer waits for it before the main window, so it must stay short.
void openWithChecks(benchmark::State& state) {
    const QString file = farmFile();
    for (auto _ : state) {
        Database db(file);
        benchmark::DoNotOptimize(db.health().damaged);
    }
}

// The candidate statement alone, stepped to its end: what the load spends in the engine.
void runMatingStatement(benchmark::State& state) {
    Database db(farmFile());
    const MatingEvent event(FarmParameters::read(db));
    int rows = 0;
    for (auto _ : state) {
        Query q(db);
        for (const QString& line : event.candidateStatement({}, LargeFarm::kDay))
            q.add(line);
        rows = 0;
        for (q.open(); !q.eof(); q.next())
            ++rows;
    }
    state.counters["candidates"] = rows;
}

void processInseminations(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Database db(freshCopy());
        InseminationEvent event(FarmParameters::read(db), kPool);
        const CandidateList batch = inseminationBatch(db);
        checkBatch(state, batch);
        const auto before = db.statements().stats();
        state.ResumeTiming();
        blockbatch::process(db, event, batch, LargeFarm::kDay);
        countStatements(state, before, db.statements().stats());
    }
}

void rawInseminations(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const QString file = freshCopy();
        std::vector<rawbaseline::Insemination> rows;
        {
            Database db(file);
            const CandidateList batch = inseminationBatch(db);
            checkBatch(state, batch);
            rows = rawInseminations(batch);
        }
        RawConnection raw(file);
        state.ResumeTiming();
        rawbaseline::inseminate(raw.db, rows, LargeFarm::kDay);
    }
}

void processBirths(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Database db(freshCopy());
        BirthEvent event;
        const CandidateList batch = birthBatch(db);
        checkBatch(state, batch);
        const auto before = db.statements().stats();
        state.ResumeTiming();
        blockbatch::process(db, event, batch, LargeFarm::kDay);
        countStatements(state, before, db.statements().stats());
    }
}

void rawBirths(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const QString file = freshCopy();
        std::vector<rawbaseline::Birth> rows;
        {
            Database db(file);
            const CandidateList batch = birthBatch(db);
            checkBatch(state, batch);
            rows = rawBirths(batch);
        }
        RawConnection raw(file);
        state.ResumeTiming();
        rawbaseline::giveBirth(raw.db, rows, LargeFarm::kDay);
    }
}

double minOf(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

double maxOf(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

void registerRuns() {
    auto rounds = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(g_rounds)
            ->ComputeStatistics("min", minOf)
            ->ComputeStatistics("max", maxOf)
            ->ReportAggregatesOnly(true);
    };
    benchmark::RegisterBenchmark("loadMatingCandidates", loadMatingCandidates)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(g_rounds)
        ->ComputeStatistics("min", minOf)
        ->ComputeStatistics("max", maxOf)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("openWithChecks", openWithChecks)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("runMatingStatement", runMatingStatement)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(g_rounds)
        ->ComputeStatistics("min", minOf)
        ->ComputeStatistics("max", maxOf)
        ->ReportAggregatesOnly(true);
    rounds(benchmark::RegisterBenchmark("processInseminations2000", processInseminations));
    rounds(benchmark::RegisterBenchmark("rawInseminations2000", rawInseminations));
    rounds(benchmark::RegisterBenchmark("processBirths2000", processBirths));
    rounds(benchmark::RegisterBenchmark("rawBirths2000", rawBirths));
}

// The console table, then each batch's median, min and max as ratios to its baseline.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Aggregate) {
                m_times[r.run_name.function_name][r.aggregate_name] = r.GetAdjustedRealTime();
                m_cpu[r.run_name.function_name][r.aggregate_name] = r.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // True when the batches ran (not only the candidate load).
    bool ranBatches() const { return m_times.count("processInseminations2000") || m_times.count("processBirths2000"); }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const std::string batch : {"Inseminations2000", "Births2000"}) {
            if (!m_times.count("process" + batch) || !m_times.count("raw" + batch))
                continue;
            const auto& ours = m_times.at("process" + batch);
            const auto& raw = m_times.at("raw" + batch);
            const auto& oursCpu = m_cpu.at("process" + batch);
            const auto& rawCpu = m_cpu.at("raw" + batch);
            std::printf("%-18s ratio to raw, wall: median %.2fx (min %.2fx, max %.2fx); cpu: median %.2fx (min "
                        "%.2fx, max %.2fx)\n",
                        batch.c_str(), ours.at("median") / raw.at("median"), ours.at("min") / raw.at("min"),
                        ours.at("max") / raw.at("max"), oursCpu.at("median") / rawCpu.at("median"),
                        oursCpu.at("min") / rawCpu.at("min"), oursCpu.at("max") / rawCpu.at("max"));
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> m_times;
    std::map<std::string, std::map<std::string, double>> m_cpu;
};

// Both ways once more on fresh copies: the same database, table by table.
void checkSameDatabase() {
    auto ours = [](auto makeBatch, auto makeEvent) {
        const QString file = freshCopy(QStringLiteral("ours.db"));
        {
            Database db(file);
            auto event = makeEvent(db);
            blockbatch::process(db, event, makeBatch(db), LargeFarm::kDay);
        }
        return rawbaseline::dump(RawConnection(file).db);
    };
    const QString inseminated =
        ours(inseminationBatch, [](Database& db) { return InseminationEvent(FarmParameters::read(db), kPool); });
    const QString born = ours(birthBatch, [](Database&) { return BirthEvent(); });

    auto rawRun = [](bool births) {
        const QString file = freshCopy(QStringLiteral("raw.db"));
        std::vector<rawbaseline::Insemination> ins;
        std::vector<rawbaseline::Birth> bir;
        {
            Database db(file);
            if (births)
                bir = rawBirths(birthBatch(db));
            else
                ins = rawInseminations(inseminationBatch(db));
        }
        RawConnection c(file);
        if (births)
            rawbaseline::giveBirth(c.db, bir, LargeFarm::kDay);
        else
            rawbaseline::inseminate(c.db, ins, LargeFarm::kDay);
        return rawbaseline::dump(c.db);
    };
    std::printf("Inseminations2000    same database as raw: %s\n", inseminated == rawRun(false) ? "yes" : "NO");
    std::printf("Births2000           same database as raw: %s\n", born == rawRun(true) ? "yes" : "NO");
}

// Takes --name=N off the command line, leaving the rest to the benchmark library.
void takeFlag(int& argc, char** argv, const char* name, int& value) {
    const std::string prefix = std::string("--") + name + "=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
            value = std::atoi(argv[i] + prefix.size());
            std::memmove(argv + i, argv + i + 1, sizeof(char*) * size_t(argc - i));
            --argc;
            return;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    takeFlag(argc, argv, "females", g_females);
    takeFlag(argc, argv, "rounds", g_rounds);
    g_females = std::max(g_females, 2 * kBatch);
    g_rounds = std::max(g_rounds, 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registerRuns();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (reporter.ranBatches())
        checkSameDatabase();
    return 0;
}
