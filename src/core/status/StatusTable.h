#pragma once
// Status tables (STATUS.TXT and the tables of "STATUS" items).
#include <string>
#include <vector>

#include "status/StatusEntry.h"

namespace quelda {

// The entries of the table at path, in file order, the title line first;
// empty when the file cannot be read or the path names a directory.
std::vector<StatusEntry> LoadStatusTable(const std::string& path);

}  // namespace quelda
