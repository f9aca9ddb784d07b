#pragma once
// The command line of quelda-cli eeprom.
#include <optional>
#include <string>

#include "CliMonitorOptions.h"
#include "eeprom/EepromAccess.h"

namespace quelda {

struct EepromOptions {
    MonitorOptions line;      // --dir and the line settings, as monitor takes them
    bool write = false;       // write, else read
    std::string file;         // the data file; empty: EEPROM.CSV of the program directory
    std::string out;          // where a read is saved; empty: the data file
    std::optional<int> page;  // 1 to 32: that page only
    std::optional<EepromAccess> access;  // in place of BYTE_WORD
    bool help = false;
};

extern const char* const kEepromUsage;

// argv[0] is "eeprom", argv[1] read or write. Returns an empty string, or
// what is wrong.
std::string ParseEepromOptions(int argc, char** argv, EepromOptions& options);

}  // namespace quelda
