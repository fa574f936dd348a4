#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

// The on-disk layout of a backup archive. All numbers are little-endian.
//
//   header (273 bytes + comment), then for every file or empty folder added:
//   entry (45 bytes + name), then its blocks (8 bytes + stored bytes each).
//
// A block's length is signed: positive for that many bytes of one complete
// zlib stream, negative for that many bytes stored as they are. Its checksum
// (ArchiveChecksum) covers the stored bytes and is kept complemented.
namespace ArchiveLayout {

constexpr std::uint32_t kSignature = 0x1238;
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kBlockSize = 65536;
constexpr int kHeaderSize = 273;
constexpr int kEntryFixedSize = 45;
constexpr int kBlockHeaderSize = 8;

// Archive flags.
constexpr std::uint8_t kEncrypted = 1;
constexpr std::uint8_t kCompressed = 2;
constexpr std::uint8_t kSolid = 4;
constexpr std::uint8_t kLastSegment = 16;

// Entry flags: a finished file carries 5, an empty folder 6.
constexpr std::uint8_t kEntryFile = 1;
constexpr std::uint8_t kEntryFolder = 2;
constexpr std::uint8_t kEntryComplete = 4;
constexpr std::uint8_t kEntryEncrypted = 8;

// Windows attribute bits, which entries carry as the file system reports them.
constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeHidden = 0x02;
constexpr std::uint32_t kAttributeFolder = 0x10;
constexpr std::uint32_t kAttributeArchive = 0x20;

// Offsets are 32-bit. Keeping archives below 2 GiB means readers that take
// them as signed and readers that take them as unsigned agree.
constexpr std::int64_t kMaxArchiveSize = 0x7FFFFFFF;
// Limits a reader enforces before trusting a length it has not checked yet.
constexpr std::uint32_t kMaxNameLength = 32767;
constexpr std::uint32_t kMaxBlockSize = 1u << 20;

// The output buffer compression gets: the block size plus one hundredth.
constexpr std::uint32_t compressedLimit(std::uint32_t blockSize) {
    return blockSize + blockSize / 100;
}

// What a decoded header holds for a byte total that is not a whole number.
constexpr std::uint64_t kNotACount = ~std::uint64_t(0);

struct Header {
    std::uint32_t signature = kSignature;
    std::uint32_t version = kVersion;
    std::uint32_t archiveId = 0;
    std::uint32_t blockSize = kBlockSize;
    std::uint32_t endOfData = kHeaderSize;
    std::uint32_t segment = 1;
    std::uint8_t flags = kCompressed | kLastSegment;
    std::uint32_t segmentEntries = 0;
    std::uint64_t segmentBytes = 0;
    std::uint64_t segmentStored = 0;
    std::uint32_t entries = 0;
    std::uint64_t bytes = 0;
    std::uint64_t stored = 0;
    QByteArray comment;

    QByteArray encode() const;
    // Reads the fixed 273 bytes; the comment, whose length sits at 269, is
    // left to the caller, who knows how much file there is.
    static Header decodeFixed(const unsigned char* bytes);
    static std::uint32_t commentLength(const unsigned char* bytes);
};

struct Entry {
    QByteArray rawName;
    QString name;        // rawName decoded
    double modified = 0; // days since 30 December 1899, 0 when unknown
    std::uint32_t attributes = 0;
    std::uint16_t segment = 1;
    std::uint32_t offset = 0; // of the entry itself from the start of the archive
    std::uint32_t continuesAt = 0;
    std::uint8_t flags = kEntryFile;
    std::int64_t size = 0;   // bytes of the file
    std::int64_t stored = 0; // bytes of its blocks, each with its 8-byte header

    bool isFolder() const { return flags & kEntryFolder; }
    qint64 encodedSize() const { return kEntryFixedSize + rawName.size(); }
    QDateTime modifiedTime() const;

    QByteArray encode() const;
    // Decodes the fields after the name; `rest` holds kEntryFixedSize - 4 bytes.
    void decodeRest(const unsigned char* rest);
};

} // namespace ArchiveLayout
