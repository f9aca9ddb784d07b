#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "CommTestSupport.h"
#include "comm/ComPort.h"
#include "comm/LineErrors.h"
#include "comm/Termios2.h"
#include "support/PtyPair.h"

namespace quelda {
namespace {

using test::NotifyCounter;
using test::Pattern;
using test::PtyPair;
using test::WaitUntil;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

long long MillisSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

double ProcessCpuSeconds() {
    struct timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

class ComPortPtyTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_pty.Ok()); }

    OpenResult OpenPort(uint32_t baud = 19200) {
        m_port.m_strPort = m_pty.Path();
        m_port.m_dwBaudRate = baud;
        m_port.m_byDataBits = 8;
        m_port.m_byParity = 0;
        m_port.m_byStopBits = 0;
        return m_port.Open([this] { m_notified(); });
    }

    // What the main frame does on a notification: status, then everything.
    Bytes Drain(uint32_t* errorsOut = nullptr) {
        uint32_t errors = 0;
        const std::size_t n = m_port.GetStatus(errors);
        if (errorsOut) *errorsOut |= errors;
        Bytes data(n);
        data.resize(m_port.Read(data.data(), n));
        return data;
    }

    std::size_t Queued(uint32_t* errorsOut = nullptr) {
        uint32_t errors = 0;
        const std::size_t n = m_port.GetStatus(errors);
        if (errorsOut) *errorsOut |= errors;
        return n;
    }

    PtyPair m_pty;
    NotifyCounter m_notified;  // outlives the port's thread
    CComPort m_port;
};

TEST_F(ComPortPtyTest, CarriesBytesBothWays) {
    EXPECT_FALSE(m_port.IsConnected());
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    EXPECT_TRUE(m_port.IsConnected());

    const Bytes frame = {'$', 'Q', 'V', 'R', ',', 'A', '*', '0', '0', '\r', '\n', 0xFF, 0x00};
    ASSERT_TRUE(m_pty.Write(frame));
    ASSERT_TRUE(m_notified.WaitFor(1));
    ASSERT_TRUE(WaitUntil([&] { return Queued() == frame.size(); }));
    EXPECT_EQ(Drain(), frame);

    const Bytes line = {'$', 'Q', 'S', 'D', ',', 'B', '\r', '\n', 0xFF};
    EXPECT_TRUE(m_port.Write(line.data(), line.size()));
    EXPECT_EQ(m_pty.ReadBytes(line.size(), 2000), line);
}

// A line handed to the driver counts as sent: closing the channel right
// after it must not throw it away (its far end may not have read it yet).
TEST_F(ComPortPtyTest, WhatWasWrittenSurvivesAnImmediateClose) {
    const Bytes line = {'$', 'Q', 'V', 'R', ',', 'S', 'M', '*', '4', '1', '\r', '\n'};
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(OpenPort(), OpenResult::kOk);
        ASSERT_TRUE(m_port.Write(line.data(), line.size()));
        ASSERT_TRUE(m_port.Close());
        ASSERT_EQ(m_pty.ReadBytes(line.size(), 2000), line) << "round " << i;
    }
}

TEST_F(ComPortPtyTest, PortHeldOrMissingFailsToOpen) {
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    CComPort second;
    second.m_strPort = m_pty.Path();
    EXPECT_EQ(second.Open(nullptr), OpenResult::kDeviceOpenFailed);
    EXPECT_EQ(second.OpenFailureReason(), m_pty.Path() + ": busy, held by another program");
    EXPECT_FALSE(second.IsConnected());
    EXPECT_TRUE(m_port.IsConnected()) << "the holder keeps the port";

    second.m_strPort = "/dev/quelda-no-such-port";
    EXPECT_EQ(second.Open(nullptr), OpenResult::kDeviceOpenFailed);
    EXPECT_EQ(second.OpenFailureReason(), "/dev/quelda-no-such-port: no such port");
    second.m_strPort = "/dev/null";
    EXPECT_EQ(second.Open(nullptr), OpenResult::kDeviceOpenFailed);
    EXPECT_EQ(second.OpenFailureReason(), "/dev/null: not a terminal");
    EXPECT_FALSE(second.IsConnected());
    // The hint names the group that really owns the device.
    EXPECT_EQ(OpenErrorText(EACCES, "/dev/quelda-no-such-port"),
              "/dev/quelda-no-such-port: permission denied. The port belongs to the group "
              "dialout; join it with \"sudo usermod -aG dialout $USER\" and log in again.");
    struct stat st {};
    ASSERT_EQ(stat(m_pty.Path().c_str(), &st), 0);
    const struct group* owner = getgrgid(st.st_gid);
    ASSERT_NE(owner, nullptr);
    EXPECT_NE(OpenErrorText(EPERM, m_pty.Path()).find(std::string("group ") + owner->gr_name + ";"),
              std::string::npos);
}

TEST_F(ComPortPtyTest, CloseReportsWhetherItWasOpen) {
    EXPECT_FALSE(m_port.Close());
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    EXPECT_TRUE(m_port.Close());
    EXPECT_FALSE(m_port.IsConnected());
    EXPECT_FALSE(m_port.Close());
    uint8_t b = 0;
    EXPECT_FALSE(m_port.Write(&b, 1));
    EXPECT_EQ(m_port.Read(&b, 1), 0u);
}

TEST_F(ComPortPtyTest, ReopenWithOtherSettingsAndRestoreOnClose) {
    const int watcher = open(m_pty.Path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(watcher, 0);
    struct termios original {};
    ASSERT_EQ(tcgetattr(watcher, &original), 0);
    uint32_t in = 0, out = 0;
    bool custom = true;

    ASSERT_EQ(OpenPort(9600), OpenResult::kOk);
    ASSERT_EQ(GetBaud(watcher, in, out, custom), 0);
    EXPECT_EQ(out, 9600u);
    EXPECT_FALSE(custom);
    int exclusive = 0;
    ASSERT_EQ(ioctl(watcher, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);
    ASSERT_TRUE(m_port.Close());

    ASSERT_EQ(OpenPort(12345), OpenResult::kOk) << "reopen while another descriptor is open";
    ASSERT_EQ(GetBaud(watcher, in, out, custom), 0);
    EXPECT_EQ(in, 12345u);
    EXPECT_EQ(out, 12345u);
    EXPECT_TRUE(custom);
    ASSERT_TRUE(m_port.Close());

    struct termios after {};
    ASSERT_EQ(tcgetattr(watcher, &after), 0);
    EXPECT_EQ(after.c_iflag, original.c_iflag);
    EXPECT_EQ(after.c_oflag, original.c_oflag);
    EXPECT_EQ(after.c_lflag, original.c_lflag);
    EXPECT_EQ(after.c_cflag, original.c_cflag);
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&original));
    ASSERT_EQ(ioctl(watcher, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    close(watcher);
}

TEST_F(ComPortPtyTest, RejectedSettingsLeaveTheChannelClosedAndThePortFree) {
    m_port.m_strPort = m_pty.Path();
    m_port.m_byDataBits = 9;
    EXPECT_EQ(m_port.Open(nullptr), OpenResult::kSettingsRejected);
    EXPECT_FALSE(m_port.IsConnected());
    m_port.m_byDataBits = 8;
    m_port.m_dwBaudRate = 0;
    EXPECT_EQ(m_port.Open(nullptr), OpenResult::kSettingsRejected);
    EXPECT_EQ(OpenPort(), OpenResult::kOk);
}

TEST_F(ComPortPtyTest, BurstWhileTheReaderIsBusyArrivesWholeWithOneNotification) {
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    const Bytes burst = Pattern(5000);
    ASSERT_TRUE(m_pty.Write(burst));
    // The reader is busy: nothing is read until the whole burst waits.
    ASSERT_TRUE(WaitUntil([&] { return Queued() == burst.size(); }));
    EXPECT_EQ(m_notified.Count(), 1);
    EXPECT_EQ(Drain(), burst);

    const Bytes next = Pattern(300);
    ASSERT_TRUE(m_pty.Write(next));
    ASSERT_TRUE(m_notified.WaitFor(2)) << "a drained queue notifies for the next burst";
    ASSERT_TRUE(WaitUntil([&] { return Queued() == next.size(); }));
    EXPECT_EQ(Drain(), next);
    EXPECT_EQ(m_notified.Count(), 2);
}

TEST_F(ComPortPtyTest, BytesLeftByAPartialReadAreNotifiedAgain) {
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    const Bytes data = Pattern(100);
    ASSERT_TRUE(m_pty.Write(data));
    ASSERT_TRUE(WaitUntil([&] { return Queued() == data.size(); }));
    uint8_t head[10];
    ASSERT_EQ(m_port.Read(head, sizeof head), sizeof head);
    ASSERT_TRUE(m_notified.WaitFor(2)) << "90 bytes would otherwise wait for ever";
    Bytes rest = Drain();
    rest.insert(rest.begin(), head, head + sizeof head);
    EXPECT_EQ(rest, data);
}

TEST_F(ComPortPtyTest, InjectedErrorsReachTheNextStatus) {
    m_port.InjectErrors(CE_FRAME);
    uint32_t errors = 0;
    m_port.GetStatus(errors);
    EXPECT_EQ(errors, uint32_t(CE_FRAME)) << "also while closed";

    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    m_port.InjectErrors(CE_BREAK | CE_RXPARITY);
    ASSERT_TRUE(m_notified.WaitFor(1)) << "errors alone are worth a notification";
    errors = 0;
    EXPECT_EQ(m_port.GetStatus(errors), 0u);
    EXPECT_EQ(errors, uint32_t(CE_BREAK | CE_RXPARITY));
    m_port.GetStatus(errors);
    EXPECT_EQ(errors, 0u) << "flags are cleared by reading them";

    const Bytes data = {'x'};
    ASSERT_TRUE(m_pty.Write(data));
    EXPECT_TRUE(m_notified.WaitFor(2));
}

TEST_F(ComPortPtyTest, MoreThanOneMiBUnreadRaisesInputOverflow) {
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    const std::size_t capacity = 1u << 20;
    const Bytes flood = Pattern(capacity + 100000);
    bool written = false;
    std::thread writer([&] { written = m_pty.Write(flood); });
    writer.join();
    ASSERT_TRUE(written);
    uint32_t errors = 0;
    ASSERT_TRUE(WaitUntil([&] { return (Queued(&errors), (errors & CE_RXOVER) != 0); }));
    // The thread goes on dropping what the pty still holds; wait till it is
    // quiet so no late overflow flag is left pending.
    int quiet = 0;
    while (quiet < 5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        errors = 0;
        quiet = Queued(&errors) == capacity && errors == 0 ? quiet + 1 : 0;
    }
    Bytes got(capacity + 10);
    got.resize(m_port.Read(got.data(), got.size()));
    EXPECT_TRUE(got == Bytes(flood.begin(), flood.begin() + capacity))
        << "the oldest bytes are kept, the excess is dropped";
    EXPECT_EQ(m_notified.Count(), 1);
}

TEST_F(ComPortPtyTest, FarEndClosingReportsIoErrorOnceWithoutSpinning) {
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    m_pty.CloseMaster();
    ASSERT_TRUE(m_notified.WaitFor(1));
    uint32_t errors = 0;
    Queued(&errors);
    EXPECT_EQ(errors, uint32_t(CE_IOE));
    EXPECT_TRUE(m_port.IsConnected()) << "connected until the owner closes";

    const double cpuBefore = ProcessCpuSeconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 0.05) << "the receive thread spins";
    errors = 0;
    Queued(&errors);
    EXPECT_EQ(errors, 0u) << "reported once";
    EXPECT_EQ(m_notified.Count(), 1);

    const uint8_t b = 'x';
    EXPECT_FALSE(m_port.Write(&b, 1));
    const auto start = Clock::now();
    EXPECT_TRUE(m_port.Close());
    EXPECT_LT(MillisSince(start), 1000);
}

TEST_F(ComPortPtyTest, CloseEndsAWaitingThreadAndNothingArrivesAfterwards) {
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let it block in poll
    const auto start = Clock::now();
    EXPECT_TRUE(m_port.Close());
    EXPECT_LT(MillisSince(start), 1000);

    const Bytes data = Pattern(10);
    ASSERT_TRUE(m_pty.Write(data));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(m_notified.Count(), 0);
    EXPECT_EQ(Queued(), 0u);
}

TEST_F(ComPortPtyTest, WriteThatStallsFailsAndLeavesNothingPending) {
    ASSERT_EQ(OpenPort(), OpenResult::kOk);
    // The master never reads, so the pty fills up and the write stalls.
    const Bytes big = Pattern(256 * 1024);
    const auto start = Clock::now();
    EXPECT_FALSE(m_port.Write(big.data(), big.size()));
    EXPECT_GE(MillisSince(start), 900);
    const Bytes small = {'o', 'k'};
    EXPECT_TRUE(m_port.Write(small.data(), small.size())) << "the stalled data was discarded";
}

}  // namespace
}  // namespace quelda
