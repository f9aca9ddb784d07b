#include "device/DeviceLoop.h"

#include <poll.h>
#include <termios.h>

#include <cerrno>
#include <cmath>
#include <cstdio>

namespace quelda {
namespace {

constexpr std::size_t kReadChunk = 65536;
constexpr int kStreamTickMs = 1;
constexpr int kDrainWaitMs = 1000;

}  // namespace

CDeviceLoop::CDeviceLoop(CDeviceLink& link, CDeviceEngine& engine, CSignalPipe& signals)
    : m_link(link),
      m_engine(engine),
      m_signals(signals),
      m_start(std::chrono::steady_clock::now()) {}

void CDeviceLoop::AddStream(CDeviceAnswer& answer, double rate) {
    m_streams.Add(answer, rate, Now());
}

double CDeviceLoop::Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

int CDeviceLoop::Timeout(double now) const {
    if (!m_streams.Empty()) return kStreamTickMs;
    const double due = m_engine.NextDue();
    if (due < 0.0) return -1;
    return static_cast<int>(std::ceil(std::max(0.0, due - now) * 1000.0));
}

int CDeviceLoop::Run() {
    for (;;) {
        double now = Now();
        struct pollfd fds[2] = {
            {m_link.Fd(), static_cast<short>(POLLIN | (m_strOut.empty() ? 0 : POLLOUT)), 0},
            {m_signals.Fd(), POLLIN, 0}};
        if (poll(fds, 2, Timeout(now)) < 0 && errno != EINTR) return 1;
        if (m_signals.Raised()) return 0;
        now = Now();
        if ((fds[0].revents & (POLLERR | POLLNVAL | POLLHUP)) != 0) return 1;
        if ((fds[0].revents & POLLIN) != 0 && !ReadLine(now)) return 1;
        RunStreams(now);
        m_engine.TakeDue(now, m_strOut);
        if (!Flush()) return 1;
        ApplyLineChange();
    }
}

bool CDeviceLoop::LineOpen() {
    LineView seen;
    if (!m_link.View(seen)) return true;  // a real port: the hardware decides
    m_engine.SetSeen(seen);
    return m_engine.Accepts(seen);
}

bool CDeviceLoop::ReadLine(double now) {
    uint8_t buffer[kReadChunk];
    for (;;) {
        const ssize_t n = m_link.Read(buffer, sizeof buffer);
        if (n < 0) return false;
        if (n == 0) return true;
        if (LineOpen()) {
            m_engine.Receive(buffer, static_cast<std::size_t>(n), now);
        } else {
            // at the wrong setting the bytes would arrive garbled: drop them
            m_engine.ResetParser();
        }
    }
}

void CDeviceLoop::RunStreams(double now) {
    if (m_streams.Empty()) return;
    const bool skip = m_strOut.size() + m_engine.Pending() > kMaxPending || !LineOpen();
    m_streams.Run(now, kMaxBurst, skip,
                  [&](CDeviceAnswer& answer) { m_engine.SendUnsolicited(answer, now); });
}

bool CDeviceLoop::Flush() {
    std::size_t done = 0;
    while (done < m_strOut.size()) {
        const ssize_t n = m_link.Write(m_strOut.data() + done, m_strOut.size() - done);
        if (n < 0) return false;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    m_strOut.erase(0, done);
    return true;
}

void CDeviceLoop::ApplyLineChange() {
    LineParams params;
    if (!m_engine.TakeLineChange(params) || m_link.IsPty()) return;
    // the "ACK" must leave at the old settings before the port changes
    for (int waited = 0; !m_strOut.empty() && waited < kDrainWaitMs; ++waited) {
        struct pollfd fd = {m_link.Fd(), POLLOUT, 0};
        poll(&fd, 1, 1);
        if (!Flush()) return;
    }
    tcdrain(m_link.Fd());
    if (!m_link.Reconfigure(params))
        std::fprintf(stderr, "quelda-device: port refuses new settings\n");
}

}  // namespace quelda
