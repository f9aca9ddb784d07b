#pragma once
// Which item fills each CSV column of a monitor log header or a converted
// line: column c (1-based) holds the last item, after the title line, whose
// first column reads as c. Column numbers above kMaxCsvColumns are left out,
// so a stray huge number cannot make lines of gigabytes.
#include <string>
#include <vector>

#include "monitor/MonitorItem.h"

namespace quelda {

constexpr int kMaxCsvColumns = 65536;

class CsvColumns {
public:
    explicit CsvColumns(const std::vector<MonitorItem>& items);

    // prefix, then each column's item name (or nothing) followed by ",",
    // then CR LF.
    std::string Header(const std::vector<MonitorItem>& items, const std::string& prefix) const;

    // Appends each column's item value text (or nothing) followed by ",",
    // then CR LF.
    void AppendLine(const std::vector<MonitorItem>& items, std::string& out) const;

    // The general form: appendText(itemIndex, out) for each filled column,
    // each column followed by ",", then CR LF.
    template <typename AppendText>
    void AppendRow(AppendText appendText, std::string& out) const {
        for (long index : m_itemOfColumn) {
            if (index >= 0) appendText(static_cast<std::size_t>(index), out);
            out += ',';
        }
        out += "\r\n";
    }

    std::size_t Count() const { return m_itemOfColumn.size(); }

    // Index into the item list of column c (1-based), or -1.
    long ItemOfColumn(std::size_t column) const { return m_itemOfColumn[column - 1]; }

private:
    std::vector<long> m_itemOfColumn;
};

// The header line of a monitor log (prefix ",," for monitors 1 and 2, empty
// for 3, "," for 4) and of converted CSV output (no prefix).
std::string BuildCsvHeader(const std::vector<MonitorItem>& items, const std::string& prefix);

}  // namespace quelda
