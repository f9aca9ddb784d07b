#include "CliWatchOptions.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "text/LenientNumbers.h"

namespace quelda {

const char* const kWatchUsage =
    "quelda-cli watch --view monitor1|monitor2|monitor3|monitor4|status [--dir DIR] "
    "[--port NAME] [--baud B] [--data D] [--parity P] [--stop S] [--every MS] [--count N] "
    "[--seconds S] [--log FILE] [--csv FILE]";

namespace {

bool ParseView(const std::string& text, WindowKind& view) {
    static const struct {
        const char* name;
        WindowKind kind;
    } kViews[] = {{"monitor1", WindowKind::Monitor1},
                  {"monitor2", WindowKind::Monitor2},
                  {"monitor3", WindowKind::Monitor3},
                  {"monitor4", WindowKind::Monitor4},
                  {"status", WindowKind::Status}};
    for (const auto& v : kViews) {
        if (text == v.name) {
            view = v.kind;
            return true;
        }
    }
    return false;
}

// One option of watch's own and its value.
std::string ParseOwn(const std::string& name, const std::string& value, WatchOptions& o,
                     bool& viewGiven) {
    int number = 0;
    if (name == "--view") {
        if (!ParseView(value, o.view)) return "--view takes monitor1 .. monitor4 or status";
        viewGiven = true;
    } else if (name == "--every") {
        if (!ParseStrictInt(value, number) || number < 0) return "--every takes milliseconds";
        o.everyMs = number;
    } else if (name == "--count") {
        if (!ParseStrictInt(value, number) || number < 1) return "--count takes a number above 0";
        o.count = number;
    } else if (name == "--seconds") {
        double seconds = 0;
        if (!ParseSeconds(value, seconds)) return "--seconds takes a number of seconds";
        o.seconds = seconds;
    } else if (name == "--log") {
        if (value.empty()) return "--log needs a file name";
        o.logFile = value;
    } else {
        if (value.empty()) return "--csv needs a file name";
        o.csvFile = value;
    }
    return {};
}

bool IsOwn(const std::string& name) {
    for (const char* own : {"--view", "--every", "--count", "--seconds", "--log", "--csv"}) {
        if (name == own) return true;
    }
    return false;
}

}  // namespace

std::string ParseWatchOptions(int argc, char** argv, WatchOptions& options) {
    bool viewGiven = false;
    const std::string error = ParseWithLineOptions(
        argc, argv, 1, IsOwn,
        [&](const std::string& name, const std::string& value) {
            return ParseOwn(name, value, options, viewGiven);
        },
        options.help, options.line);
    if (!error.empty() || options.help) return error;
    if (!viewGiven) return "--view is missing";
    // The status window keeps no log of its own.
    if (options.view == WindowKind::Status && !options.logFile.empty())
        return "--log needs a monitor view";
    return {};
}

}  // namespace quelda
