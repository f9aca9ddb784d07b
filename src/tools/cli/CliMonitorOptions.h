#pragma once
// The command line of quelda-cli monitor.
#include <functional>
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
// What --help says after the usage: the script commands and the exit codes.
extern const char* const kMonitorScriptHelp;

// argv[0] is "monitor". Returns an empty string, or what is wrong.
std::string ParseMonitorOptions(int argc, char** argv, MonitorOptions& options);

// The command line of a subcommand built on monitor's: argv[first ..] is
// split into the subcommand's own options (isOwn; parseOwn gets the name and
// its value and returns what is wrong) and the directory and line options,
// which monitor's parser reads. "--yes"/"--no" are monitor's alone; "--help"
// sets help.
std::string ParseWithLineOptions(int argc, char** argv, int first,
                                 const std::function<bool(const std::string&)>& isOwn,
                                 const std::function<std::string(const std::string&,
                                                                 const std::string&)>& parseOwn,
                                 bool& help, MonitorOptions& line);

// "--seconds": a non-negative number of at most a year (longer runs are what
// SIGTERM is for).
bool ParseSeconds(const std::string& text, double& seconds);

}  // namespace quelda
