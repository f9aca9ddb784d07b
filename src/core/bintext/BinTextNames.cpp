#include "bintext/BinTextNames.h"

namespace quelda {

BinTextNames NamesForMonitorLog(const std::string& appDir, const std::string& logFile) {
    const std::size_t slash = logFile.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = logFile.rfind('.');
    // a dot in a directory name is no extension
    const std::size_t baseEnd = dot == std::string::npos || dot < nameStart ? logFile.size() : dot;
    return {logFile, appDir + "MONITOR3.TXT", logFile.substr(0, baseEnd) + ".CSV"};
}

}  // namespace quelda
