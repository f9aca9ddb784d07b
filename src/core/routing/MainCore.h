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
#include "routing/MainHost.h"

namespace quelda {

class CMainCore : private IParserListener {
public:
    static constexpr int kReplyTimerId = 1;
    static constexpr int kSearchTimerId = 2;
    static constexpr int kReplyTimeoutMs = 500;
    static constexpr int kSearchStepMs = 500;

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
    Settings& MutableSettings() { return m_settings; }
    LineSettings& GetLineSettings() { return m_lineSettings; }
    const LineSettings& GetLineSettings() const { return m_lineSettings; }
    std::vector<CommandRecord>& CommandRecords() { return m_records; }
    const std::vector<CommandRecord>& CommandRecords() const { return m_records; }
    const std::vector<CommandDef>& CommandDefs() const { return m_defs; }

    // Connection.
    void Connect();
    void Disconnect();
    bool IsConnected() const;
    // "COM," baud "," data "," parity "," stop "*" with a reply wait and the
    // reply timer (the COM Command dialog's OK).
    int SendSettingRequest(const std::string& baud, const std::string& dataBits,
                           const std::string& parity, const std::string& stopBits);
    // The dialog's AUTO: index 0, ClearReplyWait, first step.
    void StartSearch();
    void ConnectSearchStep();
    bool SearchRunning() const { return m_nSearchTimer != 0; }
    int SearchIndex() const { return m_nSearchIndex; }

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

    // Reply wait and timers.
    void OnTimer(int id);
    void ClearReplyWait();
    bool ReplyWait() const { return m_bReplyWait != 0; }
    bool ReplyTimerRunning() const { return m_nReplyTimer != 0; }
    void NotifyConnectionChanged();

    // Simulator reception prefix (empty matches every frame).
    void SetSimulatorPrefix(const std::string& prefix) { m_strSimulatorPrefix = prefix; }

    // Display and log switches.
    bool m_bFastDisplay = true;
    bool m_bErrorDisplay = true;
    void SetLogging(bool on, const std::string& fileName);
    bool Logging() const { return m_bLogging; }
    const std::string& LogFileName() const { return m_strLogFileName; }

    CComPort& Channel() { return *m_port; }

private:
    void OnFrameEnd(const char* text, std::size_t length) override;
    void OnFrame(const std::string& command, const char* text, std::size_t length,
                 const uint8_t* block, std::size_t blockCount) override;
    void OnReceiveError(const char* text) override;
    void DispatchFrame(const std::string& command, const char* text, std::size_t length,
                       const uint8_t* block, std::size_t blockCount);
    void HandleReply(const std::string& command, const char* text, std::size_t length);
    void HandleSearchAnswer();
    void StartReplyTimer();
    void StopReplyTimer();
    void ReportLineErrors(uint32_t errors);
    void DrainChannel();
    void LogTraffic(const uint8_t* data, std::size_t count);
    void FlushTraffic();
    void ShowReceivedByte(uint8_t ch);

    IMainHost& m_host;
    std::string m_strAppDir;
    Settings m_settings;
    LineSettings m_lineSettings;
    std::vector<CommandRecord> m_records;
    std::vector<CommandDef> m_defs;
    std::unique_ptr<CComPort> m_port;
    CReceiveParser m_parser;
    int m_bReplyWait = 0;
    int m_nReplyTimer = 0;  // the reply timer's id while it runs, else 0
    int m_nSearchTimer = 0;
    int m_nSearchIndex = 0;
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
