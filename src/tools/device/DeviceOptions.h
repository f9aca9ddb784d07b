#pragma once
// The command line of quelda-device.
#include <string>
#include <utility>
#include <vector>

#include "device/LineParams.h"

namespace quelda {

struct DeviceOptions {
    static constexpr long kMaxFlood = 1000000;

    std::string profileDir;  // --profile DIR
    std::string linkPath;    // --link PATH
    std::string portName;    // --port NAME: a real port instead of a pseudo-terminal
    LineParams line;         // --baud --data --parity --stop
    bool silent = false;     // --silent
    long flood = 0;          // --flood N: frames per second
    bool save = false;       // --save
    std::vector<std::pair<std::string, std::string>> faults;  // --fault NAME=VALUE
    bool help = false;                                        // --help
    bool version = false;                                     // --version
};

// args without the program name; "--name value" and "--name=value" both
// work. false with a reason for anything else.
bool ParseDeviceOptions(const std::vector<std::string>& args, DeviceOptions& options,
                        std::string& error);

std::string DeviceUsage();

}  // namespace quelda
