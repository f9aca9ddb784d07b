#pragma once
// Decimal text of numbers without the C formatter. The floating-point
// writers produce exactly what "%.Nf", "%.Ne" and "%.Ng" print (round to
// nearest, ties to even, "-" for a set sign bit) and return false where
// they cannot be sure of the rounding; the caller then asks the C library.
#include <cstdint>

namespace quelda {

// Digits of v right-aligned ending at end (none for 0); returns the first.
char* WriteDecimal(uint64_t v, char* end);
// Digits of v from out on ("0" for 0); returns the end.
char* WriteDecimalAt(uint64_t v, char* out);

// The writers need 64 bytes of room at out; end is set on success.
bool WriteFixed(double v, int precision, char* out, char*& end);
bool WriteExponent(double v, int precision, bool upper, char* out, char*& end);
bool WriteGeneral(double v, int precision, bool upper, char* out, char*& end);

}  // namespace quelda
