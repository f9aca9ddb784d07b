#pragma once
// Turns a scaled value into display text by a display type and the user's
// format. The format is checked once, when the formatter is made; a format
// that is not exactly one conversion of the kind the display type passes
// (integer for all but "FLOAT", double for "FLOAT"), see FormatSpec, shows
// kBadFormatMarker instead of the value; an empty format shows nothing, as
// the C formatter would.
#include <cstddef>
#include <string>

#include "values/ConversionWriter.h"
#include "values/DisplayType.h"
#include "values/FormatSpec.h"

namespace quelda {

constexpr const char* kBadFormatMarker = "#FMT?";

class ValueFormatter {
public:
    ValueFormatter() = default;  // unrecognised display type: empty text
    ValueFormatter(const std::string& format, const std::string& displayType);

    // Replaces text with the display text of v: empty for an unrecognised
    // display type or an empty format, kBadFormatMarker for a rejected one.
    void Format(double v, std::string& text) const;
    std::string Format(double v) const;

    // The same text written to out, which has room for MaxSize() bytes;
    // returns its length. The common formats are written inline.
    std::size_t Write(double v, char* out) const {
        using S = FormatSpec::Shortcut;
        switch (m_shortcut) {
            case S::None:
                break;
            case S::Fixed:
            case S::Exponent:
            case S::General: {
                std::size_t n;
                if (WriteShortcutDouble(m_spec, v, out, n)) return n;
                break;
            }
            default:
                return WriteShortcutInteger(m_spec, IntegerArgument(m_type, v), out);
        }
        return WriteAny(v, out);
    }
    std::size_t MaxSize() const;

    DisplayType Type() const { return m_type; }
    bool FormatAccepted() const { return m_spec.valid; }

private:
    std::size_t WriteAny(double v, char* out) const;

    DisplayType m_type = DisplayType::None;
    bool m_empty = true;
    FormatSpec m_spec;
    // The format's shortcut when the conversion is all the text; None
    // otherwise.
    FormatSpec::Shortcut m_shortcut = FormatSpec::Shortcut::None;
};

// One-off form of the above (the EEPROM editor's value formatter).
std::string FormatValue(const std::string& format, const std::string& displayType, double v);

}  // namespace quelda
