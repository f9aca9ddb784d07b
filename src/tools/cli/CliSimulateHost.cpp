#include "CliSimulateHost.h"

#include <cstdio>

#include "routing/Routing.h"

namespace quelda {

CCliSimulateHost::CCliSimulateHost(SimulateOptions options)
    : CCliCoreHost(options.line.dir),
      m_options(std::move(options)),
      m_simulator(*this, *this, *this, m_core->AppDir()) {}

int CCliSimulateHost::Run() {
    // What the window's first update reads, then the command line over it.
    m_core->LoadAll();
    LineSettings line = m_core->GetLineSettings();
    m_options.line.ApplyTo(line);
    m_core->SetLineSettings(line);
    m_simulator.Load();
    std::vector<SimRowInput> inputs;
    const std::string error = RowInputs(m_simulator, m_options.set, inputs);
    if (!error.empty()) {
        std::fprintf(stderr, "quelda-cli simulate: %s\n", error.c_str());
        return 2;
    }
    m_core->Connect();
    if (!m_core->IsConnected()) return 1;  // the core said why
    const SimulatorSettings settings = m_options.ApplyTo(m_simulator.Settings());
    m_simulator.Send(settings, m_options.mode, inputs);
    if (m_options.mode != SimMode::Once) {
        RunUntilStopped(m_loop, m_stop.Fd(), m_options.seconds, m_bQuit);
        m_simulator.Stop();
    }
    // What arrived meanwhile is still reported.
    m_core->OnCommNotify();
    return 0;
}

void CCliSimulateHost::OnInput() {
    if (m_stop.Take()) m_bQuit = true;
}

void CCliSimulateHost::FrameReceived(const std::string& command, const std::string& text,
                                     const uint8_t* block, std::size_t blockCount) {
    CCliCoreHost::FrameReceived(command, text, block, blockCount);
    // The window sees the frames routing gives it; match them the same way.
    const std::vector<ViewInfo> simulatorOnly = {{WindowKind::Simulator, {}}};
    if (!ViewBroadcasts(simulatorOnly, command, text, m_strPrefix).empty()) m_simulator.OnFrame();
}

bool CCliSimulateHost::SendLine(const std::string& text) {
    const int sent = m_core->SendLine(text, 0);
    Refused(sent);
    return sent != 0;
}

void CCliSimulateHost::SetSimulatorPrefix(const std::string& prefix) {
    m_strPrefix = prefix;
    m_core->SetSimulatorPrefix(prefix);
}

}  // namespace quelda
