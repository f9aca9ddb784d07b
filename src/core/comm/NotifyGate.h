#pragma once
// When the receive thread tells its reader about new input. The first
// arrival after a quiet spell is told at once, so a single answer costs no
// delay; after that, arrivals are gathered for up to kGatherUs or until
// kGatherBytes have come, so a flood of small bursts wakes the reader a few
// hundred times a second instead of once per burst. Fed with the time, so
// it holds no clock of its own.
#include <chrono>
#include <cstddef>

namespace quelda {

class CNotifyGate {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kGatherUs{2000};
    static constexpr std::size_t kGatherBytes = 64 * 1024;

    // bytes arrived at now; due tells whether a notification is owed (the
    // queue claimed one). True when the notification is to go out now.
    bool Arrived(Clock::time_point now, std::size_t bytes, bool due);
    // Whether a held notification must go out now.
    bool Expired(Clock::time_point now) const { return m_bHeld && now >= Deadline(); }
    bool Held() const { return m_bHeld; }
    // When a held notification goes out at the latest.
    Clock::time_point Deadline() const { return m_last + kGatherUs; }
    // A notification went out at now.
    void Sent(Clock::time_point now);
    // The held notification is not needed any more (the reader took it all).
    void Drop() { m_bHeld = false; }

private:
    Clock::time_point m_last{};  // the last notification
    std::size_t m_nSince = 0;    // bytes since then
    bool m_bHeld = false;
};

}  // namespace quelda
