#pragma once
// A user's printf-style value format, checked once: literal text around
// exactly one conversion. Formats the C formatter could misread (no or
// several conversions, "*", "%n", "%s", "%c", "%p", positional arguments,
// unknown length modifiers, width or precision above kMaxFormatField) are
// marked invalid and never reach it.
#include <string>

namespace quelda {

// Widths and precisions above this make a format invalid, which bounds the
// text of one conversion.
constexpr int kMaxFormatField = 64;

struct FormatSpec {
    enum class Length { None, Char, Short, Long, LongLong };  // -, hh, h, l, ll

    bool valid = false;
    std::string prefix;      // literal text before the conversion ("%%" already "%")
    std::string suffix;      // literal text after it
    bool leftAlign = false;  // '-'
    bool forceSign = false;  // '+'
    bool spaceSign = false;  // ' '
    bool alternate = false;  // '#'
    bool zeroPad = false;    // '0'
    int width = 0;
    int precision = -1;  // -1: none given
    Length length = Length::None;
    char conversion = 0;  // one of d i u o x X f F e E g G a A, or s (ParseStringFormatSpec)
    bool bare = false;    // no width and no flag that changes the text
    // The common conversions that have a writer of their own: no '#', and
    // for integers no precision and no narrowing length.
    enum class Shortcut { None, Signed, Unsigned, Hex, HexUpper, Fixed, Exponent, General };
    Shortcut shortcut = Shortcut::None;
    std::string conversionText;  // the conversion alone, e.g. "%+08.3f"

    bool IsInteger() const;
    bool IsDouble() const;
    bool IsString() const { return conversion == 's'; }
};

// The C formatter stops at a NUL byte; so does the parse.
FormatSpec ParseFormatSpec(const std::string& format);

// The same rules for a format of one text argument: exactly one "%s" with
// at most the '-' flag, a width and a precision (the other flags and the
// length modifiers mean nothing to it, or are undefined).
FormatSpec ParseStringFormatSpec(const std::string& format);

// The text of a valid string spec for value: prefix, the value up to its
// first NUL byte, cut to the precision and padded to the width, suffix.
std::string FormatString(const FormatSpec& spec, const std::string& value);

}  // namespace quelda
