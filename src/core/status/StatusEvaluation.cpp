#include "status/StatusEvaluation.h"

#include <cctype>

#include "text/CommaLines.h"
#include "text/LenientNumbers.h"

namespace quelda {

namespace {

bool InBits(long long n) { return n >= 0 && n <= 31; }

// "%d" at pos: blanks, sign, digits; false when there are no digits.
bool ScanInt(const std::string& text, std::size_t& pos, long long& value) {
    std::size_t p = pos;
    while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
    std::size_t digits = p;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    if (digits >= text.size() || !std::isdigit(static_cast<unsigned char>(text[digits]))) {
        return false;
    }
    std::size_t end = digits;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    value = LenientAtoll(text.substr(p, end - p));
    pos = end;
    return true;
}

bool Matches(const StatusEntry& entry, uint32_t value) {
    const BitRange range = ParseBitRange(entry.bitRange);
    if (!range.valid) return false;
    if (entry.match == "others") return true;
    const uint32_t field = (value & range.Mask()) >> range.low;
    return static_cast<uint32_t>(LenientAtoi(entry.match)) == field;
}

StatusCell CellOf(const StatusEntry& e) {
    StatusCell cell;
    cell.label = e.label;
    cell.text = e.text;
    cell.r = LenientAtoi(e.red) & 0xFF;
    cell.g = LenientAtoi(e.green) & 0xFF;
    cell.b = LenientAtoi(e.blue) & 0xFF;
    cell.x = LenientAtoi(e.x);
    cell.y = LenientAtoi(e.y);
    return cell;
}

}  // namespace

uint32_t BitRange::Mask() const {
    if (!valid || high < low) return 0;
    const uint64_t upTo = (uint64_t{1} << (high + 1)) - 1;
    const uint64_t below = (uint64_t{1} << low) - 1;
    return static_cast<uint32_t>(upTo & ~below);
}

BitRange ParseBitRange(const std::string& text) {
    long long low = 0;
    long long high = 0;
    std::size_t pos = 0;
    if (ScanInt(text, pos, low) && pos < text.size() && text[pos] == '-') {
        ++pos;
        ScanInt(text, pos, high);
    }
    if (high == 0) high = low;
    BitRange range;
    range.valid = InBits(low) && InBits(high);
    if (range.valid) {
        range.low = static_cast<int>(low);
        range.high = static_cast<int>(high);
    }
    return range;
}

std::vector<StatusCell> EvaluateStatusCells(const std::vector<StatusEntry>& table, uint32_t value) {
    std::vector<StatusCell> cells;
    const std::string* group = nullptr;
    bool drawn = false;
    for (std::size_t i = 1; i < table.size(); ++i) {
        const StatusEntry& entry = table[i];
        if (!group || entry.bitRange != *group) {
            group = &entry.bitRange;
            drawn = false;
        }
        if (group->empty() || drawn) continue;
        if (Matches(entry, value)) {
            cells.push_back(CellOf(entry));
            drawn = true;
        }
    }
    return cells;
}

uint32_t StatusItemValue(const std::string& valueText) {
    return static_cast<uint32_t>(LenientAtoll(valueText));
}

bool DecodeStatusWord(const std::string& frameText, uint32_t& word) {
    const std::vector<std::string> elements = SplitElements(frameText);
    if (elements.size() < 3) return false;
    const std::string& element = elements[2];
    const std::size_t first = element.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string::npos || !std::isxdigit(static_cast<unsigned char>(element[first]))) {
        return false;
    }
    word = ScanHex32(element);
    return true;
}

}  // namespace quelda
