#include "monitor/MonitorDefinition.h"

#include "text/CommaLines.h"
#include "status/StatusTable.h"

namespace quelda {

std::vector<MonitorItem> LoadMonitorDefinition(const std::string& path, DefinitionForm form,
                                               const std::string& appDir) {
    const std::size_t columns = form == DefinitionForm::TextField ? 10 : 11;
    std::vector<std::vector<std::string>> rows;
    ReadDefinitionRows(path, columns, rows);
    std::vector<MonitorItem> items;
    items.reserve(rows.size());
    StatusTableCache tables;
    for (const std::vector<std::string>& row : rows) {
        items.push_back(MonitorItem::FromColumns(row, form));
        MonitorItem& item = items.back();
        if (item.IsStatus()) item.statusList = tables.Load(appDir + item.statusFile);
    }
    return items;
}

}  // namespace quelda
