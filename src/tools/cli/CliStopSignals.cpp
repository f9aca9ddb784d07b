#include "CliStopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace quelda {

namespace {

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

}  // namespace quelda
