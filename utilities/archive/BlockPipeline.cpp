#include "BlockPipeline.h"

#include <algorithm>

BlockPipeline::BlockPipeline(Mode mode, int level, std::uint32_t blockSize, int threads)
    : m_mode(mode), m_level(level), m_blockSize(blockSize) {
    threads = std::max(threads, 1);
    // A few blocks per thread keep every thread fed while the caller reads or
    // writes, without holding much of a file in memory.
    m_capacity = threads == 1 ? 1 : std::size_t(threads) * 4;
    if (threads == 1) {
        m_ownCodec = std::make_unique<BlockCodec>(level, blockSize);
        return;
    }
    for (int i = 0; i < threads; ++i)
        m_workers.emplace_back([this] { work(); });
}

BlockPipeline::~BlockPipeline() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workReady.notify_all();
    for (auto& worker : m_workers)
        worker.join();
}

int BlockPipeline::defaultThreads() {
    return std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
}

std::unique_ptr<Block> BlockPipeline::take() {
    if (m_idle.empty())
        return std::make_unique<Block>();
    auto block = std::move(m_idle.back());
    m_idle.pop_back();
    return block;
}

void BlockPipeline::recycle(std::unique_ptr<Block> block) {
    m_idle.push_back(std::move(block));
}

void BlockPipeline::submit(std::unique_ptr<Block> block) {
    block->done = false;
    block->failure = nullptr;
    Block* raw = block.get();
    m_inFlight.push_back(std::move(block));
    if (m_ownCodec) {
        process(*m_ownCodec, *raw);
        raw->done = true;
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(raw);
    }
    m_workReady.notify_one();
}

std::unique_ptr<Block> BlockPipeline::next() {
    Block* oldest = m_inFlight.front().get();
    if (!m_ownCodec) {
        std::unique_lock lock(m_mutex);
        m_blockDone.wait(lock, [oldest] { return oldest->done; });
    }
    auto block = std::move(m_inFlight.front());
    m_inFlight.pop_front();
    return block;
}

void BlockPipeline::work() {
    BlockCodec codec(m_level, m_blockSize);
    for (;;) {
        Block* block = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_workReady.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            block = m_queue.front();
            m_queue.pop_front();
        }
        process(codec, *block);
        {
            std::lock_guard lock(m_mutex);
            block->done = true;
        }
        m_blockDone.notify_all();
    }
}

void BlockPipeline::process(BlockCodec& codec, Block& block) {
    try {
        if (m_mode == Mode::Compress)
            codec.compress(block);
        else
            codec.expand(block);
    } catch (...) {
        block.failure = std::current_exception();
    }
}
