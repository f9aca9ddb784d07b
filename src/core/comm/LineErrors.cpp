#include "comm/LineErrors.h"

#include "text/TextFile.h"

#include <cstdio>

namespace quelda {

const std::vector<LineErrorText>& LineErrorTable() {
    static const std::vector<LineErrorText> table = {
        {CE_BREAK, "The hardware detected a break condition"},
        {CE_DNS, "Windows 95/98: does not have a parallel device is selected"},
        {CE_FRAME, "Hardware has detected a framing error"},
        {CE_IOE, "I / O error occurred while communicating with the device"},
        {CE_MODE, "Requested mode is not supported . Or , hFile parameter is invalid"},
        {CE_OOP, "Windows 95/98: parallel device is turned out of paper"},
        {CE_OVERRUN, "Character buffer is full . The following characters will be lost"},
        {CE_PTO, "Windows 95/98: timed out in parallel device"},
        {CE_RXOVER,
         "Of input buffer overflow has occurred . Or there is no space in the input buffer , it "
         "has received a letter after the EOF"},
        {CE_RXPARITY, "Hardware has detected a parity error"},
        {CE_TXFULL, "The application tried to send a letter , but the output buffer was full"},
    };
    return table;
}

std::vector<std::string> LineErrorTexts(uint32_t flags) {
    std::vector<std::string> texts;
    for (const auto& entry : LineErrorTable()) {
        if (flags & entry.flag) texts.emplace_back(entry.text);
    }
    return texts;
}

void LogLineError(const std::string& appDir, const std::string& text, std::time_t now) {
    if (now == 0) now = std::time(nullptr);
    struct tm local {};
    char stamp[32];
    if (localtime_r(&now, &local) == nullptr ||
        std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S,", &local) == 0) {
        return;
    }
    const std::string line = stamp + text + "\r\n";
    AppendToFile(appDir + "COMMERR.LOG", line.data(), line.size());
}

}  // namespace quelda
