#include <gtest/gtest.h>

#include "comm/ComPort.h"

namespace quelda {
namespace {

TEST(LineSettingTextTest, NumbersReadLikeAtoi) {
    const struct {
        const char* text;
        uint32_t baud;
        uint8_t bits;
    } cases[] = {
        {"19200", 19200, 0},
        {"  9600", 9600, 0},
        {"115200bps", 115200, 0},
        {"8", 8, 8},
        {"7", 7, 7},
        {"", 0, 0},
        {"abc", 0, 0},
        {"+38400", 38400, 0},
        {"-9600", 0, 0},
        {"4294967295", 4294967295u, 0},
        {"4294967296", 0, 0},
        {"264", 264, 0},
        {"255", 255, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(BaudFromText(c.text), c.baud);
        EXPECT_EQ(DataBitsFromText(c.text), c.bits) << "out-of-range bits must not wrap";
    }
}

TEST(LineSettingTextTest, ParityTakesOnlyTheExactWords) {
    EXPECT_EQ(ParityFromText("EVEN"), 2);
    EXPECT_EQ(ParityFromText("ODD"), 1);
    for (const char* other : {"NO", "", "even", "Odd", "EVEN ", " ODD", "MARK"}) {
        EXPECT_EQ(ParityFromText(other), 0) << other;
    }
}

TEST(LineSettingTextTest, StopBitsReadAsDecimalNumber) {
    const struct {
        const char* text;
        uint8_t stop;
    } cases[] = {{"1", 0},     {"1.5", 1}, {"1.50", 1}, {" 1.5", 1}, {"2", 2}, {"2.0", 2},
                 {"2.00x", 2}, {"1.4", 0}, {"", 0},     {"two", 0},  {"3", 0}, {"0", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(StopBitsFromText(c.text), c.stop) << c.text;
    }
}

TEST(DevicePathTest, PortNamesMapToDevices) {
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM12", "/dev/ttyS11"},
        {"com3", "/dev/ttyS2"},
        {"COM0", "/dev/COM0"},
        {"COM", "/dev/COM"},
        {"COM1a", "/dev/COM1a"},
        {"COM99999999999999999999", "/dev/COM99999999999999999999"},
        {"ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/pts/7", "/dev/pts/7"},
        {"/dev/serial/by-id/usb-FTDI-if00", "/dev/serial/by-id/usb-FTDI-if00"},
        {"serial/by-id/x", "serial/by-id/x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CComPort::DevicePath(c.name), c.path) << c.name;
    }
}

}  // namespace
}  // namespace quelda
