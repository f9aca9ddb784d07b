#include "values/ConversionWriter.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "values/DecimalText.h"

namespace quelda {

namespace {

using Length = FormatSpec::Length;

// The pieces of one conversion before padding: sign, radix prefix ("0x" or
// "0X" when radix is 'x' or 'X'), body.
struct Pieces {
    char sign = 0;
    char radix = 0;
    const char* body = nullptr;
    std::size_t bodySize = 0;
};

char SignFor(const FormatSpec& spec, bool negative) {
    if (negative) return '-';
    if (spec.forceSign) return '+';
    if (spec.spaceSign) return ' ';
    return 0;
}

std::size_t Assemble(const FormatSpec& spec, const Pieces& p, bool zeroPadAllowed, char* out) {
    const std::size_t prefixSize = (p.sign ? 1 : 0) + (p.radix ? 2 : 0);
    const std::size_t size = prefixSize + p.bodySize;
    const std::size_t width = static_cast<std::size_t>(spec.width);
    const std::size_t pad = width > size ? width - size : 0;
    const bool zeros = zeroPadAllowed && spec.zeroPad && !spec.leftAlign;
    char* o = out;
    if (!spec.leftAlign && !zeros) o = std::fill_n(o, pad, ' ');
    if (p.sign) *o++ = p.sign;
    if (p.radix) {
        *o++ = '0';
        *o++ = p.radix;
    }
    if (zeros) o = std::fill_n(o, pad, '0');
    o = std::copy(p.body, p.body + p.bodySize, o);
    if (spec.leftAlign) o = std::fill_n(o, pad, ' ');
    return static_cast<std::size_t>(o - out);
}

uint64_t UnsignedArgument(const FormatSpec& spec, int32_t bits) {
    const uint32_t u = static_cast<uint32_t>(bits);
    if (spec.length == Length::Char) return static_cast<uint8_t>(u);
    if (spec.length == Length::Short) return static_cast<uint16_t>(u);
    return u;
}

int64_t SignedArgument(const FormatSpec& spec, int32_t bits) {
    if (spec.length == Length::Char) return static_cast<int8_t>(bits);
    if (spec.length == Length::Short) return static_cast<int16_t>(bits);
    return bits;
}

char* WritePowerOfTwoDigits(uint64_t v, unsigned shift, const char* digits, char* end) {
    const uint64_t mask = (uint64_t{1} << shift) - 1;
    char* p = end;
    for (; v != 0; v >>= shift) *--p = digits[v & mask];
    return p;
}

// Digits of magnitude in the conversion's base, at least `precision` of
// them, written right-aligned ending at end; returns the first digit.
char* WriteDigits(uint64_t magnitude, char conversion, int precision, char* end) {
    char* p;
    if (conversion == 'o') {
        p = WritePowerOfTwoDigits(magnitude, 3, "01234567", end);
    } else if (conversion == 'x') {
        p = WritePowerOfTwoDigits(magnitude, 4, "0123456789abcdef", end);
    } else if (conversion == 'X') {
        p = WritePowerOfTwoDigits(magnitude, 4, "0123456789ABCDEF", end);
    } else {
        p = magnitude == 0 ? end : end - DecimalDigits(magnitude);
        if (magnitude != 0) WriteDecimalTight(magnitude, p);
    }
    const int minDigits = precision < 0 ? 1 : precision;
    while (end - p < minDigits) *--p = '0';
    return p;
}

locale_t CLocale() {
    static const locale_t loc = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

// The C formatter itself, for the rare cases the fast path leaves out.
std::size_t WriteWithCFormatter(const FormatSpec& spec, double v, char* out) {
    const locale_t c = CLocale();
    const locale_t old = c ? ::uselocale(c) : static_cast<locale_t>(0);
    int n = std::snprintf(out, kConversionBufferSize, spec.conversionText.c_str(), v);
    if (c) ::uselocale(old);
    if (n < 0) return 0;
    return std::min(static_cast<std::size_t>(n), kConversionBufferSize - 1);
}

// Our own digits first, the library's exact conversion where they are not
// sure; both print what the C formatter prints.
bool WriteNumber(const FormatSpec& spec, double v, char* first, char* last, char*& end) {
    const int precision = spec.precision < 0 ? 6 : spec.precision;
    const bool upper = spec.conversion == 'E' || spec.conversion == 'G';
    std::to_chars_result r{};
    switch (spec.conversion) {
        case 'f':
        case 'F':
            if (WriteFixed(v, precision, first, end)) return true;
            r = std::to_chars(first, last, v, std::chars_format::fixed, precision);
            break;
        case 'e':
        case 'E':
            if (WriteExponent(v, precision, upper, first, end)) return true;
            r = std::to_chars(first, last, v, std::chars_format::scientific, precision);
            break;
        default:
            if (WriteGeneral(v, precision, upper, first, end)) return true;
            r = std::to_chars(first, last, v, std::chars_format::general,
                              precision == 0 ? 1 : precision);
            break;
    }
    end = r.ptr;
    if (upper) std::replace(first, end, 'e', 'E');
    return r.ec == std::errc();
}

}  // namespace

bool WriteShortcutDouble(const FormatSpec& spec, double v, char* out, std::size_t& n) {
    using S = FormatSpec::Shortcut;
    char buffer[kShortcutText + 24];  // the writers' 64 bytes after a sign
    char* const start = spec.bare ? out : buffer + 1;
    const int precision = spec.precision < 0 ? 6 : spec.precision;
    const bool upper = spec.conversion == 'E' || spec.conversion == 'G';
    char* end;
    bool written;
    if (spec.shortcut == S::Fixed) {
        written = WriteFixed(v, precision, start, end);
    } else if (spec.shortcut == S::Exponent) {
        written = WriteExponent(v, precision, upper, start, end);
    } else {
        written = WriteGeneral(v, precision, upper, start, end);
    }
    if (!written) return false;
    if (spec.bare) {
        n = static_cast<std::size_t>(end - out);
        return true;
    }
    const char sign = start[0] == '-' ? 0 : PositiveSign(spec);
    buffer[0] = sign;
    char* const text = sign ? buffer : start;
    n = FitWidth(spec, text, static_cast<std::size_t>(end - text), out);
    return true;
}

std::size_t WriteIntegerConversion(const FormatSpec& spec, int32_t bits, char* out) {
    if (spec.shortcut != FormatSpec::Shortcut::None) return WriteShortcutInteger(spec, bits, out);
    char digits[80];
    char* end = digits + sizeof digits;
    Pieces p;
    uint64_t magnitude;
    if (spec.conversion == 'd' || spec.conversion == 'i') {
        const int64_t value = SignedArgument(spec, bits);
        p.sign = SignFor(spec, value < 0);
        magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    } else {
        magnitude = UnsignedArgument(spec, bits);
    }
    char* first = WriteDigits(magnitude, spec.conversion, spec.precision, end);
    if (spec.alternate && spec.conversion == 'o' && (first == end || *first != '0')) *--first = '0';
    if (spec.alternate && magnitude != 0 && (spec.conversion == 'x' || spec.conversion == 'X')) {
        p.radix = spec.conversion;
    }
    p.body = first;
    p.bodySize = static_cast<std::size_t>(end - first);
    return Assemble(spec, p, spec.precision < 0, out);
}

std::size_t WriteDoubleConversion(const FormatSpec& spec, double v, char* out) {
    std::size_t n;
    if (spec.shortcut != FormatSpec::Shortcut::None && WriteShortcutDouble(spec, v, out, n))
        return n;
    char* end;
    const char c = spec.conversion;
    if (spec.alternate || c == 'a' || c == 'A' || !std::isfinite(v)) {
        return WriteWithCFormatter(spec, v, out);
    }
    char number[kConversionBufferSize];
    char* const target = spec.bare ? out : number;
    if (!WriteNumber(spec, v, target, target + kConversionBufferSize, end)) {
        return WriteWithCFormatter(spec, v, out);
    }
    if (spec.bare) return static_cast<std::size_t>(end - out);
    Pieces p;
    const bool negative = number[0] == '-';
    p.sign = SignFor(spec, negative);
    p.body = negative ? number + 1 : number;
    p.bodySize = static_cast<std::size_t>(end - p.body);
    return Assemble(spec, p, true, out);
}

}  // namespace quelda
