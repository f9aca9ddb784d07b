#pragma once
// QUELDA.INI as the main frame reads it once at start-up.
#include <array>
#include <string>

#include "routing/WindowKind.h"

namespace quelda {

struct WindowSettings {
    int WINDOW_LEFT = 0;
    int WINDOW_TOP = 0;
    int WINDOW_WIDTH = 200;
    int WINDOW_HEIGHT = 200;
    int FONT_POINT = 120;
    int NAME_LENGTH = 15;
    int DATA_LENGTH = 15;
    int UNIT_LENGTH = 8;
    int STATUS_NAME_LENGTH = 15;
    int STATUS_DATA_LENGTH = 6;
};

// Sections of the eight window kinds, in WindowKind order.
extern const std::array<const char*, kWindowKinds> kWindowSections;
// The ten menu sections and the command ids their VIEW_MENU governs.
struct MenuSection {
    const char* section;
    int commandId;
};
extern const std::array<MenuSection, 10> kMenuSections;

struct Settings {
    std::string sendHeader = "$QVR";     // COMMAND/SEND_HEDDA
    std::string receiveHeader = "$QVR";  // COMMAND/RECIEVE_HEDDA
    std::array<WindowSettings, kWindowKinds> windows{};
    std::array<int, 10> viewMenu{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::array<int, 20> viewButton{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int m_nBinLengthFormat = 0;
    int m_nByteWord = 0;
    // COMMAND/AUTO_RECONNECT: reopen a port that hung up, once a second.
    int autoReconnect = 1;

    const WindowSettings& Window(WindowKind kind) const { return windows[static_cast<int>(kind)]; }
    // VIEW_MENU flag of a command id; 1 for ids no section governs.
    int ViewMenuFlag(int commandId) const;
};

// Reads every key from appDir + "QUELDA.INI" in the documented order.
Settings LoadSettings(const std::string& appDir);

}  // namespace quelda
