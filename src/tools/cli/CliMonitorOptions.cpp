#include "CliMonitorOptions.h"

#include <map>

namespace quelda {

const char* const kMonitorUsage =
    "quelda-cli monitor [--dir DIR] [--port NAME] [--baud B] [--data D] [--parity P] "
    "[--stop S] [--yes|--no]";

void MonitorOptions::ApplyTo(LineSettings& settings) const {
    if (port) settings.port = *port;
    if (baud) settings.baud = *baud;
    if (dataBits) settings.dataBits = *dataBits;
    if (parity) settings.parity = *parity;
    if (stopBits) settings.stopBits = *stopBits;
}

std::string ParseMonitorOptions(int argc, char** argv, MonitorOptions& options) {
    const std::map<std::string, std::optional<std::string> MonitorOptions::*> valued = {
        {"--port", &MonitorOptions::port},
        {"--baud", &MonitorOptions::baud},
        {"--data", &MonitorOptions::dataBits},
        {"--parity", &MonitorOptions::parity},
        {"--stop", &MonitorOptions::stopBits}};
    bool yes = false, no = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--yes" || name == "--no") {
            (name == "--yes" ? yes : no) = true;
            continue;
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        const auto it = valued.find(name);
        if (it == valued.end() && name != "--dir") return "unknown option " + name;
        if (i + 1 >= argc) return "missing value for " + name;
        const std::string value = argv[++i];
        if (name == "--dir") {
            options.dir = value;
        } else {
            options.*(it->second) = value;
        }
    }
    if (yes && no) return "--yes and --no exclude each other";
    options.yes = yes;
    return {};
}

}  // namespace quelda
