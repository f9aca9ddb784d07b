#include "routing/ReplyWait.h"

namespace quelda {

void CReplyWait::ArmTimer() {
    m_timers.StartTimer(*this, kTimerId, kTimeoutMs);
    m_bTimer = true;
}

void CReplyWait::StopTimer() {
    m_timers.KillTimer(*this, kTimerId);
    m_bTimer = false;
}

void CReplyWait::Ack() {
    StopTimer();
    Clear();
}

void CReplyWait::Nak() {
    StopTimer();
    if (m_bWaiting) m_prompts.Message("It has received a NAK");
    Clear();
}

void CReplyWait::OnTimer(int id) {
    // An expiry delivered after a stop is stale.
    if (id != kTimerId || !m_bTimer) return;
    StopTimer();
    Clear();
    m_prompts.Message("Receive timeout occurred");
}

}  // namespace quelda
