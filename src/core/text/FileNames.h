#pragma once
// Names for new log files.
#include <string>

namespace quelda {

// The first of base + "00".."99" + "." + ext that does not exist yet, or the
// "00" name when all exist.
std::string NextNumberedFileName(const std::string& base, const std::string& ext);

// Today's date as "%y%m%d".
std::string TodayYYMMDD();

}  // namespace quelda
