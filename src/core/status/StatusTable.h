#pragma once
// Status tables (STATUS.TXT and the tables of "STATUS" items).
#include <map>
#include <string>
#include <vector>

#include "status/StatusEntry.h"
#include "status/StatusList.h"

namespace quelda {

// The entries of the table at path, in file order, the title line first;
// empty when the file cannot be read or the path names a directory.
std::vector<StatusEntry> LoadStatusTable(const std::string& path);

// Loads each table once while one definition is read: the items naming the
// same file share one list.
class StatusTableCache {
public:
    StatusList Load(const std::string& path);

private:
    std::map<std::string, StatusList> m_tables;
};

}  // namespace quelda
