#pragma once
// The simulator's message: the header-and-type text, one field per
// definition, and "*" when the checksum is wanted.
#include <string>
#include <vector>

#include "simulator/SimParam.h"

namespace quelda {

// Digits of INT and FLOAT: below 0 keeps no integer digit (as 0 does);
// above 9 keeps them all, since no 32-bit integer has more than ten.
constexpr int kMaxCutDigits = 9;

// The field text of a definition for its column 6 value. STRING: the first
// `digits` bytes of the value ("%s" formats only); INT: computed exactly in
// 64 bits and passed to the format as a 32-bit int, saturated; FLOAT: a
// double. A format that is not exactly one conversion of that kind gives
// kBadFormatMarker, an empty format an empty field, another type an
// empty field.
std::string BuildField(const SimParam& param);

std::string BuildMessage(const std::string& headerAndType, const std::vector<SimParam>& params,
                         bool checksum);

// The periodic interval for a period text in Hz: false (no timer) when the
// text reads as 0, negative or not a number; otherwise 1000 / f ms
// truncated, kept within 1 ms .. 24 hours.
constexpr int kMinIntervalMs = 1;
constexpr int kMaxIntervalMs = 24 * 60 * 60 * 1000;
bool PeriodInterval(const std::string& periodText, int& milliseconds);

}  // namespace quelda
