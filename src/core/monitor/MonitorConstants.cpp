#include "monitor/MonitorConstants.h"

namespace quelda {

namespace {

constexpr MonitorConstants kMonitors[] = {
    {1, "Monitor1", "MONITOR1", "MONITOR1.TXT", DefinitionForm::TextField, 20, 1, 1, ",,", "CSV"},
    {2, "Monitor2", "MONITOR2", "MONITOR2.TXT", DefinitionForm::TextField, 22, 2, 1, ",,", "CSV"},
    {3, "Monitor3", "MONITOR3", "MONITOR3.TXT", DefinitionForm::TypedBlock, 24, 3, 0, "", "BIN"},
    {4, "Monitor4", "MONITOR4", "MONITOR4.TXT", DefinitionForm::TextField, 26, 4, 0, ",", "CSV"},
};

}  // namespace

const MonitorConstants& GetMonitorConstants(int number) {
    if (number < 1 || number > 4) return kMonitors[0];
    return kMonitors[number - 1];
}

const MonitorConstants& GetMonitorConstants(WindowKind kind) {
    return GetMonitorConstants(static_cast<int>(kind) - static_cast<int>(WindowKind::Monitor1) + 1);
}

}  // namespace quelda
