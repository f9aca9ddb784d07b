#include "CliCoreHost.h"

#include <cstdio>

#include "CliEscape.h"
#include "CliProgramDir.h"

namespace quelda {

CCliCoreHost::CCliCoreHost(const std::string& dirOption)
    : m_loop({[this] { m_core->OnCommNotify(); }, [this] { OnInput(); }}),
      m_core(std::make_unique<CMainCore>(*this, ResolveProgramDir(dirOption))) {}

// The core goes first: its channel's thread posts into the loop.
CCliCoreHost::~CCliCoreHost() { m_core.reset(); }

void CCliCoreHost::Emit(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void CCliCoreHost::Refused(int sent) {
    if (sent == 0) Emit("REFUSED");
}

void CCliCoreHost::StartTimer(ITimerClient& owner, int id, int milliseconds) {
    m_loop.StartTimer(owner, id, milliseconds);
}

void CCliCoreHost::KillTimer(ITimerClient& owner, int id) { m_loop.KillTimer(owner, id); }

void CCliCoreHost::ShowPrompt(const Prompt& prompt, std::function<void(bool)> answer) {
    if (prompt.buttons == PromptButtons::Ok) {
        Emit("MESSAGE " + prompt.text);
        if (answer) answer(true);
        return;
    }
    Emit("ASK " + prompt.text);
    if (answer) answer(Answer());
}

void CCliCoreHost::PortOpenFailed(const std::string& reason) { Emit("REASON " + reason); }

void CCliCoreHost::FrameReceived(const std::string& command, const std::string& text,
                                 const uint8_t* block, std::size_t blockCount) {
    Emit("FRAME " + EscapeBytes(text));
    if (blockCount > 0) Emit("BLOCK " + HexUpper(block, blockCount));
}

void CCliCoreHost::ConnectionChanged() {
    const bool connected = m_core->IsConnected();
    if (connected == m_bConnected) return;
    m_bConnected = connected;
    Emit(connected ? "CONNECTED " + m_core->GetLineSettings().port : "DISCONNECTED");
}

void CCliCoreHost::PostCommNotify() { m_loop.Post(); }

void CCliCoreHost::LineSent(const std::string& line) { Emit("SENT " + EscapeBytes(line)); }

void CCliCoreHost::ReceiveError(const std::string& text) { Emit("ERROR " + text); }

void CCliCoreHost::LineError(const std::string& text) { Emit("LINE " + text); }

}  // namespace quelda
