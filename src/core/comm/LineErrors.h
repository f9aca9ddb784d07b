#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace quelda {

// Line-error flags with the values of the original platform's error word.
enum LineErrorFlag : uint32_t {
    CE_RXOVER = 0x0001,
    CE_OVERRUN = 0x0002,
    CE_RXPARITY = 0x0004,
    CE_FRAME = 0x0008,
    CE_BREAK = 0x0010,
    CE_TXFULL = 0x0100,
    CE_PTO = 0x0200,
    CE_IOE = 0x0400,
    CE_DNS = 0x0800,
    CE_OOP = 0x1000,
    CE_MODE = 0x8000,
};

struct LineErrorText {
    uint32_t flag;
    const char* text;
};

// The eleven flags in the order in which they are examined.
const std::vector<LineErrorText>& LineErrorTable();

// Texts of the set flags, in table order.
std::vector<std::string> LineErrorTexts(uint32_t flags);

// Appends "YYYY/MM/DD HH:MM:SS,<text>\r\n" to appDir + "COMMERR.LOG";
// file errors are ignored. now = 0 takes the current time.
void LogLineError(const std::string& appDir, const std::string& text, std::time_t now = 0);

}  // namespace quelda
