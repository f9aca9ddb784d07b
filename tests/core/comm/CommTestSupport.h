#pragma once
// Waiting helpers and a test pattern shared by the channel tests.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace quelda::test {

// Counts notifications and lets a test wait for them.
class NotifyCounter {
public:
    void operator()() {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_nCount;
        m_cv.notify_all();
    }
    int Count() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nCount;
    }
    bool WaitFor(int count, int timeoutMs = 5000) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return m_nCount >= count; });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_nCount = 0;
};

// Polls pred every few milliseconds until it holds or timeoutMs passed.
template <typename Pred>
bool WaitUntil(Pred pred, int timeoutMs = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Bytes 0..255 repeating with a shift per round, so 0xFF, NUL and CR/LF all
// appear and a lost or doubled byte shows.
inline std::vector<uint8_t> Pattern(std::size_t n) {
    std::vector<uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i + i / 256);
    return b;
}

}  // namespace quelda::test
