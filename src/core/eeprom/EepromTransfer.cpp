#include "eeprom/EepromTransfer.h"

#include <cstdio>

#include "eeprom/EepromData.h"
#include "eeprom/ItemWord.h"
#include "eeprom/PageChecksum.h"
#include "text/CommaLines.h"
#include "text/LenientNumbers.h"

namespace quelda {
namespace {

constexpr uint32_t kAddressStep = 0x20;  // per read answer and per data write
constexpr std::size_t kValuesPerAnswer = 32;
constexpr int kTabs = 32;

const char* const kNoPageLine = "There is no data in the EEPROMTAB.TXT!";
const char* const kLineBusy =
    "The line was busy: another command awaits its reply. The EEPROM transfer has stopped";
const char* const kShortAnswer =
    "The EEPROM read answer holds fewer than 32 values. The read has stopped";

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

// The command's name and its address: "DB,100" and the like.
std::string Command(EepromAccess access, char kind, uint32_t address) {
    return std::string(1, kind) + (access == EepromAccess::Byte ? "B," : "W,") + Hex(address);
}

}  // namespace

CEepromTransfer::CEepromTransfer(IEepromTransferHost& host, ITimerHost& timers,
                                 IPromptHost& prompts)
    : m_host(host), m_timers(timers), m_prompts(prompts), m_alive(std::make_shared<bool>(true)) {}

CEepromTransfer::~CEepromTransfer() {
    if (m_bTimer) m_timers.KillTimer(*this, kTimerId);
}

// ---- starts -----------------------------------------------------------------------

void CEepromTransfer::StartAllRecv() { Start(Kind::AllRecv, 0); }
void CEepromTransfer::StartPageRecv(int tab) { Start(Kind::PageRecv, tab); }
void CEepromTransfer::StartAllSend() { Start(Kind::AllSend, 0); }
void CEepromTransfer::StartPageSend(int tab) { Start(Kind::PageSend, tab); }

void CEepromTransfer::Start(Kind kind, int tab) {
    static const char* const kQuestions[] = {
        "You will receive all the data . is it OK?",
        "You will receive the page data . is it OK?",
        "Send all the data . is it OK?",
        "It sends the page data . is it OK?",
    };
    std::weak_ptr<bool> alive = m_alive;
    m_prompts.ShowPrompt(
        {kQuestions[static_cast<int>(kind)], PromptButtons::OkCancel, PromptKind::Information, {}},
        [this, alive, kind, tab](bool ok) {
            if (!ok || alive.expired()) return;
            if (Running()) {
                m_prompts.Message("now communication...");
                return;
            }
            Begin(kind, tab);
        });
}

void CEepromTransfer::Begin(Kind kind, int tab) {
    m_access = m_host.ByteWord() == 0 ? EepromAccess::Byte : EepromAccess::Word;
    m_outcome = Outcome::None;
    const bool all = kind == Kind::AllRecv || kind == Kind::AllSend;
    const bool read = kind == Kind::AllRecv || kind == Kind::PageRecv;
    // no selected tab names no page
    const int page = tab >= 0 && tab < kTabs ? tab + 1 : -1;
    (read ? m_bReceiving : m_bSending) = true;
    m_nPage = all ? (read ? 1 : 0) : page;
    m_nPageLimit = all ? static_cast<int>(m_pages.size()) : page + 1;
    m_nItem = all ? (read ? 1 : 0) : page * static_cast<int>(kItemsPerPage) - 31;
    // Without its page line a transfer would work at address 0, which no
    // page line describes: it ends after the message instead.
    if (!LoadPageLine(m_nPage)) return End({});
    if (kind == Kind::AllSend && m_pages.size() < 2) {
        m_prompts.Message(kNoPageLine);  // a signature with no page after it
        return End({});
    }
    if (read) return ReadStep();
    m_host.StorePage();
    WriteStep();
}

bool CEepromTransfer::LoadPageLine(int index) {
    m_nAddress = 0;
    m_nChecksumAddress = 0;
    const bool found = index >= 0 && static_cast<std::size_t>(index) < m_pages.size();
    if (found) {
        m_nAddress = m_pages[index].StartAt();
        m_nChecksumAddress = m_pages[index].ChecksumAt();
    } else {
        m_prompts.ShowPrompt({kNoPageLine, PromptButtons::Ok, PromptKind::Warning, {}}, nullptr);
    }
    m_nPageStart = m_nAddress;
    m_nPageEnd = m_nAddress + PageSpan(m_access);
    return found;
}

// ---- events ------------------------------------------------------------------------

void CEepromTransfer::OnDataAnswer(const std::string& frameText) {
    if (!m_bReceiving) return;
    StopTimer();
    m_strReply = frameText;
    if (!StoreReply()) {
        m_host.ClearReplyWait();
        return End(kShortAnswer);
    }
    ReadStep();
}

void CEepromTransfer::OnAck() {
    if (!m_bSending) return;
    StopTimer();
    m_host.ClearReplyWait();
    WriteStep();
}

void CEepromTransfer::OnNak() {
    StopTimer();
    m_host.ClearReplyWait();
    // silent: the main frame has shown "It has received a NAK"
    if (Running()) End({});
}

void CEepromTransfer::OnReply(const std::string& frameText) {
    m_strReply = frameText;
    const std::vector<std::string> tokens = SplitElements(frameText);
    m_strCheck = tokens.size() > 2 ? tokens[2] : std::string();
}

void CEepromTransfer::OnTimer(int id) {
    // an expiry delivered after a stop is stale
    if (id != kTimerId || !m_bTimer) return;
    StopTimer();
    m_host.ClearReplyWait();
    End("Receive timeout occurred");
}

// ---- reading -----------------------------------------------------------------------

void CEepromTransfer::ReadStep() {
    if (!m_bReceiving) return;
    m_host.ClearReplyWait();
    // by the offset into the page, so a page at the top of memory cannot wrap
    if (m_nAddress - m_nPageStart >= PageSpan(m_access)) {
        ++m_nPage;
        m_nItem = m_nPage * static_cast<int>(kItemsPerPage) - 31;
        if (m_nPage >= m_nPageLimit) {
            m_bReceiving = false;
            return Complete("Read has completed successfully");
        }
        if (!LoadPageLine(m_nPage)) return End({});
    }
    Send(Command(m_access, 'D', m_nAddress) + "*");
}

bool CEepromTransfer::StoreReply() {
    if (!m_bReceiving) return false;
    // header, command, 32 values, and what follows the "*"
    const std::vector<std::string> tokens = SplitElements(m_strReply);
    if (tokens.size() < kValuesPerAnswer + 3) return false;
    std::vector<uint32_t> words;
    if (m_access == EepromAccess::Byte) {
        for (std::size_t i = 2; i < 2 + kValuesPerAnswer; i += 4) {
            uint32_t w = 0;
            for (std::size_t b = 0; b < 4; ++b) w = (w << 8) | (ScanHex32(tokens[i + b]) & 0xFFu);
            words.push_back(w);
        }
    } else {
        for (std::size_t i = 2; i < 2 + kValuesPerAnswer; ++i)
            words.push_back(ScanHex32(tokens[i]));
    }
    for (uint32_t w : words) {
        if (m_nItem < 1 || static_cast<std::size_t>(m_nItem) >= m_items.size()) {
            m_prompts.ShowPrompt({"Data display in the EEPROM data has ended",
                                  PromptButtons::Ok,
                                  PromptKind::Warning,
                                  {}},
                                 nullptr);
            break;
        }
        StoreRaw(m_items[m_nItem++], w);
    }
    m_nAddress += kAddressStep;
    m_host.ShowPage();
    return true;
}

// ---- writing -----------------------------------------------------------------------

void CEepromTransfer::WriteStep() {
    if (!m_bSending) return;
    if (m_nPage == m_nPageLimit) {
        m_host.ClearReplyWait();
        m_bSending = false;
        return Complete("Writing has been completed successfully");
    }
    if (m_nPage == 0) {
        if (!SendSignature()) return;
        m_nPage = 1;
        m_nItem = 1;
        if (!LoadPageLine(1)) End({});
        return;
    }
    if (m_nAddress - m_nPageStart >= PageSpan(m_access)) {
        if (!SendChecksum()) return;
        ++m_nPage;
        m_nItem = m_nPage * static_cast<int>(kItemsPerPage) - 31;
        if (m_nPage != m_nPageLimit && !LoadPageLine(m_nPage)) End({});
        return;
    }
    SendData();
}

bool CEepromTransfer::SendSignature() {
    std::string text = Command(m_access, 'E', m_nAddress);
    for (uint32_t value : SignatureValues(m_access)) text += "," + Hex(value);
    return Send(text + "*");
}

bool CEepromTransfer::SendChecksum() {
    const std::size_t page = static_cast<std::size_t>(m_nPage);
    for (const std::string& text : ChecksumShortfallTexts(m_access, m_items.size(), page)) {
        m_prompts.ShowPrompt({text, PromptButtons::Ok, PromptKind::Warning, {}}, nullptr);
    }
    uint32_t sum = PageChecksum(m_access, m_items, page);
    if (m_access == EepromAccess::Byte) sum &= 0xFFu;
    return Send(Command(m_access, 'E', m_nChecksumAddress) + "," + Hex(sum) + "*");
}

bool CEepromTransfer::SendData() {
    std::string text = Command(m_access, 'E', m_nAddress);
    const std::size_t count = m_access == EepromAccess::Byte ? 8 : 32;
    for (std::size_t n = 0; n < count; ++n) {
        if (m_nItem < 1 || static_cast<std::size_t>(m_nItem) >= m_items.size()) {
            m_host.ClearReplyWait();
            End("Data transmission EEPROM data has ended");
            return false;
        }
        const uint32_t w = StoredWord(m_items[m_nItem++]);
        if (m_access == EepromAccess::Byte) {
            for (uint8_t b : WordBytes(w)) text += "," + Hex(b);
        } else {
            text += "," + Hex(w);
        }
    }
    if (!Send(text + "*")) return false;
    m_nAddress += kAddressStep;
    return true;
}

// ---- sending and ending ----------------------------------------------------------------

bool CEepromTransfer::Send(const std::string& text) {
    if (!m_host.SendCommand(text)) {
        // Nothing would answer, so nothing would end the transfer. The wait
        // belongs to another window's command and stays.
        End(kLineBusy);
        return false;
    }
    m_timers.StartTimer(*this, kTimerId, kReplyTimeoutMs);
    m_bTimer = true;
    return true;
}

void CEepromTransfer::StopTimer() {
    if (!m_bTimer) return;
    m_timers.KillTimer(*this, kTimerId);
    m_bTimer = false;
}

void CEepromTransfer::Complete(const char* text) {
    m_outcome = Outcome::Completed;
    m_prompts.ShowPrompt({text, PromptButtons::Ok, PromptKind::Information, {}}, nullptr);
}

// Flags and outcome first, so that a host reacting to the box sees the end.
void CEepromTransfer::End(const std::string& text) {
    StopTimer();
    m_bSending = false;
    m_bReceiving = false;
    m_outcome = Outcome::Ended;
    if (!text.empty()) {
        m_prompts.ShowPrompt({text, PromptButtons::Ok, PromptKind::Warning, {}}, nullptr);
    }
}

}  // namespace quelda
