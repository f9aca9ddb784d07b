#pragma once
// The driver's cumulative error counters (where the driver keeps them) and
// the line-error flags their growth stands for.
#include <cstdint>

namespace quelda {

struct LineCounters {
    int frame = 0;
    int parity = 0;
    int overrun = 0;
    int brk = 0;
    int bufOverrun = 0;
};

// False when the device keeps no counters (a pseudo-terminal, for one).
bool ReadLineCounters(int fd, LineCounters& counters);

// Flags for every counter that changed from before to after.
uint32_t CounterFlags(const LineCounters& before, const LineCounters& after);

}  // namespace quelda
