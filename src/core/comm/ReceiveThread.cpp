#include "comm/ReceiveThread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <system_error>

#include "comm/InputQueue.h"
#include "comm/LineErrors.h"

namespace quelda {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

// One step below the caller's priority, so a flood of input cannot starve
// the thread that reads it out.
void LowerOwnPriority() {
    const pid_t tid = static_cast<pid_t>(syscall(SYS_gettid));
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, tid);
    if (errno == 0) setpriority(PRIO_PROCESS, tid, nice + 1);
}

bool IsHangUp(short revents) { return (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0; }

}  // namespace

CReceiveThread::CReceiveThread(int fd, CInputQueue& queue, Options options, Notify notify)
    : m_fd(fd),
      m_queue(queue),
      m_options(options),
      m_notify(std::move(notify)),
      m_readBuffer(kReadChunk),
      m_dataBuffer(kReadChunk + 1) {}

CReceiveThread::~CReceiveThread() { Stop(); }

bool CReceiveThread::Start() {
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) return false;
    m_bRunning = true;
    try {
        m_thread = std::thread(&CReceiveThread::Run, this);
    } catch (const std::system_error&) {
        m_bRunning = false;
        close(m_wakeFd);
        m_wakeFd = -1;
        return false;
    }
    return true;
}

void CReceiveThread::Kick() {
    if (m_bRunning) Signal();
}

void CReceiveThread::Stop() {
    if (!m_thread.joinable()) return;
    m_bRunning = false;
    Signal();
    m_thread.join();
    close(m_wakeFd);
    m_wakeFd = -1;
}

void CReceiveThread::Signal() {
    const uint64_t one = 1;
    // A full counter still wakes the thread, so a failed write is harmless.
    [[maybe_unused]] ssize_t r = write(m_wakeFd, &one, sizeof one);
}

void CReceiveThread::Run() {
    LowerOwnPriority();
    while (m_bRunning) {
        if (m_bHungUp) {
            WaitWhileHungUp();
        } else {
            WaitOnPort();
        }
    }
}

bool CReceiveThread::BatchTimeout(struct timespec& left) const {
    if (!m_gate.Held()) return false;
    const auto rest = std::chrono::duration_cast<std::chrono::nanoseconds>(
        m_gate.Deadline() - CNotifyGate::Clock::now());
    const long long ns = std::max<long long>(rest.count(), 0);
    left.tv_sec = static_cast<time_t>(ns / 1000000000);
    left.tv_nsec = static_cast<long>(ns % 1000000000);
    return true;
}

void CReceiveThread::WaitOnPort() {
    struct pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {m_fd, POLLIN, 0}};
    struct timespec left {};
    const bool batching = BatchTimeout(left);
    if (ppoll(fds, 2, batching ? &left : nullptr, nullptr) < 0) return;  // EINTR: look again
    if (fds[0].revents & POLLIN) {
        ConsumeWake();
        if (!m_bRunning) return;
    }
    const bool read = (fds[1].revents & POLLIN) && ReadPort();
    // An error state with nothing to read would wake poll at once for ever.
    if (!read && IsHangUp(fds[1].revents)) HangUp();
    if (m_gate.Expired(CNotifyGate::Clock::now())) {
        // The reader may have taken it all meanwhile: then nobody needs waking.
        if (m_queue.Waiting()) {
            NotifyNow();
        } else {
            m_gate.Drop();
        }
    }
}

void CReceiveThread::WaitWhileHungUp() {
    struct pollfd wake = {m_wakeFd, POLLIN, 0};
    if (poll(&wake, 1, kHangUpRetryMs) > 0) {
        ConsumeWake();
        if (!m_bRunning) return;
    }
    // A pseudo-terminal master stops hanging up once a slave is open again.
    struct pollfd port = {m_fd, POLLIN, 0};
    if (poll(&port, 1, 0) >= 0 && !IsHangUp(port.revents)) {
        m_bHungUp = false;
        m_bLost = false;
    }
}

void CReceiveThread::ConsumeWake() {
    uint64_t value = 0;
    [[maybe_unused]] ssize_t r = read(m_wakeFd, &value, sizeof value);
    NotifyIfDue();
}

bool CReceiveThread::ReadPort() {
    bool got = false;
    for (;;) {
        const ssize_t n = read(m_fd, m_readBuffer.data(), m_readBuffer.size());
        if (n > 0) {
            got = true;
            Deliver(m_readBuffer.data(), static_cast<std::size_t>(n));
            if (static_cast<std::size_t>(n) < m_readBuffer.size()) return true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return got;
        HangUp();  // end of file or a device error
        return true;
    }
}

void CReceiveThread::Deliver(const uint8_t* data, std::size_t count) {
    uint32_t flags = 0;
    if (m_options.decodeMarks) {
        count = m_decoder.Decode(data, count, m_dataBuffer.data(), flags);
        data = m_dataBuffer.data();
        if (!m_options.flagsFromMarks) flags = 0;
    }
    Gate(count, m_queue.Push(data, count, flags));
}

void CReceiveThread::HangUp() {
    m_bHungUp = true;
    m_bLost = true;
    // No batch to wait for: the port has nothing more to give.
    if (m_queue.Push(nullptr, 0, CE_IOE) || m_gate.Held()) NotifyNow();
}

void CReceiveThread::NotifyIfDue() { Gate(0, m_queue.ClaimNotification()); }

void CReceiveThread::Gate(std::size_t bytes, bool due) {
    if (m_gate.Arrived(CNotifyGate::Clock::now(), bytes, due)) NotifyNow();
}

void CReceiveThread::NotifyNow() {
    m_gate.Sent(CNotifyGate::Clock::now());
    if (m_notify) m_notify();
}

}  // namespace quelda
