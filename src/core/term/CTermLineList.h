#pragma once
// The terminal's display list: bounded, with the row totals kept up to date
// per change so that a flood of lines costs O(1) each.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "term/TermLine.h"

namespace quelda {

class CTermLineList {
public:
    // More than kTrimAbove lines: the kTrimCount oldest go at the next AddLine.
    static constexpr std::size_t kTrimAbove = 300;
    static constexpr std::size_t kTrimCount = 100;

    void AddLine(const std::string& text, int kind);
    // Replaces the last line's text, which keeps its kind; appends when empty.
    void ReplaceLast(const std::string& text, int kind);

    std::size_t Size() const { return m_lines.size(); }
    bool Empty() const { return m_lines.empty(); }
    const TermLine& Line(std::size_t index) const { return m_lines[index]; }

    // The row totals below are for this row width; changing it recounts.
    void SetCharsPerRow(int cpr);
    int CharsPerRow() const { return m_cpr; }
    // Sum of len / cpr + 1 over all lines (0 when cpr is 0).
    long long HeightRows() const { return m_heightRows; }
    // Rows the lines draw: pieces of cpr bytes, none for an empty line.
    long long DrawnRows() const { return m_drawnRows; }

    // The pieces that fall in the window [y0, y0 + clientHeight] for line
    // height lh, oldest first. A row r is visible when r*lh <= y0 + height
    // and (r+1)*lh - 1 >= y0; rows from HeightRows() on are never drawn.
    std::vector<RowPiece> VisiblePieces(int lh, long long y0, int clientHeight) const;

private:
    void Count(const std::string& text, int sign);
    void AppendPieces(std::size_t line, long long rowStart, long long first, long long last,
                      std::vector<RowPiece>& out) const;

    std::deque<TermLine> m_lines;
    int m_cpr = 0;
    long long m_heightRows = 0;
    long long m_drawnRows = 0;
};

}  // namespace quelda
