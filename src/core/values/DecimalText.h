#pragma once
// Decimal text of numbers without the C formatter. The floating-point
// writers produce exactly what "%.Nf", "%.Ne" and "%.Ng" print (round to
// nearest, ties to even, "-" for a set sign bit) and return false where
// they cannot be sure of the rounding; the caller then asks the C library.
// The integer writers are inline: they are the innermost step of every
// value written.
#include <cstdint>
#include <cstring>

namespace quelda {

inline constexpr uint64_t kPowersOf10[] = {1ull,
                                           10ull,
                                           100ull,
                                           1000ull,
                                           10000ull,
                                           100000ull,
                                           1000000ull,
                                           10000000ull,
                                           100000000ull,
                                           1000000000ull,
                                           10000000000ull,
                                           100000000000ull,
                                           1000000000000ull,
                                           10000000000000ull,
                                           100000000000000ull,
                                           1000000000000000ull,
                                           10000000000000000ull,
                                           100000000000000000ull,
                                           1000000000000000000ull,
                                           10000000000000000000ull};

inline constexpr char kDigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243"
    "4445464748495051525354555657585960616263646566676869707172737475767778798081828384858687"
    "888990919293949596979899";

// How many decimal digits v has (1 for 0): the bit length gives the count
// or one more, 1233 / 4096 standing for log10(2).
inline int DecimalDigits(uint64_t v) {
    const uint64_t w = v | 1;
    const int t = ((64 - __builtin_clzll(w)) * 1233) >> 12;
    return t - (w < kPowersOf10[t] ? 1 : 0) + 1;
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "digits are packed little-endian");

// The eight decimal digits of v (< 10^8), leading zeros included, as the
// bytes of a word in reading order: each step splits every lane in two
// with a multiplication that divides exactly in the lane's range.
inline uint64_t EightDigits(uint32_t v) {
    uint64_t x = (v / 10000) | (static_cast<uint64_t>(v % 10000) << 32);
    const uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007Full;  // n / 100, n < 10^4
    x = hundreds | ((x - hundreds * 100) << 16);
    const uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000Full;  // n / 10, n < 100
    x = tens | ((x - tens * 10) << 8);
    return x + 0x3030303030303030ull;
}

// The last count (1..8) digits of v (< 10^8) from out on, without a
// branch; writes 8 bytes. Returns the end of the digits.
inline char* WriteLastDigits(uint32_t v, int count, char* out) {
    const uint64_t digits = EightDigits(v) >> (8 * (8 - count));
    std::memcpy(out, &digits, sizeof digits);
    return out + count;
}

// Digits of v from out on ("0" for 0), writing nothing past them; returns
// the end.
char* WriteDecimalTight(uint64_t v, char* out);

// Digits of v from out on ("0" for 0); returns the end. May write up to
// 8 bytes past the end.
inline char* WriteDecimalAt(uint64_t v, char* out) {
    constexpr uint64_t kEight = 100000000;
    if (v < kEight) return WriteLastDigits(static_cast<uint32_t>(v), DecimalDigits(v), out);
    if (v < kEight * kEight) {
        const uint64_t high = v / kEight;
        out = WriteLastDigits(static_cast<uint32_t>(high), DecimalDigits(high), out);
        return WriteLastDigits(static_cast<uint32_t>(v - high * kEight), 8, out);
    }
    return WriteDecimalTight(v, out);
}

// The writers need 64 bytes of room at out (they may write past the end
// they set); end is set on success.
bool WriteFixed(double v, int precision, char* out, char*& end);
bool WriteExponent(double v, int precision, bool upper, char* out, char*& end);
bool WriteGeneral(double v, int precision, bool upper, char* out, char*& end);

}  // namespace quelda
