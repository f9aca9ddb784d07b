#include "simulator/SimulatorSettings.h"

#include "config/IniFile.h"
#include "text/TextFile.h"

namespace quelda {

namespace {

std::string IniPath(const std::string& appDir) { return appDir + "QUELDA.INI"; }

}  // namespace

SimulatorSettings LoadSimulatorSettings(const std::string& appDir) {
    IniFile ini;
    ini.Load(IniPath(appDir));
    SimulatorSettings s;
    s.sendHeader = ini.GetString(kSimulatorSection, "SEND_HEDDA", s.sendHeader);
    s.period = ini.GetString(kSimulatorSection, "RERIOD", s.period);
    s.receiveHeader = ini.GetString(kSimulatorSection, "RECEIVE_HEDDA", s.receiveHeader);
    s.checksum = ini.GetInt(kSimulatorSection, "CHECKSUM", 0) != 0;
    return s;
}

bool SaveSimulatorSettings(const std::string& appDir, const SimulatorSettings& s) {
    IniFile ini;
    // A file that is there but cannot be read must not be replaced by four keys.
    if (!ini.Load(IniPath(appDir)) && FileExists(IniPath(appDir))) return false;
    bool ok = ini.SetString(kSimulatorSection, "RERIOD", s.period);
    ok = ini.SetString(kSimulatorSection, "RECEIVE_HEDDA", s.receiveHeader) && ok;
    ok = ini.SetString(kSimulatorSection, "SEND_HEDDA", s.sendHeader) && ok;
    ok = ini.SetString(kSimulatorSection, "CHECKSUM", s.checksum ? "1" : "0") && ok;
    return ini.Save(IniPath(appDir)) && ok;
}

}  // namespace quelda
