#include "simulator/Simulator.h"

#include <utility>

#include "simulator/SimMessage.h"

namespace quelda {

CSimulator::CSimulator(ISimulatorLink& link, ITimerHost& timers, IPromptHost& prompts,
                       std::string appDir)
    : m_link(link), m_timers(timers), m_prompts(prompts), m_strAppDir(std::move(appDir)) {}

CSimulator::~CSimulator() { KillTimer(); }

void CSimulator::Load() {
    m_settings = LoadSimulatorSettings(m_strAppDir);
    m_file.Load(m_strAppDir);
    if (FileRefused()) {
        m_prompts.Message(std::string(kSimulatorFileName) +
                          " is not a regular file or is too large; it is not used and will not "
                          "be rewritten.");
    } else if (SurplusCount() > 0) {
        m_prompts.Message(std::string(kSimulatorFileName) + " has " +
                          std::to_string(kSimRows + SurplusCount()) + " definitions; the first " +
                          std::to_string(kSimRows) + " are shown and sent, the other " +
                          std::to_string(SurplusCount()) + " are kept in the file but ignored.");
    }
}

SimRowInput CSimulator::InitialInput(int row) const {
    SimRowInput input;
    if (row < 0 || row >= static_cast<int>(Rows().size())) return input;
    const SimParam& param = Rows()[row];
    if (param.IsChoiceRow()) {
        input.selection = param.InitialSelection();
    } else {
        input.text = param.value;
    }
    return input;
}

void CSimulator::Send(const SimulatorSettings& settings, SimMode mode,
                      const std::vector<SimRowInput>& rows) {
    m_settings = settings;
    m_nRefused = 0;
    std::vector<SimParam>& params = m_file.Params();
    for (std::size_t k = 0; k < params.size() && k < rows.size(); ++k) {
        SimParam& param = params[k];
        param.value =
            param.IsChoiceRow() ? param.ValueForSelection(rows[k].selection) : rows[k].text;
    }
    m_strMessage = BuildMessage(settings.sendHeader, params, settings.checksum);
    // Write failures are not the user's concern here: the send goes on.
    SaveSimulatorSettings(m_strAppDir, settings);
    m_file.Rewrite(m_strAppDir);
    KillTimer();
    m_mode = mode;
    switch (mode) {
        case SimMode::Once:
            SendMessage();
            break;
        case SimMode::Periodic:
            SendMessage();
            if (PeriodInterval(settings.period, m_nInterval)) {
                m_timers.StartTimer(*this, kTimerId, m_nInterval);
                m_bTimer = true;
            }
            break;
        case SimMode::Response:
            m_link.SetSimulatorPrefix(settings.receiveHeader);
            break;
    }
    m_bRunning = true;
}

void CSimulator::Stop() {
    m_bRunning = false;
    KillTimer();
    m_link.SetSimulatorPrefix("");
}

void CSimulator::OnTimer(int id) {
    if (id == kTimerId && m_bTimer) SendMessage();
}

void CSimulator::OnFrame() {
    if (m_bRunning && m_mode == SimMode::Response) SendMessage();
}

void CSimulator::SendMessage() {
    // An empty message is nothing to send, not a refusal.
    if (m_strMessage.empty()) return;
    if (!m_link.SendLine(m_strMessage)) ++m_nRefused;
}

void CSimulator::KillTimer() {
    if (!m_bTimer) return;
    m_timers.KillTimer(*this, kTimerId);
    m_bTimer = false;
    m_nInterval = 0;
}

}  // namespace quelda
