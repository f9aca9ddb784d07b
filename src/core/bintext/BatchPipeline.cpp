#include "bintext/BatchPipeline.h"

#include <system_error>
#include <utility>

namespace quelda {

BatchPipeline::BatchPipeline(const BlockLineWriter& lineWriter, std::size_t helpers)
    : m_lineWriter(lineWriter), m_slots(helpers + 3) {
    for (std::size_t i = 0; i < helpers; ++i) {
        try {
            m_helpers.emplace_back(&BatchPipeline::Help, this, lineWriter);
        } catch (const std::system_error&) {
            break;  // the caller formats what no helper takes
        }
    }
}

BatchPipeline::~BatchPipeline() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_work.notify_all();
    for (std::thread& t : m_helpers) t.join();
}

BlockBatch* BatchPipeline::Free() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Slot& s : m_slots) {
        if (s.state != State::Free) continue;
        s.batch.Clear();
        s.state = State::Filling;
        return &s.batch;
    }
    return nullptr;
}

void BatchPipeline::Submit(BlockBatch* batch) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (Slot& s : m_slots) {
            if (&s.batch != batch) continue;
            s.state = State::Queued;
            m_order.push_back(&s);
        }
    }
    m_work.notify_one();
}

BatchPipeline::Slot* BatchPipeline::Unclaimed() {
    for (Slot* s : m_order) {
        if (s->state == State::Queued) return s;
    }
    return nullptr;
}

void BatchPipeline::FormatClaimed(Slot& slot, BlockLineWriter& lineWriter,
                                  std::unique_lock<std::mutex>& lock) {
    slot.state = State::Formatting;
    lock.unlock();
    try {
        slot.batch.Format(lineWriter);
    } catch (...) {
        slot.failure = std::current_exception();  // a helper must not throw
    }
    lock.lock();
    slot.state = State::Done;
}

void BatchPipeline::Help(BlockLineWriter lineWriter) {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_work.wait(lock, [this] { return m_stopping || Unclaimed(); });
        if (m_stopping) return;
        FormatClaimed(*Unclaimed(), lineWriter, lock);
        m_done.notify_all();
    }
}

BlockBatch* BatchPipeline::Next() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (m_order.empty()) return nullptr;
        Slot* oldest = m_order.front();
        if (oldest->state == State::Done) {
            m_order.pop_front();
            if (oldest->failure) {
                oldest->state = State::Free;
                std::rethrow_exception(std::exchange(oldest->failure, nullptr));
            }
            return &oldest->batch;
        }
        if (Slot* s = Unclaimed()) {
            FormatClaimed(*s, m_lineWriter, lock);
        } else {
            m_done.wait(lock);
        }
    }
}

void BatchPipeline::Recycle(BlockBatch* batch) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Slot& s : m_slots) {
        if (&s.batch == batch) s.state = State::Free;
    }
}

}  // namespace quelda
