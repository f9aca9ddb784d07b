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

StatusList StatusTableCache::Load(const std::string& path) {
    auto found = m_tables.find(path);
    if (found == m_tables.end()) found = m_tables.emplace(path, LoadStatusTable(path)).first;
    return found->second;
}

}  // namespace quelda
