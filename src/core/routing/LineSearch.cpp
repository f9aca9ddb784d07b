#include "routing/LineSearch.h"

#include <array>

namespace quelda {

namespace {

constexpr std::array<const char*, 5> kBauds = {"9600", "19200", "38400", "57600", "115200"};
constexpr std::array<const char*, 3> kParities = {"NO", "ODD", "EVEN"};
static_assert(kBauds.size() * kParities.size() == CLineSearch::kSteps);

}  // namespace

void CLineSearch::StopTimer() {
    m_timers.KillTimer(*this, kTimerId);
    m_bProbing = false;
}

void CLineSearch::Start() {
    if (m_bProbing) StopTimer();
    m_nIndex = 0;
    m_line.ClearReplyWait();
    Step();
}

void CLineSearch::End() {
    m_nTrying = -1;
    m_line.SearchChanged();
}

bool CLineSearch::Trying(LineSettings& entry, int& step) const {
    if (m_nTrying < 0) return false;
    entry.baud = kBauds[m_nTrying / kParities.size()];
    entry.dataBits = "8";
    entry.parity = kParities[m_nTrying % kParities.size()];
    entry.stopBits = "1";
    step = m_nTrying + 1;
    return true;
}

void CLineSearch::Step() {
    m_nTrying = m_nIndex < kSteps ? m_nIndex : -1;
    m_line.DisconnectLine();
    if (m_nTrying < 0) {
        m_line.SearchFailed();
        m_prompts.Message("could not connect");
        return;
    }
    m_line.ConnectWith(kBauds[m_nIndex / kParities.size()], kParities[m_nIndex % kParities.size()]);
    // A refused probe ends the search without a word.
    if (m_line.SendProbe()) {
        m_timers.StartTimer(*this, kTimerId, kStepMs);
        m_bProbing = true;
        ++m_nIndex;
    } else {
        End();
    }
}

void CLineSearch::ComAnswer() {
    if (!m_bProbing) return;
    StopTimer();
    End();
    m_line.ClearReplyWait();
    m_prompts.Ask("It was connected . Do you want to save the settings?", [this](bool yes) {
        if (yes) m_line.SaveFoundSettings();
    });
}

void CLineSearch::OnTimer(int id) {
    if (id != kTimerId || !m_bProbing) return;
    StopTimer();
    m_line.ClearReplyWait();
    Step();
}

}  // namespace quelda
