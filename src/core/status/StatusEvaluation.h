#pragma once
// Which status cells a 32-bit value draws, and the status word of a frame.
#include <cstdint>
#include <string>
#include <vector>

#include "status/StatusCell.h"
#include "status/StatusEntry.h"

namespace quelda {

struct BitRange {
    bool valid = false;  // both bit numbers within 0 .. 31
    int low = 0;
    int high = 0;
    uint32_t Mask() const;  // bits low .. high; none when high < low
};

// "%d-%d" with both numbers 0 beforehand, then high = low when high is 0.
// A bit number outside 0 .. 31 makes the range invalid: such an entry
// never matches, "others" included.
BitRange ParseBitRange(const std::string& text);

// The cells of a status table for value, skipping the title line: in each
// run of consecutive entries with the same bit range text the first entry
// that matches (its match value equals the field, or is "others") draws;
// an empty bit range draws nothing.
std::vector<StatusCell> EvaluateStatusCells(const std::vector<StatusEntry>& table, uint32_t value);

// The value a status item's cells are evaluated for: its value text read
// as a decimal integer, whose low 32 bits are taken (so "%d" and "%u"
// formats of the same word give the same bits).
uint32_t StatusItemValue(const std::string& valueText);

// Element 2 of a frame read as hexadecimal into word. false (word
// unchanged) when there is no element 2 or it does not begin, after
// blanks, with a hexadecimal digit.
bool DecodeStatusWord(const std::string& frameText, uint32_t& word);

}  // namespace quelda
