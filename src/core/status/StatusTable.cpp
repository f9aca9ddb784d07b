#include "status/StatusTable.h"

#include "text/CommaLines.h"

namespace quelda {

std::vector<StatusEntry> LoadStatusTable(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    ReadDefinitionRows(path, 9, rows);
    std::vector<StatusEntry> entries;
    entries.reserve(rows.size());
    for (const std::vector<std::string>& row : rows)
        entries.push_back(StatusEntry::FromColumns(row));
    return entries;
}

}  // namespace quelda
