#include <climits>
#include <filesystem>

#include "config/IniFile.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;
using namespace std::string_literals;

IniFile Parsed(const std::string& content) {
    IniFile ini;
    ini.Parse(content);
    return ini;
}

struct Expected {
    std::string section, key, value;
};

// Looks each key up with the default "d".
void ExpectValues(const IniFile& ini, const std::vector<Expected>& expected) {
    for (const Expected& e : expected) {
        EXPECT_EQ(ini.GetString(e.section, e.key, "d"), e.value) << e.section << "/" << e.key;
    }
}

TEST(IniFileRead, MatchesNamesCaseInsensitivelyAndFirstMatchWins) {
    IniFile ini = Parsed(
        "Key=outside\r\n"
        "; a comment\r\n"
        ";Hidden=1\r\n"
        "  [Command]  \r\n"
        "  send_hedda  =  $ABC  \r\n"
        "SEND_HEDDA=second\r\n"
        "plain line\r\n"
        "[COMMAND\r\n"
        "Other=in first section\r\n"
        "[command]\r\n"
        "SEND_HEDDA=third\r\n"
        "Late=only in duplicate section\r\n");
    ExpectValues(ini, {{"COMMAND", "SEND_HEDDA", "$ABC"},
                       {"command", "Send_Hedda", "$ABC"},
                       {"COMMAND", "OTHER", "in first section"},
                       {"COMMAND", "Late", "d"},
                       {"COMMAND", "Hidden", "d"},
                       {"COMMAND", "plain line", "d"},
                       {"", "Key", "d"},
                       {"MISSING", "SEND_HEDDA", "d"}});
}

TEST(IniFileRead, ValuesAreUnquotedAndCut) {
    std::string longValue(300, 'v');
    IniFile ini = Parsed(
        "[S]\n"
        "dq=\"  spaced  \"\n"
        "sq='x'\n"
        "lone=\"\n"
        "mixed=\"x'\n"
        "inner=a\"b\"c\n"
        "empty=\n"
        "long=" +
        longValue +
        "\n"
        "quotedlong=\"" +
        longValue +
        "\"\n"
        "eq=a=b\n");
    std::string cut(255, 'v');
    ExpectValues(ini, {{"S", "dq", "  spaced  "},
                       {"S", "sq", "x"},
                       {"S", "lone", "\""},
                       {"S", "mixed", "\"x'"},
                       {"S", "inner", "a\"b\"c"},
                       {"S", "empty", ""},
                       {"S", "long", cut},
                       {"S", "quotedlong", cut},
                       {"S", "eq", "a=b"}});
    EXPECT_EQ(ini.GetString("S", "none", longValue), std::string(255, 'v'));
}

TEST(IniFileRead, IntegersAreLenientDecimal) {
    struct Case {
        std::string line;
        int value;
    } cases[] = {
        {"N=12", 12},  {"N= -5 ", -5},   {"N=+7", 7}, {"N=abc", 0}, {"N=12abc", 12},
        {"N=0x1F", 0}, {"N=\"42\"", 42}, {"N=", 99},  {"X=1", 99},  {"N=99999999999", INT_MAX},
        {"N=- 1", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parsed("[S]\r\n" + c.line + "\r\n").GetInt("S", "N", 99), c.value) << c.line;
    }
}

TEST(IniFileRead, OddFilesReadAsTheirLinesSay) {
    TempDir dir;
    std::string longLine(100 * 1024, 'z');
    dir.Write("a.ini", "[A]\nbin=x\0y\n"s + longLine + "\n[B]\r\nlast=1");
    std::string path = dir.File("a.ini");
    EXPECT_EQ(GetProfileString(path, "A", "bin", "d"), "x\0y"s);
    EXPECT_EQ(GetProfileInt(path, "B", "last", 5), 1);
    EXPECT_EQ(GetProfileString(dir.File("none.ini"), "A", "bin", "def"), "def");
    EXPECT_EQ(GetProfileInt(dir.File("none.ini"), "A", "bin", -3), -3);
    EXPECT_EQ(GetProfileInt(dir.Path(), "A", "bin", 4), 4);
}

TEST(IniFileWrite, ChangesOneKeyAndKeepsEveryOtherByte) {
    TempDir dir;
    std::string longLine(100 * 1024, 'q');
    std::string before =
        "; settings\r\n"
        "[TERM]\r\n"
        "FONT_POINT=120\r\n"
        "\r\n"
        "[Simulator]\r\n"
        "  Send_Hedda =  $OLD  \r\n"
        "send_hedda=$DUP\r\n"
        "odd\0line\r\n"s +
        longLine + "\r\n[EEPROM]\r\nBYTE_WORD=1";
    dir.Write("q.ini", before);
    ASSERT_TRUE(WriteProfileString(dir.File("q.ini"), "SIMULATOR", "SEND_HEDDA", "$NEW"));
    std::string after = before;
    after.replace(after.find("  Send_Hedda =  $OLD  "), 22, "Send_Hedda=$NEW");
    EXPECT_EQ(dir.Read("q.ini"), after);
    EXPECT_EQ(GetProfileString(dir.File("q.ini"), "simulator", "send_hedda", ""), "$NEW");
}

TEST(IniFileWrite, AddsKeysAndSectionsInTheFileLineEndStyle) {
    struct Case {
        std::string before;
        std::string section, key, value;
        std::string after;
    } cases[] = {
        {"[A]\nx=1\n\n[B]\ny=2\n", "a", "z", "3", "[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
        {"[A]\nx=1\n[B]\ny=2", "B", "z", "3", "[A]\nx=1\n[B]\ny=2\nz=3\n"},
        {"[A]\r\nx=1\r\n", "C", "k", "v", "[A]\r\nx=1\r\n[C]\r\nk=v\r\n"},
        {"[A]\nx=1", "C", "k", "", "[A]\nx=1\n[C]\nk=\n"},
        {"", "SIMULATOR", "RERIOD", "100", "[SIMULATOR]\r\nRERIOD=100\r\n"},
        {"[A]\r\n[A]\r\n", "A", "k", "v", "[A]\r\nk=v\r\n[A]\r\n"},
        {"[A]\n;k=old\n", "A", "k", "v", "[A]\n;k=old\nk=v\n"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        dir.Write("w.ini", c.before);
        ASSERT_TRUE(WriteProfileString(dir.File("w.ini"), c.section, c.key, c.value)) << c.before;
        EXPECT_EQ(dir.Read("w.ini"), c.after) << c.before;
    }
    ASSERT_TRUE(WriteProfileString(dir.File("new.ini"), "S", "K", "V"));
    EXPECT_EQ(dir.Read("new.ini"), "[S]\r\nK=V\r\n");
}

TEST(IniFileWrite, RefusesNamesThatWouldBreakTheFile) {
    TempDir dir;
    dir.Write("w.ini", "[A]\r\nx=1\r\n");
    const char* bad[][3] = {{"A", "", "v"},   {"A", " ", "v"},        {"A", "k=j", "v"},
                            {"A]", "k", "v"}, {"A", "k", "v\r\nz=1"}, {"A\n", "k", "v"}};
    for (auto& b : bad) {
        EXPECT_FALSE(WriteProfileString(dir.File("w.ini"), b[0], b[1], b[2])) << b[1];
    }
    EXPECT_EQ(dir.Read("w.ini"), "[A]\r\nx=1\r\n");
}

TEST(IniFileWrite, FailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    EXPECT_FALSE(WriteProfileString(dir.File("missing-dir/w.ini"), "A", "k", "v"));
    std::filesystem::create_directory(dir.File("isdir.ini"));
    EXPECT_FALSE(WriteProfileString(dir.File("isdir.ini"), "A", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("isdir.ini")));
    std::string old = "[A]\r\nk=old\r\n" + std::string(2000, ';') + "\r\n";
    dir.Write("full.ini", old);
    {
        test::FileSizeLimit limit(1024);
        EXPECT_FALSE(WriteProfileString(dir.File("full.ini"), "A", "k", "new"));
    }
    EXPECT_EQ(dir.Read("full.ini"), old);
}

}  // namespace
}  // namespace quelda
