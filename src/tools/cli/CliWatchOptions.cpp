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

// At most a year: longer runs are what SIGTERM is for.
constexpr double kMaxSeconds = 365.0 * 24 * 3600;

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

bool ParseSeconds(const std::string& text, double& seconds) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !(value >= 0) || value > kMaxSeconds) return false;
    seconds = value;
    return true;
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
    // The directory and line options go to monitor's parser, which knows them.
    std::vector<char*> shared = {argv[0]};
    bool viewGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--yes" || name == "--no") return "unknown option " + name;
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (IsOwn(name)) {
            if (i + 1 >= argc) return "missing value for " + name;
            const std::string error = ParseOwn(name, argv[++i], options, viewGiven);
            if (!error.empty()) return error;
        } else {
            shared.push_back(argv[i]);
            if (i + 1 < argc) shared.push_back(argv[++i]);
        }
    }
    const std::string error =
        ParseMonitorOptions(static_cast<int>(shared.size()), shared.data(), options.line);
    if (!error.empty() || options.help) return error;
    if (!viewGiven) return "--view is missing";
    // The status window keeps no log of its own.
    if (options.view == WindowKind::Status && !options.logFile.empty())
        return "--log needs a monitor view";
    return {};
}

}  // namespace quelda
