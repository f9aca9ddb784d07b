#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include "CommTestSupport.h"
#include "comm/InputQueue.h"
#include "comm/LineErrors.h"
#include "comm/ReceiveThread.h"
#include "support/PtyPair.h"

namespace quelda {
namespace {

using test::NotifyCounter;
using test::PtyPair;
using test::WaitUntil;
using Bytes = std::vector<uint8_t>;

int OpenRawSlave(const PtyPair& pty) {
    const int fd = open(pty.Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    struct termios t {};
    if (fd >= 0 && tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

Bytes PopAll(CInputQueue& queue) {
    Bytes out(queue.Size());
    bool leftover = false;
    out.resize(queue.Pop(out.data(), out.size(), leftover));
    return out;
}

// A pseudo-terminal passes bytes untouched, so it can carry the marks a
// real port's line discipline would insert.
const Bytes kMarked = {0x41, 0xFF, 0xFF, 0x42, 0xFF, 0x00, 0x43, 0xFF, 0x00, 0x00, 0x44};
const Bytes kData = {0x41, 0xFF, 0x42, 0x43, 0x44};

TEST(ReceiveThreadTest, MarkedBytesAreDecodedOnTheWayIn) {
    for (bool flagsFromMarks : {true, false}) {
        PtyPair pty;
        ASSERT_TRUE(pty.Ok());
        const int fd = OpenRawSlave(pty);
        ASSERT_GE(fd, 0);
        CInputQueue queue;
        NotifyCounter notified;
        {
            CReceiveThread thread(fd, queue, {true, flagsFromMarks}, [&] { notified(); });
            ASSERT_TRUE(thread.Start());
            // Split inside a mark: the decoder must carry its state over.
            ASSERT_TRUE(pty.Write(Bytes(kMarked.begin(), kMarked.begin() + 5)));
            ASSERT_TRUE(WaitUntil([&] { return queue.Size() == 3; }));
            ASSERT_TRUE(pty.Write(Bytes(kMarked.begin() + 5, kMarked.end())));
            ASSERT_TRUE(WaitUntil([&] { return queue.Size() == kData.size(); }));
        }
        EXPECT_EQ(PopAll(queue), kData);
        uint32_t errors = 0;
        queue.TakeStatus(errors);
        EXPECT_EQ(errors, flagsFromMarks ? uint32_t(CE_RXPARITY | CE_BREAK) : 0u);
        EXPECT_EQ(notified.Count(), 1);
        close(fd);
    }
}

TEST(ReceiveThreadTest, MasterTakesUpAgainWhenTheSlaveReturns) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    const int slave = OpenRawSlave(pty);
    ASSERT_GE(slave, 0);
    close(slave);  // the master now hangs up
    CInputQueue queue;
    NotifyCounter notified;
    CReceiveThread thread(pty.Master(), queue, {}, [&] { notified(); });
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(notified.WaitFor(1));
    uint32_t errors = 0;
    EXPECT_EQ(queue.TakeStatus(errors), 0u);
    EXPECT_EQ(errors, uint32_t(CE_IOE));

    const int again = OpenRawSlave(pty);
    ASSERT_GE(again, 0);
    const Bytes hello = {'h', 'i'};
    ASSERT_EQ(write(again, hello.data(), hello.size()), 2);
    ASSERT_TRUE(notified.WaitFor(2));
    ASSERT_TRUE(WaitUntil([&] { return queue.Size() == hello.size(); }));
    EXPECT_EQ(PopAll(queue), hello);
    thread.Stop();
    close(again);
}

}  // namespace
}  // namespace quelda
