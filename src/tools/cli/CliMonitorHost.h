#pragma once
// The monitor's host of the main core: events become output lines, timers
// live in the event loop, questions are answered from the command line.
#include <chrono>
#include <memory>
#include <string>

#include "CliEventLoop.h"
#include "CliMonitorOptions.h"
#include "CliScriptReader.h"
#include "routing/MainCore.h"
#include "routing/MainHost.h"

namespace quelda {

class CCliMonitorHost : public IMainHost {
public:
    explicit CCliMonitorHost(MonitorOptions options);
    ~CCliMonitorHost() override;

    int Run();

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

private:
    using Clock = std::chrono::steady_clock;

    void RunScript();
    void Finish();
    void Execute(const std::string& line);
    bool ExecuteSend(const std::string& verb, const std::string& text);
    bool ExecuteControl(const std::string& verb, const std::string& text);
    void Refused(int sent);
    void ScriptError(const std::string& what);
    int MillisecondsLeftOfSleep() const;

    MonitorOptions m_options;
    CEventLoop m_loop;
    CScriptReader m_script;
    std::unique_ptr<CMainCore> m_core;
    bool m_bConnected = false;
    bool m_bQuit = false;
    Clock::time_point m_sleepUntil{};
    int m_nExitCode = 0;
};

}  // namespace quelda
