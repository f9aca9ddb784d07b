#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "comm/ExitWatchdog.h"

namespace quelda {
namespace {

// A program whose only thread is busy still ends once a stop signal came,
// with the status the shell gives that signal.
TEST(ExitWatchdog, EndsABusyProcessAfterAStop) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ArmExitWatchdog(fds[0], 100);
        (void)::write(fds[1], "x", 1);  // what a stop signal's handler writes
        for (volatile unsigned long spin = 0;; ++spin) {
        }
    }
    int status = 0;
    pid_t done = 0;
    for (int waited = 0; waited < 1000 && done == 0; ++waited) {  // 10 s at most
        done = ::waitpid(child, &status, WNOHANG);
        if (done == 0) ::usleep(10000);
    }
    if (done == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ASSERT_EQ(done, child) << "the busy process did not end";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
    ::close(fds[0]);
    ::close(fds[1]);
}

}  // namespace
}  // namespace quelda
