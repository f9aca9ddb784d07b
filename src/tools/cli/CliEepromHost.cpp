#include "CliEepromHost.h"

#include <cstdio>

#include "eeprom/EepromData.h"
#include "eeprom/EepromPage.h"
#include "routing/Routing.h"

namespace quelda {

CCliEepromHost::CCliEepromHost(EepromOptions options)
    : CCliCoreHost(options.line.dir),
      m_options(std::move(options)),
      m_transfer(*this, *this, *this) {}

int CCliEepromHost::Run() {
    m_core->LoadAll();
    LineSettings line = m_core->GetLineSettings();
    m_options.line.ApplyTo(line);
    m_core->SetLineSettings(line);
    // Files first: a file that cannot be read opens no port.
    if (!LoadFiles()) return 1;
    m_core->Connect();
    if (!m_core->IsConnected()) return 1;  // the core said why
    Start();
    while (m_transfer.Running()) {
        m_loop.RunOnce(-1, -1);
        DeliverFrames();
    }
    if (m_transfer.LastOutcome() != CEepromTransfer::Outcome::Completed) return 1;
    return m_options.write || SaveRead() ? 0 : 1;
}

std::string CCliEepromHost::DataPath() const {
    return m_options.file.empty() ? m_core->AppDir() + "EEPROM.CSV" : m_options.file;
}

bool CCliEepromHost::LoadFiles() {
    // a missing page table is the transfer's to report
    LoadPageTable(m_core->AppDir() + "EEPROMTAB.TXT", m_transfer.Pages());
    if (LoadItems(DataPath(), m_transfer.Items())) return true;
    Emit("MESSAGE It failed to read the EEPROM file");
    return false;
}

void CCliEepromHost::Start() {
    if (m_options.page) {
        const int tab = *m_options.page - 1;
        m_options.write ? m_transfer.StartPageSend(tab) : m_transfer.StartPageRecv(tab);
    } else {
        m_options.write ? m_transfer.StartAllSend() : m_transfer.StartAllRecv();
    }
}

bool CCliEepromHost::SaveRead() {
    const std::string path = m_options.out.empty() ? DataPath() : m_options.out;
    std::string reason;
    if (SaveItems(path, m_transfer.Items(), &reason)) return true;
    std::fprintf(stderr, "quelda-cli eeprom: %s not saved: %s\n", path.c_str(), reason.c_str());
    return false;
}

void CCliEepromHost::FrameReceived(const std::string& command, const std::string& text,
                                   const uint8_t* block, std::size_t blockCount) {
    CCliCoreHost::FrameReceived(command, text, block, blockCount);
    m_frames.emplace_back(command, text);
}

void CCliEepromHost::DeliverFrames() {
    std::vector<std::pair<std::string, std::string>> frames;
    frames.swap(m_frames);
    for (const auto& [command, text] : frames) {
        switch (ReplyHint(command)) {
            case hintEeprom:
                m_transfer.OnDataAnswer(text);
                break;
            case hintAck:
                m_transfer.OnAck();
                break;
            case hintNak:
                m_transfer.OnNak();
                break;
            case hintReply:
                m_transfer.OnReply(text);
                break;
            default:
                break;
        }
    }
}

bool CCliEepromHost::SendCommand(const std::string& text) {
    const int sent = m_core->SendCommand(text, 1);
    Refused(sent);
    return sent != 0;
}

int CCliEepromHost::ByteWord() const {
    if (!m_options.access) return m_core->GetSettings().m_nByteWord;
    return *m_options.access == EepromAccess::Byte ? 0 : 1;
}

}  // namespace quelda
