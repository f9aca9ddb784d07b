// Selection, copy and find over the terminal's line list.
#include <gtest/gtest.h>

#include <string>

#include "term/CTermLineList.h"
#include "term/CTermSelection.h"
#include "term/TermFind.h"
#include "term/TermText.h"

namespace quelda {
namespace {

using Unit = CTermSelection::Unit;

// "日本" in UTF-8 and in Shift-JIS (CP932).
const std::string kUtf8Nihon = "\xE6\x97\xA5\xE6\x9C\xAC";
const std::string kSjisNihon = "\x93\xFA\x96\x7B";

TEST(TermSelection, RowsMapToOffsetsAcrossWrapsAndWideCharacters) {
    CTermLineList list;
    list.SetCharsPerRow(4);
    list.AddLine("ABCDEFGHIJ\r\n", kLineReceived);           // rows 0-3: ABCD EFGH IJ\r\n
    list.AddLine("x" + kUtf8Nihon + "\r\n", kLineReceived);  // row 3: x + 3 bytes
    list.AddLine("Z" + kSjisNihon + "\r\n", kLineReceived);
    struct Case {
        long long row;
        double cell;
        long long serial;
        std::size_t offset;
    } const cases[] = {
        {0, 0.0, 0, 0},  {0, 2.4, 0, 2},  {1, 1.0, 0, 5},
        {2, 9.0, 0, 12}, {3, 0.0, 1, 0},  {3, 1.2, 1, 1},  // before the middle of the wide 日
        {3, 2.2, 1, 4},                                    // past its middle: after its 3 bytes
        {-1, 5.0, 0, 0}, {99, 0.0, 2, 7},
    };
    for (const Case& c : cases) {
        const TermPos pos = list.PositionAt(c.row, c.cell);
        EXPECT_EQ(pos.serial, c.serial) << "row " << c.row << " cell " << c.cell;
        EXPECT_EQ(pos.offset, c.offset) << "row " << c.row << " cell " << c.cell;
    }
    // Every boundary of the Shift-JIS line is a character start: never inside 日 or 本.
    const long long sjisRow = list.RowOfLine(2);
    for (double cell = 0; cell < 6; cell += 0.5) {
        const std::size_t offset = list.PositionAt(sjisRow, cell).offset;
        EXPECT_TRUE(offset == 0 || offset == 1 || offset == 3 || offset == 5 || offset >= 5)
            << "cell " << cell << " offset " << offset;
        EXPECT_NE(offset, 2u);
        EXPECT_NE(offset, 4u);
    }
    long long row = 0;
    int cell = 0;
    ASSERT_TRUE(list.RowAndCellOf(TermPos{0, 6}, row, cell));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(cell, 2);
}

TEST(TermSelection, CopiesDecodedTextWithOneBreakPerLineAndNoneAtWraps) {
    CTermLineList list;
    list.SetCharsPerRow(4);
    list.AddLine("$QVR,STS*2D\r\n", kLineSent);
    list.AddLine("Z" + kSjisNihon + "\r\n", kLineReceived);
    list.AddLine("last", kLineError);
    CTermSelection sel;
    sel.Press(list, TermPos{0, 5}, Unit::Char, false);
    sel.DragTo(list, TermPos{2, 2});
    EXPECT_EQ(sel.Text(list), "STS*2D\nZ" + kUtf8Nihon + "\nla");
    EXPECT_EQ(sel.Hex(list), "53 54 53 2A 32 44 0D 0A\n5A 93 FA 96 7B 0D 0A\n6C 61");
    // Dragging back above the anchor selects backwards from it.
    sel.DragTo(list, TermPos{0, 1});
    EXPECT_EQ(sel.Text(list), "QVR,");
    sel.SelectAll(list);
    EXPECT_EQ(sel.Text(list), "$QVR,STS*2D\nZ" + kUtf8Nihon + "\nlast");
}

TEST(TermSelection, WordsLinesAndShiftExtend) {
    CTermLineList list;
    list.AddLine("$QVR,STS,00010004*04\r\n", kLineReceived);
    list.AddLine("second line\r\n", kLineReceived);
    CTermSelection sel;
    sel.Press(list, TermPos{0, 12}, Unit::Word, false);
    EXPECT_EQ(sel.Text(list), "00010004");
    sel.Press(list, TermPos{1, 3}, Unit::Line, false);
    EXPECT_EQ(sel.Text(list), "second line");
    sel.Press(list, TermPos{0, 5}, Unit::Char, false);
    sel.Press(list, TermPos{1, 6}, Unit::Char, true);
    EXPECT_EQ(sel.Text(list), "STS,00010004*04\nsecond");
}

TEST(TermSelection, ScrollsWithItsTextAndLosesDroppedLines) {
    CTermLineList list;
    for (int i = 0; i < 301; ++i) list.AddLine("L" + std::to_string(i) + "\r\n", kLineReceived);
    CTermSelection sel;
    sel.Select(TermPos{150, 0}, TermPos{151, 4});
    list.AddLine("new\r\n", kLineReceived);  // the 100 oldest drop; line 150 is now index 50
    sel.Clip(list);
    EXPECT_EQ(sel.Text(list), "L150\nL151");
    sel.Select(TermPos{50, 1}, TermPos{120, 2});
    for (int i = 0; i < 100; ++i) list.AddLine("more\r\n", kLineReceived);  // drops 100-199
    sel.Clip(list);
    EXPECT_TRUE(sel.Empty()) << "a selection wholly in dropped lines goes";
    sel.Select(TermPos{250, 1}, TermPos{350, 2});
    for (int i = 0; i < 100; ++i) list.AddLine("x\r\n", kLineReceived);  // drops 200-299
    sel.Clip(list);
    EXPECT_EQ(sel.Begin().serial, 300);
    EXPECT_EQ(sel.Begin().offset, 0u);
    EXPECT_EQ(sel.End().serial, 350);
}

TEST(TermSelection, BinaryBlocksShowAsHexAndCopyAsTheirBytes) {
    CTermLineList list;
    list.SetCharsPerRow(80);
    list.AddLine("$QVR,BIN3,*6A\r\n", kLineReceived);
    list.AttachBlock("$QVR,BIN3,*6A\r\n", std::string("\x03\x00\xAB", 3));
    list.AttachBlock("other", "\x01");  // not the last line's frame: ignored
    EXPECT_EQ(list.Shown(0), "$QVR,BIN3,*6A 03 00 AB\r\n");
    EXPECT_EQ(list.Line(0).text, "$QVR,BIN3,*6A\r\n") << "the line's own text stays";
    CTermSelection sel;
    sel.Select(TermPos{0, 11}, TermPos{0, 19});  // "6A 03 00"
    EXPECT_EQ(sel.Text(list), "6A 03 00");
    EXPECT_EQ(sel.Hex(list), "36 41 03 00");
    list.SetShowBlocks(false);
    EXPECT_EQ(list.Shown(0), "$QVR,BIN3,*6A\r\n");
    EXPECT_EQ(list.HeightRows(), 1);
}

TEST(TermFind, FindsWithCaseAndWrapsAroundAndSurvivesDroppedLines) {
    CTermLineList list;
    list.AddLine("$QVR,STS*2D\r\n", kLineSent);
    list.AddLine("$qvr,sts,00010004*04\r\n", kLineReceived);
    list.AddLine("Z" + kSjisNihon + "\r\n", kLineReceived);
    struct Case {
        const char* name;
        std::string needle;
        bool matchCase;
        bool forward;
        TermPos from;
        bool found;
        TermPos at;
    } const cases[] = {
        {"next, any case", "sts", false, true, {0, 0}, true, {0, 5}},
        {"next after it", "sts", false, true, {0, 6}, true, {1, 5}},
        {"match case skips upper", "sts", true, true, {0, 0}, true, {1, 5}},
        {"wraps to the top", "STS", true, true, {1, 0}, true, {0, 5}},
        {"previous wraps to the bottom", "qvr", false, false, {0, 1}, true, {1, 1}},
        {"previous before from", "qvr", false, false, {1, 1}, true, {0, 1}},
        {"Shift-JIS text found by its UTF-8 form", kUtf8Nihon, false, true, {0, 0}, true, {2, 1}},
        {"nothing", "XYZ", false, true, {0, 0}, false, {}},
        {"a dropped line starts at the oldest", "STS", true, true, {-5, 3}, true, {0, 5}},
    };
    for (const Case& c : cases) {
        const TermMatch m = FindInLines(list, c.needle, c.matchCase, c.forward, c.from);
        EXPECT_EQ(m.found, c.found) << c.name;
        if (!c.found || !m.found) continue;
        EXPECT_EQ(m.at.serial, c.at.serial) << c.name;
        EXPECT_EQ(m.at.offset, c.at.offset) << c.name;
    }
    // A Shift-JIS trail byte equal to "{" (0x7B in 本) never starts a match.
    EXPECT_FALSE(FindInLines(list, "{", true, true, TermPos{0, 0}).found);
}

}  // namespace
}  // namespace quelda
