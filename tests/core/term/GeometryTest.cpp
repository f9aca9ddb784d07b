#include <gtest/gtest.h>

#include "term/CTermLineList.h"
#include "term/TermGeometry.h"

namespace quelda {
namespace {

TEST(TermGeometry, CharsPerRow) {
    struct Case {
        int width, lh, cpr;
    } const cases[] = {
        {200, 16, 25},                            // cw 8
        {207, 16, 25},                            // truncated
        {7, 16, 0},                               // narrower than one character
        {0, 16, 0},    {-5, 16, 0}, {100, 1, 0},  // cw 0
        {100, 3, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharsPerRow(c.width, c.lh), c.cpr) << c.width << "/" << c.lh;
    }
}

TEST(TermGeometry, RowsOfOneLine) {
    struct Case {
        std::size_t length;
        int cpr;
        long long height, drawn;
    } const cases[] = {
        {0, 10, 1, 0},                                  // empty: counts one row, draws none
        {9, 10, 1, 1},  {10, 10, 2, 1},                 // exactly cpr: counts two, draws one
        {11, 10, 2, 2}, {25, 10, 3, 3}, {25, 0, 0, 0},  // cpr 0: nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HeightRowsOf(c.length, c.cpr), c.height) << c.length << "/" << c.cpr;
        EXPECT_EQ(DrawnRowsOf(c.length, c.cpr), c.drawn) << c.length << "/" << c.cpr;
    }
}

TEST(TermGeometry, ScrollSizes) {
    ScrollSizes s = ComputeScrollSizes(200, 100, 16, 7);
    EXPECT_EQ(s.totalWidth, 200);
    EXPECT_EQ(s.totalHeight, 7 * 16);
    EXPECT_EQ(s.pageX, 2);  // cpr 25 / 10
    EXPECT_EQ(s.pageY, 6);  // 100 / 16 pixels
    EXPECT_EQ(s.lineX, 8);
    EXPECT_EQ(s.lineY, 16);
    EXPECT_EQ(ComputeScrollSizes(7, 100, 16, 7).totalHeight, 0);  // cpr 0
}

TEST(TermGeometry, ScrollToBottom) {
    EXPECT_EQ(BottomScrollPosition(320, 100), 220);
    EXPECT_EQ(BottomScrollPosition(80, 100), 0);  // fits: stays at the top
}

TEST(TermGeometry, FontPointIsClampedToALineHeightOfAtLeastTwo) {
    struct Case {
        int fontPoint, dpi, clamped, lh;
    } const cases[] = {
        {120, 96, 120, 16},  // the default: 12 point
        {90, 96, 90, 12},
        {15, 96, 15, 2},  // 15 * 96 / 720 = 2
        {14, 96, 15, 2},  // would give 1
        {0, 96, 15, 2},
        {-40, 96, 15, 2},
        {1, 1440, 1, 2},
        {120, 0, 120, 16},  // no dpi known: 96
        {2000000000, 96, kMaxFontPoint, kMaxFontPoint * 96 / 720},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClampFontPoint(c.fontPoint, c.dpi), c.clamped) << c.fontPoint << "@" << c.dpi;
        EXPECT_EQ(LineHeightFor(c.fontPoint, c.dpi), c.lh) << c.fontPoint << "@" << c.dpi;
        EXPECT_GE(CharWidth(LineHeightFor(c.fontPoint, c.dpi)), 1);
    }
}

TEST(TermGeometry, ListHeightUsesTheRowRules) {
    CTermLineList list;
    list.AddLine("", kLineSent);              // 1 row
    list.AddLine("0123456789", kLineSent);    // exactly cpr: 2 rows
    list.AddLine("0123456789ab", kLineSent);  // 2 rows
    list.SetCharsPerRow(10);
    EXPECT_EQ(list.HeightRows(), 5);
    EXPECT_EQ(list.DrawnRows(), 3);
    list.SetCharsPerRow(0);
    EXPECT_EQ(list.HeightRows(), 0);
    EXPECT_EQ(list.DrawnRows(), 0);
}

}  // namespace
}  // namespace quelda
