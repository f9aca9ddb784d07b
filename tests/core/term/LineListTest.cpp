#include <gtest/gtest.h>

#include <random>
#include <string>

#include "term/CTermLineList.h"
#include "term/TermGeometry.h"

namespace quelda {
namespace {

TEST(TermLineList, HoldsAtMost301AndDropsTheHundredOldest) {
    CTermLineList list;
    for (int i = 0; i < 301; ++i) list.AddLine("L" + std::to_string(i), kLineSent);
    EXPECT_EQ(list.Size(), 301u);
    list.AddLine("L301", kLineReceived);
    ASSERT_EQ(list.Size(), 202u);
    EXPECT_EQ(list.Line(0).text, "L100");
    EXPECT_EQ(list.Line(201).text, "L301");
    EXPECT_EQ(list.Line(201).kind, kLineReceived);
}

TEST(TermLineList, ReplaceLastKeepsTheKindOfTheLastLine) {
    struct Case {
        const char* name;
        bool addFirst;
        int firstKind;
        int replaceKind;
        int expectedKind;
    };
    const Case cases[] = {
        {"empty list appends with the given kind", false, 0, kLineReceived, kLineReceived},
        {"after a sent line stays sent", true, kLineSent, kLineReceived, kLineSent},
        {"after an error line stays error", true, kLineError, kLineReceived, kLineError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTermLineList list;
        if (c.addFirst) list.AddLine("old", c.firstKind);
        list.ReplaceLast("new\r\n", c.replaceKind);
        ASSERT_EQ(list.Size(), 1u);
        EXPECT_EQ(list.Line(0).text, "new\r\n");
        EXPECT_EQ(list.Line(0).kind, c.expectedKind);
    }
}

TEST(TermLineList, ReplaceLastOnAFullListDoesNotTrim) {
    CTermLineList list;
    for (int i = 0; i < 301; ++i) list.AddLine("x", kLineSent);
    list.ReplaceLast("y", kLineReceived);
    EXPECT_EQ(list.Size(), 301u);
    EXPECT_EQ(list.Line(300).text, "y");
}

// The row totals are kept per change; they must equal a fresh count.
TEST(TermLineList, RowTotalsFollowEveryChange) {
    std::mt19937 rng(7);
    CTermLineList list;
    list.SetCharsPerRow(5);
    for (int step = 0; step < 2000; ++step) {
        std::string text(rng() % 23, 'a');
        if (rng() % 3 == 0) {
            list.ReplaceLast(text, kLineReceived);
        } else {
            list.AddLine(text, kLineSent);
        }
        if (step % 250 == 0) list.SetCharsPerRow(static_cast<int>(rng() % 9));
        long long height = 0, drawn = 0;
        for (std::size_t i = 0; i < list.Size(); ++i) {
            height += HeightRowsOf(list.Line(i).text.size(), list.CharsPerRow());
            drawn += DrawnRowsOf(list.Line(i).text.size(), list.CharsPerRow());
        }
        ASSERT_EQ(list.HeightRows(), height) << "step " << step;
        ASSERT_EQ(list.DrawnRows(), drawn) << "step " << step;
    }
}

}  // namespace
}  // namespace quelda
