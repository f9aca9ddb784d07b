#pragma once
// What tells the four monitor views apart: data, not four copies of code.
#include "monitor/MonitorItem.h"
#include "routing/WindowKind.h"

namespace quelda {

struct MonitorConstants {
    int number;                  // 1 .. 4
    const char* title;           // frame title
    const char* section;         // WindowSettings section
    const char* definitionFile;  // in the program directory
    DefinitionForm form;
    int firstCommandRecord;  // Cmd1; Cmd2 is the next record
    int hint;                // update hint the view accepts
    int elementShift;        // element shown for position P is P + shift
    const char* logHeaderPrefix;
    const char* logExtension;
};

// number 1 .. 4; any other number gives monitor 1's constants.
const MonitorConstants& GetMonitorConstants(int number);
// Monitor1 .. Monitor4; any other kind gives monitor 1's constants.
const MonitorConstants& GetMonitorConstants(WindowKind kind);

}  // namespace quelda
