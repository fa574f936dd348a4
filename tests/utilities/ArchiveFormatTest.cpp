// The byte layout: checksum, extended numbers, names, and what the writer puts
// where, read back with the test's own parser.

#include "ArchiveTestKit.h"
#include "TempFarm.h"

#include "utilities/archive/ArchiveChecksum.h"
#include "utilities/archive/ArchiveWriter.h"
#include "utilities/archive/EntryName.h"
#include "utilities/archive/ExtendedReal.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <limits>

namespace {

// The 80-bit value as the machine's own long double reads it, where long
// double is that format.
std::optional<long double> nativeExtended(const unsigned char* bytes) {
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        long double value = 0;
        std::memcpy(&value, bytes, 10);
        return value;
    }
    return std::nullopt;
}

std::optional<long double> nativeExtended(const QByteArray& bytes) {
    return nativeExtended(reinterpret_cast<const unsigned char*>(bytes.constData()));
}

void setModified(const QString& path, const QDateTime& when) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

TEST(ArchiveChecksum, ReadsTheTableByByteOffsetAndIsNotCrc32) {
    QList<QByteArray> inputs{QByteArray(), QByteArray("123456789"), kit::farmRows(5000), kit::randomBytes(1, 70001)};
    for (int b = 0; b < 256; ++b)
        inputs << QByteArray(1, char(b));
    for (const QByteArray& input : inputs) {
        const auto* data = reinterpret_cast<const unsigned char*>(input.constData());
        EXPECT_EQ(ArchiveChecksum::of(data, std::size_t(input.size())), kit::referenceChecksum(input));
        // Fed in two parts it must give the same.
        const std::size_t half = std::size_t(input.size()) / 3;
        const auto running = ArchiveChecksum::update(ArchiveChecksum::kStart, data, half);
        EXPECT_EQ(~ArchiveChecksum::update(running, data + half, std::size_t(input.size()) - half),
                  kit::referenceChecksum(input));
    }
    const QByteArray nine("123456789");
    EXPECT_NE(ArchiveChecksum::of(reinterpret_cast<const unsigned char*>(nine.constData()), 9),
              crc32(0, reinterpret_cast<const Bytef*>(nine.constData()), 9));
}

TEST(ExtendedReal, CountsAreExact) {
    const std::uint64_t counts[] = {0, 1, 2, 65536, 3ull * (1ull << 40) + 7, (1ull << 63) + 1, ~0ull};
    for (std::uint64_t count : counts) {
        unsigned char bytes[10];
        ExtendedReal::write(bytes, count);
        if (const auto native = nativeExtended(bytes)) {
            EXPECT_EQ(static_cast<std::uint64_t>(*native), count);
        }
        if (count < (1ull << 53)) {
            EXPECT_EQ(ExtendedReal::read(bytes), double(count));
        }
        EXPECT_EQ(ExtendedReal::readCount(bytes), count);
    }
    // Byte totals must be whole counts: a fraction, a sign or a NaN is none.
    for (double notACount : {5.5, -3.0, 0.25, std::numeric_limits<double>::quiet_NaN(), 1e30}) {
        unsigned char bytes[10];
        ExtendedReal::write(bytes, notACount);
        EXPECT_FALSE(ExtendedReal::readCount(bytes).has_value()) << notACount;
    }
    unsigned char one[10];
    ExtendedReal::write(one, 1.0);
    const unsigned char expected[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(0, std::memcmp(one, expected, 10));
}

TEST(ExtendedReal, DatesCountDaysFrom30December1899) {
    const struct {
        QDateTime when;
        double days;
    } rows[] = {
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 2.0},
        {QDateTime(QDate(2024, 2, 29), QTime(18, 0)), 45351.75},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
        {QDateTime(QDate(2031, 7, 4), QTime(23, 59, 59, 999)), 0}, // round trip only
    };
    for (const auto& row : rows) {
        const double days = ExtendedReal::fromDateTime(row.when);
        if (row.days != 0) {
            EXPECT_DOUBLE_EQ(days, row.days) << row.when.toString().toStdString();
        }
        unsigned char bytes[10];
        ExtendedReal::write(bytes, days);
        EXPECT_EQ(ExtendedReal::toDateTime(ExtendedReal::read(bytes)), row.when);
    }
    EXPECT_FALSE(ExtendedReal::toDateTime(0).isValid());
    EXPECT_FALSE(ExtendedReal::toDateTime(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_FALSE(ExtendedReal::toDateTime(1e300).isValid());
}

TEST(EntryName, WritesTheCodePageAndFallsBackToUtf8) {
    const struct {
        QString name;
        QByteArray bytes;
    } rows[] = {
        {"Datos\\Quendal.db", "Datos\\Quendal.db"},
        {QString::fromUtf8("Año 2024\\Niños á.txt"), "A\xF1o 2024\\Ni\xF1os \xE1.txt"},
        {QString::fromUtf8("€ “x”"), "\x80 \x93x\x94"},
        {QString::fromUtf8("日本\\ñ"), QString::fromUtf8("日本\\ñ").toUtf8()},
        // Its code-page bytes would read back as UTF-8 "ñ".
        {QString::fromUtf8("Ã±"), QString::fromUtf8("Ã±").toUtf8()},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EntryName::encode(row.name), row.bytes) << row.name.toStdString();
        EXPECT_EQ(EntryName::decode(row.bytes), row.name) << row.name.toStdString();
    }
}

TEST(EntryName, RefusesEveryWayOutOfTheFolder) {
    const struct {
        const char* name;
        bool folder;
        QStringList parts; // empty with ok false: refused
        bool ok;
    } rows[] = {
        {"a\\b c\\d.txt", false, {"a", "b c", "d.txt"}, true},
        {"a/b.txt", false, {"a", "b.txt"}, true},
        {"a\\b\\.", true, {"a", "b"}, true},
        {"a\\b.", true, {"a", "b"}, true},
        {".", true, {}, true},
        {"..\\evil.txt", false, {}, false},
        {"a\\..\\..\\evil.txt", false, {}, false},
        {"a/../../evil.txt", false, {}, false},
        {"\\evil.txt", false, {}, false},
        {"/etc/evil", false, {}, false},
        {"C:\\evil.txt", false, {}, false},
        {"C:evil.txt", false, {}, false},
        {"a\\. .\\evil.txt", false, {}, false},
        {"a\\...\\evil.txt", false, {}, false},
        {"..\\.", true, {}, false},
        {"a\\", false, {}, false},
        {"a\\.", false, {}, false},
        {"a\\b", true, {}, false},
    };
    for (const auto& row : rows) {
        const auto parts = EntryName::safeParts(QString::fromUtf8(row.name), row.folder);
        EXPECT_EQ(parts.has_value(), row.ok) << row.name;
        if (parts) {
            EXPECT_EQ(*parts, row.parts) << row.name;
        }
    }
}

TEST(ArchiveLayout, OneEmptyFileIsAHeaderAndOneEntry) {
    TempFolder temp;
    kit::writeFile(temp.file("vacío.db"), {});
    const kit::RawArchive a = kit::parse(kit::archiveOf(temp.path()));
    const QByteArray name("vac\xEDo.db");
    ASSERT_EQ(a.bytes.size(), 273 + 45 + name.size());
    EXPECT_EQ(a.signature, 0x1238u);
    EXPECT_EQ(a.version, 1u);
    EXPECT_EQ(kit::u32(a.bytes, 8), 77u);
    EXPECT_EQ(a.blockSize, 65536u);
    EXPECT_EQ(a.endOfData, std::uint32_t(a.bytes.size()));
    EXPECT_EQ(a.segment, 1u);
    EXPECT_EQ(a.flags, 18);
    EXPECT_EQ(a.segmentEntries, 1u);
    EXPECT_EQ(a.entries, 1u);
    EXPECT_EQ(a.totals, QByteArray(40, '\0'));
    EXPECT_EQ(a.bytes.mid(73, 200), QByteArray(200, '\0')); // user data, reserved, no comment
    ASSERT_EQ(a.list.size(), 1);
    const kit::RawEntry& e = a.list[0];
    EXPECT_EQ(e.name, name);
    EXPECT_EQ(e.offsetField, 273u);
    EXPECT_EQ(e.segment, 1);
    EXPECT_EQ(e.flags, 5);
    EXPECT_EQ(e.size, 0);
    EXPECT_EQ(e.stored, 0);
    EXPECT_TRUE(e.blocks.isEmpty());
    EXPECT_EQ(kit::u32(a.bytes, e.offset + 24 + name.size()), 0u); // continues-at field
}

TEST(ArchiveLayout, FileOf65537BytesGivesTwoBlocksTheSecondOneByte) {
    for (const QByteArray& content : {kit::farmRows(65537), kit::randomBytes(9, 65537)}) {
        TempFolder temp;
        kit::writeFile(temp.file("f"), content);
        const kit::RawArchive a = kit::parse(kit::archiveOf(temp.path()));
        ASSERT_EQ(a.list.size(), 1);
        const auto& blocks = a.list[0].blocks;
        ASSERT_EQ(blocks.size(), 2);
        // One byte never shrinks: stored raw.
        EXPECT_EQ(blocks[1].length, -1);
        EXPECT_EQ(blocks[1].stored, content.right(1));
        const bool random = content != kit::farmRows(65537);
        if (random) {
            EXPECT_EQ(blocks[0].length, -65536);
            EXPECT_EQ(blocks[0].stored, content.left(65536));
        } else {
            EXPECT_GT(blocks[0].length, 0);
        }
        for (const auto& block : blocks)
            EXPECT_EQ(block.checksum, kit::referenceChecksum(block.stored));
        EXPECT_EQ(a.list[0].stored, 16 + blocks[0].stored.size() + 1);
        EXPECT_EQ(a.list[0].size, 65537);
    }
}

TEST(ArchiveLayout, EachPieceIsOneCompress2StreamOrStoredRaw) {
    TempFolder temp;
    const QByteArray content = kit::farmRows(200000) + kit::randomBytes(3, 70000) + kit::farmRows(1000);
    kit::writeFile(temp.file("mixed.db"), content);
    for (int level : {9, -1, 5, 1, 0}) {
        const kit::RawArchive a = kit::parse(kit::archiveOf(temp.path(), level));
        ASSERT_EQ(a.list.size(), 1);
        int compressed = 0;
        for (int i = 0; i < a.list[0].blocks.size(); ++i) {
            const auto& block = a.list[0].blocks[i];
            const QByteArray piece = content.mid(qsizetype(i) * 65536, 65536);
            QByteArray packed(70000, '\0');
            uLongf size = uLongf(packed.size());
            ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                                reinterpret_cast<const Bytef*>(piece.constData()), uLong(piece.size()), level),
                      Z_OK);
            packed.truncate(qsizetype(size));
            if (packed.size() < piece.size()) {
                EXPECT_EQ(block.length, packed.size()) << "level " << level << " block " << i;
                EXPECT_EQ(block.stored, packed);
                ++compressed;
            } else {
                EXPECT_EQ(block.length, -piece.size()) << "level " << level << " block " << i;
                EXPECT_EQ(block.stored, piece);
            }
            EXPECT_EQ(block.checksum, kit::referenceChecksum(block.stored));
        }
        EXPECT_EQ(compressed > 0, level != 0);
    }
}

TEST(ArchiveLayout, WalkOrderFolderEntriesDatesAndCounters) {
    TempFolder temp;
    const QDir root(temp.path());
    for (const char* folder : {"Año 2024/sub", "vacía", "z/vacía2", "z/w"})
        ASSERT_TRUE(root.mkpath(QString::fromUtf8(folder)));
    const struct {
        const char* path;
        QByteArray content;
    } files[] = {{"b.txt", "bbb"},
                 {"A.txt", kit::farmRows(100000)},
                 {"Año 2024/x y.db", kit::randomBytes(4, 70000)},
                 {"Año 2024/sub/c", ""},
                 {"z/w/d", "d"}};
    for (const auto& f : files)
        kit::writeFile(root.filePath(QString::fromUtf8(f.path)), f.content);
    setModified(root.filePath("b.txt"), QDateTime(QDate(2024, 2, 29), QTime(18, 0)));

    const kit::RawArchive a = kit::parse(kit::archiveOf(temp.path()));
    QStringList names;
    for (const auto& e : a.list)
        names << QString::fromLatin1(e.name);
    EXPECT_EQ(names, QStringList({"A.txt", "b.txt", "A\u00F1o 2024\\x y.db", "A\u00F1o 2024\\sub\\c", "vac\u00EDa\\.",
                                  "z\\vac\u00EDa2\\.", "z\\w\\d"}));
    std::int64_t bytes = 0, stored = 0;
    for (const auto& e : a.list) {
        const bool folder = e.name.endsWith('.');
        EXPECT_EQ(e.flags, folder ? 6 : 5) << e.name.constData();
        EXPECT_EQ(bool(e.attributes & 0x10), folder) << e.name.constData();
        EXPECT_EQ(e.offsetField, std::uint32_t(e.offset));
        bytes += e.size;
        stored += e.stored;
    }
    EXPECT_EQ(a.entries, 7u);
    EXPECT_EQ(a.segmentEntries, 7u);
    EXPECT_EQ(a.endOfData, std::uint32_t(a.bytes.size()));
    if (const auto total = nativeExtended(a.totals.mid(30, 10))) {
        EXPECT_EQ(std::int64_t(*total), stored);
    }
    if (const auto total = nativeExtended(a.totals.mid(20, 10))) {
        EXPECT_EQ(std::int64_t(*total), bytes);
    }
    EXPECT_EQ(a.totals.left(20), a.totals.mid(20, 20)); // one segment: its totals are the archive's
    if (const auto date = nativeExtended(a.list[1].date)) {
        EXPECT_EQ(double(*date), 45351.75);
    }
}

TEST(ArchiveLayout, SameBytesOnAnyNumberOfThreads) {
    TempFolder temp;
    QDir(temp.path()).mkpath("sub");
    kit::writeFile(temp.file("granja.db"), kit::farmRows(3 << 20) + kit::randomBytes(5, 1 << 20));
    kit::writeFile(temp.file("sub/poco"), "x");
    const QByteArray single = kit::archiveOf(temp.path(), -1, 1);
    EXPECT_EQ(kit::archiveOf(temp.path(), -1, 2), single);
    EXPECT_EQ(kit::archiveOf(temp.path(), -1, 5), single);
}
