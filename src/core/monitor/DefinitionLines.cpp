#include "monitor/DefinitionLines.h"

#include "config/TextLines.h"

namespace quelda {

bool IsCommentColumn(const std::string& firstColumn) {
    return firstColumn.empty() || firstColumn.compare(0, 2, "//") == 0;
}

std::string ColumnAt(const std::vector<std::string>& columns, std::size_t i) {
    return i < columns.size() ? columns[i] : std::string();
}

bool ReadDefinitionRows(const std::string& path, std::size_t columns,
                        std::vector<std::vector<std::string>>& rows) {
    rows.clear();
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return false;
    for (const std::string& line : lines) {
        std::vector<std::string> fields = SplitComma(line, columns);
        if (!IsCommentColumn(fields[0])) rows.push_back(std::move(fields));
    }
    return true;
}

}  // namespace quelda
