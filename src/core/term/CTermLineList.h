#pragma once
// The terminal's display list: bounded, with the row totals kept up to date
// per change so that a flood of lines costs O(1) each.
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "term/TermLine.h"

namespace quelda {

class CTermLineList {
public:
    // More than kTrimAbove lines: the kTrimCount oldest go at the next AddLine.
    static constexpr std::size_t kTrimAbove = 300;
    static constexpr std::size_t kTrimCount = 100;

    // timeMs < 0 takes the clock now.
    void AddLine(const std::string& text, int kind, long long timeMs = -1);
    // Replaces the last line's text, which keeps its kind; appends when empty.
    void ReplaceLast(const std::string& text, int kind);
    // Gives the last line the block of its frame when its text is that frame's.
    void AttachBlock(const std::string& frameText, const std::string& block);

    std::size_t Size() const { return m_lines.size(); }
    bool Empty() const { return m_lines.empty(); }
    const TermLine& Line(std::size_t index) const { return m_lines[index]; }

    // Serial numbers count every line ever added; dropped lines keep theirs.
    long long FirstSerial() const { return m_firstSerial; }
    long long SerialOf(std::size_t index) const {
        return m_firstSerial + static_cast<long long>(index);
    }
    // False when the line has dropped out (or never was).
    bool IndexOf(long long serial, std::size_t& index) const;
    TermPos End() const;

    // Blocks shown as hex (the default) or left out of sight; changing it recounts.
    void SetShowBlocks(bool on);
    bool ShowBlocks() const { return m_bShowBlocks; }
    std::string Shown(std::size_t index) const;
    std::size_t ShownLength(std::size_t index) const;

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

    // Draw row of the first piece of a line.
    long long RowOfLine(std::size_t index) const;
    // Shown-text bounds of draw row k of a line, moved to character starts
    // as the drawing moves them.
    void RowBounds(std::size_t index, long long k, std::size_t& from, std::size_t& to) const;
    // The character boundary nearest to `cell` cells into draw row `row`;
    // before the first row the start, past the last the end of the text.
    TermPos PositionAt(long long row, double cell) const;
    // Draw row and cell column of a position (for scrolling it into view).
    bool RowAndCellOf(const TermPos& pos, long long& row, int& cell) const;

    // Hands each line to the sink once it is complete: when the next line
    // comes, or at FlushComplete when it ends with LF, or at FlushAll.
    void SetCompleteSink(std::function<void(const TermLine&)> sink);
    void FlushComplete();
    void FlushAll();

private:
    void Count(std::size_t index, int sign);
    void Recount();
    void AppendPieces(std::size_t line, long long rowStart, long long first, long long last,
                      std::vector<RowPiece>& out) const;
    void ReportLast();

    std::deque<TermLine> m_lines;
    long long m_firstSerial = 0;
    int m_cpr = 0;
    bool m_bShowBlocks = true;
    long long m_heightRows = 0;
    long long m_drawnRows = 0;
    std::function<void(const TermLine&)> m_sink;
    bool m_bLastReported = true;
};

}  // namespace quelda
