#include "term/TermFind.h"

#include <iconv.h>

#include <vector>

#include "term/DisplayText.h"
#include "term/TermText.h"

namespace quelda {

namespace {

// UTF-8 text in CP932; empty when it has no CP932 form.
std::string ToCp932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = &out[0];
    std::size_t outLeft = out.size();
    const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || inLeft != 0) return std::string();
    out.resize(out.size() - outLeft);
    return out;
}

// Folds single-byte ASCII letters only, so a trail byte keeps its value.
std::string Fold(const std::string& bytes, TextEncoding encoding) {
    std::string out = bytes;
    for (std::size_t pos = 0; pos < out.size();) {
        const std::size_t n = CharLengthAt(out, pos, encoding);
        if (n == 1 && out[pos] >= 'A' && out[pos] <= 'Z')
            out[pos] = static_cast<char>(out[pos] + 32);
        pos += n;
    }
    return out;
}

std::vector<std::size_t> CharStarts(const std::string& bytes, TextEncoding encoding) {
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < bytes.size(); pos += CharLengthAt(bytes, pos, encoding)) {
        starts.push_back(pos);
    }
    return starts;
}

struct LineSearch {
    std::string hay;
    std::string needle;
    std::vector<std::size_t> starts;
};

LineSearch Prepare(const CTermLineList& lines, std::size_t index, const std::string& needleUtf8,
                   bool matchCase) {
    LineSearch s;
    const std::string shown = lines.Shown(index);
    const TextEncoding encoding = DetectEncoding(shown);
    s.needle = encoding == TextEncoding::Utf8 ? needleUtf8 : ToCp932(needleUtf8);
    s.hay = matchCase ? shown : Fold(shown, encoding);
    if (!matchCase) s.needle = Fold(s.needle, encoding);
    s.starts = CharStarts(shown, encoding);
    return s;
}

// Match starts in [lo, hi), the last one when !forward.
bool MatchIn(const LineSearch& s, bool forward, std::size_t lo, std::size_t hi, std::size_t& at) {
    if (s.needle.empty()) return false;
    bool found = false;
    for (std::size_t start : s.starts) {
        if (start < lo || start >= hi) continue;
        if (s.hay.compare(start, s.needle.size(), s.needle) != 0) continue;
        at = start;
        found = true;
        if (forward) return true;
    }
    return found;
}

}  // namespace

TermMatch FindInLines(const CTermLineList& lines, const std::string& needle, bool matchCase,
                      bool forward, const TermPos& from) {
    TermMatch match;
    const std::size_t n = lines.Size();
    if (n == 0 || needle.empty()) return match;
    std::size_t first = 0;
    std::size_t offset = 0;
    if (lines.IndexOf(from.serial, first)) {
        offset = from.offset;
    } else {
        first = forward ? 0 : n - 1;
        offset = forward ? 0 : std::string::npos;
    }
    // n + 1 steps: the starting line again after wrapping, for its other part.
    for (std::size_t step = 0; step <= n; ++step) {
        const std::size_t index = forward ? (first + step) % n : (first + n - step % n) % n;
        const LineSearch s = Prepare(lines, index, needle, matchCase);
        std::size_t lo = 0, hi = std::string::npos;
        if (step == 0) (forward ? lo : hi) = offset;
        if (step == n) (forward ? hi : lo) = offset;
        std::size_t at = 0;
        if (MatchIn(s, forward, lo, hi, at)) {
            match.found = true;
            match.at = TermPos{lines.SerialOf(index), at};
            match.length = s.needle.size();
            return match;
        }
    }
    return match;
}

}  // namespace quelda
