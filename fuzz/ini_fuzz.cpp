// QUELDA.INI: any bytes load, untouched lines are written back as they
// stood, values stay within their length, and a value set reads back.
#include <cstdint>

#include "FuzzFiles.h"
#include "config/IniFile.h"

using quelda::IniFile;
using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    IniFile ini;
    Check(ini.Load(quelda::fuzz::WriteScratch("QUELDA.INI", content)), "file loads");
    Check(ini.Content() == content, "an unchanged file is written as it was read");
    for (const char* key : {"BIN_LENGTH_FORMAT", "WINDOW_WIDTH", "HEADER"}) {
        Check(ini.GetString("COMMAND", key, "").size() <= quelda::kMaxProfileValue, "value bound");
        ini.GetInt("COMMAND", key, 7);
    }
    if (ini.SetString("COMMAND", "WINDOW_LEFT", "100")) {
        IniFile again;
        again.Parse(ini.Content());
        Check(again.GetInt("COMMAND", "WINDOW_LEFT", 0) == 100, "a set value reads back");
    }
    return 0;
}
