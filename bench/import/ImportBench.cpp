// The import of a large predecessor farm (5,000 females with seventeen cycles,
// 500 males with up to 200 matings, ten years of ledger and fattening days,
// the pools) into a new farm, beside its raw baseline: the same rows the
// import leaves, inserted through the SQLite C API with statements prepared
// once, bound per row, in one transaction, into another new farm.
//
//   bench_import [--rounds=N] [benchmark flags]
//
// At the end the import is printed as a ratio to its baseline, and the two
// farms are compared table by table.
#include "FerralindGenerator.h"
#include "bench/blocks/RawStatement.h"
#include "db/Database.h"
#include "import/FerralindImport.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

int g_rounds = 5;
const char* const kTables[] = {"DatosExplotacion", "Estructura", "HistoricoMaternidad", "Hembras",
                               "CubriHembras",     "Machos",     "CubriMachos",         "Pools",
                               "MasterPools",      "Cebadero"};

QString benchFolder() {
    const QString dir = QDir::tempPath() + QStringLiteral("/torvane-bench-import");
    QDir().mkpath(dir);
    return dir;
}

QString sourceFolder() {
    const QString folder = benchFolder() + QStringLiteral("/FERRALIND");
    ferralindgen::ensure(folder);
    return folder;
}

// A new farm in its own data folder, nothing of an earlier run left.
std::unique_ptr<Database> newFarm(const QString& name) {
    QDir(benchFolder() + QLatin1Char('/') + name).removeRecursively();
    return Database::openInFolder(benchFolder() + QLatin1Char('/') + name + QStringLiteral("/Datos"));
}

// One table's rows as the engine holds them, every value with its storage class.
struct Rows {
    int columns = 0;
    std::vector<std::vector<std::pair<int, std::string>>> rows;
    bool operator==(const Rows&) const = default;
};

std::map<std::string, Rows> readAll(sqlite3* db) {
    std::map<std::string, Rows> out;
    for (const char* table : kTables) {
        Rows& t = out[table];
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, (std::string("select * from ") + table + " order by rowid").c_str(), -1, &stmt, nullptr);
        t.columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            auto& row = t.rows.emplace_back();
            for (int c = 0; c < t.columns; ++c) {
                const int type = sqlite3_column_type(stmt, c);
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                row.emplace_back(type, text ? text : "");
            }
        }
        sqlite3_finalize(stmt);
    }
    return out;
}

// The baseline: the same rows, deleted and inserted as the import does, in one transaction.
void insertRaw(sqlite3* db, const std::map<std::string, Rows>& all) {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const auto& [table, t] : all) {
        sqlite3_exec(db, ("delete from " + table).c_str(), nullptr, nullptr, nullptr);
        std::string sql = "insert into " + table + " values (?";
        for (int c = 1; c < t.columns; ++c)
            sql += ",?";
        RawStatement insert(db, (sql + ")").c_str());
        for (const auto& row : t.rows) {
            for (int c = 0; c < t.columns; ++c) {
                const auto& [type, text] = row[c];
                if (type == SQLITE_NULL)
                    insert.null(c + 1);
                else if (type == SQLITE_INTEGER)
                    insert.bind(c + 1, qint64(std::stoll(text)));
                else if (type == SQLITE_FLOAT)
                    insert.bind(c + 1, std::stod(text));
                else
                    insert.bind(c + 1, QString::fromStdString(text));
            }
            insert.run();
        }
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

std::map<std::string, Rows> g_imported;

void importFarm(benchmark::State& state) {
    const QString source = sourceFolder();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Database> db = newFarm(QStringLiteral("import"));
        state.ResumeTiming();
        FerralindImport::run(*db, source, QDateTime::currentDateTime());
        state.PauseTiming();
        g_imported = readAll(db->handle());
        state.ResumeTiming();
    }
    qint64 rows = 0;
    for (const auto& [table, t] : g_imported)
        rows += qint64(t.rows.size());
    state.counters["rows"] = double(rows);
}

void rawInserts(benchmark::State& state) {
    if (g_imported.empty())
        state.SkipWithError("the import ran first");
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Database> db = newFarm(QStringLiteral("raw"));
        state.ResumeTiming();
        insertRaw(db->handle(), g_imported);
    }
}

// The median of the rounds of each benchmark, in milliseconds.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

} // namespace

BENCHMARK(importFarm)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(rawInserts)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rounds=", 9) == 0)
            g_rounds = std::atoi(argv[i] + 9);
        else
            args.push_back(argv[i]);
    }
    const std::string repetitions = "--benchmark_repetitions=" + std::to_string(g_rounds);
    args.push_back(const_cast<char*>(repetitions.c_str()));
    int n = int(args.size());
    benchmark::Initialize(&n, args.data());
    sourceFolder();
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    const double imported = collector.medians["importFarm"], raw = collector.medians["rawInserts"];
    if (raw > 0)
        std::printf("\nimport %.0f ms, raw baseline %.0f ms: %.2fx\n", imported, raw, imported / raw);
    // Both ways leave the same farm.
    std::unique_ptr<Database> check = newFarm(QStringLiteral("raw"));
    insertRaw(check->handle(), g_imported);
    std::printf("same rows after both: %s\n", readAll(check->handle()) == g_imported ? "yes" : "NO");
    benchmark::Shutdown();
    return 0;
}
