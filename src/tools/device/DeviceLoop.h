#pragma once
// The device's poll loop: the line, the signal pipe, the streams and the
// delayed replies, until SIGTERM or SIGINT.
#include <chrono>
#include <memory>
#include <string>

#include "comm/SignalPipe.h"
#include "device/DeviceEngine.h"
#include "device/DeviceLink.h"
#include "device/StreamSchedule.h"

namespace quelda {

class CDeviceLoop {
public:
    // Output held back beyond this drops stream frames (nobody reads).
    static constexpr std::size_t kMaxPending = 1 << 20;
    // Stream frames built in one round at most, per stream.
    static constexpr uint64_t kMaxBurst = 20000;

    CDeviceLoop(CDeviceLink& link, CDeviceEngine& engine, CSignalPipe& signals);

    // A stream of answer at rate frames per second.
    void AddStream(CDeviceAnswer& answer, double rate);

    // 0 after a signal; 1 when the line failed.
    int Run();

private:
    double Now() const;
    int Timeout(double now) const;
    bool ReadLine(double now);
    bool LineOpen();
    void RunStreams(double now);
    bool Flush();
    void ApplyLineChange();

    CDeviceLink& m_link;
    CDeviceEngine& m_engine;
    CSignalPipe& m_signals;
    CStreamSchedule m_streams;
    std::chrono::steady_clock::time_point m_start;
    std::string m_strOut;
};

}  // namespace quelda
