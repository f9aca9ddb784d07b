#include "device/StreamSchedule.h"

#include <cmath>

namespace quelda {

void CStreamSchedule::Add(CDeviceAnswer& answer, double rate, double start) {
    if (rate > 0.0) m_streams.push_back({&answer, rate, start, 0});
}

uint64_t CStreamSchedule::Due(const Stream& s, double now) {
    if (now < s.start) return 0;
    // the first frame goes out at the start
    const uint64_t total = static_cast<uint64_t>(std::floor((now - s.start) * s.rate)) + 1;
    return total > s.sent ? total - s.sent : 0;
}

}  // namespace quelda
