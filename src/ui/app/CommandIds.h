#pragma once
// Command and control ids shared by the menus, the bars and the prompt texts.

namespace cmd {

enum Id : int {
    // main frame
    kConnect = 32771,
    kDisconnect = 32772,
    kSendCommandLine = 32773,
    kComSetting = 32774,
    kViewTerminal = 32777,
    kViewMonitor1 = 32778,
    kViewMonitor2 = 32779,
    kViewMonitor3 = 32780,
    kViewMonitor4 = 32781,
    kViewStatus = 32782,
    kViewEeprom = 32783,
    kViewSimulator = 32784,
    kComRequest = 32785,
    kSaveCommLog = 32786,
    kRequest = 32792,
    kRequestStop = 32793,
    kErrorDisplay = 32795,
    kBinToText = 32796,
    kFastDisplay = 1031,
    // controls
    kCommandLine = 1011,
    kMonitorSaveBox = 1012,
    kMonitorLogName = 1013,
    kLogName = 1017,
    kCommandButton = 2000,      // 2000-2019
    kCommandEditButton = 2100,  // 2100-2119
    kBarCmd = 2300,             // 2300, 2301 on the monitor and status bars
    kBarCmdEdit = 2400,         // 2400, 2401
    // standard commands
    kFileNew = 57600,
    kFileOpen = 57601,
    kFileSave = 57603,
    kFileSaveAs = 57604,
    kFilePrintSetup = 57606,
    kFilePrint = 57607,
    kFilePrintDirect = 57608,
    kFilePrintPreview = 57609,
    kAppAbout = 57664,
    kAppExit = 57665,
    kHelpIndex = 57670,
    kWindowArrange = 57649,
    kWindowCascade = 57650,
    kWindowTile = 57651,
    kViewToolBar = 59392,
    kViewStatusBar = 59393,
};

constexpr int kMainCommandButtons = 20;

}  // namespace cmd
