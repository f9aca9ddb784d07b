#include "term/CTermLineList.h"

#include <algorithm>

#include "term/TermGeometry.h"
#include "term/TermText.h"

namespace quelda {

void CTermLineList::Count(std::size_t index, int sign) {
    const std::size_t length = ShownLength(index);
    m_heightRows += sign * HeightRowsOf(length, m_cpr);
    m_drawnRows += sign * DrawnRowsOf(length, m_cpr);
}

void CTermLineList::Recount() {
    m_heightRows = 0;
    m_drawnRows = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i) Count(i, +1);
}

void CTermLineList::AddLine(const std::string& text, int kind, long long timeMs) {
    if (!m_bLastReported) ReportLast();
    if (m_lines.size() > kTrimAbove) {
        for (std::size_t i = 0; i < kTrimCount; ++i) {
            Count(0, -1);
            m_lines.pop_front();
            ++m_firstSerial;
        }
    }
    m_lines.push_back(TermLine{kind, text, timeMs < 0 ? NowMs() : timeMs, std::string()});
    Count(m_lines.size() - 1, +1);
    m_bLastReported = false;
}

void CTermLineList::ReplaceLast(const std::string& text, int kind) {
    if (m_lines.empty()) {
        AddLine(text, kind);
        return;
    }
    const std::size_t last = m_lines.size() - 1;
    Count(last, -1);
    m_lines.back().text = text;
    Count(last, +1);
    m_bLastReported = false;
}

void CTermLineList::AttachBlock(const std::string& frameText, const std::string& block) {
    if (m_lines.empty() || block.empty() || m_lines.back().text != frameText) return;
    const std::size_t last = m_lines.size() - 1;
    Count(last, -1);
    m_lines.back().block = block;
    Count(last, +1);
}

bool CTermLineList::IndexOf(long long serial, std::size_t& index) const {
    if (serial < m_firstSerial || serial >= SerialOf(m_lines.size())) return false;
    index = static_cast<std::size_t>(serial - m_firstSerial);
    return true;
}

TermPos CTermLineList::End() const {
    if (m_lines.empty()) return TermPos{m_firstSerial, 0};
    return TermPos{SerialOf(m_lines.size() - 1), ShownLength(m_lines.size() - 1)};
}

void CTermLineList::SetShowBlocks(bool on) {
    if (on == m_bShowBlocks) return;
    m_bShowBlocks = on;
    Recount();
}

std::string CTermLineList::Shown(std::size_t index) const {
    return ShownText(m_lines[index], m_bShowBlocks);
}

std::size_t CTermLineList::ShownLength(std::size_t index) const {
    return quelda::ShownLength(m_lines[index], m_bShowBlocks);
}

void CTermLineList::SetCharsPerRow(int cpr) {
    cpr = std::max(cpr, 0);
    if (cpr == m_cpr) return;
    m_cpr = cpr;
    Recount();
}

std::vector<RowPiece> CTermLineList::VisiblePieces(int lh, long long y0, int clientHeight) const {
    std::vector<RowPiece> pieces;
    if (lh <= 0 || m_cpr <= 0 || m_lines.empty()) return pieces;
    long long first = std::max<long long>(y0, 0) / lh;
    long long last = std::min((y0 + std::max(clientHeight, 0)) / lh, m_heightRows - 1);
    if (last < first) return pieces;
    // Walk back from the newest line: the window is usually at the bottom.
    long long rowEnd = m_drawnRows;
    for (std::size_t i = m_lines.size(); i-- > 0 && rowEnd > first;) {
        long long rowStart = rowEnd - DrawnRowsOf(ShownLength(i), m_cpr);
        if (rowStart <= last) AppendPieces(i, rowStart, first, last, pieces);
        rowEnd = rowStart;
    }
    std::reverse(pieces.begin(), pieces.end());
    return pieces;
}

// Appends, newest row first, the visible pieces of one line.
void CTermLineList::AppendPieces(std::size_t line, long long rowStart, long long first,
                                 long long last, std::vector<RowPiece>& out) const {
    const std::size_t length = ShownLength(line);
    const std::size_t cpr = static_cast<std::size_t>(m_cpr);
    long long rows = DrawnRowsOf(length, m_cpr);
    long long kFirst = std::max<long long>(first - rowStart, 0);
    long long kLast = std::min(last - rowStart, rows - 1);
    for (long long k = kLast; k >= kFirst; --k) {
        std::size_t offset = static_cast<std::size_t>(k) * cpr;
        out.push_back(RowPiece{line, offset, std::min(cpr, length - offset), rowStart + k});
    }
}

long long CTermLineList::RowOfLine(std::size_t index) const {
    long long row = 0;
    for (std::size_t i = 0; i < index && i < m_lines.size(); ++i) {
        row += DrawnRowsOf(ShownLength(i), m_cpr);
    }
    return row;
}

void CTermLineList::RowBounds(std::size_t index, long long k, std::size_t& from,
                              std::size_t& to) const {
    const std::string shown = Shown(index);
    const std::size_t cpr = static_cast<std::size_t>(std::max(m_cpr, 0));
    const std::vector<std::size_t> cuts =
        AlignCuts(shown, DetectEncoding(shown),
                  {static_cast<std::size_t>(k) * cpr, static_cast<std::size_t>(k + 1) * cpr});
    from = cuts[0];
    to = cuts[1];
}

TermPos CTermLineList::PositionAt(long long row, double cell) const {
    if (m_lines.empty() || m_cpr <= 0) return End();
    if (row < 0) return TermPos{m_firstSerial, 0};
    long long rowStart = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const long long rows = DrawnRowsOf(ShownLength(i), m_cpr);
        if (row < rowStart + rows) {
            std::size_t from = 0, to = 0;
            RowBounds(i, row - rowStart, from, to);
            const std::string shown = Shown(i);
            const std::size_t at = OffsetAtCell(shown, DetectEncoding(shown), from, to, cell);
            return TermPos{SerialOf(i), at};
        }
        rowStart += rows;
    }
    return End();
}

bool CTermLineList::RowAndCellOf(const TermPos& pos, long long& row, int& cell) const {
    std::size_t index = 0;
    if (m_cpr <= 0 || !IndexOf(pos.serial, index)) return false;
    const long long rows = DrawnRowsOf(ShownLength(index), m_cpr);
    const std::string shown = Shown(index);
    for (long long k = 0; k < std::max<long long>(rows, 1); ++k) {
        std::size_t from = 0, to = 0;
        RowBounds(index, k, from, to);
        if (pos.offset < to || k + 1 >= rows) {
            row = RowOfLine(index) + k;
            cell = CellsBetween(shown, DetectEncoding(shown), from, std::max(pos.offset, from));
            return true;
        }
    }
    return false;
}

void CTermLineList::SetCompleteSink(std::function<void(const TermLine&)> sink) {
    m_sink = std::move(sink);
}

void CTermLineList::ReportLast() {
    m_bLastReported = true;
    if (m_sink && !m_lines.empty()) m_sink(m_lines.back());
}

void CTermLineList::FlushComplete() {
    if (m_bLastReported || m_lines.empty()) return;
    const std::string& text = m_lines.back().text;
    if (!text.empty() && text.back() == '\n') ReportLast();
}

void CTermLineList::FlushAll() {
    if (!m_bLastReported) ReportLast();
}

}  // namespace quelda
