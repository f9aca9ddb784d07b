#include "monitor/MonitorItem.h"

#include "text/CommaLines.h"

namespace quelda {

MonitorItem MonitorItem::FromColumns(const std::vector<std::string>& columns, DefinitionForm form) {
    MonitorItem item;
    item.position = ColumnAt(columns, 0);
    item.name = ColumnAt(columns, 1);
    item.type = ColumnAt(columns, 2);
    item.scale = ColumnAt(columns, 3);
    item.format = ColumnAt(columns, 4);
    item.displayType = ColumnAt(columns, 5);
    item.unit = ColumnAt(columns, 6);
    item.x = ColumnAt(columns, 7);
    item.y = ColumnAt(columns, 8);
    item.statusFile = ColumnAt(columns, 9);
    if (form == DefinitionForm::TypedBlock) item.offset = ColumnAt(columns, 10);
    item.codec = ValueCodec(item.type, item.scale, item.format, item.displayType, item.offset);
    return item;
}

}  // namespace quelda
