#pragma once
// A pseudo-terminal pair for channel tests: the channel opens the slave by
// its path, the test plays the device on the master.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quelda::test {

class PtyPair {
public:
    PtyPair() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0) {
            char name[128];
            if (ptsname_r(m_master, name, sizeof name) == 0) m_slavePath = name;
        }
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return m_master >= 0 && !m_slavePath.empty(); }
    int Master() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }

    void CloseMaster() {
        if (m_master >= 0) close(m_master);
        m_master = -1;
    }

    // Blocking write of everything.
    bool WriteAll(const std::vector<uint8_t>& data) const {
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = write(m_master, data.data() + done, data.size() - done);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Reads what the channel sent, waiting up to timeoutMs for count bytes.
    std::vector<uint8_t> ReadMaster(std::size_t count, int timeoutMs) const {
        std::vector<uint8_t> out;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.size() < count && std::chrono::steady_clock::now() < deadline) {
            struct pollfd p = {m_master, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            uint8_t buf[4096];
            const ssize_t n = read(m_master, buf, sizeof buf);
            if (n <= 0) break;
            out.insert(out.end(), buf, buf + n);
        }
        return out;
    }

private:
    int m_master = -1;
    std::string m_slavePath;
};

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
