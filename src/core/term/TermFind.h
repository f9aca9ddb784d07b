#pragma once
// Find over the lines the terminal holds, in their shown text.
#include <cstddef>
#include <string>

#include "term/CTermLineList.h"

namespace quelda {

struct TermMatch {
    bool found = false;
    TermPos at;  // start of the match
    std::size_t length = 0;
};

// The first match of needle (UTF-8) after `from` (forward) or before it
// (backward), wrapping around the ends once. A `from` whose line has dropped
// out starts at the oldest line (forward) or the newest (backward). Without
// matchCase, ASCII letters match in either case; a match always begins on a
// character start, so a Shift-JIS trail byte never starts one.
TermMatch FindInLines(const CTermLineList& lines, const std::string& needle, bool matchCase,
                      bool forward, const TermPos& from);

}  // namespace quelda
