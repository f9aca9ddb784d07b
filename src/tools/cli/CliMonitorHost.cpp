#include "CliMonitorHost.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "CliEscape.h"
#include "text/LenientNumbers.h"

namespace quelda {

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace

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
            Execute(m_script.TakeLine());
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

void CCliMonitorHost::Execute(const std::string& line) {
    if (line.empty() || line[0] == '#') return;
    const std::size_t blank = line.find(' ');
    const std::string verb = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (!ExecuteSend(verb, UnescapeText(rest)) && !ExecuteControl(verb, rest)) {
        ScriptError("unknown command " + verb);
    }
}

bool CCliMonitorHost::ExecuteSend(const std::string& verb, const std::string& text) {
    if (verb == "line") {
        Refused(m_core->SendLine(text, 0));
    } else if (verb == "cmd") {
        Refused(m_core->SendCommand(text, 0));
    } else if (verb == "wait") {
        Refused(m_core->SendWaitingCommand(text));
    } else if (verb == "bin") {
        m_core->SetBinaryCommand(text);
    } else {
        return false;
    }
    return true;
}

bool CCliMonitorHost::ExecuteControl(const std::string& verb, const std::string& text) {
    int number = 0;
    const std::vector<std::string> words = Words(text);
    if (verb == "sleep" || verb == "button") {
        if (!ParseStrictInt(text, number) || (verb == "sleep" && number < 0)) {
            ScriptError(verb + " needs a number");
        } else if (verb == "sleep") {
            m_sleepUntil = Clock::now() + std::chrono::milliseconds(number);
        } else {
            Refused(m_core->SendButtonCommand(number));
        }
    } else if (verb == "request") {
        if (words.size() != 4) {
            ScriptError("request needs baud rate, data bits, parity and stop bits");
        } else {
            Refused(m_core->SendSettingRequest(words[0], words[1], words[2], words[3]));
        }
    } else if (verb == "search") {
        m_core->StartSearch();
    } else if (verb == "connect") {
        m_core->Connect();
    } else if (verb == "disconnect") {
        m_core->Disconnect();
    } else if (verb == "quit") {
        m_bQuit = true;
    } else {
        return false;
    }
    return true;
}

void CCliMonitorHost::ScriptError(const std::string& what) {
    std::fprintf(stderr, "quelda-cli monitor: script line %d: %s\n", m_script.LineNumber(),
                 what.c_str());
    m_nExitCode = 1;
}

}  // namespace quelda
