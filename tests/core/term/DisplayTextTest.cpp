#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "term/DisplayText.h"

namespace quelda {
namespace {

TEST(DisplayText, Utf8Validity) {
    struct Case {
        std::string bytes;
        bool valid;
    } const cases[] = {
        {"$QVR,X*00\r\n", true},
        {"\xE6\x97\xA5\xE6\x9C\xAC", true},  // 日本
        {"\xE6\x97", true},                  // cut short at the end: still growing
        {"\xE6\x97"
         "a",
         false},                      // cut short in the middle
        {"\x93\xfa\x96\x7b", false},  // 日本 in CP932
        {"\xC0\xAF", false},          // overlong
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {std::string("a\0b", 3), true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(DisplayText, DecodesCp932WhenNotUtf8) {
    struct Case {
        std::string bytes;
        std::string utf8;
    } const cases[] = {
        {"plain\r\n", "plain\r\n"},
        {"\xE6\x97\xA5", "\xE6\x97\xA5"},                      // UTF-8 kept
        {"\x93\xfa\x96\x7b", "\xE6\x97\xA5\xE6\x9C\xAC"},      // 日本
        {"\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e",  // ＭＳ ゴシック
         "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF"},
        {"\xB1", "\xEF\xBD\xB1"},      // half-width ｱ
        {"a\xA0z", "a\xEF\xBF\xBDz"},  // undefined byte
        {"a\x93", "a\xEF\xBF\xBD"},    // lead byte at the end
    };
    CDisplayDecoder decoder;
    for (const Case& c : cases) {
        EXPECT_EQ(decoder.ToUtf8(c.bytes), c.utf8) << c.bytes;
        EXPECT_EQ(DecodeForDisplay(c.bytes), c.utf8) << c.bytes;
    }
}

TEST(DisplayText, CutsMoveToTheNextCharacterStart) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::vector<std::size_t> cuts, aligned;
    } const cases[] = {
        {"ascii unchanged", "abcdef", TextEncoding::Utf8, {0, 2, 4, 6}, {0, 2, 4, 6}},
        {"utf-8 inside a character", "a\xE6\x97\xA5z", TextEncoding::Utf8, {0, 2, 5}, {0, 4, 5}},
        // Trail bytes of CP932 may look like ASCII ("\x96\x7b" has '{').
        {"cp932 inside a character",
         "\x93\xfa\x96\x7b",
         TextEncoding::Cp932,
         {0, 1, 3, 4},
         {0, 2, 4, 4}},
        {"cp932 on boundaries",
         "a\x93\xfa"
         "b",
         TextEncoding::Cp932,
         {1, 3},
         {1, 3}},
        {"past the end", "ab", TextEncoding::Cp932, {5}, {2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlignCuts(c.bytes, c.encoding, c.cuts), c.aligned) << c.name;
    }
}

}  // namespace
}  // namespace quelda
