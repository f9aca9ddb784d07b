#pragma once
// Loading a monitor definition file and the status tables its "STATUS"
// items name.
#include <string>
#include <vector>

#include "monitor/MonitorItem.h"

namespace quelda {

// The items of the file at path, in file order, the title line first; empty
// when the file cannot be read. Status tables are looked up as
// appDir + column 10 (appDir ends in "/").
std::vector<MonitorItem> LoadMonitorDefinition(const std::string& path, DefinitionForm form,
                                               const std::string& appDir);

}  // namespace quelda
