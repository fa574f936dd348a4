// Damaged and hostile archives: every one is reported as an ArchiveError, never
// a crash, and nothing is written outside the extraction folder or left half
// written inside it.

#include "ArchiveTestKit.h"
#include "TempFarm.h"

#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveReader.h"

#include <QBuffer>
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
    kit::recount(bytes);
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

TEST(ArchiveDamage, CountersTrailingBytesAndNamesAWriterNeverLeaves) {
    using Make = std::function<QByteArray()>;
    const auto withTotals = [](qsizetype at, std::int64_t change) {
        QByteArray bytes = threeFiles();
        bytes.replace(at, 10, kit::extended(*kit::extendedCount(bytes, at) + change));
        return bytes;
    };
    const auto named = [](QList<kit::RawFile> files) { return [files] { return kit::build(files); }; };
    const struct {
        const char* what;
        Make make;
    } rows[] = {
        {"5 entries announced, none found",
         [] {
             QByteArray bytes = kit::build({});
             kit::putTotals(bytes, 5, 0, 0);
             return bytes;
         }},
        {"4 of 5 entries found",
         [] {
             const QByteArray all = kit::build(
                 {{"a", "1"}, {"b", kit::farmRows(9000)}, {"c", "3"}, {"d", "4"}, {"e", kit::randomBytes(3, 900)}});
             QByteArray bytes = all.left(kit::parse(all).list[4].offset);
             kit::putU32(bytes, 16, std::uint32_t(bytes.size()));
             return bytes;
         }},
        {"archive count one short",
         [] {
             QByteArray bytes = threeFiles();
             kit::putU32(bytes, 49, 2);
             return bytes;
         }},
        {"segment count one over",
         [] {
             QByteArray bytes = threeFiles();
             kit::putU32(bytes, 25, 4);
             return bytes;
         }},
        {"segment bytes one over", [&] { return withTotals(29, 1); }},
        {"segment stored one short", [&] { return withTotals(39, -1); }},
        {"archive bytes one short", [&] { return withTotals(53, -1); }},
        {"archive stored one over", [&] { return withTotals(63, 1); }},
        {"a total with a fraction",
         [] {
             QByteArray bytes = threeFiles();
             bytes[63] = char(bytes[63] | 1);
             return bytes;
         }},
        {"not the last segment (a writer's header midway)",
         [] {
             QByteArray bytes = threeFiles();
             bytes[24] = 2;
             return bytes;
         }},
        {"an empty archive not the last segment (a writer that wrote its first header only)",
         [] {
             QByteArray bytes = kit::build({});
             bytes[24] = 2;
             return bytes;
         }},
        {"one byte past the end of data", [] { return threeFiles() + '\0'; }},
        {"an unfinished entry past the end of data",
         [] {
             return threeFiles() + kit::build({{"d", kit::randomBytes(2, 1000)}}).mid(273, 500);
         }},
        {"control character", named({{"a\x01z", "x"}})},
        {"tab", named({{"Datos\\a\tb", "x"}})},
        {"DEL", named({{"a\x7F", "x"}})},
        {"C1 control", named({{"a\x81", "x"}})},
        {"stream", named({{"Quendal.db:Zone.Identifier", "x"}})},
        {"colon in a folder", named({{"sub:x\\f", "x"}})},
        {"CON", named({{"CON", "x"}})},
        {"con.txt", named({{"con.txt", "x"}})},
        {"aux as a folder", named({{"Datos\\aux\\f", "x"}})},
        {"NUL with two extensions", named({{"NUL.tar.gz", "x"}})},
        {"prn as an empty folder", named({{"prn\\.", {}, true}})},
        {"com1", named({{"com1", "x"}})},
        {"LPT9", named({{"LPT9.db", "x"}})},
        {"device with trailing spaces", named({{"Lpt1 .txt", "x"}})},
        {"COM superscript one", named({{"COM\xB9", "x"}})},
        {"same name twice", named({{"a", "x"}, {"a", "y"}})},
        {"names apart only in case", named({{"Datos\\Q.db", "x"}, {"datos\\q.DB", "y"}})},
        {"accented names apart only in case", named({{"a\xF1o", "x"}, {"A\xD1O", "y"}})},
        {"a trailing dot", named({{"a", "x"}, {"a.", "y"}})},
        {"a file, then a folder of that name", named({{"a", "x"}, {"A\\b", "y"}})},
        {"a folder, then a file of that name", named({{"a\\b", "y"}, {"a", "x"}})},
        {"an empty folder twice", named({{"v\\.", {}, true}, {"v\\.", {}, true}})},
        {"a file and an empty folder of one name", named({{"v", "x"}, {"v\\.", {}, true}})},
        {"one file by two spellings", named({{"a\\b", "x"}, {"a\\.\\b", "y"}})},
    };
    TempFolder temp;
    for (const auto& row : rows) {
        const QByteArray bytes = row.make();
        const auto error = extract(temp, bytes);
        ASSERT_TRUE(error.has_value()) << row.what;
        EXPECT_EQ(error->kind(), Kind::Damaged) << row.what << ": " << error->detail().toStdString();
        EXPECT_EQ(error->message(),
                  QString("El archivo \"%1\" está dañado y no se puede restaurar").arg(temp.file("ZR")))
            << row.what;
        EXPECT_TRUE(kit::tree(temp.file("box/out")).isEmpty()) << row.what;
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        EXPECT_THROW(ArchiveReader(&buffer, "ZR").verify(), ArchiveError) << row.what;
    }
}

TEST(ArchiveDamage, NamesCloseToTheRefusedOnesAreKept) {
    const QList<kit::RawFile> files{{"CONSOLA.txt", "1"},
                                    {"com10", "2"},
                                    {"auxiliar\\nulo", "3"},
                                    {"LPT", "4"},
                                    {"COM0", "5"},
                                    {"Datos\\Quendal.db", "6"},
                                    {"Datos\\Quendal.db.bak", "7"},
                                    {"con sal", "8"},
                                    {"a\\b", "9"},
                                    {"a\\.", {}, true}};
    TempFolder temp;
    ASSERT_FALSE(extract(temp, kit::build(files)).has_value());
    EXPECT_EQ(kit::tree(temp.file("box/out")),
              QStringList({"COM0", "CONSOLA.txt", "Datos/", "Datos/Quendal.db", "Datos/Quendal.db.bak", "LPT", "a/",
                           "a/b", "auxiliar/", "auxiliar/nulo", "com10", "con sal"}));
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
    // cut: always an error, since the counters no longer match. With random
    // bytes changed: an error or an archive, never a crash, a hang or a file
    // outside the folder.
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
        const auto error = extract(temp, bytes, &escaped);
        ASSERT_FALSE(escaped) << "round " << round;
        if (round < 200) {
            EXPECT_TRUE(error.has_value()) << "cut at " << bytes.size();
        }
    }
}
