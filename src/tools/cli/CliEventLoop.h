#pragma once
// The monitor's event loop: one poll over an optional input descriptor and
// an eventfd that another thread may signal, plus periodic timers by owner
// and id (a timer fires until it is killed, like a window timer).
#include <chrono>
#include <functional>
#include <map>
#include <utility>

#include "routing/MainHost.h"

namespace quelda {

class CEventLoop {
public:
    struct Handlers {
        std::function<void()> posted;    // after one or more Post calls
        std::function<void()> input;     // the input descriptor is readable
    };

    explicit CEventLoop(Handlers handlers);
    ~CEventLoop();
    CEventLoop(const CEventLoop&) = delete;
    CEventLoop& operator=(const CEventLoop&) = delete;

    // Safe from any thread.
    void Post();

    void StartTimer(ITimerClient& owner, int id, int milliseconds);
    void KillTimer(ITimerClient& owner, int id);
    bool HasTimers() const { return !m_timers.empty(); }

    // Waits at most timeoutMs (negative: until something happens) and runs
    // the handlers of what happened. inputFd < 0 watches no input.
    void RunOnce(int timeoutMs, int inputFd);

private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        Clock::time_point due;
        std::chrono::milliseconds period;
    };

    int PollTimeout(int timeoutMs) const;
    void RunDueTimers();

    Handlers m_handlers;
    int m_eventFd = -1;
    using TimerKey = std::pair<ITimerClient*, int>;
    std::map<TimerKey, Timer> m_timers;
};

}  // namespace quelda
