// Damaged and hostile archives: every one is reported as an ArchiveError, never
// a crash, and nothing is written outside the extraction folder or left half
// written inside it.

#include "ArchiveTestKit.h"
#include "TempFarm.h"

#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <random>

namespace {

using Kind = ArchiveError::Kind;

// Extracts `bytes` into <temp>/box/out and returns the error, if any. Anything
// that appears in box/ beside out/ escaped the extraction folder.
std::optional<ArchiveError> extract(const TempFolder& temp, const QByteArray& bytes, bool* escaped = nullptr) {
    QDir(temp.file("box")).removeRecursively();
    QDir().mkpath(temp.file("box/out"));
    kit::writeFile(temp.file("ZR"), bytes);
    std::optional<ArchiveError> error;
    try {
        ArchiveReader reader(temp.file("ZR"));
        reader.setThreads(2);
        reader.extractAll(temp.file("box/out"));
    } catch (const ArchiveError& e) {
        error = e;
    }
    if (escaped)
        *escaped = !kit::tree(temp.file("box")).filter(QRegularExpression("^(?!out/)")).isEmpty();
    return error;
}

QByteArray threeFiles() {
    return kit::build({{"a", "primero"}, {"b", kit::farmRows(140000)}, {"c", kit::randomBytes(1, 3000)}});
}

// A single-file archive whose only block is `stream`, with a valid checksum.
QByteArray withBlock(const QByteArray& stream, qint64 size) {
    QByteArray bytes = kit::build({{"f", "x"}});
    const qsizetype block = 273 + 45 + 1;
    bytes.truncate(block);
    QByteArray head(8, '\0');
    kit::putU32(head, 0, std::uint32_t(stream.size()));
    kit::putU32(head, 4, kit::referenceChecksum(stream));
    bytes += head + stream;
    kit::putI64(bytes, block - 16, size);
    kit::putI64(bytes, block - 8, 8 + stream.size());
    kit::putU32(bytes, 16, std::uint32_t(bytes.size()));
    return bytes;
}

QByteArray zlibStream(const QByteArray& data) {
    QByteArray packed(int(compressBound(uLong(data.size()))), '\0');
    uLongf size = uLongf(packed.size());
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(data.constData()),
              uLong(data.size()), 6);
    return packed.left(qsizetype(size));
}

} // namespace

TEST(ArchiveDamage, AChangedStoredByteStopsThatFileWithTheChecksumMessage) {
    TempFolder temp;
    QByteArray bytes = threeFiles();
    const kit::RawArchive a = kit::parse(bytes);
    const kit::RawBlock& block = a.list[1].blocks[1];
    bytes[block.offset + 8 + block.stored.size() / 2] ^= 0x20;

    QDir().mkpath(temp.file("box/out"));
    std::optional<ArchiveError> error;
    for (int threads : {1, 2}) {
        QDir(temp.file("box")).removeRecursively();
        QDir().mkpath(temp.file("box/out"));
        kit::writeFile(temp.file("box/out/b"), "la copia anterior");
        kit::writeFile(temp.file("ZR"), bytes);
        ArchiveReader reader(temp.file("ZR"));
        reader.setThreads(threads);
        try {
            reader.extractAll(temp.file("box/out"));
            FAIL() << "no error";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.kind(), Kind::BadChecksum);
            EXPECT_EQ(e.message(), QString("CRC incorrecto: los datos dentro del archivo estan corrompidos"));
            EXPECT_EQ(e.entryName(), "b");
        }
        // a is done, b keeps its old contents and no temporary file is left.
        EXPECT_EQ(kit::tree(temp.file("box/out")), QStringList({"a", "b"}));
        EXPECT_EQ(kit::readFile(temp.file("box/out/b")), "la copia anterior");
    }
}

TEST(ArchiveDamage, BrokenFieldsAreReportedBeforeAnythingIsWritten) {
    const auto entry = [](int i) { return kit::parse(threeFiles()).list[i]; };
    const struct {
        const char* what;
        std::function<void(QByteArray&)> damage;
        Kind kind;
        QString message;
    } rows[] = {
        {"signature", [](QByteArray& b) { b[0] = 'P'; }, Kind::BadSignature, ""},
        {"empty file", [](QByteArray& b) { b.clear(); }, Kind::BadSignature, ""},
        {"version 2", [](QByteArray& b) { kit::putU32(b, 4, 2); }, Kind::UnknownVersion, "Versión desconocida"},
        {"end of data past the file", [](QByteArray& b) { kit::putU32(b, 16, b.size() + 1); }, Kind::Damaged, ""},
        {"end of data inside the header", [](QByteArray& b) { kit::putU32(b, 16, 100); }, Kind::Damaged, ""},
        {"comment longer than the file", [](QByteArray& b) { kit::putU32(b, 269, 0xFFFFFFF0); }, Kind::Damaged, ""},
        {"block size 0", [](QByteArray& b) { kit::putU32(b, 12, 0); }, Kind::Damaged, ""},
        {"block size 4 GiB", [](QByteArray& b) { kit::putU32(b, 12, 0xFFFFFFFF); }, Kind::Damaged, ""},
        {"encrypted archive", [](QByteArray& b) { b[24] = 19; }, Kind::Unsupported, ""},
        {"name length 0", [](QByteArray& b) { kit::putU32(b, 273, 0); }, Kind::Damaged, ""},
        {"name length 2 GiB", [](QByteArray& b) { kit::putU32(b, 273, 0x7FFFFFFF); }, Kind::Damaged, ""},
        {"entry flags 0", [&](QByteArray& b) { b[entry(2).flagsAt()] = 0; }, Kind::Damaged, ""},
        {"unfinished entry", [&](QByteArray& b) { b[entry(2).flagsAt()] = 1; }, Kind::Damaged, ""},
        {"encrypted entry", [&](QByteArray& b) { b[entry(2).flagsAt()] = 13; }, Kind::Unsupported, ""},
        {"offset field", [&](QByteArray& b) { kit::putU32(b, entry(2).flagsAt() - 8, 5); }, Kind::Damaged, ""},
        {"negative size", [&](QByteArray& b) { kit::putI64(b, entry(2).flagsAt() + 1, -1); }, Kind::Damaged, ""},
        {"stored past the end", [&](QByteArray& b) { kit::putI64(b, entry(2).flagsAt() + 9, 1 << 30); }, Kind::Damaged,
         ""},
        {"negative stored", [&](QByteArray& b) { kit::putI64(b, entry(2).flagsAt() + 9, -8); }, Kind::Damaged, ""},
        {"stored size cuts a block", [&](QByteArray& b) { kit::putI64(b, entry(2).flagsAt() + 9, 9); }, Kind::Damaged,
         ""},
        {"block length 0", [&](QByteArray& b) { kit::putU32(b, entry(2).blocks[0].offset, 0); }, Kind::Damaged, ""},
        {"block length -2^31", [&](QByteArray& b) { kit::putU32(b, entry(2).blocks[0].offset, 0x80000000); },
         Kind::Damaged, ""},
        {"raw block longer than a block",
         [&](QByteArray& b) { kit::putU32(b, entry(2).blocks[0].offset, std::uint32_t(-65537)); }, Kind::Damaged, ""},
        {"size larger than the blocks", [&](QByteArray& b) { kit::putI64(b, entry(2).flagsAt() + 1, 3001); },
         Kind::Damaged, ""},
        {"size smaller than the blocks", [&](QByteArray& b) { kit::putI64(b, entry(2).flagsAt() + 1, 2999); },
         Kind::Damaged, ""},
    };
    TempFolder temp;
    for (const auto& row : rows) {
        QByteArray bytes = threeFiles();
        row.damage(bytes);
        bool escaped = true;
        const auto error = extract(temp, bytes, &escaped);
        ASSERT_TRUE(error.has_value()) << row.what;
        EXPECT_EQ(error->kind(), row.kind) << row.what << ": " << error->detail().toStdString();
        if (!row.message.isEmpty()) {
            EXPECT_EQ(error->message(), row.message);
        }
        if (row.kind == Kind::BadSignature) {
            EXPECT_EQ(error->message(), QString("Firma Erronea: el archivo \"%1\" no es valido").arg(temp.file("ZR")));
        }
        EXPECT_FALSE(escaped) << row.what;
        // Faults in the layout refuse the archive whole; block faults of the
        // third file leave only what came before it.
        const QStringList left = kit::tree(temp.file("box/out"));
        EXPECT_TRUE(left.isEmpty() || left == QStringList({"a", "b"})) << row.what << left.join(',').toStdString();
    }
}

TEST(ArchiveDamage, BadZlibStreamsAreReported) {
    QByteArray corrupt = zlibStream(kit::farmRows(5000));
    corrupt[corrupt.size() / 2] ^= 0x55;
    const struct {
        const char* what;
        QByteArray stream;
        qint64 size;
        Kind kind;
    } rows[] = {
        {"corrupt stream", corrupt, 5000, Kind::CannotInflate},
        {"cut stream", zlibStream(kit::farmRows(5000)).left(200), 5000, Kind::CannotInflate},
        {"inflates past a block", zlibStream(QByteArray(65537, 'x')), 65537, Kind::Damaged},
        {"bytes after the stream", zlibStream("abc") + "zz", 3, Kind::Damaged},
    };
    TempFolder temp;
    for (const auto& row : rows) {
        const auto error = extract(temp, withBlock(row.stream, row.size));
        ASSERT_TRUE(error.has_value()) << row.what;
        EXPECT_EQ(error->kind(), row.kind) << row.what;
        if (row.kind == Kind::CannotInflate) {
            EXPECT_EQ(error->message(), QString("No es posible descomprimir el bloque"));
        }
        EXPECT_TRUE(kit::tree(temp.file("box/out")).isEmpty()) << row.what;
    }
}

TEST(ArchiveDamage, HostileNamesNeverWriteOutsideTheFolder) {
    const QList<kit::RawFile> hostile{
        {"..\\evil", "x"},   {"a\\..\\..\\evil", "x"},    {"../evil", "x"}, {"\\tmp\\evil", "x"},
        {"/tmp/evil", "x"},  {"C:\\evil", "x"},           {"C:evil", "x"},  {"a\\. .\\evil", "x"},
        {"..\\.", {}, true}, {QByteArray("a\0b", 3), "x"}};
    TempFolder temp;
    for (const kit::RawFile& bad : hostile) {
        bool escaped = true;
        const auto error = extract(temp, kit::build({{"bien", "ok"}, bad}), &escaped);
        ASSERT_TRUE(error.has_value()) << bad.name.constData();
        EXPECT_EQ(error->kind(), Kind::Damaged);
        EXPECT_FALSE(escaped) << bad.name.constData();
        EXPECT_TRUE(kit::tree(temp.file("box/out")).isEmpty()) << bad.name.constData();
    }
}

TEST(ArchiveDamage, ALinkedFolderInTheTargetIsNotFollowedOutside) {
    TempFolder temp;
    QDir().mkpath(temp.file("box/out"));
    QDir().mkpath(temp.file("elsewhere"));
    ASSERT_TRUE(QFile::link(temp.file("elsewhere"), temp.file("box/out/sub")));
    kit::writeFile(temp.file("ZR"), kit::build({{"sub\\f", "x"}}));
    ArchiveReader reader(temp.file("ZR"));
    EXPECT_THROW(reader.extractAll(temp.file("box/out")), ArchiveError);
    EXPECT_TRUE(kit::tree(temp.file("elsewhere")).isEmpty());
}

TEST(ArchiveDamage, CutAndFlippedArchivesFailCleanly) {
    // Cut anywhere, with or without the header's end of data following the
    // cut, and with random bytes changed: an error or a shorter archive, never
    // a crash, a hang or a file outside the folder.
    TempFolder temp;
    const QByteArray good = threeFiles();
    std::mt19937 engine(2024);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = good;
        if (round < 200) {
            bytes.truncate(std::uniform_int_distribution<qsizetype>(0, good.size() - 1)(engine));
            if (round % 2 && bytes.size() >= 273)
                kit::putU32(bytes, 16, std::uint32_t(bytes.size()));
        } else {
            for (int flips = round % 4 + 1; flips > 0; --flips)
                bytes[std::uniform_int_distribution<qsizetype>(0, good.size() - 1)(engine)] = char(engine());
        }
        bool escaped = true;
        extract(temp, bytes, &escaped);
        ASSERT_FALSE(escaped) << "round " << round;
    }
}
