#pragma once
#include <cstddef>
#include <string>

#include "routing/UpdateHint.h"  // TermLineKind

namespace quelda {

// One display line: its bytes exactly as handed over, CR LF included.
struct TermLine {
    int kind = kLineSent;  // TermLineKind
    std::string text;
};

// One drawn row: bytes [offset, offset + length) of line `line`, at draw row `row`.
struct RowPiece {
    std::size_t line = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    long long row = 0;
};

}  // namespace quelda
