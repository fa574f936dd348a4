// Feeds arbitrary bytes to the archive reader: checking and unpacking must end
// in success or an ArchiveError, never a crash, a hang, a huge allocation or a
// file outside the extraction folder. An archive the reader accepts must also
// pass checks made here on its raw bytes, apart from the reader: the last
// segment flag, no bytes past the end of data, counters and byte totals that match its entries, no name
// with a control character, a ":" or a device name, no two names that differ
// only in case, and as many files unpacked as it has file entries.
//
// With TORVANE_FUZZ_SEEDS set to a folder, the first run also writes a few
// genuine archives there to start the corpus from.

#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveReader.h"
#include "utilities/archive/ArchiveWriter.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>

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

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "the reader accepted an archive with %s\n", why);
    std::abort();
}

// A whole number as an 80-bit extended value holds it, or nothing.
std::optional<std::uint64_t> count(const unsigned char* at) {
    const auto significand = qFromLittleEndian<std::uint64_t>(at);
    const auto exponent = qFromLittleEndian<std::uint16_t>(at + 8);
    if (significand == 0 && exponent == 0)
        return 0;
    const int top = int(exponent) - 16383;
    if (top < 0 || top > 63 || !(significand >> 63) || (significand << 1 << top))
        return std::nullopt;
    return significand >> (63 - top);
}

bool isDevice(std::string part) {
    part = part.substr(0, part.find('.'));
    while (!part.empty() && part.back() == ' ')
        part.pop_back();
    for (char& c : part)
        c = char(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (part == "CON" || part == "PRN" || part == "AUX" || part == "NUL")
        return true;
    return part.size() == 4 && (part.rfind("COM", 0) == 0 || part.rfind("LPT", 0) == 0) && part[3] >= '1' &&
           part[3] <= '9';
}

// The raw walk of an archive the reader accepted; returns its file entries.
int checkAccepted(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const std::uint32_t end = qFromLittleEndian<std::uint32_t>(p + 16);
    if (end != std::uint32_t(bytes.size()))
        fail("bytes past its end of data");
    if (!(p[24] & 16))
        fail("a header a writer had not finished (not the last segment)");
    std::uint64_t position = 273 + qFromLittleEndian<std::uint32_t>(p + 269);
    std::uint64_t entries = 0, files = 0, size = 0, stored = 0;
    std::set<std::string> names;
    while (position < end) {
        const std::uint32_t n = qFromLittleEndian<std::uint32_t>(p + position);
        std::string name(bytes.constData() + position + 4, n);
        const unsigned char* rest = p + position + 4 + n;
        const bool folder = rest[24] & 2;
        const auto fileSize = qFromLittleEndian<std::int64_t>(rest + 25);
        const auto fileStored = qFromLittleEndian<std::int64_t>(rest + 33);
        for (char& c : name) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7F)
                fail("a control character in a name");
            if (c == ':')
                fail("a ':' in a name");
            c = char(c >= 'A' && c <= 'Z' ? c + 32 : c == '/' ? '\\' : c);
        }
        for (std::size_t from = 0; from <= name.size();) {
            const std::size_t to = std::min(name.find('\\', from), name.size());
            if (isDevice(name.substr(from, to - from)))
                fail("a device name");
            from = to + 1;
        }
        if (!names.insert(name).second)
            fail("two names apart only in case");
        ++entries;
        files += folder ? 0 : 1;
        size += std::uint64_t(fileSize);
        stored += std::uint64_t(fileStored);
        position += 45 + n + std::uint64_t(fileStored);
    }
    if (qFromLittleEndian<std::uint32_t>(p + 25) != entries || qFromLittleEndian<std::uint32_t>(p + 49) != entries)
        fail("entry counters that disagree with its entries");
    if (count(p + 29) != size || count(p + 53) != size || count(p + 39) != stored || count(p + 63) != stored)
        fail("byte totals that disagree with its entries");
    return int(files);
}

void putCount(unsigned char* at, std::uint64_t value) {
    int top = 63;
    while (top > 0 && !(value >> top))
        --top;
    qToLittleEndian<std::uint64_t>(value ? value << (63 - top) : 0, at);
    qToLittleEndian<std::uint16_t>(value ? std::uint16_t(16383 + top) : 0, at + 8);
}

// The same bytes with the header made to agree with the entries that fit in
// them, so that mutations of names and entries reach the checks that come
// after the counters. Empty when not even the header fits.
QByteArray recounted(QByteArray bytes) {
    if (bytes.size() < 273)
        return {};
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    const std::uint64_t size = std::uint64_t(bytes.size());
    std::uint64_t position = 273 + std::uint64_t(qFromLittleEndian<std::uint32_t>(p + 269));
    std::uint64_t end = std::min(position, size), entries = 0, total = 0, stored = 0;
    while (position + 45 <= size) {
        const std::uint64_t n = qFromLittleEndian<std::uint32_t>(p + position);
        if (position + 45 + n > size)
            break;
        const unsigned char* rest = p + position + 4 + n;
        const auto fileSize = qFromLittleEndian<std::int64_t>(rest + 25);
        const auto fileStored = qFromLittleEndian<std::int64_t>(rest + 33);
        if (fileSize < 0 || fileStored < 0 || std::uint64_t(fileStored) > size - position - 45 - n)
            break;
        position += 45 + n + std::uint64_t(fileStored);
        end = position;
        ++entries;
        total += std::uint64_t(fileSize);
        stored += std::uint64_t(fileStored);
    }
    bytes.truncate(qsizetype(end));
    p = reinterpret_cast<unsigned char*>(bytes.data());
    qToLittleEndian<std::uint32_t>(std::uint32_t(end), p + 16);
    p[24] |= 16; // the last segment, as a finished writer marks it
    qToLittleEndian<std::uint32_t>(std::uint32_t(entries), p + 25);
    qToLittleEndian<std::uint32_t>(std::uint32_t(entries), p + 49);
    putCount(p + 29, total);
    putCount(p + 53, total);
    putCount(p + 39, stored);
    putCount(p + 63, stored);
    return bytes;
}

int filesUnder(const QString& folder) {
    int found = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++found;
    }
    return found;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* seeds = std::getenv("TORVANE_FUZZ_SEEDS"))
        writeSeeds(QString::fromLocal8Bit(seeds));
    return 0;
}

namespace {

void run(QByteArray bytes) {
    QBuffer buffer(&bytes);
    int fileEntries = -1; // -1: refused
    try {
        ArchiveReader reader(&buffer, "fuzz");
        reader.setThreads(1);
        reader.verify();
        fileEntries = checkAccepted(bytes);
    } catch (const ArchiveError&) {
    }

    const QString out = scratch().filePath("out");
    try {
        QBuffer again(&bytes);
        ArchiveReader reader(&again, "fuzz");
        reader.setThreads(1);
        const ExtractResult result = reader.extractAll(out);
        if (fileEntries < 0)
            fail("blocks that do not pass checking, yet unpacked");
        // Nothing unpacked over something unpacked before.
        if (result.files != fileEntries || filesUnder(out) != fileEntries)
            fail("files lost on unpacking");
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    run(bytes);
    if (const QByteArray fixed = recounted(bytes); !fixed.isEmpty() && fixed != bytes)
        run(fixed);
    return 0;
}
