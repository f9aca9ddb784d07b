#include "CliMonitorHost.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace quelda {

CCliMonitorHost::CCliMonitorHost(MonitorOptions options)
    : CCliCoreHost(options.dir), m_options(std::move(options)) {}

void CCliMonitorHost::OnInput() { m_script.ReadFrom(STDIN_FILENO); }

int CCliMonitorHost::Run() {
    m_core->LoadAll();
    LineSettings line = m_core->GetLineSettings();
    m_options.ApplyTo(line);
    m_core->SetLineSettings(line);
    m_core->Connect();
    RunScript();
    Finish();
    // A script that never reached the device did not do its work.
    if (m_nExitCode == 0 && !m_bEverConnected) return kNeverConnected;
    return m_nExitCode;
}

int CCliMonitorHost::MillisecondsLeftOfSleep() const {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_sleepUntil - Clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

// Script lines run as they come; between two lines the loop looks at the
// events without waiting, so arrivals interleave with a fast script.
void CCliMonitorHost::RunScript() {
    while (!m_bQuit) {
        const int sleepLeft = MillisecondsLeftOfSleep();
        if (sleepLeft == 0 && m_script.HasLine()) {
            RunNextLine();
            m_loop.RunOnce(0, -1);
            continue;
        }
        if (sleepLeft == 0 && m_script.Exhausted()) return;
        // Stop watching the input while a line waits for a sleep to end.
        const int input = (m_script.Ended() || m_script.HasLine()) ? -1 : STDIN_FILENO;
        m_loop.RunOnce(sleepLeft > 0 ? sleepLeft : -1, input);
    }
}

void CCliMonitorHost::Finish() {
    m_core->OnCommNotify();
    while (m_core->ReplyTimerRunning() || m_core->SearchRunning()) m_loop.RunOnce(-1, -1);
}

// A line that is not a good command ends the script before it sends anything.
void CCliMonitorHost::RunNextLine() {
    ScriptCommand command;
    std::string error;
    if (m_script.TakeCommand(command, error)) {
        Execute(command);
        return;
    }
    std::fprintf(stderr, "quelda-cli monitor: %s; the script stops here\n", error.c_str());
    m_nExitCode = kScriptError;
    m_bQuit = true;
}

void CCliMonitorHost::Execute(const ScriptCommand& command) {
    switch (command.verb) {
        case ScriptVerb::None:
            break;
        case ScriptVerb::Line:
            Refused(m_core->SendLine(command.text, 0));
            break;
        case ScriptVerb::Cmd:
            Refused(m_core->SendCommand(command.text, 0));
            break;
        case ScriptVerb::Wait:
            Refused(m_core->SendWaitingCommand(command.text));
            break;
        case ScriptVerb::Bin:
            m_core->SetBinaryCommand(command.text);
            break;
        case ScriptVerb::Sleep:
            m_sleepUntil = Clock::now() + std::chrono::milliseconds(command.number);
            break;
        case ScriptVerb::Button:
            Refused(m_core->SendButtonCommand(command.number));
            break;
        case ScriptVerb::Request: {
            const std::vector<std::string>& w = command.words;
            Refused(m_core->SendSettingRequest(w[0], w[1], w[2], w[3]));
            break;
        }
        default:
            ExecuteControl(command.verb);
    }
}

void CCliMonitorHost::ExecuteControl(ScriptVerb verb) {
    if (verb == ScriptVerb::Search) {
        m_core->StartSearch();
    } else if (verb == ScriptVerb::Connect) {
        m_core->Connect();
    } else if (verb == ScriptVerb::Disconnect) {
        m_core->Disconnect();
    } else if (verb == ScriptVerb::Quit) {
        m_bQuit = true;
    }
}

void CCliMonitorHost::ConnectionChanged() {
    CCliCoreHost::ConnectionChanged();
    if (m_core->IsConnected()) m_bEverConnected = true;
}

}  // namespace quelda
