#include "values/DecimalText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quelda {

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxDigits = 15;  // significant digits the writers handle

// round(a x 10^k) with ties to even, when certain. 10^k is exact for
// |k| <= 22, so the product or quotient is rounded once; below 2^52 every
// half-integer is a double, and rounding is monotonic, so the rounded
// value lies on the same side of a half as the exact one unless it lands
// on the half itself. There (a true tie or not), false.
[[gnu::always_inline]] inline bool RoundScaled(double a, int k, uint64_t& rounded) {
    double scaled;
    if (k >= 0 && k <= 22) {
        scaled = a * kPow10[k];
    } else if (k < 0 && k >= -22) {
        scaled = a / kPow10[-k];
    } else {
        return false;
    }
    if (!(scaled < 4503599627370496.0)) return false;  // 2^52
    // floor, being positive; the signed conversion is the one the processor has
    const uint64_t whole = static_cast<uint64_t>(static_cast<int64_t>(scaled));
    const double fraction = scaled - static_cast<double>(whole);
    if (fraction == 0.5) return false;
    rounded = whole + (fraction > 0.5 ? 1 : 0);
    return true;
}

uint64_t Power10(int n) { return kPowersOf10[n]; }

// v / 10^n for 1 <= n <= 15 by constant divisors, which the compiler turns
// into multiplications.
[[gnu::always_inline]] inline uint64_t DividePower10(uint64_t v, int n) {
    switch (n) {
        case 1:
            return v / 10;
        case 2:
            return v / 100;
        case 3:
            return v / 1000;
        case 4:
            return v / 10000;
        case 5:
            return v / 100000;
        case 6:
            return v / 1000000;
        case 7:
            return v / 10000000;
        case 8:
            return v / 100000000;
        default:
            return v / Power10(n);
    }
}

// floor(log10(a)) or one less, for a > 0: from the binary exponent b,
// log10(a) lies in [b log10(2), (b + 1) log10(2)); 78913 / 2^18 is log10(2)
// to the precision this needs (the shift floors negative products too).
int DecimalExponentEstimate(double a) {
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int b = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    int e = (b * 78913) >> 18;
    if (e + 1 >= 0 && e + 1 <= 22 && a >= kPow10[e + 1]) ++e;
    if (e + 1 < 0 && e + 1 >= -22 && a * kPow10[-(e + 1)] >= 1.0) ++e;
    return e;
}

// The first `digits` significant digits of a (> 0), rounded: mantissa m
// with 10^(digits-1) <= m < 10^digits and a ~ m x 10^(exponent-digits+1).
bool Significant(double a, int digits, uint64_t& m, int& exponent) {
    if (a == 0) {
        m = 0;
        exponent = 0;
        return true;
    }
    exponent = DecimalExponentEstimate(a);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!RoundScaled(a, digits - 1 - exponent, m)) return false;
        if (m >= Power10(digits)) {
            ++exponent;
        } else if (m < Power10(digits - 1)) {
            --exponent;
        } else {
            return true;
        }
    }
    return false;
}

// Exactly `count` digits of m (< 10^count, leading zeros included) from
// out on; may write 8 bytes past them.
char* WriteDigitsExactly(uint64_t m, int count, char* out) {
    if (count > 8) {
        const uint64_t high = DividePower10(m, 8);
        out = WriteDigitsExactly(high, count - 8, out);
        m -= high * Power10(8);
        count = 8;
    }
    return count > 0 ? WriteLastDigits(static_cast<uint32_t>(m), count, out) : out;
}

// A mask of the low n (0..8) bytes of a word.
[[gnu::always_inline]] inline uint64_t LowBytes(int n) {
    return n >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * n)) - 1;
}

[[gnu::always_inline]] inline void Store(char* out, uint64_t bytes) {
    std::memcpy(out, &bytes, sizeof bytes);
}

// count (1..8) digit bytes in reading order, held in a word, written with a
// point after the first `whole` of them (none when whole >= count); writes
// up to 8 bytes past the end.
[[gnu::always_inline]] inline char* PlacePoint(uint64_t digits, int count, int whole, char* o) {
    if (whole >= count) {
        Store(o, digits);
        return o + count;
    }
    Store(o, (digits & LowBytes(whole)) | (uint64_t{'.'} << (8 * whole)));
    Store(o + whole + 1, digits >> (8 * whole));
    return o + count + 1;
}

// The same for count (1..16) digits of m.
[[gnu::always_inline]] inline char* PlaceDigits(uint64_t m, int count, int whole, char* o) {
    if (count <= 8) {
        return PlacePoint(EightDigits(static_cast<uint32_t>(m)) >> (8 * (8 - count)), count, whole,
                          o);
    }
    char digits[24];
    WriteDigitsExactly(m, count, digits);
    o = std::copy(digits, digits + std::min(whole, count), o);
    if (whole >= count) return o;
    *o++ = '.';
    return std::copy(digits + whole, digits + count, o);
}

[[gnu::always_inline]] inline char* WriteSign(double v, char* out) {
    *out = '-';
    return out + (std::signbit(v) ? 1 : 0);
}

char* WriteExponentPart(int exponent, bool upper, char* o) {
    *o++ = upper ? 'E' : 'e';
    *o++ = exponent < 0 ? '-' : '+';
    const unsigned e = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    if (e >= 100) *o++ = static_cast<char>('0' + e / 100);
    const unsigned pair = (e % 100) * 2;
    o[0] = kDigitPairs[pair];
    o[1] = kDigitPairs[pair + 1];
    return o + 2;
}

// The digits of m (count of them, 1..8, m > 0) as bytes in reading order,
// and how many remain once trailing zeros are dropped (at least one).
uint64_t DigitsKept(uint64_t m, int count, int& kept) {
    const uint64_t digits = EightDigits(static_cast<uint32_t>(m)) >> (8 * (8 - count));
    const uint64_t values = (digits ^ 0x3030303030303030ull) & LowBytes(count);
    // the last non-zero digit is the highest non-zero byte
    kept = values == 0 ? 1 : 8 - (__builtin_clzll(values) >> 3);
    return digits;
}

// "%.Ng" body with p (1..8) significant digits m (or m = 0) and decimal
// exponent x, trailing zeros dropped.
char* PlaceGeneral(uint64_t m, int p, int x, bool upper, char* o) {
    int kept;
    const uint64_t digits = DigitsKept(m, p, kept);
    if (x < -4 || x >= p) {
        o = PlacePoint(digits & LowBytes(kept), kept, 1, o);
        return WriteExponentPart(x, upper, o);
    }
    if (x >= 0) {
        const int count = std::max(kept, x + 1);  // the whole part keeps its zeros
        return PlacePoint(digits & LowBytes(count), count, x + 1, o);
    }
    const int zeros = -x - 1;         // at most three
    Store(o, 0x3030303030302E30ull);  // "0.000000"
    Store(o + 2 + zeros, digits & LowBytes(kept));
    return o + 2 + zeros + kept;
}

// Drops trailing zeros after a point, and the point when nothing follows.
char* TrimFraction(char* begin, char* end) {
    if (!std::memchr(begin, '.', static_cast<std::size_t>(end - begin))) return end;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    return end;
}

// digits[0 .. count) with a point after the first `whole` of them.
char* PlaceGivenPoint(const char* digits, int count, int whole, char* o) {
    o = std::copy(digits, digits + whole, o);
    if (whole < count) {
        *o++ = '.';
        o = std::copy(digits + whole, digits + count, o);
    }
    return o;
}

// "%.Ng" body for more than 8 significant digits.
char* PlaceLongGeneral(uint64_t m, int p, int x, bool upper, char* o) {
    char digits[24];
    WriteDigitsExactly(m, p, digits);
    char* const body = o;
    if (x < -4 || x >= p) {
        o = TrimFraction(body, PlaceGivenPoint(digits, p, 1, o));
        return WriteExponentPart(x, upper, o);
    }
    if (x >= 0) {
        o = PlaceGivenPoint(digits, p, x + 1, o);
    } else {
        *o++ = '0';
        *o++ = '.';
        o = std::fill_n(o, -x - 1, '0');
        o = std::copy(digits, digits + p, o);
    }
    return TrimFraction(body, o);
}

}  // namespace

char* WriteDecimalTight(uint64_t v, char* out) {
    char* end = out + DecimalDigits(v);
    char* p = end;
    while (v >= 100) {
        const unsigned pair = static_cast<unsigned>(v % 100) * 2;
        v /= 100;
        p -= 2;
        p[0] = kDigitPairs[pair];
        p[1] = kDigitPairs[pair + 1];
    }
    if (v >= 10) {
        p[-2] = kDigitPairs[v * 2];
        p[-1] = kDigitPairs[v * 2 + 1];
    } else {
        p[-1] = static_cast<char>('0' + v);
    }
    return end;
}

bool WriteFixed(double v, int precision, char* out, char*& end) {
    uint64_t rounded;
    if (precision > kMaxDigits || !RoundScaled(std::fabs(v), precision, rounded)) return false;
    const int count = std::max(DecimalDigits(rounded), precision + 1);
    end = PlaceDigits(rounded, count, count - precision, WriteSign(v, out));
    return true;
}

bool WriteExponent(double v, int precision, bool upper, char* out, char*& end) {
    uint64_t m;
    int exponent;
    if (precision + 1 > kMaxDigits || !Significant(std::fabs(v), precision + 1, m, exponent)) {
        return false;
    }
    char* o = PlaceDigits(m, precision + 1, 1, WriteSign(v, out));
    end = WriteExponentPart(exponent, upper, o);
    return true;
}

bool WriteGeneral(double v, int precision, bool upper, char* out, char*& end) {
    const int p = precision == 0 ? 1 : precision;
    uint64_t m;
    int x;
    if (p > kMaxDigits || !Significant(std::fabs(v), p, m, x)) return false;
    char* o = WriteSign(v, out);
    end = p <= 8 ? PlaceGeneral(m, p, x, upper, o) : PlaceLongGeneral(m, p, x, upper, o);
    return true;
}

}  // namespace quelda
