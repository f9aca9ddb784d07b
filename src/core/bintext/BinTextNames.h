#pragma once
// The converter's three file names, and those monitor 3 opens it with.
#include <string>

namespace quelda {

struct BinTextNames {
    std::string binaryFile;
    std::string definitionFile;
    std::string outputFile;
};

// For monitor 3's log: the log itself, MONITOR3.TXT of the program
// directory (ending in "/"), and the log's name with its extension (if
// any) replaced by ".CSV".
BinTextNames NamesForMonitorLog(const std::string& appDir, const std::string& logFile);

}  // namespace quelda
