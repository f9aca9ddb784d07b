// PSETTING.TXT: any bytes load, and what is saved loads back the same.
#include <cstdint>

#include "FuzzFiles.h"
#include "config/LineSettings.h"

using quelda::LineSettings;
using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quelda::fuzz::WriteScratch("PSETTING.TXT", std::string(reinterpret_cast<const char*>(data), size));
    const std::string& dir = quelda::fuzz::ScratchDir();
    LineSettings settings;
    quelda::LoadLineSettings(dir, settings);
    Check(quelda::SaveLineSettings(dir, settings), "settings saved");
    LineSettings again;
    quelda::LoadLineSettings(dir, again);
    // a value holding a line end cannot come back whole; nothing else changes
    auto plain = [](const std::string& v) { return v.find_first_of("\r\n") == std::string::npos; };
    if (plain(settings.port) && plain(settings.baud) && plain(settings.dataBits) &&
        plain(settings.parity) && plain(settings.stopBits)) {
        Check(again == settings, "saved settings load back");
    }
    return 0;
}
