#include "CliEscape.h"

namespace quelda {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, uint8_t byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The byte a backslash sequence at text[i] stands for; `used` gets its length.
int DecodeEscape(const std::string& text, std::size_t i, std::size_t& used) {
    used = 2;
    switch (text[i + 1]) {
        case 'r':
            return '\r';
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case '\\':
            return '\\';
        case 'x':
            if (i + 3 < text.size() && HexValue(text[i + 2]) >= 0 && HexValue(text[i + 3]) >= 0) {
                used = 4;
                return HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]);
            }
            return -1;
        default:
            return -1;
    }
}

}  // namespace

std::string EscapeBytes(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte >= 0x20 && byte <= 0x7E) {
            out += c;
        } else {
            out += "\\x";
            AppendHex(out, byte);
        }
    }
    return out;
}

std::string UnescapeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t used = 1;
        const int decoded =
            (text[i] == '\\' && i + 1 < text.size()) ? DecodeEscape(text, i, used) : -1;
        if (decoded < 0) {
            out += text[i];
            i += 1;
        } else {
            out += static_cast<char>(decoded);
            i += used;
        }
    }
    return out;
}

std::string HexUpper(const uint8_t* data, std::size_t length) {
    std::string out;
    out.reserve(length * 2);
    for (std::size_t i = 0; i < length; ++i) AppendHex(out, data[i]);
    return out;
}

}  // namespace quelda
