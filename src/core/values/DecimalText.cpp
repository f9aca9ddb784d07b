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
bool RoundScaled(double a, int k, uint64_t& rounded) {
    double scaled;
    if (k >= 0 && k <= 22) {
        scaled = a * kPow10[k];
    } else if (k < 0 && k >= -22) {
        scaled = a / kPow10[-k];
    } else {
        return false;
    }
    if (!(scaled < 4503599627370496.0)) return false;      // 2^52
    const uint64_t whole = static_cast<uint64_t>(scaled);  // floor, being positive
    const double fraction = scaled - static_cast<double>(whole);
    if (fraction == 0.5) return false;
    rounded = whole + (fraction > 0.5 ? 1 : 0);
    return true;
}

constexpr uint64_t kPow10u[] = {1ull,
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

uint64_t Power10(int n) { return kPow10u[n]; }

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

// Exactly `count` digits of m (leading zeros included) from out on.
char* WriteDigitsExactly(uint64_t m, int count, char* out) {
    char* end = out + count;
    char* d = WriteDecimal(m, end);
    while (d > out) *--d = '0';
    return end;
}

char* WriteExponentPart(int exponent, bool upper, char* o) {
    *o++ = upper ? 'E' : 'e';
    *o++ = exponent < 0 ? '-' : '+';
    const uint64_t e = static_cast<uint64_t>(exponent < 0 ? -exponent : exponent);
    if (e < 10) *o++ = '0';
    return WriteDecimalAt(e, o);
}

// Drops trailing zeros after a point, and the point when nothing follows.
char* TrimFraction(char* begin, char* end) {
    if (!std::memchr(begin, '.', static_cast<std::size_t>(end - begin))) return end;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    return end;
}

// digits[0 .. count) with a point after the first `whole` of them.
char* PlacePoint(const char* digits, int count, int whole, char* o) {
    o = std::copy(digits, digits + whole, o);
    if (whole < count) {
        *o++ = '.';
        o = std::copy(digits + whole, digits + count, o);
    }
    return o;
}

}  // namespace

char* WriteDecimal(uint64_t v, char* end) {
    static const char kPairs[] =
        "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243"
        "4445464748495051525354555657585960616263646566676869707172737475767778798081828384858687"
        "888990919293949596979899";
    char* p = end;
    while (v >= 100) {
        const unsigned pair = static_cast<unsigned>(v % 100) * 2;
        v /= 100;
        *--p = kPairs[pair + 1];
        *--p = kPairs[pair];
    }
    if (v >= 10) {
        *--p = kPairs[v * 2 + 1];
        *--p = kPairs[v * 2];
    } else if (v > 0) {
        *--p = static_cast<char>('0' + v);
    }
    return p;
}

char* WriteDecimalAt(uint64_t v, char* out) {
    int digits = 1;
    while (digits < 20 && v >= Power10(digits)) ++digits;
    char* end = out + digits;
    if (v == 0) *out = '0';
    WriteDecimal(v, end);
    return end;
}

bool WriteFixed(double v, int precision, char* out, char*& end) {
    uint64_t rounded;
    if (precision > kMaxDigits || !RoundScaled(std::fabs(v), precision, rounded)) return false;
    char digits[24];
    char* const digitsEnd = digits + sizeof digits;
    char* d = WriteDecimal(rounded, digitsEnd);
    while (digitsEnd - d < precision + 1) *--d = '0';
    char* o = out;
    if (std::signbit(v)) *o++ = '-';
    const int count = static_cast<int>(digitsEnd - d);
    end = PlacePoint(d, count, count - precision, o);
    return true;
}

bool WriteExponent(double v, int precision, bool upper, char* out, char*& end) {
    uint64_t m;
    int exponent;
    if (precision + 1 > kMaxDigits || !Significant(std::fabs(v), precision + 1, m, exponent)) {
        return false;
    }
    char digits[24];
    WriteDigitsExactly(m, precision + 1, digits);
    char* o = out;
    if (std::signbit(v)) *o++ = '-';
    o = PlacePoint(digits, precision + 1, 1, o);
    end = WriteExponentPart(exponent, upper, o);
    return true;
}

bool WriteGeneral(double v, int precision, bool upper, char* out, char*& end) {
    const int p = precision == 0 ? 1 : precision;
    uint64_t m;
    int x;
    if (p > kMaxDigits || !Significant(std::fabs(v), p, m, x)) return false;
    char digits[24];
    WriteDigitsExactly(m, p, digits);
    char* o = out;
    if (std::signbit(v)) *o++ = '-';
    char* const body = o;
    if (x < -4 || x >= p) {
        o = TrimFraction(body, PlacePoint(digits, p, 1, o));
        end = WriteExponentPart(x, upper, o);
        return true;
    }
    if (x >= 0) {
        o = PlacePoint(digits, p, x + 1, o);
    } else {
        *o++ = '0';
        *o++ = '.';
        o = std::fill_n(o, -x - 1, '0');
        o = std::copy(digits, digits + p, o);
    }
    end = TrimFraction(body, o);
    return true;
}

}  // namespace quelda
