#pragma once
// The watch subcommand's host: the shared CLI host of the main core plus
// one monitor or status model, fed the frames routing gives that window
// and ticked by the window's own 500 ms refresh timer.
#include <memory>
#include <string>

#include "CliCoreHost.h"
#include "CliStopSignals.h"
#include "CliWatchOptions.h"
#include "monitor/MonitorModel.h"
#include "status/StatusModel.h"

namespace quelda {

class CCliWatchHost : public CCliCoreHost, private ITimerClient {
public:
    // The caller has called CStopSignals::Block (before any thread starts).
    explicit CCliWatchHost(WatchOptions options);

    // 0 done, 1 the port did not open.
    int Run();

    // Only the view's frames, and no FRAME/BLOCK lines.
    void FrameReceived(const std::string& command, const std::string& text, const uint8_t* block,
                       std::size_t blockCount) override;

private:
    static constexpr int kRefreshTimer = 1;  // the window's own
    static constexpr int kSendTimer = 2;

    void LoadView();
    std::string HeaderText() const;
    void OnTimer(int id) override;
    void OnInput() override;
    void Refresh();
    void PrintMonitor();
    void PrintStatus();
    void WriteCsv(const std::string* text);
    void CheckLog();
    int FirstRecord() const;

    WatchOptions m_options;
    std::unique_ptr<CMonitorModel> m_monitor;  // null for the status view
    CStatusModel m_status;
    CStopSignals m_stop;
    int m_nPrinted = 0;
    bool m_bQuit = false;
    // A failure is reported once, until a record is written again.
    bool m_bLogFailed = false;
    bool m_bCsvFailed = false;
};

}  // namespace quelda
