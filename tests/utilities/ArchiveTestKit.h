#pragma once

// Helpers for the archive tests, including a reader and a writer of the byte
// layout written here from the format's description alone, so the tests do
// not check the archive code against itself.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kit {

QByteArray randomBytes(std::uint32_t seed, qsizetype size);
// Text-like rows of a farm table: compresses well, as the database does.
QByteArray farmRows(qsizetype size);
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// Relative paths of every file and folder under `root`, sorted, folders ending in "/".
QStringList tree(const QString& root);

std::uint32_t u32(const QByteArray& bytes, qsizetype at);
void putU32(QByteArray& bytes, qsizetype at, std::uint32_t value);
void putI64(QByteArray& bytes, qsizetype at, std::int64_t value);

// A whole number as an 80-bit extended value, and back (nothing when the bytes
// are not a whole number).
QByteArray extended(std::uint64_t value);
std::optional<std::uint64_t> extendedCount(const QByteArray& bytes, qsizetype at);

// The checksum as described: CRC-32 table steps, but the table word for index
// i read from byte offset i of the table's little-endian image; complemented.
std::uint32_t referenceChecksum(const QByteArray& bytes);

struct RawBlock {
    qint64 offset = 0;
    std::int32_t length = 0;
    std::uint32_t checksum = 0;
    QByteArray stored;
};

struct RawEntry {
    qint64 offset = 0;
    QByteArray name;
    QByteArray date;
    std::uint32_t attributes = 0;
    std::uint16_t segment = 0;
    std::uint32_t offsetField = 0;
    std::uint8_t flags = 0;
    std::int64_t size = 0;
    std::int64_t stored = 0;
    QList<RawBlock> blocks;
    qint64 flagsAt() const { return offset + 28 + name.size(); }
};

struct RawArchive {
    QByteArray bytes;
    std::uint32_t signature = 0, version = 0, blockSize = 0, endOfData = 0, segment = 0;
    std::uint8_t flags = 0;
    std::uint32_t segmentEntries = 0, entries = 0;
    QByteArray totals; // the four extended byte totals, 40 bytes
    std::optional<std::uint64_t> segmentBytes, segmentStored, bytesTotal, storedTotal;
    QList<RawEntry> list;
};
RawArchive parse(const QByteArray& bytes);

// What the independent writer puts in an archive: a file (compressed with
// compress2 where that is shorter) or, with folder set, a folder entry.
struct RawFile {
    QByteArray name;
    QByteArray content;
    bool folder = false;
};
QByteArray build(const QList<RawFile>& files);
// Rewrites both entry counters and the four byte totals of `bytes` from the
// entries found up to its end of data, as a writer does after every file.
void recount(QByteArray& bytes);
void putTotals(QByteArray& bytes, std::uint32_t entries, std::uint64_t size, std::uint64_t stored);

// The bytes ArchiveWriter makes of `folder`, with a fixed archive identifier.
QByteArray archiveOf(const QString& folder, int level = -1, int threads = 2);

} // namespace kit
