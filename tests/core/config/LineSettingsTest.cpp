#include "config/LineSettings.h"
#include "support/TempDir.h"

namespace quelda {

void PrintTo(const LineSettings& s, std::ostream* os) {
    *os << s.port << "|" << s.baud << "|" << s.dataBits << "|" << s.parity << "|" << s.stopBits;
}

namespace {

using test::TempDir;

TEST(LineSettingsFile, MissingFileOrLinesLeaveValues) {
    TempDir dir;
    LineSettings s;
    LoadLineSettings(dir.Path(), s);
    EXPECT_EQ(s, LineSettings{});
    EXPECT_EQ(s.port, "COM1");

    dir.Write("PSETTING.TXT", "COM3\n57600");
    LoadLineSettings(dir.Path(), s);
    EXPECT_EQ(s, (LineSettings{"COM3", "57600", "8", "NO", "1"}));
}

TEST(LineSettingsFile, ReadsFiveLinesAsTyped) {
    TempDir dir;
    dir.Write("PSETTING.TXT", "/dev/ttyUSB0\r\n38400\r\n7\r\nEVEN \r\n1.5\r\nextra\r\n");
    LineSettings s;
    LoadLineSettings(dir.Path(), s);
    EXPECT_EQ(s, (LineSettings{"/dev/ttyUSB0", "38400", "7", "EVEN ", "1.5"}));
}

TEST(LineSettingsFile, SavesFiveCrLfLinesAndReadsThemBack) {
    TempDir dir;
    LineSettings s;
    s.port = "COM2";
    s.parity = "ODD";
    s.stopBits = "2";
    ASSERT_TRUE(SaveLineSettings(dir.Path(), s));
    EXPECT_EQ(dir.Read("PSETTING.TXT"), "COM2\r\n19200\r\n8\r\nODD\r\n2\r\n");
    LineSettings back;
    back.port = "X";
    LoadLineSettings(dir.Path(), back);
    EXPECT_EQ(back, s);
    EXPECT_FALSE(SaveLineSettings(dir.File("missing/"), s));
}

}  // namespace
}  // namespace quelda
