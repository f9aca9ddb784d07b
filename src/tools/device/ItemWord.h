#pragma once
// A parameter line of the EEPROM data file and its stored word W, both
// ways: W from the line (its hexValue, or its value scaled by lsb when
// hexValue is empty), and the shown value of a word.
#include <cstdint>
#include <string>
#include <vector>

namespace quelda {

// fields: name, type, lsb, format, unit, value, hexValue, displayType.
// false when neither hexValue nor the type gives a word.
bool WordOfItem(const std::vector<std::string>& fields, uint32_t& word);

// The value text for W (stored number / lsb through the item's format and
// display type); false, leaving text alone, for a type without a conversion
// or an lsb of 0.
bool ShownValueOfWord(const std::vector<std::string>& fields, uint32_t word, std::string& text);

}  // namespace quelda
