#pragma once
// Writes the one conversion of a checked FormatSpec, with the C library's
// rules for flags, width and precision, but without a variadic call: the
// argument's type is always the one the conversion reads.
#include <cstddef>
#include <cstdint>

#include "values/FormatSpec.h"

namespace quelda {

// Room for any conversion of a valid spec (a "%f" of the largest double
// with the largest precision included).
constexpr std::size_t kConversionBufferSize = 512;

// Integer conversions (d i u o x X). The 32 bits are the argument; "hh" and
// "h" narrow it as the C formatter does, "l" and "ll" widen it (sign-
// extended for d and i, zero-extended otherwise), so every length prints the
// value the 32-bit argument stands for.
std::size_t WriteIntegerConversion(const FormatSpec& spec, int32_t bits, char* out);

// Double conversions (f F e E g G a A). Decimal points are always ".",
// whatever the process locale says.
std::size_t WriteDoubleConversion(const FormatSpec& spec, double v, char* out);

}  // namespace quelda
