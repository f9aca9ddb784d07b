#pragma once
// The command line of quelda-cli watch.
#include <optional>
#include <string>

#include "CliMonitorOptions.h"
#include "routing/WindowKind.h"

namespace quelda {

struct WatchOptions {
    MonitorOptions line;  // --dir and the line settings, as monitor takes them
    WindowKind view = WindowKind::Monitor1;
    int everyMs = 500;         // 0: send nothing, only listen
    std::optional<int> count;  // stop after this many VALUES or WORD lines
    std::optional<double> seconds;
    std::string logFile;  // the window's own log (monitors only)
    std::string csvFile;
    bool help = false;
};

extern const char* const kWatchUsage;

// argv[0] is "watch". Returns an empty string, or what is wrong.
std::string ParseWatchOptions(int argc, char** argv, WatchOptions& options);

}  // namespace quelda
