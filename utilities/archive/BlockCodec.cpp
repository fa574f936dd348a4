#include "BlockCodec.h"

#include "ArchiveChecksum.h"
#include "ArchiveLayout.h"

BlockCodec::BlockCodec(int level, std::uint32_t blockSize) : m_level(level), m_blockSize(blockSize) {}

BlockCodec::~BlockCodec() {
    if (m_deflateReady)
        deflateEnd(&m_deflate);
    if (m_inflateReady)
        inflateEnd(&m_inflate);
}

void BlockCodec::compress(Block& block) {
    const std::size_t pieceSize = block.inputSize;
    block.status = Block::Status::Ok;
    block.length = -std::int32_t(pieceSize);

    // Level 0 makes deflate wrap the piece in stored blocks, always longer than
    // the piece itself, so the piece would be stored raw anyway.
    if (m_level != 0) {
        const int rc = m_deflateReady ? deflateReset(&m_deflate) : deflateInit(&m_deflate, m_level);
        if (rc != Z_OK) {
            block.status = Block::Status::CannotDeflate;
            return;
        }
        m_deflateReady = true;
        block.output.resize(ArchiveLayout::compressedLimit(m_blockSize));
        m_deflate.next_in = block.input.data();
        m_deflate.avail_in = uInt(pieceSize);
        m_deflate.next_out = block.output.data();
        m_deflate.avail_out = uInt(block.output.size());
        const int result = deflate(&m_deflate, Z_FINISH);
        if (result == Z_STREAM_END) {
            // Only a stream shorter than the piece is worth storing.
            if (m_deflate.total_out < pieceSize) {
                block.outputSize = m_deflate.total_out;
                block.length = std::int32_t(block.outputSize);
            }
        } else if (result != Z_OK && result != Z_BUF_ERROR) {
            // Z_OK here only means the stream did not fit the buffer: not
            // shorter than the piece, so it is stored raw like any other.
            block.status = Block::Status::CannotDeflate;
            return;
        }
    }
    block.checksum = ArchiveChecksum::of(block.stored(), block.storedSize());
}

void BlockCodec::expand(Block& block) {
    block.status = Block::Status::Ok;
    block.outputSize = 0;
    if (ArchiveChecksum::of(block.input.data(), block.inputSize) != block.checksum) {
        block.status = Block::Status::BadChecksum;
        return;
    }
    if (block.length < 0)
        return;

    const int rc = m_inflateReady ? inflateReset(&m_inflate) : inflateInit(&m_inflate);
    if (rc != Z_OK) {
        block.status = Block::Status::CannotInflate;
        return;
    }
    m_inflateReady = true;
    block.output.resize(m_blockSize);
    m_inflate.next_in = block.input.data();
    m_inflate.avail_in = uInt(block.inputSize);
    m_inflate.next_out = block.output.data();
    m_inflate.avail_out = uInt(block.output.size());
    const int result = inflate(&m_inflate, Z_FINISH);
    block.outputSize = m_inflate.total_out;
    if (result == Z_STREAM_END) {
        // A writer stores exactly one stream per block; anything after it is
        // not ours.
        if (m_inflate.avail_in != 0)
            block.status = Block::Status::TrailingBytes;
    } else if (m_inflate.avail_out == 0) {
        block.status = Block::Status::TooLong; // the stream would fill more than one block
    } else {
        block.status = Block::Status::CannotInflate;
    }
}
