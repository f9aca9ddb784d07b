#include "values/FormatSpec.h"

#include <cstring>

namespace quelda {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a decimal field at pos; false when it exceeds kMaxFormatField.
bool ReadField(const std::string& text, std::size_t& pos, int& value) {
    value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        if (value > kMaxFormatField) return false;
        ++pos;
    }
    return true;
}

void ReadFlags(const std::string& text, std::size_t& pos, FormatSpec& spec) {
    for (; pos < text.size(); ++pos) {
        switch (text[pos]) {
            case '-':
                spec.leftAlign = true;
                break;
            case '+':
                spec.forceSign = true;
                break;
            case ' ':
                spec.spaceSign = true;
                break;
            case '#':
                spec.alternate = true;
                break;
            case '0':
                spec.zeroPad = true;
                break;
            default:
                return;
        }
    }
}

void ReadLength(const std::string& text, std::size_t& pos, FormatSpec& spec) {
    if (text.compare(pos, 2, "hh") == 0) {
        spec.length = FormatSpec::Length::Char;
        pos += 2;
    } else if (text.compare(pos, 2, "ll") == 0) {
        spec.length = FormatSpec::Length::LongLong;
        pos += 2;
    } else if (pos < text.size() && text[pos] == 'h') {
        spec.length = FormatSpec::Length::Short;
        ++pos;
    } else if (pos < text.size() && text[pos] == 'l') {
        spec.length = FormatSpec::Length::Long;
        ++pos;
    }
}

// As ReadConversion, for the text conversion alone.
bool ReadStringConversion(const std::string& text, std::size_t& pos, FormatSpec& spec) {
    const std::size_t start = pos - 1;
    ReadFlags(text, pos, spec);
    if (spec.forceSign || spec.spaceSign || spec.alternate || spec.zeroPad) return false;
    if (!ReadField(text, pos, spec.width)) return false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        if (!ReadField(text, pos, spec.precision)) return false;
    }
    if (pos >= text.size() || text[pos] != 's') return false;
    ++pos;
    spec.conversionText = text.substr(start, pos - start);
    return true;
}

// Parses the conversion that starts after a '%' at pos; false when it is
// not one the value formatter accepts.
bool ReadConversion(const std::string& text, std::size_t& pos, FormatSpec& spec) {
    if (spec.conversion == 's') return ReadStringConversion(text, pos, spec);
    const std::size_t start = pos - 1;
    ReadFlags(text, pos, spec);
    if (!ReadField(text, pos, spec.width)) return false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        if (!ReadField(text, pos, spec.precision)) return false;
    }
    ReadLength(text, pos, spec);
    if (pos >= text.size() || !std::strchr("diuoxXfFeEgGaA", text[pos])) return false;
    spec.conversion = text[pos++];
    spec.conversionText = text.substr(start, pos - start);
    if (spec.IsDouble()) {
        // "l" means nothing to a double conversion; others would misread it
        return spec.length == FormatSpec::Length::None || spec.length == FormatSpec::Length::Long;
    }
    return true;
}

FormatSpec::Shortcut ShortcutOf(const FormatSpec& spec) {
    using S = FormatSpec::Shortcut;
    if (!spec.valid || spec.alternate) return S::None;
    switch (spec.conversion) {
        case 'f':
        case 'F':
            return S::Fixed;
        case 'e':
        case 'E':
            return S::Exponent;
        case 'g':
        case 'G':
            return S::General;
        default:
            break;
    }
    const bool narrowed =
        spec.length == FormatSpec::Length::Char || spec.length == FormatSpec::Length::Short;
    if (spec.precision >= 0 || narrowed) return S::None;
    switch (spec.conversion) {
        case 'd':
        case 'i':
            return S::Signed;
        case 'u':
            return S::Unsigned;
        case 'x':
            return S::Hex;
        case 'X':
            return S::HexUpper;
        default:
            return S::None;
    }
}

}  // namespace

bool FormatSpec::IsInteger() const { return conversion && std::strchr("diuoxX", conversion); }

bool FormatSpec::IsDouble() const { return conversion && std::strchr("fFeEgGaA", conversion); }

namespace {

FormatSpec Parse(const std::string& format, bool stringConversion) {
    const std::string text = format.substr(0, format.find('\0'));
    FormatSpec spec;
    // marks the kind of conversion ReadConversion must find
    if (stringConversion) spec.conversion = 's';
    int conversions = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::string& literal = conversions == 0 ? spec.prefix : spec.suffix;
        if (text[pos] != '%') {
            literal += text[pos++];
            continue;
        }
        ++pos;
        if (pos < text.size() && text[pos] == '%') {
            literal += '%';
            ++pos;
            continue;
        }
        if (++conversions > 1 || !ReadConversion(text, pos, spec)) return FormatSpec{};
    }
    spec.valid = conversions == 1;
    spec.bare = spec.width == 0 && !spec.forceSign && !spec.spaceSign && !spec.alternate;
    spec.shortcut = stringConversion ? FormatSpec::Shortcut::None : ShortcutOf(spec);
    return spec;
}

}  // namespace

FormatSpec ParseFormatSpec(const std::string& format) { return Parse(format, false); }

FormatSpec ParseStringFormatSpec(const std::string& format) { return Parse(format, true); }

std::string FormatString(const FormatSpec& spec, const std::string& value) {
    if (!spec.valid || !spec.IsString()) return {};
    std::string text = value.substr(0, value.find('\0'));
    if (spec.precision >= 0 && text.size() > static_cast<std::size_t>(spec.precision)) {
        text.resize(static_cast<std::size_t>(spec.precision));
    }
    const std::size_t width = static_cast<std::size_t>(spec.width);
    if (text.size() < width) {
        const std::string pad(width - text.size(), ' ');
        text = spec.leftAlign ? text + pad : pad + text;
    }
    return spec.prefix + text + spec.suffix;
}

}  // namespace quelda
