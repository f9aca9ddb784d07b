#include "CliWatchHost.h"

#include <chrono>
#include <cstdio>

#include "monitor/MonitorLog.h"
#include "routing/Routing.h"

namespace quelda {

namespace {

std::string CellLine(const std::string& item, const StatusCell& cell) {
    return "CELL " + item + "," + cell.label + "," + cell.text + "," + std::to_string(cell.r) +
           "," + std::to_string(cell.g) + "," + std::to_string(cell.b);
}

void ReportWriteFailure(const char* what, const std::string& file, const std::string& reason) {
    std::fprintf(stderr, "quelda-cli watch: %s %s: %s\n", what, file.c_str(), reason.c_str());
}

}  // namespace

CCliWatchHost::CCliWatchHost(WatchOptions options)
    : CCliCoreHost(options.line.dir), m_options(std::move(options)) {
    if (m_options.view != WindowKind::Status)
        m_monitor = std::make_unique<CMonitorModel>(m_options.view);
}

int CCliWatchHost::FirstRecord() const {
    return m_monitor ? m_monitor->Constants().firstCommandRecord : CStatusModel::kRecord;
}

int CCliWatchHost::Run() {
    m_core->LoadAll();
    LineSettings line = m_core->GetLineSettings();
    m_options.line.ApplyTo(line);
    m_core->SetLineSettings(line);
    m_core->Connect();
    if (!m_core->IsConnected()) return 1;  // the core said why
    LoadView();
    const std::string header = HeaderText();
    Emit("HEADER " + header);
    WriteCsv(nullptr);
    StartTimer(*this, kRefreshTimer, 500);
    if (m_options.everyMs > 0) {
        m_core->SendButtonCommand(FirstRecord());
        StartTimer(*this, kSendTimer, m_options.everyMs);
    }
    RunUntilStopped(m_loop, m_stop.Fd(), m_options.seconds, m_bQuit);
    return 0;
}

// As the window's first show: definitions, request command, and for
// monitor 3 the binary command name taken from an existing record.
void CCliWatchHost::LoadView() {
    const std::vector<CommandRecord>& records = m_core->CommandRecords();
    if (!m_monitor) {
        m_status.Load(m_core->AppDir(), records);
        return;
    }
    m_monitor->Load(m_core->AppDir(), records);
    if (m_monitor->IsBinary() && FirstRecord() < static_cast<int>(records.size()))
        m_core->SetBinaryCommand(m_monitor->RequestCommand());
    if (!m_options.logFile.empty()) m_monitor->SetSave(true, m_options.logFile);
}

std::string CCliWatchHost::HeaderText() const {
    return m_monitor ? m_monitor->HeaderLine() : std::string("word");
}

void CCliWatchHost::OnInput() {
    if (m_stop.Take()) m_bQuit = true;
}

void CCliWatchHost::FrameReceived(const std::string& command, const std::string& text,
                                  const uint8_t* block, std::size_t blockCount) {
    const std::string request = m_monitor ? m_monitor->RequestCommand() : m_status.RequestCommand();
    const std::vector<ViewInfo> view = {{m_options.view, request}};
    if (ViewBroadcasts(view, command, text, std::string()).empty()) return;
    if (!m_monitor) {
        m_status.FrameIn(text);
    } else if (m_monitor->IsBinary()) {
        m_monitor->BlockIn(block, blockCount, m_core->GetSettings().m_nBinLengthFormat);
    } else {
        m_monitor->FrameIn(text);
    }
    CheckLog();
}

void CCliWatchHost::CheckLog() {
    if (!m_monitor || !m_monitor->Saving()) return;
    const LogFailure& state = m_monitor->LogState();
    if (state.failed && !m_bLogFailed) ReportWriteFailure("log", state.fileName, state.reason);
    m_bLogFailed = state.failed;
}

void CCliWatchHost::OnTimer(int id) {
    // Nothing more once the last line asked for is out.
    if (m_bQuit) return;
    if (id == kSendTimer) {
        m_core->SendButtonCommand(FirstRecord());
    } else if (id == kRefreshTimer) {
        Refresh();
    }
}

void CCliWatchHost::Refresh() {
    if (m_monitor) {
        if (!m_monitor->Tick()) return;
        PrintMonitor();
    } else {
        if (!m_status.Tick()) return;
        PrintStatus();
    }
    if (m_options.count && ++m_nPrinted >= *m_options.count) m_bQuit = true;
}

void CCliWatchHost::PrintMonitor() {
    const std::string values = m_monitor->ValuesLine();
    Emit("VALUES " + values);
    WriteCsv(&values);
    for (const NamedStatusCell& named : m_monitor->StatusCells())
        Emit(CellLine(named.item, named.cell));
}

void CCliWatchHost::PrintStatus() {
    const std::string word = m_status.WordText();
    Emit("WORD " + word);
    WriteCsv(&word);
    for (const StatusCell& cell : m_status.Cells()) Emit(CellLine(std::string(), cell));
}

// Without a text only the header goes out, and that only to an empty file.
void CCliWatchHost::WriteCsv(const std::string* text) {
    if (m_options.csvFile.empty()) return;
    const std::string record = text ? *text + "\r\n" : std::string();
    const LogWriteResult r =
        AppendLogRecord(m_options.csvFile, HeaderText() + "\r\n", record.data(), record.size());
    if (!r.ok && !m_bCsvFailed) ReportWriteFailure("csv", m_options.csvFile, r.reason);
    m_bCsvFailed = !r.ok;
}

}  // namespace quelda
