#include "ArchiveChecksum.h"

#include <array>

namespace {

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

// The words the checksum really reads: word i is made of bytes i..i+3 of the
// table written out as little-endian words, so it usually straddles two
// neighbouring entries. Only the first 259 bytes of the image are ever used.
constexpr std::array<std::uint32_t, 256> offsetWords() {
    const auto table = crcTable();
    std::array<unsigned char, 1024> image{};
    for (std::size_t n = 0; n < 256; ++n)
        for (std::size_t b = 0; b < 4; ++b)
            image[4 * n + b] = static_cast<unsigned char>(table[n] >> (8 * b));
    std::array<std::uint32_t, 256> words{};
    for (std::size_t i = 0; i < 256; ++i)
        words[i] = std::uint32_t(image[i]) | std::uint32_t(image[i + 1]) << 8 | std::uint32_t(image[i + 2]) << 16 |
                   std::uint32_t(image[i + 3]) << 24;
    return words;
}

constexpr auto kWords = offsetWords();

} // namespace

std::uint32_t ArchiveChecksum::update(std::uint32_t running, const unsigned char* data, std::size_t size) {
    const unsigned char* end = data + size;
    // Unrolled by four; each step depends on the previous one, so this is as
    // far as a byte-at-a-time table walk goes.
    while (end - data >= 4) {
        running = (running >> 8) ^ kWords[(running ^ data[0]) & 0xFF];
        running = (running >> 8) ^ kWords[(running ^ data[1]) & 0xFF];
        running = (running >> 8) ^ kWords[(running ^ data[2]) & 0xFF];
        running = (running >> 8) ^ kWords[(running ^ data[3]) & 0xFF];
        data += 4;
    }
    while (data != end)
        running = (running >> 8) ^ kWords[(running ^ *data++) & 0xFF];
    return running;
}

std::uint32_t ArchiveChecksum::of(const unsigned char* data, std::size_t size) {
    return ~update(kStart, data, size);
}
