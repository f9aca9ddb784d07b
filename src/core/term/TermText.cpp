#include "term/TermText.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace quelda {

namespace {

bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::size_t Utf8Length(unsigned char lead) {
    if (lead < 0xC0) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return 4;
}

unsigned long CodePointAt(const std::string& s, std::size_t pos, std::size_t n) {
    const unsigned char lead = static_cast<unsigned char>(s[pos]);
    if (n == 1) return lead;
    unsigned long cp = lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos + k]) & 0x3F);
    return cp;
}

bool IsWide(unsigned long cp) {
    static const unsigned long ranges[][2] = {
        {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF},
        {0x4E00, 0x9FFF}, {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
        {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x20000, 0x3FFFD},
    };
    for (const auto& r : ranges) {
        if (cp >= r[0] && cp <= r[1]) return true;
    }
    return false;
}

// The shown text's parts: body [0, body), hex [body, body + hex), line end.
struct ShownParts {
    std::size_t body = 0;
    std::size_t hex = 0;  // " " and the digits, 0 without a block
};

ShownParts PartsOf(const TermLine& line, bool showBlock) {
    ShownParts parts;
    parts.body = BodyLength(line.text);
    if (showBlock && !line.block.empty()) parts.hex = 3 * line.block.size();
    return parts;
}

}  // namespace

std::size_t BodyLength(const std::string& text) {
    std::size_t n = text.size();
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n')) --n;
    return n;
}

std::string HexBytes(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (unsigned char b : bytes) {
        if (!out.empty()) out.push_back(' ');
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

std::string ShownText(const TermLine& line, bool showBlock) {
    const ShownParts parts = PartsOf(line, showBlock);
    if (parts.hex == 0) return line.text;
    return line.text.substr(0, parts.body) + " " + HexBytes(line.block) +
           line.text.substr(parts.body);
}

std::size_t ShownLength(const TermLine& line, bool showBlock) {
    return line.text.size() + PartsOf(line, showBlock).hex;
}

std::string RawBytesOfShown(const TermLine& line, bool showBlock, std::size_t from,
                            std::size_t to) {
    const ShownParts parts = PartsOf(line, showBlock);
    to = std::min(to, ShownLength(line, showBlock));
    std::string out;
    if (from >= to) return out;
    if (from < parts.body) out += line.text.substr(from, std::min(to, parts.body) - from);
    // Block byte k shows as its two digits at body + 1 + 3k.
    for (std::size_t k = 0; parts.hex > 0 && k < line.block.size(); ++k) {
        const std::size_t digits = parts.body + 1 + 3 * k;
        if (digits + 2 > from && digits < to) out.push_back(line.block[k]);
    }
    const std::size_t endStart = parts.body + parts.hex;
    if (to > endStart) {
        const std::size_t a = std::max(from, endStart);
        out += line.text.substr(a - parts.hex, to - a);
    }
    return out;
}

std::string FormatClock(long long timeMs) {
    const std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(timeMs % 1000));
    return text;
}

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::size_t CharLengthAt(const std::string& bytes, std::size_t pos, TextEncoding encoding) {
    const unsigned char b = static_cast<unsigned char>(bytes[pos]);
    const std::size_t n = encoding == TextEncoding::Utf8 ? Utf8Length(b) : (IsCp932Lead(b) ? 2 : 1);
    return std::min(n, bytes.size() - pos);
}

int CellWidthAt(const std::string& bytes, std::size_t pos, TextEncoding encoding) {
    const std::size_t n = CharLengthAt(bytes, pos, encoding);
    if (encoding == TextEncoding::Cp932) return n == 2 ? 2 : 1;
    if (n < Utf8Length(static_cast<unsigned char>(bytes[pos]))) return 1;  // cut short
    return IsWide(CodePointAt(bytes, pos, n)) ? 2 : 1;
}

int CellsBetween(const std::string& bytes, TextEncoding encoding, std::size_t from,
                 std::size_t to) {
    int cells = 0;
    to = std::min(to, bytes.size());
    for (std::size_t pos = from; pos < to; pos += CharLengthAt(bytes, pos, encoding)) {
        cells += CellWidthAt(bytes, pos, encoding);
    }
    return cells;
}

std::size_t OffsetAtCell(const std::string& bytes, TextEncoding encoding, std::size_t from,
                         std::size_t to, double cells) {
    to = std::min(to, bytes.size());
    double x = 0;
    std::size_t pos = from;
    while (pos < to) {
        const int w = CellWidthAt(bytes, pos, encoding);
        if (cells < x + w / 2.0) return pos;
        x += w;
        pos += CharLengthAt(bytes, pos, encoding);
    }
    return std::min(pos, to);
}

void WordAt(const std::string& bytes, TextEncoding encoding, std::size_t pos, std::size_t& from,
            std::size_t& to) {
    auto isWordChar = [&](std::size_t p) {
        const unsigned char b = static_cast<unsigned char>(bytes[p]);
        return b > 0x20 && b != 0x7F && b != '$' && b != ',' && b != '*';
    };
    // Character starts, so a CP932 trail byte is never taken for a separator.
    std::size_t start = 0;
    from = to = std::min(pos, bytes.size());
    std::size_t runStart = 0;
    bool inRun = false;
    while (start < bytes.size()) {
        const std::size_t n = CharLengthAt(bytes, start, encoding);
        const bool word = isWordChar(start);
        if (word && !inRun) runStart = start;
        inRun = word;
        if (pos >= start && pos < start + n) {
            if (!word) {
                from = start;
                to = start + n;
                return;
            }
            from = runStart;
            to = start + n;
            while (to < bytes.size() && isWordChar(to)) to += CharLengthAt(bytes, to, encoding);
            return;
        }
        start += n;
    }
}

}  // namespace quelda
