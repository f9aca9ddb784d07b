#pragma once
// What a terminal line shows and how its bytes map to character cells: the
// rules that selection, copy, find and the time-stamped log share.
#include <cstddef>
#include <string>

#include "term/DisplayText.h"
#include "term/TermLine.h"

namespace quelda {

// Cells before the text when times are shown: "HH:MM:SS.mmm" and a space.
constexpr int kTimeMarginCells = 13;

// Length of text without its line end (trailing CR and LF bytes).
std::size_t BodyLength(const std::string& text);
// Upper-case hex bytes separated by spaces: "0A FF".
std::string HexBytes(const std::string& bytes);

// The line as drawn: its text, with " " and the block's hex bytes put before
// the line end when showBlock and the line has a block.
std::string ShownText(const TermLine& line, bool showBlock);
std::size_t ShownLength(const TermLine& line, bool showBlock);
// The bytes behind shown bytes [from, to): the text's own bytes, and for the
// block's hex the block bytes whose digits fall in the range.
std::string RawBytesOfShown(const TermLine& line, bool showBlock, std::size_t from, std::size_t to);

// Local time of day "HH:MM:SS.mmm" of milliseconds since the epoch.
std::string FormatClock(long long timeMs);
long long NowMs();

// Length in bytes of the character at pos (never past the end).
std::size_t CharLengthAt(const std::string& bytes, std::size_t pos, TextEncoding encoding);
// Cells a character takes: 2 for double-byte and East Asian wide ones, else 1.
int CellWidthAt(const std::string& bytes, std::size_t pos, TextEncoding encoding);
// Cells of the characters in [from, to); both are character starts.
int CellsBetween(const std::string& bytes, TextEncoding encoding, std::size_t from, std::size_t to);
// The character boundary in [from, to) nearest to `cells` cells after from.
std::size_t OffsetAtCell(const std::string& bytes, TextEncoding encoding, std::size_t from,
                         std::size_t to, double cells);
// The word around pos: a run of characters other than blanks, control
// characters and the frame's separators "$", ",", "*".
void WordAt(const std::string& bytes, TextEncoding encoding, std::size_t pos, std::size_t& from,
            std::size_t& to);

}  // namespace quelda
