// The culling proposals, the selection listings and the occupied cages composed
// over the generated farm of 5,000 females, each line with its births or
// matings counted by the one prepared count of its sheet.
//
// The generated farm is copied once and given what these listings look for:
// every second female's current cycle palpated negative (index 0 on all of
// them, so about 2,500 culling proposals), every second female selected, and
// the males' indices spread from 0 to 69.
#include "LargeFarm.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "reports/SheetComposer.h"
#include "selection/AnimalListing.h"
#include "selection/OccupiedCages.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QString farmFile() {
    const QString dir = QDir::tempPath() + QStringLiteral("/torvane-bench");
    QDir().mkpath(dir);
    const QString large = dir + QStringLiteral("/large-farm.db");
    const QString file = dir + QStringLiteral("/selection-farm.db");
    if (QFile::exists(file))
        return file;
    if (!QFile::exists(large)) {
        LargeFarm::ensure(large);
        Database{large};
    }
    const QString building = file + QStringLiteral(".part");
    QFile::remove(building);
    QFile::copy(large, building);
    {
        Database db(building);
        Transaction t(db);
        db.execNative(QStringLiteral("update CubriHembras set Palpacion=0 where CodigoHembra % 2 = 0 and Orden in "
                                     "(select max(Orden) from CubriHembras group by CodigoHembra)"));
        db.execNative(QStringLiteral("update Hembras set Seleccion=1 where CodigoHembra % 2 = 1"));
        db.execNative(QStringLiteral("update Machos set Seleccion=1, Eficacia=CodigoMacho % 70"));
        t.commit();
    }
    QFile::rename(building, file);
    return file;
}

void Listing(benchmark::State& state) {
    Database db(farmFile());
    const auto kind = ListingKind(state.range(0));
    state.SetLabel(listing::launcherTitle(kind).toStdString());
    int lines = 0, pages = 0;
    for (auto _ : state) {
        AnimalListing listing(db, kind, ListingOrder::Cage, LargeFarm::kDay);
        const auto doc = SheetComposer::compose(listing.sheet(), listing.rows());
        lines = doc->rows;
        pages = int(doc->pages.size());
    }
    state.counters["lines"] = lines;
    state.counters["pages"] = pages;
}
BENCHMARK(Listing)
    ->Arg(int(ListingKind::CullingFemales))
    ->Arg(int(ListingKind::SelectionFemales))
    ->Arg(int(ListingKind::CullingMales))
    ->Arg(int(ListingKind::SelectionMales))
    ->Unit(benchmark::kMillisecond);

void EveryOccupiedCage(benchmark::State& state) {
    Database db(farmFile());
    int lines = 0, pages = 0;
    for (auto _ : state) {
        OccupiedCages cages(db, 0, 0, LargeFarm::kDay);
        const auto doc = SheetComposer::compose(cages.sheet(), cages.rows());
        lines = doc->rows;
        pages = int(doc->pages.size());
    }
    state.counters["lines"] = lines;
    state.counters["pages"] = pages;
}
BENCHMARK(EveryOccupiedCage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
