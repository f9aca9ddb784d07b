#pragma once
// The EEPROM transfer: reads the device's pages into the item list and
// writes them back, one command at a time, each sent from the handler of the
// previous one's answer. Event-fed: the starts, the data answers, "ACK",
// "NAK", "SUM"/"COM" replies and its own reply timer come in; commands,
// timers and boxes go out through its hosts. It never touches a widget.
//
// States, by the two flags:
//   idle       neither flag
//   reading    m_bReceiving: a "DB"/"DW" request is outstanding
//   writing    m_bSending: a signature, data or checksum write awaits "ACK"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "eeprom/EepromAccess.h"
#include "eeprom/EepromItem.h"
#include "eeprom/EepromPage.h"
#include "routing/MainHost.h"

namespace quelda {

class IEepromTransferHost {
public:
    virtual ~IEepromTransferHost() = default;
    // Frames the command text and sends it with a reply wait; false when the
    // main frame refused it (a reply is awaited, or the text is empty).
    virtual bool SendCommand(const std::string& text) = 0;
    virtual void ClearReplyWait() = 0;
    // BYTE_WORD of section EEPROM: 0 byte access, anything else word access.
    virtual int ByteWord() const = 0;
    // The editor's grids: copied into the selected page's items before a
    // write, refilled from them after each read answer. A front end without
    // grids leaves them alone.
    virtual void StorePage() {}
    virtual void ShowPage() {}
};

class CEepromTransfer : public ITimerClient {
public:
    static constexpr int kTimerId = 1;
    static constexpr int kReplyTimeoutMs = 5000;

    // How the last transfer ended.
    enum class Outcome {
        None,       // none has ended since the last start
        Completed,  // "Read has completed successfully" / "Writing has been completed successfully"
        Ended,      // any other way: NAK, time-out, refusal, missing pages or items, bad answer
    };

    CEepromTransfer(IEepromTransferHost& host, ITimerHost& timers, IPromptHost& prompts);
    ~CEepromTransfer() override;
    CEepromTransfer(const CEepromTransfer&) = delete;
    CEepromTransfer& operator=(const CEepromTransfer&) = delete;

    // The page list (EEPROMTAB.TXT) and the item list (the data file) the
    // transfer works on; the editor loads and edits them in place.
    std::vector<EepromPage>& Pages() { return m_pages; }
    std::vector<EepromItem>& Items() { return m_items; }

    // The four buttons. Each asks its OK/Cancel question first; tab is the
    // selected tab (0..31), which names page-list index tab + 1.
    void StartAllRecv();
    void StartPageRecv(int tab);
    void StartAllSend();
    void StartPageSend(int tab);

    // Frames as the main frame broadcasts them, text from "$" to LF.
    void OnDataAnswer(const std::string& frameText);  // "DB"/"DW"
    void OnAck();
    void OnNak();
    void OnReply(const std::string& frameText);  // "SUM"/"COM"
    void OnTimer(int id) override;

    bool Sending() const { return m_bSending; }
    bool Receiving() const { return m_bReceiving; }
    bool Running() const { return m_bSending || m_bReceiving; }
    Outcome LastOutcome() const { return m_outcome; }
    // Token 2 of the last "SUM"/"COM" reply: the editor's check field.
    const std::string& CheckText() const { return m_strCheck; }

    // The operations of a running transfer, driven by the events above;
    // outside the transfer they run do nothing.
    void ReadStep();
    // false when the answer holds fewer than 32 values: then no item is filled.
    bool StoreReply();
    void WriteStep();

private:
    enum class Kind { AllRecv, PageRecv, AllSend, PageSend };

    void Start(Kind kind, int tab);
    void Begin(Kind kind, int tab);
    bool LoadPageLine(int index);
    bool Send(const std::string& text);
    bool SendSignature();
    bool SendChecksum();
    bool SendData();
    void StopTimer();
    void Complete(const char* text);
    void End(const std::string& text);

    IEepromTransferHost& m_host;
    ITimerHost& m_timers;
    IPromptHost& m_prompts;
    // Answers to questions that come after the transfer is gone are dropped.
    std::shared_ptr<bool> m_alive;

    std::vector<EepromPage> m_pages;
    std::vector<EepromItem> m_items;

    bool m_bSending = false;
    bool m_bReceiving = false;
    bool m_bTimer = false;  // the reply timer (kTimerId) runs
    Outcome m_outcome = Outcome::None;
    EepromAccess m_access = EepromAccess::Byte;  // fixed when a transfer starts
    std::string m_strReply;                      // the last "DB"/"DW" (or "SUM"/"COM") frame
    std::string m_strCheck;
    uint32_t m_nAddress = 0;
    uint32_t m_nPageEnd = 0;
    uint32_t m_nChecksumAddress = 0;
    uint32_t m_nPageStart = 0;
    int m_nPage = 0;
    int m_nPageLimit = 0;
    int m_nItem = 0;
};

}  // namespace quelda
