#include "comm/Termios2.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace quelda {

int SetCustomBaud(int fd, uint32_t baud) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return -1;
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = baud;
    t.c_ospeed = baud;
    return ioctl(fd, TCSETS2, &t);
}

int GetBaud(int fd, uint32_t& inBaud, uint32_t& outBaud, bool& custom) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return -1;
    inBaud = t.c_ispeed;
    outBaud = t.c_ospeed;
    custom = (t.c_cflag & CBAUD) == BOTHER;
    return 0;
}

}  // namespace quelda
