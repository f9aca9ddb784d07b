#include "routing/LineReconnect.h"

namespace quelda {

void CLineReconnect::Lost() {
    m_bWaiting = true;
    m_nAttempts = 0;
    // The timer repeats: one wake-up a second and nothing in between.
    m_timers.StartTimer(*this, kTimerId, kRetryMs);
}

void CLineReconnect::Cancel() {
    if (!m_bWaiting) return;
    m_timers.KillTimer(*this, kTimerId);
    m_bWaiting = false;
}

void CLineReconnect::OnTimer(int id) {
    if (id != kTimerId || !m_bWaiting) return;
    ++m_nAttempts;
    if (!m_line.ReopenLine()) return;
    m_timers.KillTimer(*this, kTimerId);
    m_bWaiting = false;
}

}  // namespace quelda
