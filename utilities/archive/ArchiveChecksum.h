#pragma once

#include <cstddef>
#include <cstdint>

// The block checksum of our archives. It walks the bytes like CRC-32 with the
// reflected polynomial EDB88320, but looks its table up by byte offset: the
// word used for index i is the 32-bit little-endian word that starts i bytes
// (not 4 * i bytes) into the table's byte image. Every archive ever written
// carries this value, so it must stay exactly as it is; it is not CRC-32.
class ArchiveChecksum {
public:
    // Checksum as stored in a block header: the complement of the running value.
    static std::uint32_t of(const unsigned char* data, std::size_t size);

    // The running value, for feeding data in several parts: start from kStart,
    // store ~update(...) at the end.
    static constexpr std::uint32_t kStart = 0xFFFFFFFFu;
    static std::uint32_t update(std::uint32_t running, const unsigned char* data, std::size_t size);
};
