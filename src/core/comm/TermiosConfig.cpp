#include "comm/TermiosConfig.h"

#include <iterator>
#include <utility>

namespace quelda {
namespace {

const std::pair<uint32_t, speed_t> kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

tcflag_t SizeFlag(uint8_t dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

void MakeRaw(struct termios& t) {
    t.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL |
                   IXON | IXOFF | IXANY | IMAXBEL | IUCLC);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CMSPAR);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
}

}  // namespace

std::optional<speed_t> StandardSpeed(uint32_t baud) {
    for (const auto& [rate, code] : kSpeeds) {
        if (rate == baud) return code;
    }
    return std::nullopt;
}

std::optional<struct termios> MakeTermios(const struct termios& base, uint32_t baud,
                                          uint8_t dataBits, uint8_t parity, uint8_t stopBits) {
    if (baud == 0 || dataBits < 5 || dataBits > 8 || parity > 2 || stopBits > 2) {
        return std::nullopt;
    }
    struct termios t = base;
    MakeRaw(t);
    t.c_cflag |= SizeFlag(dataBits);
    if (parity != 0) {
        t.c_cflag |= PARENB;
        if (parity == 1) t.c_cflag |= PARODD;
        // Bad bytes stay in the stream, marked, so the reader can both count
        // the error and hand the damaged byte on.
        t.c_iflag |= INPCK | PARMRK;
    }
    // termios has no 1.5 stop bits. Two is the nearest: a receiver set for
    // 1.5 accepts it, and 16550-style UARTs send 1.5 for CSTOPB with 5 bits.
    if (stopBits != 0) t.c_cflag |= CSTOPB;
    if (auto code = StandardSpeed(baud)) {
        cfsetispeed(&t, *code);
        cfsetospeed(&t, *code);
    }
    return t;
}

}  // namespace quelda
