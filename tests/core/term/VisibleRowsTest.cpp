#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "term/CTermLineList.h"
#include "term/TermGeometry.h"

namespace quelda {
namespace {

// The drawing walk written out plainly: every line from the oldest, every
// piece a row, visible rows kept, stop once R rows are reached.
std::vector<RowPiece> WalkAll(const CTermLineList& list, int lh, long long y0, int height) {
    std::vector<RowPiece> out;
    const int cpr = list.CharsPerRow();
    if (cpr <= 0) return out;
    const long long R = list.HeightRows() * lh / lh;
    long long r = 0;
    for (std::size_t i = 0; i < list.Size() && r < R; ++i) {
        const std::string& text = list.Line(i).text;
        for (std::size_t off = 0; off < text.size() && r < R; off += cpr, ++r) {
            if (r * lh <= y0 + height && (r + 1) * lh - 1 >= y0) {
                out.push_back({i, off, std::min<std::size_t>(cpr, text.size() - off), r});
            }
        }
    }
    return out;
}

void ExpectSame(const std::vector<RowPiece>& a, const std::vector<RowPiece>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        EXPECT_EQ(a[k].line, b[k].line) << k;
        EXPECT_EQ(a[k].offset, b[k].offset) << k;
        EXPECT_EQ(a[k].length, b[k].length) << k;
        EXPECT_EQ(a[k].row, b[k].row) << k;
    }
}

TEST(TermVisibleRows, ExactlyCprLineDrawsOneRowAndEmptyLineNone) {
    CTermLineList list;
    list.AddLine("0123456789", kLineSent);  // cpr 10: one row
    list.AddLine("", kLineError);           // no row
    list.AddLine("abc", kLineReceived);
    list.SetCharsPerRow(10);
    std::vector<RowPiece> pieces = list.VisiblePieces(16, 0, 200);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].line, 0u);
    EXPECT_EQ(pieces[0].row, 0);
    EXPECT_EQ(pieces[0].length, 10u);
    EXPECT_EQ(pieces[1].line, 2u);
    EXPECT_EQ(pieces[1].row, 1);  // right below: the empty line took no row
}

TEST(TermVisibleRows, LongLineIsCutIntoPiecesOfCprBytes) {
    CTermLineList list;
    list.AddLine("aaaabbbbcc", kLineSent);
    list.SetCharsPerRow(4);
    std::vector<RowPiece> pieces = list.VisiblePieces(16, 0, 100);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].offset, 4u);
    EXPECT_EQ(pieces[2].offset, 8u);
    EXPECT_EQ(pieces[2].length, 2u);
}

TEST(TermVisibleRows, NothingWhenNarrowerThanOneCharacter) {
    CTermLineList list;
    list.AddLine("abc", kLineSent);
    list.SetCharsPerRow(0);
    EXPECT_TRUE(list.VisiblePieces(16, 0, 100).empty());
}

TEST(TermVisibleRows, OnlyRowsInTheWindow) {
    CTermLineList list;
    for (int i = 0; i < 50; ++i) list.AddLine("line" + std::to_string(i), kLineSent);
    list.SetCharsPerRow(20);
    // Rows 10..15 touch [160, 250]: row 15 starts at 240.
    std::vector<RowPiece> pieces = list.VisiblePieces(16, 160, 90);
    ASSERT_EQ(pieces.size(), 6u);
    EXPECT_EQ(pieces.front().row, 10);
    EXPECT_EQ(pieces.back().row, 15);
    EXPECT_EQ(pieces.back().line, 15u);
}

TEST(TermVisibleRows, SameAsTheFullWalkForRandomLists) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        CTermLineList list;
        int lines = static_cast<int>(rng() % 40);
        for (int i = 0; i < lines; ++i) list.AddLine(std::string(rng() % 30, 'x'), rng() % 3);
        int lh = 2 + static_cast<int>(rng() % 20);
        list.SetCharsPerRow(static_cast<int>(rng() % 12));
        long long total = list.HeightRows() * lh;
        long long y0 = total > 0 ? static_cast<long long>(rng() % (total + lh)) : 0;
        int height = static_cast<int>(rng() % 300);
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectSame(list.VisiblePieces(lh, y0, height), WalkAll(list, lh, y0, height));
    }
}

}  // namespace
}  // namespace quelda
