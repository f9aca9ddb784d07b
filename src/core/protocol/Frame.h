#pragma once
// The message frame: "$" header "," command fields "*" XOR checksum CR LF.
#include <cstdint>
#include <string>

namespace quelda {

// XOR of text[from .. end), from = 1 when text starts with "$", else 0;
// end is the position of the final "*" when there is one.
uint8_t LineChecksum(const std::string& textEndingInStar);

// Completes a line for the wire: when text ends with "*" the two upper-case
// checksum digits are appended; then CR LF. Empty text gives "".
std::string BuildLine(const std::string& text);

// header + "," + text, then as BuildLine. Empty text gives "" (nothing is sent
// for an empty command).
std::string BuildCommandLine(const std::string& header, const std::string& text);

// Reads the two received checksum characters as one hexadecimal number, the
// way "%X" reads them from a NUL-terminated two-character string. Returns
// false when no number can be read (the value is then left unchanged).
bool ReadChecksumDigits(const char digits[2], unsigned int& value);

}  // namespace quelda
