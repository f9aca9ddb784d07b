#include "CliMonitorOptions.h"
#include <vector>
#include <cstdlib>
#include <cerrno>

#include <map>

namespace quelda {

const char* const kMonitorUsage =
    "quelda-cli monitor [--dir DIR] [--port NAME] [--baud B] [--data D] [--parity P] "
    "[--stop S] [--yes|--no]";

const char* const kMonitorScriptHelp =
    "Reads a script from standard input, one command a line, and prints one line\n"
    "per event: CONNECTED, DISCONNECTED, SENT, FRAME, BLOCK, ERROR, LINE, REFUSED,\n"
    "MESSAGE, ASK, REASON. Blank lines and lines beginning with \"#\" are skipped;\n"
    "TEXT takes the escapes \\r \\n \\t \\\\ \\xHH.\n"
    "\n"
    "  line TEXT        sends TEXT as it stands, then CR LF; no header, no checksum\n"
    "                     line $QVR,PING*      sends \"$QVR,PING*\" CR LF\n"
    "  cmd TEXT         sends the send header (\"$QVR\" by default), \",\", TEXT and\n"
    "                   CR LF; the checksum is added only when TEXT ends in \"*\"\n"
    "                     cmd MON1*            sends \"$QVR,MON1*\", its checksum, CR LF\n"
    "  wait TEXT        sends TEXT as cmd does and waits for the answer \"ACK\" or\n"
    "                   \"NAK\" (500 ms at most, then \"Receive timeout occurred\");\n"
    "                   sends before the answer are REFUSED, so let a sleep follow\n"
    "                     wait PING*           then: sleep 600\n"
    "  button N         sends command record N, by record index: 0 is the first\n"
    "                   bar button, 19 the last, 28 the status window's Req; a\n"
    "                   record with its ACK check on sends as wait does\n"
    "  request B D P S  asks the device to change its line settings (\"COM,...\")\n"
    "  search           runs the automatic search over the line settings\n"
    "  bin NAME         the command whose answers carry a binary block\n"
    "  sleep MS         pauses the script; what arrives is still printed\n"
    "  connect, disconnect, quit\n"
    "\n"
    "The first unknown or malformed line stops the script: nothing after it is\n"
    "sent. Exit 2 then (and on a bad command line), 1 when the port never\n"
    "opened, else 0.\n";

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

std::string ParseWithLineOptions(int argc, char** argv, int first,
                                 const std::function<bool(const std::string&)>& isOwn,
                                 const std::function<std::string(const std::string&,
                                                                 const std::string&)>& parseOwn,
                                 bool& help, MonitorOptions& line) {
    std::vector<char*> shared = {argv[0]};
    for (int i = first; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--yes" || name == "--no") return "unknown option " + name;
        if (name == "--help" || name == "-h") {
            help = true;
        } else if (isOwn(name)) {
            if (i + 1 >= argc) return "missing value for " + name;
            const std::string error = parseOwn(name, argv[++i]);
            if (!error.empty()) return error;
        } else {
            shared.push_back(argv[i]);
            if (i + 1 < argc) shared.push_back(argv[++i]);
        }
    }
    return ParseMonitorOptions(static_cast<int>(shared.size()), shared.data(), line);
}

bool ParseSeconds(const std::string& text, double& seconds) {
    constexpr double kMaxSeconds = 365.0 * 24 * 3600;
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !(value >= 0) || value > kMaxSeconds) return false;
    seconds = value;
    return true;
}

}  // namespace quelda
