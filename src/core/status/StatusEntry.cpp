#include "status/StatusEntry.h"

#include "text/CommaLines.h"

namespace quelda {

StatusEntry StatusEntry::FromColumns(const std::vector<std::string>& columns) {
    StatusEntry e;
    e.label = ColumnAt(columns, 0);
    e.bitRange = ColumnAt(columns, 1);
    e.match = ColumnAt(columns, 2);
    e.text = ColumnAt(columns, 3);
    e.red = ColumnAt(columns, 4);
    e.green = ColumnAt(columns, 5);
    e.blue = ColumnAt(columns, 6);
    e.x = ColumnAt(columns, 7);
    e.y = ColumnAt(columns, 8);
    return e;
}

}  // namespace quelda
