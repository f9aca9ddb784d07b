#pragma once
// The command line of quelda-cli monitor.
#include <optional>
#include <string>

#include "config/LineSettings.h"

namespace quelda {

struct MonitorOptions {
    std::string dir;
    std::optional<std::string> port, baud, dataBits, parity, stopBits;
    bool yes = false;  // the answer to every question
    bool help = false;

    // The options given replace the values read from PSETTING.TXT.
    void ApplyTo(LineSettings& settings) const;
};

extern const char* const kMonitorUsage;

// argv[0] is "monitor". Returns an empty string, or what is wrong.
std::string ParseMonitorOptions(int argc, char** argv, MonitorOptions& options);

}  // namespace quelda
