#include "config/Settings.h"

#include <cstdio>

#include "config/IniFile.h"

namespace quelda {

const std::array<const char*, kWindowKinds> kWindowSections = {
    "TERM", "MONITOR1", "MONITOR2", "MONITOR3", "MONITOR4", "STATUS", "EEPROM", "SIMULATOR"};

const std::array<MenuSection, 10> kMenuSections = {{{"TERM", 32777},
                                                    {"MONITOR1", 32778},
                                                    {"MONITOR2", 32779},
                                                    {"MONITOR3", 32780},
                                                    {"MONITOR4", 32781},
                                                    {"STATUS", 32782},
                                                    {"EEPROM", 32783},
                                                    {"SIMULATOR", 32784},
                                                    {"COM", 32785},
                                                    {"COM_SETTING", 32774}}};

int Settings::ViewMenuFlag(int commandId) const {
    for (std::size_t i = 0; i < kMenuSections.size(); ++i) {
        if (kMenuSections[i].commandId == commandId) return viewMenu[i];
    }
    return 1;
}

namespace {

WindowSettings LoadWindow(const IniFile& ini, const char* section) {
    WindowSettings w;
    w.WINDOW_LEFT = ini.GetInt(section, "WINDOW_LEFT", w.WINDOW_LEFT);
    w.WINDOW_TOP = ini.GetInt(section, "WINDOW_TOP", w.WINDOW_TOP);
    w.WINDOW_WIDTH = ini.GetInt(section, "WINDOW_WIDTH", w.WINDOW_WIDTH);
    w.WINDOW_HEIGHT = ini.GetInt(section, "WINDOW_HEIGHT", w.WINDOW_HEIGHT);
    w.FONT_POINT = ini.GetInt(section, "FONT_POINT", w.FONT_POINT);
    w.NAME_LENGTH = ini.GetInt(section, "NAME_LENGTH", w.NAME_LENGTH);
    w.DATA_LENGTH = ini.GetInt(section, "DATA_LENGTH", w.DATA_LENGTH);
    w.UNIT_LENGTH = ini.GetInt(section, "UNIT_LENGTH", w.UNIT_LENGTH);
    w.STATUS_NAME_LENGTH = ini.GetInt(section, "STATUS_NAME_LENGTH", w.STATUS_NAME_LENGTH);
    w.STATUS_DATA_LENGTH = ini.GetInt(section, "STATUS_DATA_LENGTH", w.STATUS_DATA_LENGTH);
    return w;
}

}  // namespace

Settings LoadSettings(const std::string& appDir) {
    Settings s;
    IniFile ini;
    ini.Load(appDir + "QUELDA.INI");  // a missing file leaves every default
    s.sendHeader = ini.GetString("COMMAND", "SEND_HEDDA", s.sendHeader);
    s.receiveHeader = ini.GetString("COMMAND", "RECIEVE_HEDDA", s.receiveHeader);
    for (int k = 0; k < kWindowKinds; ++k) s.windows[k] = LoadWindow(ini, kWindowSections[k]);
    for (std::size_t i = 0; i < kMenuSections.size(); ++i) {
        s.viewMenu[i] = ini.GetInt(kMenuSections[i].section, "VIEW_MENU", s.viewMenu[i]);
    }
    for (std::size_t n = 1; n <= s.viewButton.size(); ++n) {
        char key[32];
        std::snprintf(key, sizeof key, "VIEW_BUTTON%d", static_cast<int>(n));
        s.viewButton[n - 1] = ini.GetInt("COMMAND_BAR", key, s.viewButton[n - 1]);
    }
    s.m_nBinLengthFormat = ini.GetInt("COMMAND", "BIN_LENGTH_FORMAT", s.m_nBinLengthFormat);
    s.m_nByteWord = ini.GetInt("EEPROM", "BYTE_WORD", s.m_nByteWord);
    s.autoReconnect = ini.GetInt("COMMAND", "AUTO_RECONNECT", s.autoReconnect);
    return s;
}

}  // namespace quelda
