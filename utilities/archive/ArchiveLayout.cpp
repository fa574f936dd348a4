#include "ArchiveLayout.h"

#include "ExtendedReal.h"

#include <QtEndian>

namespace ArchiveLayout {

namespace {

template <typename T> void put(unsigned char* at, T value) {
    qToLittleEndian<T>(value, at);
}
template <typename T> T get(const unsigned char* at) {
    return qFromLittleEndian<T>(at);
}

} // namespace

QByteArray Header::encode() const {
    QByteArray out(kHeaderSize, '\0');
    auto* p = reinterpret_cast<unsigned char*>(out.data());
    put<std::uint32_t>(p + 0, signature);
    put<std::uint32_t>(p + 4, version);
    put<std::uint32_t>(p + 8, archiveId);
    put<std::uint32_t>(p + 12, blockSize);
    put<std::uint32_t>(p + 16, endOfData);
    put<std::uint32_t>(p + 20, segment);
    p[24] = flags;
    put<std::uint32_t>(p + 25, segmentEntries);
    ExtendedReal::write(p + 29, segmentBytes);
    ExtendedReal::write(p + 39, segmentStored);
    put<std::uint32_t>(p + 49, entries);
    ExtendedReal::write(p + 53, bytes);
    ExtendedReal::write(p + 63, stored);
    // 73..268: user data and reserved space, zero.
    put<std::uint32_t>(p + 269, std::uint32_t(comment.size()));
    return out + comment;
}

Header Header::decodeFixed(const unsigned char* p) {
    Header h;
    h.signature = get<std::uint32_t>(p + 0);
    h.version = get<std::uint32_t>(p + 4);
    h.archiveId = get<std::uint32_t>(p + 8);
    h.blockSize = get<std::uint32_t>(p + 12);
    h.endOfData = get<std::uint32_t>(p + 16);
    h.segment = get<std::uint32_t>(p + 20);
    h.flags = p[24];
    h.segmentEntries = get<std::uint32_t>(p + 25);
    h.entries = get<std::uint32_t>(p + 49);
    // A total that is not a whole count can match no archive's sizes.
    const auto total = [](const unsigned char* at) { return ExtendedReal::readCount(at).value_or(kNotACount); };
    h.segmentBytes = total(p + 29);
    h.segmentStored = total(p + 39);
    h.bytes = total(p + 53);
    h.stored = total(p + 63);
    return h;
}

std::uint32_t Header::commentLength(const unsigned char* p) {
    return get<std::uint32_t>(p + 269);
}

QDateTime Entry::modifiedTime() const {
    return ExtendedReal::toDateTime(modified);
}

QByteArray Entry::encode() const {
    QByteArray bytes(kEntryFixedSize + rawName.size(), '\0');
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    const auto n = std::uint32_t(rawName.size());
    put<std::uint32_t>(p, n);
    std::copy(rawName.cbegin(), rawName.cend(), bytes.begin() + 4);
    p += 4 + n;
    ExtendedReal::write(p, modified);
    put<std::uint32_t>(p + 10, attributes);
    put<std::uint16_t>(p + 14, segment);
    put<std::uint32_t>(p + 16, offset);
    put<std::uint32_t>(p + 20, continuesAt);
    p[24] = flags;
    put<std::int64_t>(p + 25, size);
    put<std::int64_t>(p + 33, stored);
    return bytes;
}

void Entry::decodeRest(const unsigned char* p) {
    modified = ExtendedReal::read(p);
    attributes = get<std::uint32_t>(p + 10);
    segment = get<std::uint16_t>(p + 14);
    offset = get<std::uint32_t>(p + 16);
    continuesAt = get<std::uint32_t>(p + 20);
    flags = p[24];
    size = get<std::int64_t>(p + 25);
    stored = get<std::int64_t>(p + 33);
}

} // namespace ArchiveLayout
