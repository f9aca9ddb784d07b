#pragma once
// Numbers read from text the way the C library reads them, minus its
// undefined behaviour; and one strict reader for typed-in arguments.
#include <cstdint>
#include <string>

namespace quelda {

// The C library's atoi/atof/"%X" rules, without undefined behaviour: leading
// blanks, optional sign, digits up to the first other character, 0 when
// there are none; out-of-range values saturate.
long long LenientAtoll(const std::string& text);
int LenientAtoi(const std::string& text);
double LenientAtof(const std::string& text);
// "%X" into an unsigned 32-bit value; ok = false when no hex digit follows
// the blanks (value 0 then).
uint32_t ScanHex32(const std::string& text, bool* ok = nullptr);

// The whole text is decimal digits after an optional sign and the value fits
// an int (INT_MIN included); otherwise false and value is left alone.
bool ParseStrictInt(const std::string& text, int& value);

}  // namespace quelda
