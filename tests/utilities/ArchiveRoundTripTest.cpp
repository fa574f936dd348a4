// Folders written and read back, archives from the independent writer, and
// what extraction does around existing files.

#include "ArchiveTestKit.h"
#include "TempFarm.h"

#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveReader.h"
#include "utilities/archive/ArchiveWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

struct Sample {
    const char* path;
    QByteArray content;
};

QList<Sample> samples() {
    return {
        {"cero", {}},
        {"uno", "1"},
        {"Datos/65535 bytes.db", kit::farmRows(65535)},
        {"Datos/65536", kit::randomBytes(11, 65536)},
        {"Datos/65537 año", kit::farmRows(65537)},
        {"Datos/Copias de ñandú/grande.db", kit::farmRows(3 * 1024 * 1024 + 5)},
        {"Fotos/ruido.jpg", kit::randomBytes(12, 2 * 1024 * 1024 + 3)},
    };
}

} // namespace

TEST(ArchiveRoundTrip, NestedFoldersComeBackByteForByte) {
    for (int threads : {1, 2}) {
        TempFolder source, target;
        const QDir root(source.path());
        for (const char* folder : {"Datos/Copias de ñandú", "Fotos", "vacía/más vacía", "Informes 2024"})
            ASSERT_TRUE(root.mkpath(QString::fromUtf8(folder)));
        const QDateTime when(QDate(2023, 11, 5), QTime(8, 30, 15));
        for (const Sample& s : samples()) {
            const QString path = root.filePath(QString::fromUtf8(s.path));
            kit::writeFile(path, s.content);
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime));
        }
        ArchiveWriter writer(target.file("ZR"));
        writer.setThreads(threads);
        writer.addFolderTree(source.path());

        ArchiveReader reader(target.file("ZR"));
        reader.setThreads(threads);
        const ExtractResult result = reader.extractAll(target.file("out"));
        EXPECT_EQ(result.files, 7);
        EXPECT_EQ(result.folders, 2); // "vacía/más vacía" and "Informes 2024"
        EXPECT_EQ(kit::tree(target.file("out")), kit::tree(source.path()));
        for (const Sample& s : samples()) {
            const QString path = QDir(target.file("out")).filePath(QString::fromUtf8(s.path));
            EXPECT_EQ(kit::readFile(path), s.content) << s.path;
            EXPECT_EQ(QFileInfo(path).lastModified(), when) << s.path;
        }
    }
}

TEST(ArchiveRoundTrip, ReadsWhatTheIndependentWriterWrites) {
    TempFolder temp;
    const QByteArray big = kit::farmRows(200000) + kit::randomBytes(6, 100000);
    kit::writeFile(temp.file("ZR"), kit::build({
                                        {"A\xF1o\\datos.db", big},                          // Windows-1252
                                        {QString::fromUtf8("日本\\ñ.txt").toUtf8(), "utf"}, // UTF-8
                                        {"vieja.", {}, true},                               // folder as "name."
                                        {"nueva\\.", {}, true},
                                        {"c\\vac\xEDo", {}},
                                    }));
    ArchiveReader reader(temp.file("ZR"));
    reader.extractAll(temp.file("out"));
    EXPECT_EQ(kit::tree(temp.file("out")),
              QStringList({"Año/", "Año/datos.db", "c/", "c/vacío", "nueva/", "vieja/", "日本/", "日本/ñ.txt"}));
    EXPECT_EQ(kit::readFile(temp.file("out/Año/datos.db")), big);
    EXPECT_EQ(kit::readFile(temp.file("out/日本/ñ.txt")), "utf");
}

TEST(ArchiveRoundTrip, WritesWhatTheIndependentWriterWrites) {
    // Same files, same order, same levels: the same blocks and entries, apart
    // from dates and attributes, which the independent writer leaves at zero.
    TempFolder temp;
    QDir(temp.path()).mkpath("in/sub");
    const QByteArray data = kit::farmRows(150000) + kit::randomBytes(8, 66000);
    kit::writeFile(temp.file("in/a.db"), data);
    kit::writeFile(temp.file("in/sub/b"), "b");
    const kit::RawArchive ours = kit::parse(kit::archiveOf(temp.file("in")));
    const kit::RawArchive theirs = kit::parse(kit::build({{"a.db", data}, {"sub\\b", "b"}}));
    ASSERT_EQ(ours.list.size(), theirs.list.size());
    for (int i = 0; i < ours.list.size(); ++i) {
        EXPECT_EQ(ours.list[i].name, theirs.list[i].name);
        EXPECT_EQ(ours.list[i].offset, theirs.list[i].offset);
        EXPECT_EQ(ours.list[i].flags, theirs.list[i].flags);
        EXPECT_EQ(ours.list[i].stored, theirs.list[i].stored);
        const auto blocks = [](const kit::RawArchive& a, int i) {
            return a.bytes.mid(a.list[i].offset + 45 + a.list[i].name.size(), a.list[i].stored);
        };
        EXPECT_EQ(blocks(ours, i), blocks(theirs, i));
    }
    EXPECT_EQ(ours.bytes.size(), theirs.bytes.size());
}

TEST(ArchiveRoundTrip, ExistingFilesFollowTheAnswers) {
    TempFolder temp;
    QDir(temp.path()).mkpath("in");
    for (const char* name : {"a", "b", "c", "d"})
        kit::writeFile(temp.file(QString("in/") + name), QByteArray("new ") + name);
    kit::writeFile(temp.file("ZR"), kit::archiveOf(temp.file("in")));

    const struct {
        QList<OverwriteAnswer> answers;
        QByteArray expected; // what a, b, c, d hold afterwards: N new, O old
        int asked;
        bool cancelled;
    } rows[] = {
        {{OverwriteAnswer::Keep, OverwriteAnswer::Replace, OverwriteAnswer::Keep, OverwriteAnswer::Replace},
         "ONON",
         4,
         false},
        {{OverwriteAnswer::Keep, OverwriteAnswer::ReplaceAll}, "ONNN", 2, false},
        {{OverwriteAnswer::Replace, OverwriteAnswer::Cancel}, "NOOO", 2, true},
    };
    for (const auto& row : rows) {
        const QString out = temp.file("out");
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        for (const char* name : {"a", "b", "c", "d"})
            kit::writeFile(out + "/" + name, "old");
        int asked = 0;
        ArchiveReader reader(temp.file("ZR"));
        reader.setOverwriteQuestion([&](const ArchiveLayout::Entry& archived, const QFileInfo& existing) {
            EXPECT_EQ(archived.size, 5);
            EXPECT_EQ(existing.size(), 3);
            return row.answers.value(asked++);
        });
        const ExtractResult result = reader.extractAll(out);
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(result.cancelled, row.cancelled);
        QByteArray held;
        for (const char* name : {"a", "b", "c", "d"})
            held += kit::readFile(out + "/" + name) == "old" ? 'O' : 'N';
        EXPECT_EQ(held, row.expected);
    }
}

TEST(ArchiveRoundTrip, ProgressNamesEveryFileAndReachesTheEnd) {
    TempFolder temp;
    QDir(temp.path()).mkpath("in/sub");
    kit::writeFile(temp.file("in/a"), kit::farmRows(300000));
    kit::writeFile(temp.file("in/sub/b"), "b");
    QStringList started;
    qint64 last = -1, total = 0;
    bool forwards = true;
    ArchiveProgress progress{[&](const QString& path) { started << QFileInfo(path).fileName(); },
                             [&](qint64 done, qint64 all) {
                                 forwards = forwards && done >= last && done <= all;
                                 last = done;
                                 total = all;
                             }};
    ArchiveWriter writer(temp.file("ZR"));
    writer.setProgress(progress);
    writer.addFolderTree(temp.file("in"));
    EXPECT_EQ(started, QStringList({"a", "b"}));
    EXPECT_TRUE(forwards);
    EXPECT_EQ(last, 300001);
    EXPECT_EQ(total, 300001);

    started.clear();
    last = -1;
    ArchiveReader reader(temp.file("ZR"));
    reader.setProgress(progress);
    reader.extractAll(temp.file("out"));
    EXPECT_EQ(started, QStringList({"a", "b"}));
    EXPECT_TRUE(forwards);
    EXPECT_EQ(last, QFileInfo(temp.file("ZR")).size() - 273);
    EXPECT_EQ(total, last);
}

TEST(ArchiveRoundTrip, WhatAnInterruptedWriterLeftPastTheEndRefusesTheArchive) {
    TempFolder temp;
    QDir(temp.path()).mkpath("in");
    kit::writeFile(temp.file("in/a"), "aaa");
    QByteArray bytes = kit::archiveOf(temp.file("in"));
    // An entry begun but never finished: the header never counted it, and
    // the files that were to follow it are missing.
    bytes += kit::build({{"b", kit::randomBytes(2, 1000)}}).mid(273, 500);
    QBuffer buffer(&bytes);
    ArchiveReader reader(&buffer, "ZR");
    EXPECT_THROW(reader.verify(), ArchiveError);
    EXPECT_THROW(reader.entries(), ArchiveError);
}

TEST(ArchiveRoundTrip, PipesLoopsAndTheArchiveItselfAreLeftOut) {
    TempFolder temp;
    kit::writeFile(temp.file("a"), "a");
#ifdef Q_OS_UNIX
    ASSERT_EQ(::mkfifo(QFile::encodeName(temp.file("tubo")).constData(), 0600), 0); // reading it would hang
#endif
    ASSERT_TRUE(QFile::link(temp.path(), temp.file("bucle")));           // a folder link back up the tree
    ASSERT_TRUE(QFile::link(temp.file("no existe"), temp.file("rota"))); // a broken link
    // Twice: the second time an earlier archive lies in the tree.
    for (int run = 0; run < 2; ++run) {
        ArchiveWriter writer(temp.file("ZR"));
        writer.addFolderTree(temp.path());
        ArchiveReader reader(temp.file("ZR"));
        ASSERT_EQ(reader.entries().size(), 1);
        EXPECT_EQ(reader.entries()[0].name, "a");
    }
}

TEST(ArchiveRoundTrip, WriterFailuresAreReported) {
    TempFolder temp;
    const struct {
        QString archive, folder;
        ArchiveError::Kind kind;
    } rows[] = {
        {temp.file("ZR"), temp.file("no existe"), ArchiveError::Kind::ReadFailed},
        {temp.file("no existe/ZR"), temp.path(), ArchiveError::Kind::WriteFailed},
    };
    for (const auto& row : rows) {
        ArchiveWriter writer(row.archive);
        try {
            writer.addFolderTree(row.folder);
            ADD_FAILURE() << "no error for " << row.archive.toStdString();
        } catch (const ArchiveError& error) {
            EXPECT_EQ(error.kind(), row.kind);
        }
    }
}

TEST(ArchiveRoundTrip, AFailedWriteLeavesNoFileAndTheEarlierArchiveAsItWas) {
    const struct {
        const char* what;
        std::function<void(const QString& folder)> onFirstFile;
    } rows[] = {
        // What a cancel from the progress window does.
        {"an exception from the progress", [](const QString&) { throw std::runtime_error("cancelled"); }},
        {"a file gone before it is read", [](const QString& folder) { QFile::remove(folder + "/b"); }},
    };
    for (const auto& row : rows) {
        for (const bool earlier : {false, true}) {
            TempFolder temp;
            QDir(temp.path()).mkpath("in");
            QDir(temp.path()).mkpath("out");
            kit::writeFile(temp.file("in/a"), kit::farmRows(200000));
            kit::writeFile(temp.file("in/b"), "b");
            const QByteArray old = earlier ? kit::archiveOf(temp.file("in")) : QByteArray();
            if (earlier)
                kit::writeFile(temp.file("out/ZR"), old);
            ArchiveWriter writer(temp.file("out/ZR"));
            bool first = true;
            writer.setProgress({[&](const QString&) {
                                    if (std::exchange(first, false))
                                        row.onFirstFile(temp.file("in"));
                                },
                                {}});
            EXPECT_ANY_THROW(writer.addFolderTree(temp.file("in"))) << row.what;
            EXPECT_EQ(kit::tree(temp.file("out")), earlier ? QStringList{"ZR"} : QStringList{}) << row.what;
            if (earlier) {
                EXPECT_EQ(kit::readFile(temp.file("out/ZR")), old) << row.what;
            }
        }
    }
}
