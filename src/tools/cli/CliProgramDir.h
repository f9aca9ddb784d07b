#pragma once
// The program directory of the command-line tools.
#include <string>

namespace quelda {

// dirOption when given, else $QUELDA_DIR, else the executable's directory
// (the user's data folder for an installed program);
// always ends in "/".
std::string ResolveProgramDir(const std::string& dirOption);

}  // namespace quelda
