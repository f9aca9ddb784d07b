#include "routing/MainCore.h"

#include <array>
#include <ctime>
#include <utility>

#include "comm/LineErrors.h"
#include "text/TextFile.h"
#include "protocol/Frame.h"
#include "routing/Routing.h"

namespace quelda {

namespace {

// One notification reads at most this much before it lets the host's event
// loop breathe; it posts itself again for the rest.
constexpr std::size_t kDrainBudget = 256u * 1024u;
// One read takes a whole batch of the channel, so no partial read asks the
// receive thread for another notification.
constexpr std::size_t kReadSlice = 64u * 1024u;

}  // namespace

CMainCore::CMainCore(IMainHost& host, std::string appDir)
    : m_host(host),
      m_strAppDir(std::move(appDir)),
      m_port(std::make_unique<CComPort>()),
      m_parser(*this),
      m_replyWait(host, host),
      m_search(host, host, *this),
      m_reconnect(host, *this),
      m_readBuffer(kReadSlice) {}

CMainCore::~CMainCore() {
    // The receive thread must not post into a host that is going away.
    m_port->Close();
    FlushTraffic();
}

// ---- files ------------------------------------------------------------------

void CMainCore::LoadAll() {
    LoadSettings();
    LoadLineSettings();
    LoadCommandButtons();
}

void CMainCore::LoadSettings() {
    m_settings = quelda::LoadSettings(m_strAppDir);
    m_parser.SetReceiveHeader(m_settings.receiveHeader);
    m_parser.SetBinLengthFormat(m_settings.m_nBinLengthFormat);
}

void CMainCore::LoadLineSettings() { quelda::LoadLineSettings(m_strAppDir, m_lineSettings); }

bool CMainCore::SaveLineSettings() { return quelda::SaveLineSettings(m_strAppDir, m_lineSettings); }

void CMainCore::LoadCommandButtons() {
    m_records = LoadCommandRecords(m_strAppDir);
    m_defs = LoadCommandDefs(m_strAppDir);
}

bool CMainCore::SaveCommandButtons() { return SaveCommandRecords(m_strAppDir, m_records); }

bool CMainCore::SetCommandRecord(int index, const CommandRecord& record) {
    if (index < 0 || index >= static_cast<int>(m_records.size())) return false;
    m_records[index] = record;
    return true;
}

// ---- connection ---------------------------------------------------------------

void CMainCore::Connect() {
    // An open channel is left alone; the search and the menus disconnect first.
    if (IsConnected()) return;
    m_reconnect.Cancel();
    ConnectLine();
}

OpenResult CMainCore::OpenChannel() {
    m_port->m_strPort = m_lineSettings.port;
    m_port->m_dwBaudRate = BaudFromText(m_lineSettings.baud);
    m_port->m_byDataBits = DataBitsFromText(m_lineSettings.dataBits);
    m_port->m_byParity = ParityFromText(m_lineSettings.parity);
    m_port->m_byStopBits = StopBitsFromText(m_lineSettings.stopBits);
    IMainHost& host = m_host;
    return m_port->Open([&host] { host.PostCommNotify(); });
}

void CMainCore::ConnectLine() {
    if (OpenChannel() == OpenResult::kDeviceOpenFailed) {
        m_host.ShowPrompt({"COM port open error", PromptButtons::Ok, PromptKind::Error, "error"},
                          nullptr);
        m_host.PortOpenFailed(m_port->OpenFailureReason());
    }
    m_host.SetTitle("Quelda " + m_lineSettings.port);
    NotifyConnectionChanged();
}

void CMainCore::Disconnect() {
    m_reconnect.Cancel();
    m_port->Close();
    NotifyConnectionChanged();
}

// The port hung up: closed as by Disconnect, and opened again once it is back.
void CMainCore::LineLost() {
    m_port->Close();
    if (m_settings.autoReconnect != 0 && !m_search.Active()) m_reconnect.Lost();
    NotifyConnectionChanged();
}

// Silent: no box per attempt, one terminal line when the port is back.
bool CMainCore::ReopenLine() {
    if (OpenChannel() != OpenResult::kOk) return false;
    m_host.SetTitle("Quelda " + m_lineSettings.port);
    ReportReceiveError("Reconnected to " + m_lineSettings.port);
    NotifyConnectionChanged();
    return true;
}

bool CMainCore::IsConnected() const { return m_port->IsConnected(); }

void CMainCore::NotifyConnectionChanged() {
    m_host.ConnectionChanged();
    PublishStatus();
}

ConnectionStatus CMainCore::Status() const {
    ConnectionStatus status;
    status.line = m_lineSettings;
    // A step's port is open while its probe waits: the search is what counts.
    if (m_search.Trying(status.line, status.step)) {
        status.state = LinkState::Searching;
        status.steps = CLineSearch::kSteps;
    } else if (IsConnected()) {
        status.state = LinkState::Connected;
    } else if (m_reconnect.Waiting()) {
        status.state = LinkState::Reconnecting;
    }
    return status;
}

void CMainCore::PublishStatus() {
    std::string text = StatusText();
    if (text == m_strShownStatus) return;
    m_strShownStatus = std::move(text);
    m_host.ShowConnectionStatus(m_strShownStatus);
}

void CMainCore::StartSearch() {
    // A search started again keeps what the user had before the first.
    if (!m_search.Active()) m_beforeSearch = m_lineSettings;
    m_reconnect.Cancel();
    m_search.Start();
}

void CMainCore::SearchFailed() {
    m_lineSettings = m_beforeSearch;
    PublishStatus();
}

int CMainCore::SendSettingRequest(const std::string& baud, const std::string& dataBits,
                                  const std::string& parity, const std::string& stopBits) {
    return SendWaitingCommand("COM," + baud + "," + dataBits + "," + parity + "," + stopBits + "*");
}

void CMainCore::ConnectWith(const std::string& baud, const std::string& parity) {
    m_lineSettings.baud = baud;
    m_lineSettings.dataBits = "8";
    m_lineSettings.parity = parity;
    m_lineSettings.stopBits = "1";
    Connect();
}

// ---- sending ------------------------------------------------------------------

int CMainCore::SendLine(const std::string& text, int wait) {
    if (m_replyWait.Waiting()) return 0;
    if (text.empty()) return 0;
    const std::string line = BuildLine(text);
    m_replyWait.Sent(wait);
    // A closed channel fails the write; the line still counts as sent.
    const auto* bytes = reinterpret_cast<const uint8_t*>(line.data());
    m_port->Write(bytes, line.size());
    LogTraffic(bytes, line.size());
    FlushTraffic();
    m_host.LineSent(line);
    m_host.AddLine(line, kLineSent);
    return 1;
}

int CMainCore::SendCommand(const std::string& text, int wait) {
    if (m_replyWait.Waiting()) return 0;
    if (text.empty()) return 0;
    return SendLine(m_settings.sendHeader + "," + text, wait);
}

int CMainCore::SendButtonCommand(int index) {
    if (index < 0 || index >= static_cast<int>(m_records.size())) return 0;
    const CommandRecord& record = m_records[index];
    const std::string text = BuildButtonCommandText(record);
    return record.ackCheck == 1 ? SendWaitingCommand(text) : SendCommand(text, 0);
}

int CMainCore::SendWaitingCommand(const std::string& text) {
    const int sent = SendCommand(text, 1);
    if (sent) m_replyWait.ArmTimer();
    return sent;
}

bool CMainCore::WriteRaw(const std::vector<uint8_t>& bytes) {
    const bool written = m_port->Write(bytes.data(), bytes.size());
    LogTraffic(bytes.data(), bytes.size());
    FlushTraffic();
    return written;
}

// ---- receiving ----------------------------------------------------------------

void CMainCore::OnCommNotify() {
    // A host that runs its event loop inside a callback (a modal box) may
    // deliver the next notification while this one is still reading; the
    // outer loop drains the channel anyway.
    if (m_bInNotify) return;
    uint32_t errors = 0;
    m_port->GetStatus(errors);
    ReportLineErrors(errors);
    m_bInNotify = true;
    const bool drained = DrainChannel();
    m_bInNotify = false;
    FlushTraffic();
    // Everything that came before the hang-up has been taken in.
    if (drained && m_port->HungUp()) LineLost();
}

void CMainCore::ReportLineErrors(uint32_t errors) {
    if (errors == 0) return;
    // One report, one time stamp.
    const std::time_t now = std::time(nullptr);
    for (const std::string& text : LineErrorTexts(errors)) {
        LogLineError(m_strAppDir, text, now);
        m_host.LineError(text);
        ReportReceiveError(text);
    }
}

// The channel notifies again only once its queue has been drained, so read
// until it is empty (or the budget is spent, and come back later).
bool CMainCore::DrainChannel() {
    std::size_t total = 0;
    while (true) {
        const std::size_t n = m_port->Read(m_readBuffer.data(), m_readBuffer.size());
        if (n == 0) return true;
        for (std::size_t i = 0; i < n; ++i) ReceiveByte(m_readBuffer[i]);
        total += n;
        if (total >= kDrainBudget) {
            m_host.PostCommNotify();
            return false;
        }
    }
}

void CMainCore::ReceiveByte(uint8_t ch) {
    LogTraffic(&ch, 1);
    if (!m_bInNotify) FlushTraffic();
    if (!m_bFastDisplay) ShowReceivedByte(ch);
    m_parser.ReceiveByte(ch);
}

void CMainCore::ShowReceivedByte(uint8_t ch) {
    m_strDisplayLine.push_back(ch == 0 ? '\x01' : static_cast<char>(ch));
    if (m_strDisplayLine.size() == 1) {
        m_host.AddLine(m_strDisplayLine, kLineReceived);
    } else {
        m_host.ReplaceLast(m_strDisplayLine, kLineReceived);
    }
    const std::size_t n = m_strDisplayLine.size();
    if (n >= 2 && m_strDisplayLine[n - 2] == '\r' && m_strDisplayLine[n - 1] == '\n') {
        m_strDisplayLine.clear();
    }
}

void CMainCore::ReportReceiveError(const std::string& text) {
    if (m_bErrorDisplay) m_host.AddLine(text, kLineError);
}

void CMainCore::SetBinaryCommand(const std::string& name) { m_parser.SetBinaryCommand(name); }

const std::string& CMainCore::BinaryCommand() const { return m_parser.BinaryCommand(); }

void CMainCore::OnFrameEnd(const char* text, std::size_t length) {
    if (m_bFastDisplay) m_host.AddLine(std::string(text, length), kLineReceived);
}

void CMainCore::OnFrame(const std::string& command, const char* text, std::size_t length,
                        const uint8_t* block, std::size_t blockCount) {
    m_host.FrameReceived(command, std::string(text, length), block, blockCount);
    DispatchFrame(command, text, length, block, blockCount);
}

void CMainCore::OnReceiveError(ReceiveError error) {
    const std::string text = ReceiveErrorText(error);
    m_host.ReceiveError(text);
    ReportReceiveError(text);
}

// ---- routing ------------------------------------------------------------------

void CMainCore::DispatchFrame(const std::string& command, const char* text, std::size_t length,
                              const uint8_t* block, std::size_t blockCount) {
    if (m_host.HasDocument()) {
        const std::string frameText(text, length);
        for (UpdateHint hint :
             ViewBroadcasts(m_host.Views(), command, frameText, m_strSimulatorPrefix)) {
            if (hint == hintMonitor3) {
                m_host.Broadcast(hint, block, blockCount);
            } else {
                m_host.Broadcast(hint, reinterpret_cast<const uint8_t*>(text), length);
            }
        }
    }
    // A reply ends the wait even when no window is open to see it; else an
    // "ACK" that did arrive would be followed by a time-out message.
    HandleReply(command, text, length);
}

void CMainCore::HandleReply(const std::string& command, const char* text, std::size_t length) {
    if (command == "ACK") {
        m_replyWait.Ack();
    } else if (command == "NAK") {
        m_replyWait.Nak();
    } else if (command == "COM") {
        m_search.ComAnswer();
    }
    const UpdateHint hint = ReplyHint(command);
    if (hint != hintNone && m_host.HasDocument()) {
        m_host.Broadcast(hint, reinterpret_cast<const uint8_t*>(text), length);
    }
}

// ---- timers and test hooks ------------------------------------------------------------

void CMainCore::OnTimer(int id) {
    if (id == kReplyTimerId) {
        m_replyWait.OnTimer(id);
    } else if (id == kSearchTimerId) {
        m_search.OnTimer(id);
    } else if (id == kReconnectTimerId) {
        m_reconnect.OnTimer(id);
    }
}

void CMainCore::InjectLineErrors(uint32_t flags) { m_port->InjectErrors(flags); }

// ---- traffic log ------------------------------------------------------------------

void CMainCore::SetLogging(bool on, const std::string& fileName) {
    FlushTraffic();
    m_bLogging = on;
    if (on) m_strLogFileName = fileName;
}

void CMainCore::LogTraffic(const uint8_t* data, std::size_t count) {
    if (!m_bLogging) return;
    m_traffic.insert(m_traffic.end(), data, data + count);
}

void CMainCore::FlushTraffic() {
    if (m_traffic.empty()) return;
    // A file error loses the bytes, as the log has always done.
    AppendToFile(m_strLogFileName, m_traffic.data(), m_traffic.size());
    m_traffic.clear();
}

}  // namespace quelda
