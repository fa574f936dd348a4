// Packs and unpacks the generated farm folder and, in the same run, times
// gzip -6 and gzip -d over the same bytes (the folder's files laid end to end
// in archive order), then prints how the two compare. The whole backup and
// restore are timed too, on a fake drive: snapshot of the farm, archive,
// checks and read-back of the disk; joining, unpacking, safety copy, closing
// and opening the farm again.

#include "FarmFolderGenerator.h"

#include "db/Database.h"
#include "utilities/archive/ArchiveReader.h"
#include "utilities/archive/ArchiveWriter.h"
#include "utilities/backup/FarmBackup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <map>
#include <vector>

namespace {

struct Paths {
    QString work;
    QString folder;
    QString joined; // every file of the folder, one after the other
    qint64 bytes = 0;
};

std::map<std::string, double> g_seconds; // mean wall time per run of each benchmark
std::map<std::string, qint64> g_sizes;

const Paths& paths() {
    static const Paths p = [] {
        Paths p;
        p.work = QProcessEnvironment::systemEnvironment().value("TORVANE_BENCH_DIR",
                                                                QDir::tempPath() + "/torvane-archive-bench");
        p.folder = p.work + "/granja";
        p.joined = p.work + "/granja.bin";
        FarmFolderGenerator(p.folder).ensure();
        QStringList files;
        QDirIterator it(p.folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        files.sort();
        QFile out(p.joined);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        for (const QString& path : files) {
            QFile in(path);
            if (!in.open(QIODevice::ReadOnly))
                std::abort();
            const QByteArray bytes = in.readAll();
            out.write(bytes);
            p.bytes += bytes.size();
        }
        return p;
    }();
    return p;
}

// `prepare` runs before each timed run and is not counted.
template <typename Work>
void timed(benchmark::State& state, const std::string& name, Work work, const std::function<void()>& prepare = {}) {
    double total = 0;
    for (auto _ : state) {
        if (prepare) {
            state.PauseTiming();
            prepare();
            state.ResumeTiming();
        }
        const auto start = std::chrono::steady_clock::now();
        work();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_seconds[name] = total / double(state.iterations());
    state.SetBytesProcessed(state.iterations() * paths().bytes);
}

void run(const QString& command) {
    if (std::system(command.toLocal8Bit().constData()) != 0)
        std::abort();
}

QString archivePath(int threads) {
    return paths().work + QStringLiteral("/ZR-%1").arg(threads);
}

void BM_ArchiveWrite(benchmark::State& state) {
    const int threads = int(state.range(0));
    timed(state, "write" + std::to_string(threads), [&] {
        ArchiveWriter writer(archivePath(threads));
        writer.setThreads(threads);
        writer.setArchiveId(1);
        writer.addFolderTree(paths().folder);
    });
    g_sizes["archive"] = QFileInfo(archivePath(threads)).size();
}

void BM_ArchiveExtract(benchmark::State& state) {
    const int threads = int(state.range(0));
    const QString out = paths().work + "/restaurada";
    if (!QFile::exists(archivePath(2))) {
        ArchiveWriter writer(archivePath(2));
        writer.addFolderTree(paths().folder);
    }
    timed(
        state, "extract" + std::to_string(threads),
        [&] {
            ArchiveReader reader(archivePath(2));
            reader.setThreads(threads);
            reader.extractAll(out);
        },
        [&] { QDir(out).removeRecursively(); });
}

// The farm folder as the backup finds it: the database at the top, beside the
// other files, all hard links to the generated ones (the same bytes).
QString dataFolder() {
    static const QString folder = [] {
        const QString target = paths().work + "/datos-granja";
        if (QFile::exists(target + "/.listo"))
            return target;
        QDir(target).removeRecursively();
        const QDir source(paths().folder);
        QDirIterator it(paths().folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            QString relative = source.relativeFilePath(from);
            if (relative.startsWith("Datos/"))
                relative = relative.mid(6);
            if (relative.startsWith('.'))
                continue;
            const QString to = target + '/' + relative;
            QDir().mkpath(QFileInfo(to).absolutePath());
            std::filesystem::create_hard_link(from.toStdString(), to.toStdString());
        }
        QFile(target + "/.listo").open(QIODevice::WriteOnly);
        return target;
    }();
    return folder;
}

// One removable disk that holds the whole set, and nobody to answer.
class BenchDrive : public BackupDrive {
public:
    bool hasDisk(const QString&) const override { return true; }
    qint64 freeBytes(const QString&) const override { return qint64(1) << 40; }
    bool folderExists(const QString& path) const override { return QFileInfo(path).isDir(); }
    bool isRemovable(const QString&) const override { return true; }
};
class Silent : public BackupPrompts {
public:
    std::optional<QString> askDisk(int, const QString&) override { return std::nullopt; }
    bool askEraseEarlierSet() override { return true; }
    void tell(const QString&) override {}
    void action(const QString&) override {}
    void percent(int) override {}
};

QString diskPath() {
    return paths().work + "/disco";
}

void BM_Backup(benchmark::State& state) {
    BenchDrive drive;
    Silent prompts;
    QDir().mkpath(diskPath());
    const QString folder = dataFolder();
    timed(state, "backup", [&] {
        QString path = diskPath();
        FarmBackup backup(drive, prompts);
        backup.backup(folder, path);
    });
    g_sizes["set"] = QFileInfo(diskPath() + "/ZR").size();
}

void BM_Restore(benchmark::State& state) {
    BenchDrive drive;
    Silent prompts;
    const QString target = paths().work + "/restaurada-granja/Datos";
    if (!QFile::exists(diskPath() + "/ZR")) {
        QDir().mkpath(diskPath());
        QString path = diskPath();
        FarmBackup(drive, prompts).backup(dataFolder(), path);
    }
    std::unique_ptr<Database> farm;
    timed(
        state, "restore",
        [&] {
            QString path = diskPath();
            FarmBackup restore(drive, prompts);
            restore.restore(target, path, [](const auto&, const auto&) { return OverwriteAnswer::ReplaceAll; },
                            farm.get());
        },
        // Over the farm that is there and open, as the screen does.
        [&] {
            farm.reset();
            QDir(paths().work + "/restaurada-granja").removeRecursively();
            QDir().mkpath(target);
            QFile::copy(dataFolder() + "/Quendal.db", target + "/Quendal.db");
            farm = std::make_unique<Database>(target + "/Quendal.db");
        });
}

void BM_Gzip6(benchmark::State& state) {
    timed(state, "gzip", [] { run(QStringLiteral("gzip -6 -c '%1' > '%1.gz'").arg(paths().joined)); });
    g_sizes["gzip"] = QFileInfo(paths().joined + ".gz").size();
}

void BM_GzipD(benchmark::State& state) {
    timed(state, "gunzip", [] { run(QStringLiteral("gzip -d -c '%1.gz' > '%1.out'").arg(paths().joined)); });
}

// Wall time: the work runs on other threads or in another process.
BENCHMARK(BM_Gzip6)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ArchiveWrite)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_GzipD)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ArchiveExtract)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

bool sameFile(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 20) != fb.read(1 << 20))
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("Folder: %s (%.1f MB)\n", qPrintable(paths().folder), paths().bytes / 1e6);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const auto has = [](const char* name) { return g_seconds.count(name) != 0; };
    if (!has("gzip") || !has("write2") || !has("gunzip") || !has("extract2"))
        return 0; // a filtered run: nothing to compare
    const double mb = paths().bytes / 1e6;
    std::printf("\n%-34s %8s %9s\n", "", "seconds", "MB/s");
    for (const auto& [name, label] :
         std::vector<std::pair<std::string, const char*>>{{"gzip", "gzip -6"},
                                                          {"write1", "archive, 1 thread"},
                                                          {"write2", "archive, 2 threads"},
                                                          {"gunzip", "gzip -d"},
                                                          {"extract1", "extract, 1 thread"},
                                                          {"extract2", "extract, 2 threads"},
                                                          {"backup", "backup, whole"},
                                                          {"restore", "restore, whole"}})
        if (has(name.c_str()))
            std::printf("%-34s %8.3f %9.1f\n", label, g_seconds[name], mb / g_seconds[name]);
    std::printf("\narchive size / gzip -6 size          %.4f  (%lld vs %lld bytes)\n",
                double(g_sizes["archive"]) / double(g_sizes["gzip"]), (long long)g_sizes["archive"],
                (long long)g_sizes["gzip"]);
    std::printf("archive time / gzip -6 time          %.3f  (2 threads)\n", g_seconds["write2"] / g_seconds["gzip"]);
    if (has("write1"))
        std::printf("archive time / gzip -6 time          %.3f  (1 thread)\n", g_seconds["write1"] / g_seconds["gzip"]);
    std::printf("extract time / gzip -d time          %.3f  (2 threads)\n",
                g_seconds["extract2"] / g_seconds["gunzip"]);
    if (has("extract1"))
        std::printf("extract time / gzip -d time          %.3f  (1 thread)\n",
                    g_seconds["extract1"] / g_seconds["gunzip"]);
    if (has("backup"))
        std::printf("backup time / gzip -6 time           %.3f  (whole operation)\n",
                    g_seconds["backup"] / g_seconds["gzip"]);
    if (has("restore"))
        std::printf("restore time / gzip -6 time          %.3f  (whole operation; %.3f of gzip -d)\n",
                    g_seconds["restore"] / g_seconds["gzip"], g_seconds["restore"] / g_seconds["gunzip"]);
    if (has("write1"))
        std::printf("1- and 2-thread archives identical   %s\n",
                    sameFile(archivePath(1), archivePath(2)) ? "yes" : "NO");
    return 0;
}
