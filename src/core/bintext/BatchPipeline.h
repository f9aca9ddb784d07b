#pragma once
// Formats batches of blocks on helper threads while the caller reads the
// next batches and writes the finished ones, in file order. A fixed ring of
// batches bounds the memory; the caller formats too whenever it would
// otherwise wait, so the pipeline also works with no helper at all.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "bintext/BlockBatch.h"
#include "bintext/BlockLineWriter.h"

namespace quelda {

class BatchPipeline {
public:
    // helpers: threads besides the caller's; fewer start if the system
    // refuses threads.
    BatchPipeline(const BlockLineWriter& lineWriter, std::size_t helpers);
    ~BatchPipeline();
    BatchPipeline(const BatchPipeline&) = delete;
    BatchPipeline& operator=(const BatchPipeline&) = delete;

    // A cleared batch to fill, or nullptr while every batch is in use.
    BlockBatch* Free();
    // Queues a filled batch for formatting.
    void Submit(BlockBatch* batch);
    // The oldest queued batch once formatted, or nullptr when none is
    // queued; throws what formatting it threw. Hand it back with Recycle.
    BlockBatch* Next();
    void Recycle(BlockBatch* batch);

private:
    enum class State { Free, Filling, Queued, Formatting, Done };
    struct Slot {
        BlockBatch batch;
        State state = State::Free;
        std::exception_ptr failure;  // what formatting threw, for the caller
    };

    void Help(BlockLineWriter lineWriter);
    // The oldest queued slot no one formats yet, or nullptr.
    Slot* Unclaimed();
    void FormatClaimed(Slot& slot, BlockLineWriter& lineWriter, std::unique_lock<std::mutex>& lock);

    BlockLineWriter m_lineWriter;  // the caller's
    std::vector<Slot> m_slots;
    std::deque<Slot*> m_order;  // queued, formatting or done, oldest first
    std::mutex m_mutex;
    std::condition_variable m_work;  // a slot was queued, or stop
    std::condition_variable m_done;  // a slot was formatted
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};

}  // namespace quelda
