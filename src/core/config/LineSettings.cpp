#include "config/LineSettings.h"

#include <vector>

#include "text/TextFile.h"

namespace quelda {

namespace {

// The five values in file order.
std::string* Fields(LineSettings& s, std::size_t i) {
    std::string* fields[] = {&s.port, &s.baud, &s.dataBits, &s.parity, &s.stopBits};
    return fields[i];
}

constexpr std::size_t kLineSettingFields = 5;

}  // namespace

void LoadLineSettings(const std::string& appDir, LineSettings& settings) {
    std::vector<std::string> lines;
    if (!ReadLines(appDir + "PSETTING.TXT", lines)) return;
    for (std::size_t i = 0; i < lines.size() && i < kLineSettingFields; ++i) {
        *Fields(settings, i) = lines[i];
    }
}

bool SaveLineSettings(const std::string& appDir, const LineSettings& settings) {
    std::string content;
    for (const std::string* value : {&settings.port, &settings.baud, &settings.dataBits,
                                     &settings.parity, &settings.stopBits}) {
        content += *value + "\r\n";
    }
    return WriteFileAtomic(appDir + "PSETTING.TXT", content);
}

}  // namespace quelda
