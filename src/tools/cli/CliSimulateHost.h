#pragma once
// The simulate subcommand's host: the shared CLI host of the main core plus
// one simulator that the command line drives as the window's Send would.
// SIGINT and SIGTERM arrive through a signalfd watched by the event loop.
#include <chrono>

#include "CliCoreHost.h"
#include "CliStopSignals.h"
#include "CliSimulateOptions.h"
#include "simulator/Simulator.h"

namespace quelda {

class CCliSimulateHost : public CCliCoreHost, private ISimulatorLink {
public:
    // The caller has blocked SIGINT and SIGTERM (before any thread starts).
    explicit CCliSimulateHost(SimulateOptions options);

    // 0 done, 1 the port did not open, 2 usage error (already reported).
    int Run();

    void FrameReceived(const std::string& command, const std::string& text, const uint8_t* block,
                       std::size_t blockCount) override;

private:
    bool SendLine(const std::string& text) override;
    void SetSimulatorPrefix(const std::string& prefix) override;
    void OnInput() override;

    SimulateOptions m_options;
    CSimulator m_simulator;
    std::string m_strPrefix;  // what the main core routes to the simulator
    CStopSignals m_stop;
    bool m_bQuit = false;
};

}  // namespace quelda
