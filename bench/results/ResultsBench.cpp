// The technical results on the generated farm of 5,000 females (about 85,000
// cycle rows and a ledger row per day), every cycle row also a Pools row of a
// weekly band: one year and the whole history, bands, months and the ledger.
#include "LargeFarm.h"
#include "db/Database.h"
#include "results/TechnicalResults.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QString farmFile() {
    const QString dir = QDir::tempPath() + QStringLiteral("/torvane-bench");
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/results-farm.db");
    if (!QFile::exists(file)) {
        LargeFarm::ensure(file);
        Database db(file);
        // Every cycle row an insemination of the band of its week.
        db.exec(QStringLiteral("insert into Pools select FechaCubricion, CodigoHembra, 'S' || strftime('%W', "
                               "FechaCubricion), Palpacion, NacidosVivos, NacidosMuertos, 0, 'L' from CubriHembras"));
    }
    return file;
}

void Results(benchmark::State& state) {
    Database db(farmFile());
    const DatePeriod period = state.range(0) ? DatePeriod{LargeFarm::kDay.addYears(-1), LargeFarm::kDay} : DatePeriod{};
    size_t bands = 0, months = 0;
    for (auto _ : state) {
        const results::TechnicalResults r = results::compute(db, period, LargeFarm::kDay);
        bands = r.bands.size();
        months = r.months.size();
        benchmark::DoNotOptimize(r.monthsTotal.cycles.services);
    }
    state.counters["bands"] = double(bands);
    state.counters["months"] = double(months);
}
BENCHMARK(Results)->Arg(1)->Arg(0)->ArgNames({"oneYear"})->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
