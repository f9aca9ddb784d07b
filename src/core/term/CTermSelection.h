#pragma once
// The terminal's selection: from an anchor to a cursor in the shown text,
// held by line serials so it scrolls with its text and survives new lines.
#include <cstddef>
#include <string>

#include "term/CTermLineList.h"

namespace quelda {

class CTermSelection {
public:
    enum class Unit { Char, Word, Line };

    // A press: anchors a new selection at pos (a word or line for a double or
    // triple click); extend keeps the old anchor (Shift+click).
    void Press(const CTermLineList& lines, const TermPos& pos, Unit unit, bool extend);
    // A drag to pos, in the unit of the press.
    void DragTo(const CTermLineList& lines, const TermPos& pos);
    void SelectAll(const CTermLineList& lines);
    void Select(const TermPos& from, const TermPos& to);
    void Clear();

    // Lines dropped from the history leave the selection.
    void Clip(const CTermLineList& lines);
    bool Empty() const { return m_begin == m_end; }
    TermPos Begin() const { return m_begin; }
    TermPos End() const { return m_end; }
    // The selected shown bytes [from, to) of a line; false when none.
    bool RangeIn(const CTermLineList& lines, std::size_t index, std::size_t& from,
                 std::size_t& to) const;

    // The selection decoded as shown, one "\n" between terminal lines and
    // none where a long line wrapped; line ends themselves are left out.
    std::string Text(const CTermLineList& lines) const;
    // Its bytes in upper-case hex, one terminal line per text line.
    std::string Hex(const CTermLineList& lines) const;

private:
    // The unit around pos: [from, to).
    void UnitAround(const CTermLineList& lines, const TermPos& pos, TermPos& from,
                    TermPos& to) const;
    void Span(const TermPos& a0, const TermPos& a1, const TermPos& b0, const TermPos& b1);
    template <class PerLine>
    std::string Join(const CTermLineList& lines, PerLine perLine) const;

    Unit m_unit = Unit::Char;
    TermPos m_anchorFrom, m_anchorTo;  // the unit first pressed
    TermPos m_begin, m_end;
};

// Every line as shown, decoded, with its time in front when showTime.
std::string TermDocumentText(const CTermLineList& lines, bool showTime);

}  // namespace quelda
