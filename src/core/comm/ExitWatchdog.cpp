#include "comm/ExitWatchdog.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace quelda {

namespace {

// Which stop signal is pending, SIGTERM when it was taken already.
int PendingStop() {
    sigset_t pending;
    if (sigpending(&pending) == 0 && sigismember(&pending, SIGINT) == 1) return SIGINT;
    return SIGTERM;
}

void Watch(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
    const int signal = PendingStop();
    ::usleep(static_cast<useconds_t>(ms) * 1000);
    ::_exit(128 + signal);
}

}  // namespace

void ArmExitWatchdog(int fd, int ms) {
    const int own = ::dup(fd);
    if (own < 0) return;
    // The thread must not take the signals itself.
    sigset_t stops, old;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, &old);
    std::thread(Watch, own, ms).detach();
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

}  // namespace quelda
