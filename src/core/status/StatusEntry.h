#pragma once
// One line of a status table: the columns as read, bytes unchanged.
#include <string>
#include <vector>

namespace quelda {

struct StatusEntry {
    std::string label;     // drawn in the label cell
    std::string bitRange;  // "lo-hi" or a single bit; equal neighbours form a group
    std::string match;     // decimal value of the field, or "others"
    std::string text;      // drawn centred in the coloured cell
    std::string red;
    std::string green;
    std::string blue;
    std::string x;  // cell column
    std::string y;  // cell row

    // From the nine columns of a line (missing ones empty).
    static StatusEntry FromColumns(const std::vector<std::string>& columns);
};

}  // namespace quelda
