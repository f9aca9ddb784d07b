#include "CliBin2Csv.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "CliProgramDir.h"
#include "bintext/BinTextConverter.h"
#include "config/IniFile.h"
#include "text/LenientNumbers.h"

namespace quelda {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: quelda-cli bin2csv --bin FILE --def FILE --out FILE [--rate N] "
    "[--bin-length-format 0|1] [--dir DIR]";

struct Options {
    BinTextRequest request;
    std::string dir;
    int lengthFormat = -1;  // -1: from QUELDA.INI
};

bool SetOption(Options& o, const std::string& name, const std::string& value) {
    if (name == "--bin")
        o.request.binaryFile = value;
    else if (name == "--def")
        o.request.definitionFile = value;
    else if (name == "--out")
        o.request.outputFile = value;
    else if (name == "--dir")
        o.dir = value;
    else if (name == "--rate")
        return ParseStrictInt(value, o.request.rate);
    else if (name == "--bin-length-format") {
        return (value == "0" || value == "1") && ParseStrictInt(value, o.lengthFormat);
    } else
        return false;
    return true;
}

// The error text of a usage error, empty when the arguments are good.
std::string ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        if (i + 1 >= argc) return "missing value for " + name;
        if (!SetOption(o, name, argv[i + 1])) return "bad option " + name + " " + argv[i + 1];
    }
    if (o.request.binaryFile.empty() || o.request.definitionFile.empty() ||
        o.request.outputFile.empty()) {
        return "--bin, --def and --out are required";
    }
    return std::string();
}

// Percent steps on standard error, only for a person watching.
BinTextConverter::Progress TerminalProgress() {
    if (!::isatty(STDERR_FILENO)) return {};
    return [last = -1](uint64_t done, uint64_t total) mutable {
        const int percent = total ? static_cast<int>(done * 100 / total) : 100;
        if (percent == last) return;
        last = percent;
        std::fprintf(stderr, "\rconverting: %3d%%", percent);
    };
}

}  // namespace

int RunBin2Csv(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::printf("%s\n", kUsage);
        return kExitDone;
    }
    Options o;
    const std::string error = ParseOptions(argc, argv, o);
    if (!error.empty()) {
        std::fprintf(stderr, "bin2csv: %s (%s)\n", error.c_str(), kUsage);
        return kExitUsage;
    }
    o.request.appDir = ResolveProgramDir(o.dir);
    o.request.lengthFormat = o.lengthFormat >= 0 ? o.lengthFormat
                                                 : GetProfileInt(o.request.appDir + "QUELDA.INI",
                                                                 "COMMAND", "BIN_LENGTH_FORMAT", 0);
    const BinTextConverter::Progress progress = TerminalProgress();
    const BinTextResult result = BinTextConverter().Convert(o.request, progress);
    if (progress) std::fputc('\n', stderr);
    if (result.outcome == BinTextResult::Outcome::Completed) return kExitDone;
    std::printf("MESSAGE %s\n", result.message.c_str());
    return kExitMessage;
}

}  // namespace quelda
