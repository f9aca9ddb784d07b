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
    const std::string error = ParseWithLineOptions(
        argc, argv, 2, IsOwn,
        [&](const std::string& name, const std::string& value) { return ParseOwn(name, value, options); },
        options.help, options.line);
    if (!error.empty()) return error;
    if (options.write && !options.out.empty()) return "--out is for read only";
    return {};
}

}  // namespace quelda
