#include "term/CTermLineList.h"

#include <algorithm>

#include "term/TermGeometry.h"

namespace quelda {

void CTermLineList::Count(const std::string& text, int sign) {
    m_heightRows += sign * HeightRowsOf(text.size(), m_cpr);
    m_drawnRows += sign * DrawnRowsOf(text.size(), m_cpr);
}

void CTermLineList::AddLine(const std::string& text, int kind) {
    if (m_lines.size() > kTrimAbove) {
        for (std::size_t i = 0; i < kTrimCount; ++i) {
            Count(m_lines.front().text, -1);
            m_lines.pop_front();
        }
    }
    m_lines.push_back(TermLine{kind, text});
    Count(text, +1);
}

void CTermLineList::ReplaceLast(const std::string& text, int kind) {
    if (m_lines.empty()) {
        m_lines.push_back(TermLine{kind, text});
        Count(text, +1);
        return;
    }
    TermLine& last = m_lines.back();
    Count(last.text, -1);
    last.text = text;
    Count(last.text, +1);
}

void CTermLineList::SetCharsPerRow(int cpr) {
    cpr = std::max(cpr, 0);
    if (cpr == m_cpr) return;
    m_cpr = cpr;
    m_heightRows = 0;
    m_drawnRows = 0;
    for (const TermLine& line : m_lines) Count(line.text, +1);
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
        long long rowStart = rowEnd - DrawnRowsOf(m_lines[i].text.size(), m_cpr);
        if (rowStart <= last) AppendPieces(i, rowStart, first, last, pieces);
        rowEnd = rowStart;
    }
    std::reverse(pieces.begin(), pieces.end());
    return pieces;
}

// Appends, newest row first, the visible pieces of one line.
void CTermLineList::AppendPieces(std::size_t line, long long rowStart, long long first,
                                 long long last, std::vector<RowPiece>& out) const {
    const std::size_t length = m_lines[line].text.size();
    const std::size_t cpr = static_cast<std::size_t>(m_cpr);
    long long rows = DrawnRowsOf(length, m_cpr);
    long long kFirst = std::max<long long>(first - rowStart, 0);
    long long kLast = std::min(last - rowStart, rows - 1);
    for (long long k = kLast; k >= kFirst; --k) {
        std::size_t offset = static_cast<std::size_t>(k) * cpr;
        out.push_back(RowPiece{line, offset, std::min(cpr, length - offset), rowStart + k});
    }
}

}  // namespace quelda
