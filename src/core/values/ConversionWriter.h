#pragma once
// Writes the one conversion of a checked FormatSpec, with the C library's
// rules for flags, width and precision, but without a variadic call: the
// argument's type is always the one the conversion reads.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "values/DecimalText.h"
#include "values/FormatSpec.h"

namespace quelda {

// Room for any conversion of a valid spec (a "%f" of the largest double
// with the largest precision included).
constexpr std::size_t kConversionBufferSize = 512;

// Room for the text of a shortcut conversion before its width (sign and
// the writers' spare bytes included).
constexpr std::size_t kShortcutText = 48;

// A shortcut's text[0 .. n) (with its sign, in a buffer of kShortcutText
// bytes) put into the conversion's width by the flags; returns the length.
inline std::size_t FitWidth(const FormatSpec& spec, const char* text, std::size_t n, char* out) {
    const std::size_t width = static_cast<std::size_t>(spec.width);
    if (n >= width) {
        std::memcpy(out, text, kShortcutText);
        return n;
    }
    const std::size_t pad = width - n;
    if (spec.leftAlign) {
        std::memcpy(out, text, kShortcutText);
        std::memset(out + n, ' ', kMaxFormatField);
    } else if (spec.zeroPad) {
        const std::size_t sign = text[0] == '-' || text[0] == '+' || text[0] == ' ' ? 1 : 0;
        out[0] = text[0];
        std::memset(out + sign, '0', kMaxFormatField);
        std::memcpy(out + sign + pad, text + sign, kShortcutText - sign);
    } else {
        std::memset(out, ' ', kMaxFormatField);
        std::memcpy(out + pad, text, kShortcutText);
    }
    return width;
}

// The sign flag's character for a number that is not negative, or 0.
inline char PositiveSign(const FormatSpec& spec) {
    return spec.forceSign ? '+' : spec.spaceSign ? ' ' : 0;
}

// Hexadecimal digits of u without leading zeros ("0" for 0), all eight
// nibbles spread to bytes at once; writes 8 bytes.
inline char* WriteHex(uint32_t u, bool upper, char* out) {
    uint64_t x = (u >> 16) | (static_cast<uint64_t>(u & 0xFFFF) << 32);
    x = ((x >> 8) & 0x000000FF000000FFull) | ((x & 0x000000FF000000FFull) << 16);
    x = ((x >> 4) & 0x000F000F000F000Full) | ((x & 0x000F000F000F000Full) << 8);
    const uint64_t letters = ((x + 0x0606060606060606ull) >> 4) & 0x0101010101010101ull;
    x += 0x3030303030303030ull + letters * (upper ? 7 : 39);
    const int digits = u == 0 ? 1 : (35 - __builtin_clz(u)) / 4;
    x >>= 8 * (8 - digits);
    std::memcpy(out, &x, sizeof x);
    return out + digits;
}

// The integer conversions with a shortcut (see FormatSpec), written in
// place; inline, for they are most of what a converter writes.
inline std::size_t WriteShortcutInteger(const FormatSpec& spec, int32_t bits, char* out) {
    using S = FormatSpec::Shortcut;
    char buffer[kShortcutText];
    char* const start = spec.bare ? out : buffer;
    char* o = start;
    const uint32_t u = static_cast<uint32_t>(bits);
    if (spec.shortcut == S::Signed) {
        const char sign = bits < 0 ? '-' : PositiveSign(spec);
        *o = sign;
        o = WriteDecimalAt(bits < 0 ? 0u - u : u, o + (sign ? 1 : 0));
    } else if (spec.shortcut == S::Unsigned) {
        o = WriteDecimalAt(u, o);
    } else {
        o = WriteHex(u, spec.shortcut == S::HexUpper, o);
    }
    const std::size_t n = static_cast<std::size_t>(o - start);
    return spec.bare ? n : FitWidth(spec, buffer, n, out);
}

// The double conversions with a shortcut; false where the caller must
// take the general way (values the fast digits cannot be sure of).
bool WriteShortcutDouble(const FormatSpec& spec, double v, char* out, std::size_t& n);

// Integer conversions (d i u o x X). The 32 bits are the argument; "hh" and
// "h" narrow it as the C formatter does, "l" and "ll" widen it (sign-
// extended for d and i, zero-extended otherwise), so every length prints the
// value the 32-bit argument stands for.
std::size_t WriteIntegerConversion(const FormatSpec& spec, int32_t bits, char* out);

// Double conversions (f F e E g G a A). Decimal points are always ".",
// whatever the process locale says.
std::size_t WriteDoubleConversion(const FormatSpec& spec, double v, char* out);

}  // namespace quelda
