#include "monitor/CsvColumns.h"

#include "text/LenientNumbers.h"

namespace quelda {

CsvColumns::CsvColumns(const std::vector<MonitorItem>& items) {
    for (std::size_t i = 1; i < items.size(); ++i) {
        const int column = LenientAtoi(items[i].position);
        if (column < 1 || column > kMaxCsvColumns) continue;
        if (static_cast<std::size_t>(column) > m_itemOfColumn.size()) {
            m_itemOfColumn.resize(static_cast<std::size_t>(column), -1);
        }
        m_itemOfColumn[static_cast<std::size_t>(column) - 1] = static_cast<long>(i);
    }
}

std::string CsvColumns::Header(const std::vector<MonitorItem>& items,
                               const std::string& prefix) const {
    std::string out = prefix;
    AppendRow([&items](std::size_t i, std::string& o) { o += items[i].name; }, out);
    return out;
}

void CsvColumns::AppendLine(const std::vector<MonitorItem>& items, std::string& out) const {
    AppendRow([&items](std::size_t i, std::string& o) { o += items[i].value; }, out);
}

std::string BuildCsvHeader(const std::vector<MonitorItem>& items, const std::string& prefix) {
    return CsvColumns(items).Header(items, prefix);
}

}  // namespace quelda
