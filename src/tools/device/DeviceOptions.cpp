#include "device/DeviceOptions.h"

#include <cstdlib>

namespace quelda {
namespace {

bool ParseFlood(const std::string& text, long& flood) {
    if (text.empty() || text.size() > 8) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    flood = std::strtol(text.c_str(), nullptr, 10);
    return flood <= DeviceOptions::kMaxFlood;
}

bool TakesValue(const std::string& name) {
    for (const char* n : {"--profile", "--link", "--port", "--baud", "--data", "--parity", "--stop",
                          "--flood", "--fault"}) {
        if (name == n) return true;
    }
    return false;
}

// Applies one option with its value; the line texts are gathered first.
bool Apply(const std::string& name, const std::string& value, DeviceOptions& options,
           std::string line[4], std::string& error) {
    if (name == "--profile") {
        options.profileDir = value;
    } else if (name == "--link") {
        options.linkPath = value;
    } else if (name == "--port") {
        options.portName = value;
    } else if (name == "--baud") {
        line[0] = value;
    } else if (name == "--data") {
        line[1] = value;
    } else if (name == "--parity") {
        line[2] = value;
    } else if (name == "--stop") {
        line[3] = value;
    } else if (name == "--flood") {
        if (!ParseFlood(value, options.flood)) {
            error = "--flood takes frames per second, 0 to 1000000";
            return false;
        }
    } else {  // --fault
        const std::size_t eq = value.find('=');
        options.faults.emplace_back(value.substr(0, eq),
                                    eq == std::string::npos ? "1" : value.substr(eq + 1));
    }
    if (value.empty()) {
        error = name + " needs a value";
        return false;
    }
    return true;
}

}  // namespace

bool ParseDeviceOptions(const std::vector<std::string>& args, DeviceOptions& options,
                        std::string& error) {
    std::string line[4];
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        const std::size_t eq = name.find('=');
        const bool inlineValue = name.compare(0, 2, "--") == 0 && eq != std::string::npos;
        if (inlineValue) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name == "--silent" || name == "--save" || name == "--help" || name == "-h" ||
            name == "--version") {
            if (inlineValue) {
                error = name + " takes no value";
                return false;
            }
            options.silent |= name == "--silent";
            options.save |= name == "--save";
            options.help |= name == "--help" || name == "-h";
            options.version |= name == "--version";
            continue;
        }
        if (!TakesValue(name)) {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!Apply(name, value, options, line, error)) return false;
    }
    return ParseLineParams(line[0], line[1], line[2], line[3], options.line, error);
}

std::string DeviceUsage() {
    return "usage: quelda-device [--profile DIR] [--link PATH] [--port NAME] [--baud B]\n"
           "                     [--data D] [--parity EVEN|ODD|NO] [--stop 1|1.5|2]\n"
           "                     [--silent] [--flood N] [--save] [--fault NAME=VALUE]...\n"
           "                     [--version]\n"
           "Plays the device on a new pseudo-terminal (first output line: PTY <path>)\n"
           "or on a real port (--port), until SIGTERM or SIGINT.\n"
           "Faults: BAD_CHECKSUM=n CUT=n (every n-th frame), NOISE=bytes, DELAY=ms,\n"
           "        NAK_WRITES=1, SILENT=1.\n";
}

}  // namespace quelda
