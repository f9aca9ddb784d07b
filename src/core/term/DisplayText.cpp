#include "term/DisplayText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace quelda {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Length of the UTF-8 sequence led by b, 0 when b cannot lead one.
std::size_t Utf8SequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

// Allowed range of the second byte (overlongs, surrogates, > U+10FFFF excluded).
bool SecondByteOk(unsigned char lead, unsigned char b) {
    if (lead == 0xE0) return b >= 0xA0 && b <= 0xBF;
    if (lead == 0xED) return b >= 0x80 && b <= 0x9F;
    if (lead == 0xF0) return b >= 0x90 && b <= 0xBF;
    if (lead == 0xF4) return b >= 0x80 && b <= 0x8F;
    return b >= 0x80 && b <= 0xBF;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length of the CP932 character starting at pos, never past the end.
std::size_t Cp932CharLength(const std::string& s, std::size_t pos) {
    std::size_t n = IsCp932Lead(static_cast<unsigned char>(s[pos])) ? 2 : 1;
    return std::min(n, s.size() - pos);
}

}  // namespace

bool IsValidUtf8(const std::string& bytes) {
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t n = Utf8SequenceLength(lead);
        if (n == 0) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if (i + k >= size) return true;  // cut short at the end
            unsigned char b = static_cast<unsigned char>(bytes[i + k]);
            if (k == 1 ? !SecondByteOk(lead, b) : !IsContinuation(b)) return false;
        }
        i += n;
    }
    return true;
}

TextEncoding DetectEncoding(const std::string& bytes) {
    return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::vector<std::size_t> AlignCuts(const std::string& bytes, TextEncoding encoding,
                                   const std::vector<std::size_t>& cuts) {
    std::vector<std::size_t> aligned;
    aligned.reserve(cuts.size());
    std::size_t pos = 0;  // a character start
    for (std::size_t cut : cuts) {
        cut = std::min(cut, bytes.size());
        if (encoding == TextEncoding::Utf8) {
            // UTF-8 finds its next character start by itself.
            pos = std::max(pos, cut);
            for (int steps = 0; steps < 3 && pos < bytes.size() &&
                                IsContinuation(static_cast<unsigned char>(bytes[pos]));
                 ++steps) {
                ++pos;
            }
        } else {
            // CP932 trail bytes look like ASCII: walk from a known start.
            while (pos < cut) pos += Cp932CharLength(bytes, pos);
        }
        aligned.push_back(pos);
    }
    return aligned;
}

CDisplayDecoder::CDisplayDecoder() : m_cd(iconv_open("UTF-8", "CP932")) {}

CDisplayDecoder::~CDisplayDecoder() {
    if (m_cd != kNoConverter) iconv_close(static_cast<iconv_t>(m_cd));
}

std::string CDisplayDecoder::ToUtf8(const std::string& bytes) {
    return ToUtf8(bytes, DetectEncoding(bytes));
}

std::string CDisplayDecoder::ToUtf8(const std::string& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return bytes;
    return FromCp932(bytes.data(), bytes.size());
}

std::string CDisplayDecoder::FromCp932(const char* data, std::size_t size) {
    std::string out;
    out.reserve(size * 3 / 2 + 4);
    iconv_t cd = static_cast<iconv_t>(m_cd);
    if (cd != kNoConverter) iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[1024];
    while (size > 0) {
        char* in = const_cast<char*>(data);
        std::size_t inLeft = size;
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t r = cd == kNoConverter ? static_cast<std::size_t>(-1)
                                           : iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        int error = cd == kNoConverter ? EILSEQ : errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        data = in;
        size = inLeft;
        if (r != static_cast<std::size_t>(-1) || error == E2BIG) continue;
        // EILSEQ or EINVAL (cut short): show one replacement for one byte.
        if (size == 0) break;
        if (cd == kNoConverter && static_cast<unsigned char>(*data) < 0x80) {
            out.push_back(*data);
        } else {
            out.append(kReplacement);
        }
        ++data;
        --size;
        if (cd != kNoConverter) iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string DecodeForDisplay(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    CDisplayDecoder decoder;
    return decoder.ToUtf8(bytes, TextEncoding::Cp932);
}

}  // namespace quelda
