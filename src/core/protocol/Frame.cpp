#include "protocol/Frame.h"

namespace quelda {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// -1 when c is not a hexadecimal digit.
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// White space as the C locale knows it; a NUL is the end of the string.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

uint8_t LineChecksum(const std::string& text) {
    std::size_t from = (!text.empty() && text[0] == '$') ? 1 : 0;
    std::size_t end = (!text.empty() && text.back() == '*') ? text.size() - 1 : text.size();
    uint8_t sum = 0;
    for (std::size_t i = from; i < end; ++i) sum ^= static_cast<uint8_t>(text[i]);
    return sum;
}

std::string BuildLine(const std::string& text) {
    if (text.empty()) return std::string();
    std::string line;
    line.reserve(text.size() + 4);
    line = text;
    if (text.back() == '*') {
        uint8_t sum = LineChecksum(text);
        line += kHexDigits[sum >> 4];
        line += kHexDigits[sum & 0x0F];
    }
    line += "\r\n";
    return line;
}

std::string BuildCommandLine(const std::string& header, const std::string& text) {
    if (text.empty()) return std::string();
    return BuildLine(header + "," + text);
}

// What "%X" does with two characters: leading blanks are skipped, then an
// optional sign, then an optional "0x" prefix, then digits up to the first
// non-digit. Two quirks of the C library are kept on purpose so that a
// checksum reads the same as it always has:
//  - "0x" with no digit after it reads as 0 (the "0" counts as the number);
//  - a "-" negates in unsigned arithmetic, so "-1" reads 0xFFFFFFFF, whose
//    low byte FF is what gets compared.
// A pair with no digit at all (blanks, a lone sign, any other character)
// gives false, which the parser treats as a mismatch.
bool ReadChecksumDigits(const char digits[2], unsigned int& value) {
    int i = 0;
    while (i < 2 && IsBlank(digits[i])) ++i;
    bool negative = false;
    if (i < 2 && (digits[i] == '+' || digits[i] == '-')) {
        negative = digits[i] == '-';
        ++i;
    }
    if (i == 2 || HexValue(digits[i]) < 0) return false;
    unsigned int number = 0;
    for (; i < 2 && HexValue(digits[i]) >= 0; ++i) {
        number = number * 16 + static_cast<unsigned int>(HexValue(digits[i]));
    }
    value = negative ? 0u - number : number;
    return true;
}

}  // namespace quelda
