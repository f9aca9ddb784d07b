#include "CliEepromOptions.h"

#include <vector>

#include "text/LenientNumbers.h"

namespace quelda {

const char* const kEepromUsage =
    "quelda-cli eeprom read|write [--dir DIR] [--port NAME] [--baud B] [--data D] [--parity P] "
    "[--stop S] [--file FILE] [--out FILE] [--page N] [--access byte|word]";

namespace {

bool IsOwn(const std::string& name) {
    for (const char* own : {"--file", "--out", "--page", "--access"}) {
        if (name == own) return true;
    }
    return false;
}

std::string ParseOwn(const std::string& name, const std::string& value, EepromOptions& o) {
    if (name == "--file" || name == "--out") {
        if (value.empty()) return name + " needs a file name";
        (name == "--file" ? o.file : o.out) = value;
    } else if (name == "--page") {
        int page = 0;
        if (!ParseStrictInt(value, page) || page < 1 || page > 32) return "--page takes 1 to 32";
        o.page = page;
    } else if (value == "byte" || value == "word") {
        o.access = value == "byte" ? EepromAccess::Byte : EepromAccess::Word;
    } else {
        return "--access takes byte or word";
    }
    return {};
}

}  // namespace

std::string ParseEepromOptions(int argc, char** argv, EepromOptions& options) {
    const std::string action = argc > 1 ? argv[1] : "";
    if (action == "--help" || action == "-h") {
        options.help = true;
        return {};
    }
    if (action != "read" && action != "write") return "read or write comes first";
    options.write = action == "write";
    // The directory and line options go to monitor's parser, which knows them.
    std::vector<char*> shared = {argv[0]};
    for (int i = 2; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--yes" || name == "--no") return "unknown option " + name;
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (IsOwn(name)) {
            if (i + 1 >= argc) return "missing value for " + name;
            const std::string error = ParseOwn(name, argv[++i], options);
            if (!error.empty()) return error;
        } else {
            shared.push_back(argv[i]);
            if (i + 1 < argc) shared.push_back(argv[++i]);
        }
    }
    if (options.write && !options.out.empty()) return "--out is for read only";
    return ParseMonitorOptions(static_cast<int>(shared.size()), shared.data(), options.line);
}

}  // namespace quelda
