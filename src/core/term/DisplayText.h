#pragma once
// Turning the bytes of a line into UTF-8 for display: UTF-8 when the bytes
// are valid UTF-8, else the Japanese Windows code page (CP932).
#include <cstddef>
#include <string>
#include <vector>

namespace quelda {

enum class TextEncoding { Utf8, Cp932 };

// Valid UTF-8, where a sequence cut short at the very end still counts: a
// received line grows byte by byte and must not flip encodings meanwhile.
bool IsValidUtf8(const std::string& bytes);
TextEncoding DetectEncoding(const std::string& bytes);

// Moves each cut position (ascending, at most the text's size) forward to the
// next character start, so a character cut in two is drawn whole on the row
// where it begins.
std::vector<std::size_t> AlignCuts(const std::string& bytes, TextEncoding encoding,
                                   const std::vector<std::size_t>& cuts);

// Holds one converter for many lines. Bytes that do not convert become U+FFFD.
class CDisplayDecoder {
public:
    CDisplayDecoder();
    ~CDisplayDecoder();
    CDisplayDecoder(const CDisplayDecoder&) = delete;
    CDisplayDecoder& operator=(const CDisplayDecoder&) = delete;

    std::string ToUtf8(const std::string& bytes);
    std::string ToUtf8(const std::string& bytes, TextEncoding encoding);

private:
    std::string FromCp932(const char* data, std::size_t size);

    void* m_cd;  // iconv_t, or (void*)-1 when the converter is missing
};

// One-off conversion.
std::string DecodeForDisplay(const std::string& bytes);

}  // namespace quelda
