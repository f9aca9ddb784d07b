#pragma once
// The eeprom subcommand's host: the shared CLI host of the main core plus
// one EEPROM transfer, fed the frames the main core has handled.
#include <string>
#include <utility>
#include <vector>

#include "CliCoreHost.h"
#include "CliEepromOptions.h"
#include "eeprom/EepromTransfer.h"

namespace quelda {

class CCliEepromHost : public CCliCoreHost, private IEepromTransferHost {
public:
    explicit CCliEepromHost(EepromOptions options);

    // 0 when the transfer completed (a read also saved), else 1.
    int Run();

    void FrameReceived(const std::string& command, const std::string& text, const uint8_t* block,
                       std::size_t blockCount) override;

private:
    // IEepromTransferHost
    bool SendCommand(const std::string& text) override;
    void ClearReplyWait() override { m_core->ClearReplyWait(); }
    int ByteWord() const override;
    // Running the command is the user's consent.
    bool Answer() const override { return true; }

    std::string DataPath() const;
    bool LoadFiles();
    void Start();
    void DeliverFrames();
    bool SaveRead();

    EepromOptions m_options;
    CEepromTransfer m_transfer;
    // Frames wait until the main core has handled them, as the window's
    // broadcast comes after the reply wait has taken its "ACK" or "NAK".
    std::vector<std::pair<std::string, std::string>> m_frames;
};

}  // namespace quelda
