#pragma once
// Section SIMULATOR of QUELDA.INI: read when the window opens, written at
// every Send.
#include <string>

namespace quelda {

constexpr const char* kSimulatorSection = "SIMULATOR";

struct SimulatorSettings {
    std::string sendHeader = "$QVR";     // SEND_HEDDA: the header-and-type text
    std::string period = "1";            // RERIOD: Hz, as typed
    std::string receiveHeader = "$QVR";  // RECEIVE_HEDDA: the reception text
    bool checksum = false;               // CHECKSUM: any value but 0 ticks the box
};

// Strings are cut to 255 characters, as the profile reader cuts them.
SimulatorSettings LoadSimulatorSettings(const std::string& appDir);
// RERIOD, RECEIVE_HEDDA, SEND_HEDDA, CHECKSUM ("0" or "1") in one rewrite
// of the file; false when it could not be written.
bool SaveSimulatorSettings(const std::string& appDir, const SimulatorSettings& settings);

}  // namespace quelda
