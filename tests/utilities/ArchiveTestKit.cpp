#include "ArchiveTestKit.h"

#include "utilities/archive/ArchiveWriter.h"

#include <QDirIterator>
#include <QFile>
#include <QtEndian>

#include <zlib.h>

#include <random>
#include <stdexcept>

namespace kit {

QByteArray randomBytes(std::uint32_t seed, qsizetype size) {
    std::mt19937 engine(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(engine());
    return bytes;
}

QByteArray farmRows(qsizetype size) {
    QByteArray bytes;
    for (int row = 0; bytes.size() < size; ++row)
        bytes += QStringLiteral("H%1;jaula %2;%3/0%4/2024;nacidos %5;destetados %6\n")
                     .arg(row, 6, 10, QChar(u'0'))
                     .arg(row % 480)
                     .arg(row % 28 + 1)
                     .arg(row % 9 + 1)
                     .arg(row % 13)
                     .arg(row % 11)
                     .toLatin1();
    bytes.truncate(size);
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

QStringList tree(const QString& root) {
    QStringList list;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        list << path.mid(root.size() + 1) + (it.fileInfo().isDir() ? "/" : "");
    }
    list.sort();
    return list;
}

std::uint32_t u32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}
void putU32(QByteArray& bytes, qsizetype at, std::uint32_t value) {
    qToLittleEndian(value, bytes.data() + at);
}
void putI64(QByteArray& bytes, qsizetype at, std::int64_t value) {
    qToLittleEndian(value, bytes.data() + at);
}

QByteArray extended(std::uint64_t value) {
    QByteArray out(10, '\0');
    if (value == 0)
        return out;
    int top = 63;
    while (!(value >> top))
        --top;
    qToLittleEndian<std::uint64_t>(value << (63 - top), out.data());
    qToLittleEndian<std::uint16_t>(std::uint16_t(16383 + top), out.data() + 8);
    return out;
}

std::optional<std::uint64_t> extendedCount(const QByteArray& bytes, qsizetype at) {
    const auto significand = qFromLittleEndian<std::uint64_t>(bytes.constData() + at);
    const auto exponent = qFromLittleEndian<std::uint16_t>(bytes.constData() + at + 8);
    if (significand == 0 && exponent == 0)
        return 0;
    const int top = int(exponent) - 16383; // a set sign bit makes it negative or huge
    if (top < 0 || top > 63 || !(significand >> 63))
        return std::nullopt;
    const std::uint64_t value = significand >> (63 - top);
    if (value << (63 - top) != significand)
        return std::nullopt;
    return value;
}

std::uint32_t referenceChecksum(const QByteArray& bytes) {
    const z_crc_t* table = get_crc_table();
    unsigned char image[1024];
    for (int n = 0; n < 256; ++n)
        qToLittleEndian<std::uint32_t>(std::uint32_t(table[n]), image + 4 * n);
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        const unsigned i = (crc ^ static_cast<unsigned char>(c)) & 0xFF;
        crc = (crc >> 8) ^ qFromLittleEndian<std::uint32_t>(image + i);
    }
    return ~crc;
}

RawArchive parse(const QByteArray& bytes) {
    RawArchive a;
    a.bytes = bytes;
    a.signature = u32(bytes, 0);
    a.version = u32(bytes, 4);
    a.blockSize = u32(bytes, 12);
    a.endOfData = u32(bytes, 16);
    a.segment = u32(bytes, 20);
    a.flags = std::uint8_t(bytes[24]);
    a.segmentEntries = u32(bytes, 25);
    a.entries = u32(bytes, 49);
    a.totals = bytes.mid(29, 20) + bytes.mid(53, 20);
    a.segmentBytes = extendedCount(bytes, 29);
    a.segmentStored = extendedCount(bytes, 39);
    a.bytesTotal = extendedCount(bytes, 53);
    a.storedTotal = extendedCount(bytes, 63);
    qint64 at = 273 + u32(bytes, 269);
    while (at < a.endOfData) {
        RawEntry e;
        e.offset = at;
        const std::uint32_t n = u32(bytes, at);
        e.name = bytes.mid(at + 4, n);
        const qint64 p = at + 4 + n;
        e.date = bytes.mid(p, 10);
        e.attributes = u32(bytes, p + 10);
        e.segment = qFromLittleEndian<std::uint16_t>(bytes.constData() + p + 14);
        e.offsetField = u32(bytes, p + 16);
        e.flags = std::uint8_t(bytes[p + 24]);
        e.size = qFromLittleEndian<std::int64_t>(bytes.constData() + p + 25);
        e.stored = qFromLittleEndian<std::int64_t>(bytes.constData() + p + 33);
        qint64 b = p + 41;
        for (const qint64 end = b + e.stored; b < end;) {
            RawBlock block;
            block.offset = b;
            block.length = std::int32_t(u32(bytes, b));
            block.checksum = u32(bytes, b + 4);
            block.stored = bytes.mid(b + 8, std::abs(block.length));
            b += 8 + block.stored.size();
            e.blocks << block;
        }
        at = b;
        a.list << e;
    }
    return a;
}

QByteArray build(const QList<RawFile>& files) {
    QByteArray out(273, '\0');
    putU32(out, 0, 0x1238);
    putU32(out, 4, 1);
    putU32(out, 12, 65536);
    putU32(out, 20, 1);
    out[24] = 18;
    for (const RawFile& f : files) {
        QByteArray blocks;
        for (qsizetype at = 0; at < f.content.size(); at += 65536) {
            const QByteArray piece = f.content.mid(at, 65536);
            QByteArray packed(piece.size() + piece.size() / 100 + 64, '\0');
            uLongf packedSize = uLongf(packed.size());
            compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                      reinterpret_cast<const Bytef*>(piece.constData()), uLong(piece.size()), Z_DEFAULT_COMPRESSION);
            const bool shorter = qsizetype(packedSize) < piece.size();
            const QByteArray stored = shorter ? packed.left(qsizetype(packedSize)) : piece;
            QByteArray head(8, '\0');
            putU32(head, 0, std::uint32_t(shorter ? stored.size() : -stored.size()));
            putU32(head, 4, referenceChecksum(stored));
            blocks += head + stored;
        }
        QByteArray entry(45 + f.name.size(), '\0');
        putU32(entry, 0, std::uint32_t(f.name.size()));
        entry.replace(4, f.name.size(), f.name);
        const qsizetype p = 4 + f.name.size();
        putU32(entry, p + 10, f.folder ? 0x10 : 0x20);
        entry[p + 14] = 1;
        putU32(entry, p + 16, std::uint32_t(out.size()));
        entry[p + 24] = char(f.folder ? 6 : 5);
        putI64(entry, p + 25, f.content.size());
        putI64(entry, p + 33, blocks.size());
        out += entry + blocks;
    }
    putU32(out, 16, std::uint32_t(out.size()));
    recount(out);
    return out;
}

void putTotals(QByteArray& bytes, std::uint32_t entries, std::uint64_t size, std::uint64_t stored) {
    putU32(bytes, 25, entries);
    putU32(bytes, 49, entries);
    for (qsizetype at : {29, 53})
        bytes.replace(at, 10, extended(size));
    for (qsizetype at : {39, 63})
        bytes.replace(at, 10, extended(stored));
}

void recount(QByteArray& bytes) {
    std::uint64_t size = 0, stored = 0;
    const RawArchive a = parse(bytes);
    for (const RawEntry& e : a.list) {
        size += std::uint64_t(e.size);
        stored += std::uint64_t(e.stored);
    }
    putTotals(bytes, std::uint32_t(a.list.size()), size, stored);
}

QByteArray archiveOf(const QString& folder, int level, int threads) {
    const QString path = folder + ".archive";
    ArchiveWriter writer(path);
    writer.setLevel(CompressionLevel(level));
    writer.setThreads(threads);
    writer.setArchiveId(77);
    writer.addFolderTree(folder);
    const QByteArray bytes = readFile(path);
    QFile::remove(path);
    return bytes;
}

} // namespace kit
