#include "CliSimulateHost.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>

#include "routing/Routing.h"

namespace quelda {

namespace {

sigset_t StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

CCliSimulateHost::CCliSimulateHost(SimulateOptions options)
    : CCliCoreHost(options.line.dir),
      m_options(std::move(options)),
      m_simulator(*this, *this, *this, m_core->AppDir()) {
    const sigset_t set = StopSignals();
    m_signalFd = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

CCliSimulateHost::~CCliSimulateHost() {
    if (m_signalFd >= 0) ::close(m_signalFd);
}

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
        RunUntilEnd();
        m_simulator.Stop();
    }
    // What arrived meanwhile is still reported.
    m_core->OnCommNotify();
    return 0;
}

void CCliSimulateHost::RunUntilEnd() {
    const bool bounded = m_options.seconds.has_value();
    const auto end =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(m_options.seconds.value_or(0)));
    while (!m_bQuit) {
        int wait = -1;
        if (bounded) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
            if (left.count() <= 0) return;
            wait = static_cast<int>(std::min<long long>(left.count(), 60 * 1000));
        }
        m_loop.RunOnce(wait, m_signalFd);
    }
}

void CCliSimulateHost::OnInput() {
    signalfd_siginfo info;
    while (::read(m_signalFd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        m_bQuit = true;
    }
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
