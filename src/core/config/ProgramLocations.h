#pragma once
// Where an installed or a built program finds its shipped files and keeps
// the user's own.
#include <string>

namespace quelda {

// Directory of the running executable, ending with "/".
std::string ExecutableDirectory();

// True when exeDir is the bin folder of an installed tree: the shipped files
// sit in ../share/quelda rather than beside the program.
bool IsInstalledLayout(const std::string& exeDir);

// The help page and the demo profile: beside the program in a build folder,
// <prefix>/share/quelda/ once installed. Ends with "/".
std::string ResourceDirectory(const std::string& exeDir);

// $XDG_DATA_HOME/Quelda/ (or ~/.local/share/Quelda/): the same place the
// desktop program's data location names, so both programs share it.
std::string UserDataDirectory();

// The program directory when neither --dir nor QUELDA_DIR names one: the
// executable's folder in a build tree (as always), the user's data folder
// once installed, since a system bin folder is not the user's to write.
// The folder is created when missing.
std::string DefaultProgramDirectory(const std::string& exeDir);

}  // namespace quelda
