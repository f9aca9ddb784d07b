#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <cerrno>

#include "comm/PortHandle.h"
#include "support/PtyPair.h"

namespace quelda {
namespace {

int ExclusiveMark(int fd) {
    int mark = -1;
    return ioctl(fd, TIOCGEXCL, &mark) == 0 ? mark : -1;
}

// A program killed while another process keeps the tty open leaves its
// exclusive mark behind but not its lock: the port is taken over. One that
// is alive holds the lock and keeps the port.
TEST(PortHandle, TakesOverAStaleMarkButNotALiveHolder) {
    test::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    const int holder = ::open(pty.Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(ioctl(holder, TIOCEXCL), 0);  // the mark a killed program left

    CPortHandle first;
    ASSERT_TRUE(first.Open(pty.Path())) << first.OpenError();
    EXPECT_EQ(ExclusiveMark(holder), 1);

    CPortHandle second;
    EXPECT_FALSE(second.Open(pty.Path()));
    EXPECT_EQ(second.OpenError(), EBUSY);
    EXPECT_EQ(ExclusiveMark(holder), 1);  // the refused open leaves the owner's mark

    first.Close();
    EXPECT_EQ(ExclusiveMark(holder), 0);
    ::close(holder);
}

}  // namespace
}  // namespace quelda
