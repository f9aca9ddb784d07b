#pragma once
// Everything of the main frame that is not drawing: the channel, the parser,
// the reply wait, settings, line settings, command records, the traffic log,
// the search and the routing. CMainFrame and quelda-cli each own one.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "comm/ComPort.h"
#include "config/CommandRecords.h"
#include "config/LineSettings.h"
#include "config/Settings.h"
#include "protocol/ReceiveParser.h"
#include "routing/ConnectionStatus.h"
#include "routing/LineReconnect.h"
#include "routing/LineSearch.h"
#include "routing/MainHost.h"
#include "routing/ReplyWait.h"

namespace quelda {

class CMainCore : public ITimerClient,
                  private IParserListener,
                  private ILineSearchHost,
                  private ILineReconnectHost {
public:
    static constexpr int kReplyTimerId = CReplyWait::kTimerId;
    static constexpr int kSearchTimerId = CLineSearch::kTimerId;
    static constexpr int kReconnectTimerId = CLineReconnect::kTimerId;

    // appDir ends with "/".
    CMainCore(IMainHost& host, std::string appDir);
    ~CMainCore() override;

    // Start-up: QUELDA.INI, PSETTING.TXT, COMMAND2.TXT and CMDDEF.TXT.
    void LoadAll();
    void LoadSettings();
    void LoadLineSettings();
    bool SaveLineSettings();
    void LoadCommandButtons();
    bool SaveCommandButtons();

    const std::string& AppDir() const { return m_strAppDir; }
    const Settings& GetSettings() const { return m_settings; }
    const LineSettings& GetLineSettings() const { return m_lineSettings; }
    // Taken by the next Connect (the dialogs, the CLI's options).
    void SetLineSettings(const LineSettings& values) { m_lineSettings = values; }
    const std::vector<CommandRecord>& CommandRecords() const { return m_records; }
    // Replaces record index (the Command Edit dialog); false when there is none.
    bool SetCommandRecord(int index, const CommandRecord& record);
    const std::vector<CommandDef>& CommandDefs() const { return m_defs; }

    // Connection. The user's Connect and Disconnect end the reopening of a
    // port that hung up.
    void Connect();
    void Disconnect();
    bool IsConnected() const;
    // A hung-up port waits to be opened again (AUTO_RECONNECT).
    bool Reconnecting() const { return m_reconnect.Waiting(); }
    ConnectionStatus Status() const;
    std::string StatusText() const { return ConnectionStatusText(Status()); }
    // "COM," baud "," data "," parity "," stop "*" with a reply wait and the
    // reply timer (the COM Command dialog's OK).
    int SendSettingRequest(const std::string& baud, const std::string& dataBits,
                           const std::string& parity, const std::string& stopBits);
    // The dialog's AUTO: index 0, ClearReplyWait, first step.
    void StartSearch();
    void ConnectSearchStep() { m_search.Step(); }
    bool SearchRunning() const { return m_search.Running(); }
    int SearchIndex() const { return m_search.Index(); }

    // Sending.
    int SendLine(const std::string& text, int wait);
    int SendCommand(const std::string& text, int wait);
    // SendCommand with a reply wait; when it was sent, the 500 ms reply timer
    // runs until "ACK", "NAK" or "Receive timeout occurred".
    int SendWaitingCommand(const std::string& text);
    // 1 when the record's line went out; 0 for a missing record or a refusal.
    int SendButtonCommand(int index);
    // Raw bytes (a file from the terminal): no header, no display, no wait
    // test; they do go to the traffic log, which holds every byte sent.
    bool WriteRaw(const std::vector<uint8_t>& bytes);

    // Receiving.
    void OnCommNotify();
    void ReceiveByte(uint8_t ch);
    void ReportReceiveError(const std::string& text);
    void SetBinaryCommand(const std::string& name);
    const std::string& BinaryCommand() const;

    // The main frame's timers by id (1 reply, 2 search): for hosts and tests
    // that fire them by id rather than through their owner.
    void OnTimer(int id) override;
    void ClearReplyWait() override { m_replyWait.Clear(); }
    bool ReplyWait() const { return m_replyWait.Waiting(); }
    bool ReplyTimerRunning() const { return m_replyWait.TimerRunning(); }
    void NotifyConnectionChanged();

    // Simulator reception prefix (empty matches every frame).
    void SetSimulatorPrefix(const std::string& prefix) { m_strSimulatorPrefix = prefix; }

    // Display and log switches. Fast display shows whole frames; without it
    // every byte is shown as it arrives. Error display shows receive errors.
    bool FastDisplay() const { return m_bFastDisplay; }
    void SetFastDisplay(bool on) { m_bFastDisplay = on; }
    bool ErrorDisplay() const { return m_bErrorDisplay; }
    void SetErrorDisplay(bool on) { m_bErrorDisplay = on; }
    void SetLogging(bool on, const std::string& fileName);
    bool Logging() const { return m_bLogging; }
    const std::string& LogFileName() const { return m_strLogFileName; }

    // Bytes the channel holds that OnCommNotify has not read yet; errors
    // takes the line-error flags gathered since the last look (a look
    // consumes them, as OnCommNotify's does).
    std::size_t ChannelStatus(uint32_t& errors) { return m_port->GetStatus(errors); }
    // Test hook: line-error flags as the driver would report them.
    void InjectLineErrors(uint32_t flags);

private:
    void OnFrameEnd(const char* text, std::size_t length) override;
    void OnFrame(const std::string& command, const char* text, std::size_t length,
                 const uint8_t* block, std::size_t blockCount) override;
    void OnReceiveError(ReceiveError error) override;
    void DispatchFrame(const std::string& command, const char* text, std::size_t length,
                       const uint8_t* block, std::size_t blockCount);
    void HandleReply(const std::string& command, const char* text, std::size_t length);
    void ReportLineErrors(uint32_t errors);
    // False when the budget ran out with bytes still waiting.
    bool DrainChannel();
    OpenResult OpenChannel();
    void ConnectLine();
    void LineLost();
    void PublishStatus();
    void LogTraffic(const uint8_t* data, std::size_t count);
    void FlushTraffic();
    void ShowReceivedByte(uint8_t ch);
    // ILineSearchHost
    void DisconnectLine() override { Disconnect(); }
    void ConnectWith(const std::string& baud, const std::string& parity) override;
    bool SendProbe() override { return SendCommand("COM*", 1) != 0; }
    void SaveFoundSettings() override { SaveLineSettings(); }
    void SearchFailed() override;
    void SearchChanged() override { PublishStatus(); }
    // ILineReconnectHost
    bool ReopenLine() override;

    IMainHost& m_host;
    std::string m_strAppDir;
    Settings m_settings;
    LineSettings m_lineSettings;
    std::vector<CommandRecord> m_records;
    std::vector<CommandDef> m_defs;
    std::unique_ptr<CComPort> m_port;
    CReceiveParser m_parser;
    CReplyWait m_replyWait;
    CLineSearch m_search;
    CLineReconnect m_reconnect;
    LineSettings m_beforeSearch;  // put back when a search finds nothing
    std::string m_strShownStatus;
    std::vector<uint8_t> m_readBuffer;
    bool m_bFastDisplay = true;
    bool m_bErrorDisplay = true;
    bool m_bLogging = false;
    std::string m_strLogFileName;
    // Traffic waiting for the log, in the order of events (a line sent from
    // inside a broadcast follows the bytes received before it); written out
    // once per received batch and after every sent line.
    std::vector<uint8_t> m_traffic;
    bool m_bInNotify = false;
    std::string m_strDisplayLine;
    std::string m_strSimulatorPrefix;
};

}  // namespace quelda
