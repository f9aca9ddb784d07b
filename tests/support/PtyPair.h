#pragma once
// A pseudo-terminal whose master side the test plays; the program under test
// opens the slave path as its port.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace quelda::test {

class PtyPair {
public:
    PtyPair() {
        // Not inherited: a child holding the master would keep the port alive.
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        char name[128];
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0 &&
            ptsname_r(m_master, name, sizeof name) == 0) {
            m_path = name;
        }
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return m_master >= 0 && !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    // The slave's line settings can be read through the master.
    int Master() const { return m_master; }

    bool Write(const std::string& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (!WaitWritable()) {
                return false;
            }
        }
        return true;
    }
    bool Write(const std::vector<uint8_t>& bytes) const {
        return Write(std::string(bytes.begin(), bytes.end()));
    }

    // Reads until `done` holds for what arrived, or the time is up.
    std::string ReadUntil(const std::function<bool(const std::string&)>& done,
                          int timeoutMs = 3000) const {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done(got) && std::chrono::steady_clock::now() < end) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            if (!(p.revents & POLLIN)) {  // no slave open: hang-up without data
                ::usleep(2000);
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    // Reads until `count` bytes arrived (or the time is up).
    std::string Read(std::size_t count, int timeoutMs = 3000) const {
        return ReadUntil([count](const std::string& s) { return s.size() >= count; }, timeoutMs);
    }

    std::vector<uint8_t> ReadBytes(std::size_t count, int timeoutMs = 3000) const {
        const std::string got = Read(count, timeoutMs);
        return std::vector<uint8_t>(got.begin(), got.end());
    }

    // Everything that arrives within the given time.
    std::string Drain(int ms) const {
        return ReadUntil([](const std::string&) { return false; }, ms);
    }

    void CloseMaster() {
        if (m_master >= 0) ::close(m_master);
        m_master = -1;
    }

private:
    bool WaitWritable() const {
        pollfd p{m_master, POLLOUT, 0};
        return ::poll(&p, 1, 2000) > 0;
    }

    int m_master = -1;
    std::string m_path;
};

}  // namespace quelda::test
