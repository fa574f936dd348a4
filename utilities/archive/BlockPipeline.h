#pragma once

#include "BlockCodec.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Compresses or expands blocks on several threads and hands them back in the
// order they were submitted, so the archive's bytes do not depend on how many
// threads did the work. Blocks are independent zlib streams, which is what
// makes this possible. With one thread everything runs on the caller's thread.
class BlockPipeline {
public:
    enum class Mode { Compress, Expand };

    BlockPipeline(Mode mode, int level, std::uint32_t blockSize, int threads);
    ~BlockPipeline();
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;

    // A block to fill, reusing the buffers of one handed back earlier.
    std::unique_ptr<Block> take();
    void submit(std::unique_ptr<Block> block);
    bool isFull() const { return m_inFlight.size() >= m_capacity; }
    bool isEmpty() const { return m_inFlight.empty(); }
    // Waits for the oldest submitted block to be done and hands it over.
    std::unique_ptr<Block> next();
    void recycle(std::unique_ptr<Block> block);

    // A thread count from the machine: one per core, at most eight.
    static int defaultThreads();

private:
    void work();
    void process(BlockCodec& codec, Block& block);

    Mode m_mode;
    int m_level;
    std::uint32_t m_blockSize;
    std::size_t m_capacity;
    std::unique_ptr<BlockCodec> m_ownCodec; // for a single-threaded pipeline
    std::vector<std::thread> m_workers;
    std::deque<std::unique_ptr<Block>> m_inFlight; // submission order; touched by the caller only
    std::vector<std::unique_ptr<Block>> m_idle;

    std::mutex m_mutex;
    std::condition_variable m_workReady;
    std::condition_variable m_blockDone;
    std::deque<Block*> m_queue; // submitted, not yet picked up by a worker
    bool m_stopping = false;
};
