#include "text/LenientNumbers.h"

#include <locale.h>

#include <climits>
#include <cstdlib>

namespace quelda {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The C functions stop at the first NUL byte; so do we.
std::size_t CStringLength(const std::string& text) {
    std::size_t n = text.find('\0');
    return n == std::string::npos ? text.size() : n;
}

// Skips blanks and an optional sign; returns true for "-".
bool SkipBlanksAndSign(const std::string& text, std::size_t end, std::size_t& pos) {
    while (pos < end && IsCSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return negative;
}

locale_t CLocale() {
    static const locale_t loc = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

}  // namespace

long long LenientAtoll(const std::string& text) {
    std::size_t end = CStringLength(text);
    std::size_t pos = 0;
    bool negative = SkipBlanksAndSign(text, end, pos);
    // Accumulate towards the negative side, which holds one more value.
    long long value = 0;
    for (; pos < end && IsDigit(text[pos]); ++pos) {
        int digit = text[pos] - '0';
        if (value < (LLONG_MIN + digit) / 10) return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 - digit;
    }
    if (negative) return value;
    return value == LLONG_MIN ? LLONG_MAX : -value;
}

int LenientAtoi(const std::string& text) {
    long long value = LenientAtoll(text);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double LenientAtof(const std::string& text) {
    // Files always use "." whatever the user's locale says.
    std::string copy(text, 0, CStringLength(text));
    locale_t c = CLocale();
    if (c == static_cast<locale_t>(0)) return std::strtod(copy.c_str(), nullptr);
    return ::strtod_l(copy.c_str(), nullptr, c);
}

uint32_t ScanHex32(const std::string& text, bool* ok) {
    std::size_t end = CStringLength(text);
    std::size_t pos = 0;
    bool negative = SkipBlanksAndSign(text, end, pos);
    bool digits = false;
    if (pos < end && text[pos] == '0') {
        digits = true;  // "0x" without hex digits still reads the 0
        ++pos;
        if (pos < end && (text[pos] == 'x' || text[pos] == 'X')) ++pos;
    }
    uint32_t value = 0;
    bool saturated = false;
    for (; pos < end && HexValue(text[pos]) >= 0; ++pos) {
        digits = true;
        if (value > (UINT32_MAX >> 4)) saturated = true;
        value = (value << 4) | static_cast<uint32_t>(HexValue(text[pos]));
    }
    if (saturated) value = UINT32_MAX;
    if (ok) *ok = digits;
    if (!digits) return 0;
    return negative ? static_cast<uint32_t>(0u - value) : value;
}

bool ParseStrictInt(const std::string& text, int& value) {
    const bool negative = !text.empty() && text[0] == '-';
    std::size_t pos = !text.empty() && (negative || text[0] == '+') ? 1 : 0;
    if (pos == text.size()) return false;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; pos < text.size(); ++pos) {
        if (!IsDigit(text[pos])) return false;
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > limit) return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace quelda
