#include <map>

#include "config/Settings.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;

const char* const kWindowKeys[] = {
    "WINDOW_LEFT", "WINDOW_TOP",  "WINDOW_WIDTH", "WINDOW_HEIGHT",      "FONT_POINT",
    "NAME_LENGTH", "DATA_LENGTH", "UNIT_LENGTH",  "STATUS_NAME_LENGTH", "STATUS_DATA_LENGTH"};

std::array<int, 10> Fields(const WindowSettings& w) {
    return {w.WINDOW_LEFT,        w.WINDOW_TOP,        w.WINDOW_WIDTH, w.WINDOW_HEIGHT,
            w.FONT_POINT,         w.NAME_LENGTH,       w.DATA_LENGTH,  w.UNIT_LENGTH,
            w.STATUS_NAME_LENGTH, w.STATUS_DATA_LENGTH};
}

TEST(LoadSettings, DefaultsWithoutFile) {
    TempDir dir;
    Settings s = LoadSettings(dir.Path());
    EXPECT_EQ(s.sendHeader, "$QVR");
    EXPECT_EQ(s.receiveHeader, "$QVR");
    const std::array<int, 10> defaults{0, 0, 200, 200, 120, 15, 15, 8, 15, 6};
    for (int k = 0; k < kWindowKinds; ++k) EXPECT_EQ(Fields(s.windows[k]), defaults) << k;
    for (int flag : s.viewMenu) EXPECT_EQ(flag, 1);
    for (int flag : s.viewButton) EXPECT_EQ(flag, 1);
    EXPECT_EQ(s.m_nBinLengthFormat, 0);
    EXPECT_EQ(s.m_nByteWord, 0);
    EXPECT_EQ(s.autoReconnect, 1);
    for (const MenuSection& m : kMenuSections) EXPECT_EQ(s.ViewMenuFlag(m.commandId), 1);
}

// Every key gets a value of its own, so a key read from the wrong place shows.
TEST(LoadSettings, ReadsEveryKey) {
    // One block per section: only the first block of a name is read.
    std::map<std::string, std::string> sections;
    sections["COMMAND"] = "SEND_HEDDA=$SND\r\nRECIEVE_HEDDA=QVR\r\nBIN_LENGTH_FORMAT=1\r\n"
                          "AUTO_RECONNECT=0\r\n";
    sections["EEPROM"] = "BYTE_WORD=2\r\n";
    sections["SIMULATOR"] = "RECEIVE_HEDDA=$SIM\r\n";
    sections["COMMAND_BAR"] = "VIEW_BUTTON3=0\r\nVIEW_BUTTON20=0\r\nVIEW_BUTTON21=0\r\n";
    for (int k = 0; k < kWindowKinds; ++k) {
        for (int f = 0; f < 10; ++f) {
            sections[kWindowSections[k]] +=
                std::string(kWindowKeys[f]) + "=" + std::to_string(1000 + k * 10 + f) + "\r\n";
        }
    }
    for (std::size_t i = 0; i < kMenuSections.size(); ++i) {
        sections[kMenuSections[i].section] += "VIEW_MENU=" + std::to_string(i % 2) + "\r\n";
    }
    std::string ini;
    for (const auto& [name, keys] : sections) ini += "[" + name + "]\r\n" + keys;
    TempDir dir;
    dir.Write("QUELDA.INI", ini);
    Settings s = LoadSettings(dir.Path());

    EXPECT_EQ(s.sendHeader, "$SND");
    EXPECT_EQ(s.receiveHeader, "QVR");
    EXPECT_EQ(s.m_nBinLengthFormat, 1);
    EXPECT_EQ(s.m_nByteWord, 2);
    EXPECT_EQ(s.autoReconnect, 0);
    for (int k = 0; k < kWindowKinds; ++k) {
        std::array<int, 10> expected;
        for (int f = 0; f < 10; ++f) expected[f] = 1000 + k * 10 + f;
        EXPECT_EQ(Fields(s.windows[k]), expected) << kWindowSections[k];
    }
    EXPECT_EQ(s.Window(WindowKind::Eeprom).WINDOW_LEFT, 1060);
    for (std::size_t i = 0; i < kMenuSections.size(); ++i) {
        EXPECT_EQ(s.ViewMenuFlag(kMenuSections[i].commandId), static_cast<int>(i % 2))
            << kMenuSections[i].section;
    }
    EXPECT_EQ(s.ViewMenuFlag(32783), 0);  // EEPROM
    EXPECT_EQ(s.ViewMenuFlag(32774), 1);  // COM_SETTING
    EXPECT_EQ(s.ViewMenuFlag(32771), 1);  // Connect: no section governs it
    for (std::size_t n = 0; n < s.viewButton.size(); ++n) {
        EXPECT_EQ(s.viewButton[n], n == 2 || n == 19 ? 0 : 1) << "VIEW_BUTTON" << n + 1;
    }
}

TEST(LoadSettings, NonNumericAndLongValues) {
    TempDir dir;
    dir.Write("QUELDA.INI", "[term]\nfont_point=big\nwindow_width= 640px\n[command]\nsend_hedda=" +
                                std::string(300, 'H') + "\n");
    Settings s = LoadSettings(dir.Path());
    EXPECT_EQ(s.Window(WindowKind::Term).FONT_POINT, 0);
    EXPECT_EQ(s.Window(WindowKind::Term).WINDOW_WIDTH, 640);
    EXPECT_EQ(s.sendHeader, std::string(255, 'H'));
}

}  // namespace
}  // namespace quelda
