#include <gtest/gtest.h>

#include "status/StatusEvaluation.h"
#include "status/StatusTable.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

StatusEntry Entry(const std::string& label, const std::string& range, const std::string& match,
                  const std::string& text, int x = 0, int y = 0) {
    return StatusEntry::FromColumns(
        {label, range, match, text, "1", "2", "3", std::to_string(x), std::to_string(y)});
}

std::vector<std::string> Texts(const std::vector<StatusCell>& cells) {
    std::vector<std::string> texts;
    for (const StatusCell& c : cells) texts.push_back(c.text);
    return texts;
}

TEST(StatusEvaluation, BitRanges) {
    struct Case {
        const char* text;
        bool valid;
        uint32_t mask;
    };
    const Case cases[] = {
        {"4", true, 0x10},        {"4-0", true, 0x10},       {"0-3", true, 0x0F},
        {"3-1", true, 0},         {"4-5", true, 0x30},       {"0-31", true, 0xFFFFFFFF},
        {"31", true, 0x80000000}, {" 7", true, 0x80},        {"7 - 9", true, 0x80},
        {"2-", true, 0x04},       {"", true, 0x01},          {"x", true, 0x01},
        {"32", false, 0},         {"0-32", false, 0},        {"-1", false, 0},
        {"5--2", false, 0},       {"99999999999", false, 0}, {"4-40", false, 0},
    };
    for (const Case& c : cases) {
        const BitRange r = ParseBitRange(c.text);
        EXPECT_EQ(r.valid, c.valid) << c.text;
        EXPECT_EQ(r.Mask(), c.mask) << c.text;
    }
}

TEST(StatusEvaluation, FirstMatchOfEachGroupDraws) {
    const std::vector<StatusEntry> table = {
        Entry("TITLE", "0", "others", "never"),
        Entry("Mode", "4-5", "0", "STOP"),
        Entry("Mode", "4-5", "1", "RUN", 1, 2),
        Entry("Other label", "4-5", "others", "?"),
        Entry("Bit7", "7", "1", "HOT"),
        Entry("Bit7", "7", "0", "COLD"),
        Entry("Again", "4-5", "1", "RUN again"),  // a new group of the same range
        Entry("None", "", "others", "empty range"),
        Entry("Wide", "0-40", "others", "bad bits"),
        Entry("First", "0-3", "others", "always"),
        Entry("First", "0-3", "5", "never"),
    };
    struct Case {
        uint32_t value;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {0x00, {"STOP", "COLD", "always"}},
        {0x10, {"RUN", "COLD", "RUN again", "always"}},
        {0xB5, {"?", "HOT", "always"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Texts(EvaluateStatusCells(table, c.value)), c.texts);
    const auto cells = EvaluateStatusCells(table, 0x10);
    EXPECT_EQ(cells[0].label, "Mode");
    EXPECT_EQ(cells[0].x, 1);
    EXPECT_EQ(cells[0].y, 2);
}

TEST(StatusEvaluation, CellColoursTakeTheLowEightBits) {
    const std::vector<StatusEntry> table = {
        StatusEntry{}, StatusEntry::FromColumns({"L", "0", "others", "T", "256", "-1", "x"})};
    const auto cells = EvaluateStatusCells(table, 0);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].r, 0);
    EXPECT_EQ(cells[0].g, 255);
    EXPECT_EQ(cells[0].b, 0);
    EXPECT_EQ(cells[0].x, 0);
}

TEST(StatusEvaluation, MatchValuesAreDecimal) {
    const std::vector<StatusEntry> table = {StatusEntry{}, Entry("A", "0-31", "-1", "all"),
                                            Entry("B", "0-3", "012", "twelve")};
    EXPECT_EQ(Texts(EvaluateStatusCells(table, 0xFFFFFFFC)), std::vector<std::string>{"twelve"});
    EXPECT_EQ(Texts(EvaluateStatusCells(table, 0xFFFFFFFF)), std::vector<std::string>{"all"});
}

TEST(StatusEvaluation, StatusItemValueKeepsTheLow32Bits) {
    EXPECT_EQ(StatusItemValue("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(StatusItemValue("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(StatusItemValue("48 V"), 48u);
    EXPECT_EQ(StatusItemValue("#FMT?"), 0u);
    EXPECT_EQ(StatusItemValue(""), 0u);
}

TEST(StatusEvaluation, StatusWordIsElementTwoInHex) {
    struct Case {
        const char* frame;
        bool changed;
        uint32_t word;
    };
    const Case cases[] = {
        {"$QVR,STS,0000002A*00\r\n", true, 42},
        {"$QVR,STS,  ff zz*00\r\n", true, 0xFF},
        {"$QVR,STS*5C\r\n", true, 0x5C},  // no data field: the checksum digits
        {"$QVR,STS,GHI*00\r\n", false, 7},
        {"$QVR,STS,-1*00\r\n", false, 7},
        {"$QVR,STS,*00\r\n", false, 7},
        {"$QVR", false, 7},
        {"$QVR,STS,123456789*00\r\n", true, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        uint32_t word = 7;
        EXPECT_EQ(DecodeStatusWord(c.frame, word), c.changed) << c.frame;
        EXPECT_EQ(word, c.word) << c.frame;
    }
}

TEST(StatusTable, LoadsNineColumnsAndSkipsComments) {
    test::TempDir dir;
    dir.Write("STATUS.TXT", "//x\nLabel,Bits\n\n,c\nA,0-3,others,T,1,2,3,4,5,extra\nB\n");
    const auto table = LoadStatusTable(dir.File("STATUS.TXT"));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].label, "Label");
    EXPECT_EQ(table[1].y, "5");
    EXPECT_EQ(table[2].label, "B");
    EXPECT_EQ(table[2].match, "");
    EXPECT_TRUE(LoadStatusTable(dir.File("NONE.TXT")).empty());
}

}  // namespace
}  // namespace quelda
