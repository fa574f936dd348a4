#pragma once

#include <zlib.h>

#include <cstdint>
#include <exception>
#include <vector>

// One block on its way into or out of an archive.
//
// Writing: `input` holds a piece of a file; compressing sets `length` (positive
// for `output` holding a zlib stream, negative for the piece stored as it is)
// and `checksum` over the bytes that will be stored.
// Reading: `input` holds the stored bytes and `length`, `checksum` come from
// the block header; expanding checks them and leaves the file's bytes in
// data().
struct Block {
    enum class Status { Ok, BadChecksum, CannotDeflate, CannotInflate, TooLong, TrailingBytes };

    std::vector<unsigned char> input;
    std::size_t inputSize = 0;
    std::vector<unsigned char> output;
    std::size_t outputSize = 0;
    std::int32_t length = 0;
    std::uint32_t checksum = 0;
    Status status = Status::Ok;
    std::exception_ptr failure; // anything unexpected, such as running out of memory
    bool done = false;

    std::size_t storedSize() const { return length < 0 ? std::size_t(-std::int64_t(length)) : std::size_t(length); }
    const unsigned char* stored() const { return length > 0 ? output.data() : input.data(); } // writing
    const unsigned char* data() const { return length > 0 ? output.data() : input.data(); }   // reading
    std::size_t dataSize() const { return length > 0 ? outputSize : inputSize; }
};

// zlib state for one thread, kept across blocks: deflateReset and inflateReset
// are far cheaper than setting a stream up for every 64 KiB piece, and give
// the same bytes as a fresh compress2 call.
class BlockCodec {
public:
    BlockCodec(int level, std::uint32_t blockSize);
    ~BlockCodec();
    BlockCodec(const BlockCodec&) = delete;
    BlockCodec& operator=(const BlockCodec&) = delete;

    void compress(Block& block);
    void expand(Block& block);

private:
    int m_level;
    std::uint32_t m_blockSize;
    z_stream m_deflate{};
    z_stream m_inflate{};
    bool m_deflateReady = false;
    bool m_inflateReady = false;
};
