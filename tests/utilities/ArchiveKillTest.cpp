// A writer killed at any moment: the archive under the target's name is the
// earlier one, byte for byte, or a new complete one; what the killed writer
// left under its temporary name is refused by the reader, never restored.
//
// On Linux the temporary file has no name (it vanishes with the process), so
// the writer is first stopped and the file it is writing is copied through
// /proc: that copy, what a kill leaves on a system that names the file, must
// be refused unless it is already complete.

#include "ArchiveTestKit.h"
#include "TempFarm.h"

#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/types.h>
#endif

namespace {

enum class Outcome { Refused, Complete, Wrong };

// Checks and restores `archive` as the restore would. A restore that reports
// success must give back exactly the source tree; checking and restoring must
// agree on refusing it.
Outcome restore(const QString& archive, const QString& scratch, const QString& source) {
    QDir(scratch).removeRecursively();
    bool verified = true, restored = true;
    try {
        ArchiveReader(archive).verify();
    } catch (const ArchiveError&) {
        verified = false;
    }
    try {
        ArchiveReader(archive).extractAll(scratch);
    } catch (const ArchiveError&) {
        restored = false;
    }
    if (verified != restored)
        return Outcome::Wrong;
    if (!restored)
        return Outcome::Refused;
    const QStringList files = kit::tree(source);
    if (kit::tree(scratch) != files)
        return Outcome::Wrong;
    for (const QString& file : files)
        if (!file.endsWith(u'/') && kit::readFile(scratch + u'/' + file) != kit::readFile(source + u'/' + file))
            return Outcome::Wrong;
    return Outcome::Complete;
}

#ifdef Q_OS_LINUX
// Stops the process (or finds it already ended) and copies every file it
// holds open in `folder`: the archive it is writing, named or not.
QList<QByteArray> stopAndCopy(qint64 pid, const QString& folder) {
    if (::kill(pid_t(pid), SIGSTOP) != 0)
        return {};
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    for (int wait = 0; wait < 1000; ++wait) {
        QFile stat(proc + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            return {};
        const QByteArray line = stat.readAll();
        const qsizetype state = line.lastIndexOf(')') + 2;
        if (state > 1 && state < line.size() && QByteArray("TtZ").contains(line[state]))
            break;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    QList<QByteArray> copies;
    for (const QFileInfo& fd : QDir(proc + "/fd").entryInfoList(QDir::System | QDir::Files)) {
        if (!fd.symLinkTarget().startsWith(folder + u'/'))
            continue;
        QFile file(fd.filePath());
        if (file.open(QIODevice::ReadOnly))
            copies << file.readAll();
    }
    return copies;
}
#endif

} // namespace

TEST(ArchiveKill, AWriterKilledAnywhereLeavesTheEarlierArchiveOrACompleteOne) {
    TempFolder temp;
    const QString source = temp.file("Datos"), out = temp.file("copia"), target = out + "/ZR";
    QDir().mkpath(source + "/Fotos");
    QDir().mkpath(out);
    for (int i = 0; i < 5; ++i)
        kit::writeFile(source + QString("/tabla%1.db").arg(i), kit::farmRows(250000 + i));
    kit::writeFile(source + "/Fotos/granja.jpg", kit::randomBytes(7, 500000));
    QDir().mkpath(temp.file("antes"));
    kit::writeFile(temp.file("antes/viejo.db"), kit::farmRows(5000));
    kit::writeFile(target, kit::archiveOf(temp.file("antes")));

    const QString child = QStringLiteral(ARCHIVE_WRITE_CHILD);
    // One whole run, to know how long a write takes here.
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(QProcess::execute(child, {source, temp.file("medida")}), 0);
    const qint64 whole = clock.elapsed();
    ASSERT_EQ(restore(temp.file("medida"), temp.file("prueba"), source), Outcome::Complete);

    std::mt19937 engine(20261209);
    std::uniform_int_distribution<qint64> moment(0, whole * 11 / 10);
    int kept = 0, replaced = 0, leftovers = 0, caught = 0, refused = 0;
    for (int round = 0; round < 30; ++round) {
        const QByteArray before = kit::readFile(target);
        QProcess writer;
        writer.start(child, {source, target});
        ASSERT_TRUE(writer.waitForStarted());
        std::this_thread::sleep_for(std::chrono::milliseconds(moment(engine)));
#ifdef Q_OS_LINUX
        for (const QByteArray& copy : stopAndCopy(writer.processId(), QFileInfo(out).canonicalFilePath())) {
            ++caught;
            kit::writeFile(temp.file("cogido"), copy);
            const Outcome outcome = restore(temp.file("cogido"), temp.file("prueba"), source);
            EXPECT_NE(outcome, Outcome::Wrong) << "round " << round << ", " << copy.size() << " bytes";
            refused += outcome == Outcome::Refused;
        }
#endif
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished());

        if (kit::readFile(target) == before) {
            ++kept;
        } else {
            ++replaced;
            ASSERT_EQ(restore(target, temp.file("prueba"), source), Outcome::Complete) << "round " << round;
        }
        for (const QString& name : QDir(out).entryList(QDir::Files | QDir::Hidden)) {
            if (name == "ZR")
                continue;
            ++leftovers;
            // Killed before its rename: cut short (refused) or, at the very
            // end, complete; never a partial archive that restores.
            EXPECT_NE(restore(out + "/" + name, temp.file("prueba"), source), Outcome::Wrong) << "round " << round;
            QFile::remove(out + "/" + name);
        }
    }
    std::cout << "30 kills over " << whole << " ms writes: " << kept << " left the earlier archive, " << replaced
              << " a new one, " << leftovers << " a temporary file; " << caught << " caught being written, " << refused
              << " of them refused\n";
    EXPECT_GT(kept, 0);
#ifdef Q_OS_LINUX
    EXPECT_GT(caught, 0);
#endif
}
