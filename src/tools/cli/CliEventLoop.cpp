#include "CliEventLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quelda {

CEventLoop::CEventLoop(Handlers handlers)
    : m_handlers(std::move(handlers)), m_eventFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CEventLoop::~CEventLoop() {
    if (m_eventFd >= 0) ::close(m_eventFd);
}

void CEventLoop::Post() {
    const uint64_t one = 1;
    // A full counter still wakes the loop; nothing to do on failure.
    [[maybe_unused]] ssize_t n = ::write(m_eventFd, &one, sizeof one);
}

void CEventLoop::StartTimer(ITimerClient& owner, int id, int milliseconds) {
    const std::chrono::milliseconds period(std::max(milliseconds, 1));
    m_timers[{&owner, id}] = Timer{Clock::now() + period, period};
}

void CEventLoop::KillTimer(ITimerClient& owner, int id) { m_timers.erase({&owner, id}); }

int CEventLoop::PollTimeout(int timeoutMs) const {
    int wait = timeoutMs;
    for (const auto& [key, timer] : m_timers) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(timer.due - Clock::now()).count();
        const int ms = static_cast<int>(std::max<long long>(left, 0));
        wait = wait < 0 ? ms : std::min(wait, ms);
    }
    return wait;
}

void CEventLoop::RunOnce(int timeoutMs, int inputFd) {
    pollfd fds[2] = {{m_eventFd, POLLIN, 0}, {inputFd, POLLIN, 0}};
    const int ready = ::poll(fds, inputFd >= 0 ? 2 : 1, PollTimeout(timeoutMs));
    if (ready > 0 && (fds[0].revents & POLLIN)) {
        uint64_t count = 0;
        [[maybe_unused]] ssize_t n = ::read(m_eventFd, &count, sizeof count);
        if (m_handlers.posted) m_handlers.posted();
    }
    RunDueTimers();
    if (ready > 0 && inputFd >= 0 && fds[1].revents != 0 && m_handlers.input) m_handlers.input();
}

// A handler may start or kill timers, so look each due id up again.
void CEventLoop::RunDueTimers() {
    std::vector<TimerKey> due;
    const auto now = Clock::now();
    for (const auto& [key, timer] : m_timers) {
        if (timer.due <= now) due.push_back(key);
    }
    for (const TimerKey& key : due) {
        auto it = m_timers.find(key);
        if (it == m_timers.end() || it->second.due > now) continue;
        it->second.due = now + it->second.period;
        key.first->OnTimer(key.second);
    }
}

}  // namespace quelda
