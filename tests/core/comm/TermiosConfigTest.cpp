#include <gtest/gtest.h>

#include "comm/TermiosConfig.h"

namespace quelda {
namespace {

// A cooked terminal as a port might come: echo, canonical input, CR/LF
// translation, software flow control and hardware flow control on.
struct termios CookedBase() {
    struct termios t {};
    t.c_iflag = ICRNL | IXON | IXOFF | IGNPAR | ISTRIP | BRKINT;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ECHO | ICANON | ISIG | IEXTEN;
    t.c_cflag = CS7 | PARENB | CRTSCTS | HUPCL;
    cfsetispeed(&t, B2400);
    cfsetospeed(&t, B2400);
    return t;
}

struct FrameCase {
    uint8_t data, parity, stop;
    tcflag_t size;
    bool parenb, parodd, cstopb;
};

TEST(MakeTermiosTest, FrameSettingsMapToControlFlags) {
    const FrameCase cases[] = {
        {8, 0, 0, CS8, false, false, false}, {7, 0, 0, CS7, false, false, false},
        {7, 2, 0, CS7, true, false, false},  {8, 1, 0, CS8, true, true, false},
        {8, 2, 2, CS8, true, false, true},   {8, 0, 1, CS8, false, false, true},
        {5, 0, 1, CS5, false, false, true},  {6, 1, 2, CS6, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.data) << "/" << int(c.parity) << "/" << int(c.stop));
        const auto t = MakeTermios(CookedBase(), 19200, c.data, c.parity, c.stop);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(t->c_cflag & CSIZE, c.size);
        EXPECT_EQ((t->c_cflag & PARENB) != 0, c.parenb);
        EXPECT_EQ((t->c_cflag & PARODD) != 0, c.parodd);
        EXPECT_EQ((t->c_cflag & CSTOPB) != 0, c.cstopb);
        // Parity checking marks bad bytes in the stream; without parity a
        // 0xFF must stay a plain byte.
        EXPECT_EQ((t->c_iflag & INPCK) != 0, c.parenb);
        EXPECT_EQ((t->c_iflag & PARMRK) != 0, c.parenb);
        EXPECT_EQ(t->c_iflag & (IGNPAR | ISTRIP), 0u);
    }
}

TEST(MakeTermiosTest, RawWithoutFlowControl) {
    const auto t = MakeTermios(CookedBase(), 9600, 8, 0, 0);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | BRKINT), 0u);
    EXPECT_EQ(t->c_oflag & OPOST, 0u);
    EXPECT_EQ(t->c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t->c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t->c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
    EXPECT_NE(t->c_cflag & HUPCL, 0u) << "fields the channel does not own keep their value";
    EXPECT_EQ(t->c_cc[VMIN], 1);
    EXPECT_EQ(t->c_cc[VTIME], 0);
}

TEST(MakeTermiosTest, StandardRatesSetTheSpeedCodeOthersKeepTheBase) {
    const struct {
        uint32_t baud;
        speed_t expected;
    } cases[] = {{300, B300},       {9600, B9600},     {19200, B19200},
                 {115200, B115200}, {921600, B921600}, {4000000, B4000000},
                 {12345, B2400},    {250000, B2400},   {31250, B2400}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud);
        const auto t = MakeTermios(CookedBase(), c.baud, 8, 0, 0);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(cfgetospeed(&*t), c.expected);
        EXPECT_EQ(cfgetispeed(&*t), c.expected);
        EXPECT_EQ(StandardSpeed(c.baud).has_value(), c.expected != B2400);
    }
}

TEST(MakeTermiosTest, SettingsNoPortTakesAreRefused) {
    EXPECT_FALSE(MakeTermios(CookedBase(), 0, 8, 0, 0));
    EXPECT_FALSE(MakeTermios(CookedBase(), 9600, 4, 0, 0));
    EXPECT_FALSE(MakeTermios(CookedBase(), 9600, 9, 0, 0));
    EXPECT_FALSE(MakeTermios(CookedBase(), 9600, 8, 3, 0));
    EXPECT_FALSE(MakeTermios(CookedBase(), 9600, 8, 0, 3));
}

}  // namespace
}  // namespace quelda
