#pragma once
// The monitor's host of the main core: script lines from standard input
// drive the core; its events are printed by the shared CLI host.
#include <chrono>
#include <memory>
#include <string>

#include "CliCoreHost.h"
#include "CliMonitorOptions.h"
#include "CliScriptReader.h"

namespace quelda {

class CCliMonitorHost : public CCliCoreHost {
public:
    explicit CCliMonitorHost(MonitorOptions options);

    int Run();

private:
    using Clock = std::chrono::steady_clock;
    static constexpr int kNeverConnected = 1;
    static constexpr int kScriptError = 2;

    void OnInput() override;
    bool Answer() const override { return m_options.yes; }

    void RunScript();
    void Finish();
    void RunNextLine();
    void Execute(const ScriptCommand& command);
    void ExecuteControl(ScriptVerb verb);
    void ConnectionChanged() override;
    int MillisecondsLeftOfSleep() const;

    MonitorOptions m_options;
    CScriptReader m_script;
    bool m_bQuit = false;
    Clock::time_point m_sleepUntil{};
    int m_nExitCode = 0;
    bool m_bEverConnected = false;
};

}  // namespace quelda
