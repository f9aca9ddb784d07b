#include "comm/LineCounters.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include "comm/LineErrors.h"

namespace quelda {

bool ReadLineCounters(int fd, LineCounters& counters) {
    struct serial_icounter_struct icount {};
    if (ioctl(fd, TIOCGICOUNT, &icount) != 0) return false;
    counters.frame = icount.frame;
    counters.parity = icount.parity;
    counters.overrun = icount.overrun;
    counters.brk = icount.brk;
    counters.bufOverrun = icount.buf_overrun;
    return true;
}

uint32_t CounterFlags(const LineCounters& before, const LineCounters& after) {
    uint32_t flags = 0;
    // Counters wrap; any change counts, not only growth.
    if (after.frame != before.frame) flags |= CE_FRAME;
    if (after.parity != before.parity) flags |= CE_RXPARITY;
    if (after.overrun != before.overrun) flags |= CE_OVERRUN;
    if (after.brk != before.brk) flags |= CE_BREAK;
    if (after.bufOverrun != before.bufOverrun) flags |= CE_OVERRUN;
    return flags;
}

}  // namespace quelda
