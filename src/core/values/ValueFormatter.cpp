#include "values/ValueFormatter.h"

#include <algorithm>
#include <cstring>

namespace quelda {

ValueFormatter::ValueFormatter(const std::string& format, const std::string& displayType)
    : m_type(ParseDisplayType(displayType)),
      m_empty(format.empty()),
      m_spec(ParseFormatSpec(format)) {
    const bool kindMatches = m_type == DisplayType::Float ? m_spec.IsDouble() : m_spec.IsInteger();
    if (!kindMatches) m_spec.valid = false;
    const bool alone = m_spec.prefix.empty() && m_spec.suffix.empty();
    const bool shown = m_type != DisplayType::None && !m_empty;
    if (m_spec.valid && shown && alone) m_shortcut = m_spec.shortcut;
}

void ValueFormatter::Format(double v, std::string& text) const {
    char buffer[kConversionBufferSize + 128];
    if (MaxSize() <= sizeof buffer) {
        text.assign(buffer, Write(v, buffer));  // keeps short texts short
    } else {
        text.resize(MaxSize());
        text.resize(Write(v, &text[0]));
    }
}

std::size_t ValueFormatter::MaxSize() const {
    return m_spec.prefix.size() + m_spec.suffix.size() + kConversionBufferSize;
}

std::size_t ValueFormatter::WriteAny(double v, char* out) const {
    if (m_type == DisplayType::None || m_empty) return 0;
    if (!m_spec.valid) {
        const std::size_t n = std::strlen(kBadFormatMarker);
        std::memcpy(out, kBadFormatMarker, n);
        return n;
    }
    char* o = std::copy(m_spec.prefix.begin(), m_spec.prefix.end(), out);
    o += m_type == DisplayType::Float
             ? WriteDoubleConversion(m_spec, v, o)
             : WriteIntegerConversion(m_spec, IntegerArgument(m_type, v), o);
    o = std::copy(m_spec.suffix.begin(), m_spec.suffix.end(), o);
    return static_cast<std::size_t>(o - out);
}

std::string ValueFormatter::Format(double v) const {
    std::string text;
    Format(v, text);
    return text;
}

std::string FormatValue(const std::string& format, const std::string& displayType, double v) {
    return ValueFormatter(format, displayType).Format(v);
}

}  // namespace quelda
