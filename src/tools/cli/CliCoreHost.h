#pragma once
// What every quelda-cli front end of the main core shares: the core itself,
// the event loop its timers and notifications run in, and the one-line
// events it prints (CONNECTED, DISCONNECTED, SENT, FRAME, BLOCK, ERROR,
// LINE, MESSAGE, ASK, REASON).
#include <memory>
#include <string>

#include "CliEventLoop.h"
#include "routing/MainCore.h"
#include "routing/MainHost.h"

namespace quelda {

class CCliCoreHost : public IMainHost {
public:
    // dirOption as ResolveProgramDir takes it.
    explicit CCliCoreHost(const std::string& dirOption);
    ~CCliCoreHost() override;

    void StartTimer(ITimerClient& owner, int id, int milliseconds) override;
    void KillTimer(ITimerClient& owner, int id) override;
    void ShowPrompt(const Prompt& prompt, std::function<void(bool)> answer) override;
    void AddLine(const std::string& text, int kind) override {}
    void ReplaceLast(const std::string& text, int kind) override {}
    // No windows: frames come through FrameReceived.
    bool HasDocument() const override { return false; }
    std::vector<ViewInfo> Views() const override { return {}; }
    void Broadcast(int hint, const uint8_t* data, std::size_t length) override {}
    void ConnectionChanged() override;
    void SetTitle(const std::string& title) override {}
    void PortOpenFailed(const std::string& reason) override;
    void PostCommNotify() override;
    void LineSent(const std::string& line) override;
    void ReceiveError(const std::string& text) override;
    void LineError(const std::string& text) override;
    void FrameReceived(const std::string& command, const std::string& text, const uint8_t* block,
                       std::size_t blockCount) override;

protected:
    // One event, one line, at once: scripts and rigs read the output live.
    static void Emit(const std::string& line);
    // "REFUSED" when a send was refused (sent is 0).
    static void Refused(int sent);
    // The input descriptor given to the loop is readable.
    virtual void OnInput() {}
    // The answer to every question (ASK).
    virtual bool Answer() const { return false; }

    CEventLoop m_loop;
    std::unique_ptr<CMainCore> m_core;

private:
    bool m_bConnected = false;
};

}  // namespace quelda
