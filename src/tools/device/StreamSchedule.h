#pragma once
// When unsolicited frames are due: each stream sends rate frames per second
// from its start on, counted so that no rounding drifts.
#include <cstdint>
#include <vector>

#include "device/DeviceAnswer.h"

namespace quelda {

class CStreamSchedule {
public:
    void Add(CDeviceAnswer& answer, double rate, double start);
    bool Empty() const { return m_streams.empty(); }

    // Calls send(answer) for every frame due by now, at most maxPerStream
    // per stream; frames beyond that are dropped (skip = true drops all).
    template <typename Send>
    void Run(double now, uint64_t maxPerStream, bool skip, Send send) {
        for (Stream& s : m_streams) {
            const uint64_t due = Due(s, now);
            const uint64_t n = skip ? 0 : (due < maxPerStream ? due : maxPerStream);
            for (uint64_t i = 0; i < n; ++i) send(*s.answer);
            s.sent += due;
        }
    }

private:
    struct Stream {
        CDeviceAnswer* answer;
        double rate;
        double start;
        uint64_t sent;
    };

    static uint64_t Due(const Stream& s, double now);

    std::vector<Stream> m_streams;
};

}  // namespace quelda
