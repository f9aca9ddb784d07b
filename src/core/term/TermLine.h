#pragma once
#include <cstddef>
#include <string>

#include "routing/UpdateHint.h"  // TermLineKind

namespace quelda {

// One display line: its bytes exactly as handed over, CR LF included.
struct TermLine {
    int kind = kLineSent;  // TermLineKind
    std::string text;
    // Local arrival time in milliseconds since the epoch, taken when added.
    long long timeMs = 0;
    // The binary block of a frame of the binary command (length bytes
    // included), which the frame text leaves out.
    std::string block;
};

// One drawn row: bytes [offset, offset + length) of line `line`, at draw row `row`.
struct RowPiece {
    std::size_t line = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    long long row = 0;
};

// A place in the terminal's text: a byte offset into the shown text of the
// line with this serial number. Serials keep counting when old lines drop.
struct TermPos {
    long long serial = 0;
    std::size_t offset = 0;
};

inline bool operator<(const TermPos& a, const TermPos& b) {
    return a.serial != b.serial ? a.serial < b.serial : a.offset < b.offset;
}
inline bool operator==(const TermPos& a, const TermPos& b) {
    return a.serial == b.serial && a.offset == b.offset;
}

}  // namespace quelda
