#include "comm/SignalPipe.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace quelda {
namespace {

volatile sig_atomic_t g_writeFd = -1;

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (g_writeFd >= 0) (void)!write(g_writeFd, &byte, 1);
    errno = saved;
}

}  // namespace

CSignalPipe::~CSignalPipe() {
    g_writeFd = -1;
    for (int fd : m_fds) {
        if (fd >= 0) close(fd);
    }
}

bool CSignalPipe::Install() {
    if (pipe2(m_fds, O_NONBLOCK | O_CLOEXEC) != 0) return false;
    g_writeFd = m_fds[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0 &&
           sigaction(SIGPIPE, &ignore, nullptr) == 0;
}

bool CSignalPipe::Raised() {
    char buffer[16];
    bool raised = false;
    while (read(m_fds[0], buffer, sizeof buffer) > 0) raised = true;
    return raised;
}

}  // namespace quelda
