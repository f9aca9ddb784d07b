#include "app/WindowKinds.h"

#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "views/eeprom/CEepromView.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/simulator/CSimulatorView.h"
#include "views/status/CStatusChildFrame.h"
#include "views/term/CTermChildFrame.h"

using quelda::WindowKind;

namespace {

template <WindowKind kind>
CQueldaChildFrame* MakeMonitor(IViewContext& context) {
    return new CMonitorChildFrame(context, kind);
}

CQueldaChildFrame* MakeTerm(IViewContext& context) { return new CTermChildFrame(context); }
CQueldaChildFrame* MakeStatus(IViewContext& context) { return new CStatusChildFrame(context); }
CQueldaChildFrame* MakeEeprom(IViewContext& context) {
    return new CChildFrame(context, new CEepromView(context));
}
CQueldaChildFrame* MakeSimulator(IViewContext& context) {
    return new CChildFrame(context, new CSimulatorView(context));
}

const std::array<WindowKindInfo, quelda::kWindowKinds> kKinds = {{
    {"TERM", WindowKind::Term, cmd::kViewTerminal, 129, MakeTerm},
    {"Monitor1", WindowKind::Monitor1, cmd::kViewMonitor1, 104, MakeMonitor<WindowKind::Monitor1>},
    {"Monitor2", WindowKind::Monitor2, cmd::kViewMonitor2, 105, MakeMonitor<WindowKind::Monitor2>},
    {"Monitor3", WindowKind::Monitor3, cmd::kViewMonitor3, 106, MakeMonitor<WindowKind::Monitor3>},
    {"Monitor4", WindowKind::Monitor4, cmd::kViewMonitor4, 107, MakeMonitor<WindowKind::Monitor4>},
    {"Status", WindowKind::Status, cmd::kViewStatus, 108, MakeStatus},
    {"Eeprom", WindowKind::Eeprom, cmd::kViewEeprom, 109, MakeEeprom},
    {"Simulator", WindowKind::Simulator, cmd::kViewSimulator, 110, MakeSimulator},
}};

}  // namespace

const std::array<WindowKindInfo, quelda::kWindowKinds>& WindowKinds() { return kKinds; }

const WindowKindInfo* FindWindowKind(const QString& typeName) {
    for (const WindowKindInfo& info : kKinds) {
        if (typeName == QLatin1String(info.typeName)) return &info;
    }
    return nullptr;
}

const WindowKindInfo& WindowKindOf(WindowKind kind) { return kKinds[static_cast<int>(kind)]; }

const WindowKindInfo* WindowKindOfCommand(int commandId) {
    for (const WindowKindInfo& info : kKinds) {
        if (info.viewCommand == commandId) return &info;
    }
    return nullptr;
}
