#include "CliStopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "CliEventLoop.h"
#include "comm/ExitWatchdog.h"

namespace quelda {

namespace {

constexpr int kExitGraceMs = 900;

sigset_t StopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

void CStopSignals::Block() {
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

CStopSignals::CStopSignals() {
    const sigset_t set = StopSet();
    m_fd = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    // a stop ends the program within a second, whatever it is doing
    if (m_fd >= 0) ArmExitWatchdog(m_fd, kExitGraceMs);
}

CStopSignals::~CStopSignals() {
    if (m_fd >= 0) ::close(m_fd);
}

bool CStopSignals::Take() {
    bool any = false;
    signalfd_siginfo info;
    while (::read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) any = true;
    return any;
}

void RunUntilStopped(CEventLoop& loop, int stopFd, std::optional<double> seconds,
                     const bool& quit) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds.value_or(0)));
    while (!quit) {
        int wait = -1;
        if (seconds) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
            if (left.count() <= 0) return;
            wait = static_cast<int>(std::min<long long>(left.count(), 60 * 1000));
        }
        loop.RunOnce(wait, stopFd);
    }
}

}  // namespace quelda
