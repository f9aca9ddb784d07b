#include "term/CTermSelection.h"

#include <algorithm>

#include "term/DisplayText.h"
#include "term/TermText.h"

namespace quelda {

void CTermSelection::UnitAround(const CTermLineList& lines, const TermPos& pos, TermPos& from,
                                TermPos& to) const {
    from = to = pos;
    std::size_t index = 0;
    if (m_unit == Unit::Char || !lines.IndexOf(pos.serial, index)) return;
    const std::string shown = lines.Shown(index);
    if (m_unit == Unit::Line) {
        from.offset = 0;
        to.offset = shown.size();
        return;
    }
    WordAt(shown, DetectEncoding(shown), pos.offset, from.offset, to.offset);
}

void CTermSelection::Span(const TermPos& a0, const TermPos& a1, const TermPos& b0,
                          const TermPos& b1) {
    m_begin = std::min(a0, b0);
    m_end = std::max(a1, b1);
}

void CTermSelection::Press(const CTermLineList& lines, const TermPos& pos, Unit unit, bool extend) {
    m_unit = unit;
    TermPos from, to;
    UnitAround(lines, pos, from, to);
    if (extend && !Empty()) {
        Span(m_anchorFrom, m_anchorTo, from, to);
        return;
    }
    if (extend) {
        m_anchorFrom = m_anchorTo = m_begin;
        Span(m_begin, m_begin, from, to);
        return;
    }
    m_anchorFrom = from;
    m_anchorTo = to;
    m_begin = from;
    m_end = to;
}

void CTermSelection::DragTo(const CTermLineList& lines, const TermPos& pos) {
    TermPos from, to;
    UnitAround(lines, pos, from, to);
    Span(m_anchorFrom, m_anchorTo, from, to);
}

void CTermSelection::SelectAll(const CTermLineList& lines) {
    m_unit = Unit::Char;
    Select(TermPos{lines.FirstSerial(), 0}, lines.End());
}

void CTermSelection::Select(const TermPos& from, const TermPos& to) {
    m_anchorFrom = m_begin = std::min(from, to);
    m_anchorTo = m_end = std::max(from, to);
}

void CTermSelection::Clear() { m_anchorFrom = m_anchorTo = m_begin = m_end = TermPos{}; }

void CTermSelection::Clip(const CTermLineList& lines) {
    const TermPos first{lines.FirstSerial(), 0};
    if (Empty() || !(m_begin < first)) return;
    if (!(first < m_end)) {
        Clear();
        return;
    }
    m_begin = std::max(m_begin, first);
    m_anchorFrom = std::max(m_anchorFrom, first);
    m_anchorTo = std::max(m_anchorTo, first);
}

bool CTermSelection::RangeIn(const CTermLineList& lines, std::size_t index, std::size_t& from,
                             std::size_t& to) const {
    if (Empty()) return false;
    const long long serial = lines.SerialOf(index);
    if (serial < m_begin.serial || serial > m_end.serial) return false;
    const std::size_t length = lines.ShownLength(index);
    from = serial == m_begin.serial ? std::min(m_begin.offset, length) : 0;
    to = serial == m_end.serial ? std::min(m_end.offset, length) : length;
    return from < to || (from == to && serial != m_end.serial);
}

template <class PerLine>
std::string CTermSelection::Join(const CTermLineList& lines, PerLine perLine) const {
    std::string out;
    bool first = true;
    for (std::size_t i = 0; i < lines.Size(); ++i) {
        std::size_t from = 0, to = 0;
        if (!RangeIn(lines, i, from, to)) continue;
        if (!first) out.push_back('\n');
        first = false;
        out += perLine(i, from, to);
    }
    return out;
}

std::string CTermSelection::Text(const CTermLineList& lines) const {
    CDisplayDecoder decoder;
    return Join(lines, [&](std::size_t i, std::size_t from, std::size_t to) {
        const std::string shown = lines.Shown(i);
        to = std::min(to, BodyLength(shown));
        if (from >= to) return std::string();
        return decoder.ToUtf8(shown.substr(from, to - from), DetectEncoding(shown));
    });
}

std::string CTermSelection::Hex(const CTermLineList& lines) const {
    return Join(lines, [&](std::size_t i, std::size_t from, std::size_t to) {
        return HexBytes(RawBytesOfShown(lines.Line(i), lines.ShowBlocks(), from, to));
    });
}

std::string TermDocumentText(const CTermLineList& lines, bool showTime) {
    CDisplayDecoder decoder;
    std::string out;
    for (std::size_t i = 0; i < lines.Size(); ++i) {
        const std::string shown = lines.Shown(i);
        if (showTime) out += FormatClock(lines.Line(i).timeMs) + " ";
        out += decoder.ToUtf8(shown.substr(0, BodyLength(shown)), DetectEncoding(shown));
        out.push_back('\n');
    }
    return out;
}

}  // namespace quelda
