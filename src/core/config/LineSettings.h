#pragma once
#include <string>

namespace quelda {

// Port, baud rate, data bits, parity, stop bits as the user typed them.
struct LineSettings {
    std::string port = "COM1";
    std::string baud = "19200";
    std::string dataBits = "8";
    std::string parity = "NO";
    std::string stopBits = "1";
    bool operator==(const LineSettings& o) const {
        return port == o.port && baud == o.baud && dataBits == o.dataBits && parity == o.parity &&
               stopBits == o.stopBits;
    }
};

// Up to five lines of appDir + "PSETTING.TXT"; missing lines or file leave
// the values unchanged.
void LoadLineSettings(const std::string& appDir, LineSettings& settings);
// Five lines with CR LF; false on a write error (old file kept whole).
bool SaveLineSettings(const std::string& appDir, const LineSettings& settings);

}  // namespace quelda
