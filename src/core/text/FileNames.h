#pragma once
// Names for new log files.
#include <string>

namespace quelda {

// The first of base + "00".."99" + "." + ext that does not exist yet, or the
// "00" name when all exist.
std::string NextNumberedFileName(const std::string& base, const std::string& ext);

// Today's date as "%y%m%d".
std::string TodayYYMMDD();

// The name a new log of today starts with: the first free numbered name of
// today's date in dir (which ends with "/").
std::string ProposeLogName(const std::string& dir, const std::string& ext);

}  // namespace quelda
