#include "text/CommaLines.h"

#include "text/TextFile.h"

namespace quelda {

std::vector<std::string> SplitComma(const std::string& line, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = line.find(',', start);
        if (comma == std::string::npos) {
            fields.emplace_back(line, start, std::string::npos);
            break;
        }
        fields.emplace_back(line, start, comma - start);
        start = comma + 1;
    }
    if (fields.size() < count) fields.resize(count);
    return fields;
}

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


std::vector<std::string> SplitElements(const std::string& text) {
    std::vector<std::string> elements;
    std::size_t start = 0;
    for (;;) {
        const std::size_t cut = text.find_first_of(",*", start);
        if (cut == std::string::npos) {
            elements.emplace_back(text, start, std::string::npos);
            return elements;
        }
        elements.emplace_back(text, start, cut - start);
        start = cut + 1;
    }
}

}  // namespace quelda
