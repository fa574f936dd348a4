// Feeds arbitrary bytes to the archive reader: checking and unpacking must end
// in success or an ArchiveError, never a crash, a hang, a huge allocation or a
// file outside the extraction folder.
//
// With TORVANE_FUZZ_SEEDS set to a folder, the first run also writes a few
// genuine archives there to start the corpus from.

#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveReader.h"
#include "utilities/archive/ArchiveWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(bytes);
}

void writeSeeds(const QString& seeds) {
    QDir().mkpath(seeds);
    QTemporaryDir source;
    const QDir root(source.path());
    QByteArray rows;
    for (int i = 0; rows.size() < 70000; ++i)
        rows += QByteArray::number(i) + ";jaula " + QByteArray::number(i % 97) + ";+\n";
    QByteArray noise(3000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);

    root.mkpath("a/vacía");
    writeFile(root.filePath("vacío"), {});
    ArchiveWriter(seeds + "/empty-file").addFolderTree(source.path());
    writeFile(root.filePath("a/datos.db"), rows);
    writeFile(root.filePath("a/ruido"), noise);
    ArchiveWriter(seeds + "/tree").addFolderTree(source.path());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* seeds = std::getenv("TORVANE_FUZZ_SEEDS"))
        writeSeeds(QString::fromLocal8Bit(seeds));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    try {
        ArchiveReader reader(&buffer, "fuzz");
        reader.setThreads(1);
        reader.verify();
    } catch (const ArchiveError&) {
    }

    const QString out = scratch().filePath("out");
    try {
        QBuffer again(&bytes);
        ArchiveReader reader(&again, "fuzz");
        reader.setThreads(1);
        reader.extractAll(out);
    } catch (const ArchiveError&) {
    }
    QDir(out).removeRecursively();
    // Whatever the archive said, nothing may have landed beside out/.
    if (!QDir(scratch().path())
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
             .isEmpty()) {
        std::fprintf(stderr, "a file was written outside the extraction folder\n");
        std::abort();
    }
    return 0;
}
