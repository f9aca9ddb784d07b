#include "comm/NotifyGate.h"

namespace quelda {

bool CNotifyGate::Arrived(Clock::time_point now, std::size_t bytes, bool due) {
    m_nSince += bytes;
    if (due) m_bHeld = true;
    if (!m_bHeld) return false;
    return now >= Deadline() || m_nSince >= kGatherBytes;
}

void CNotifyGate::Sent(Clock::time_point now) {
    m_last = now;
    m_nSince = 0;
    m_bHeld = false;
}

}  // namespace quelda
