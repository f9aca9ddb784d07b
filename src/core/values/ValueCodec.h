#pragma once
// One definition item's value rule, prepared once from its columns: how the
// raw value is read (binary type or text source type), scaled and formatted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "values/BinaryType.h"
#include "values/ValueFormatter.h"

namespace quelda {

struct FieldResult {
    enum class Status {
        Value,    // the value text was set
        NoValue,  // "JUMP" or an unrecognised type: value text untouched
        PastEnd,  // the field does not lie wholly inside the block
    };
    Status status = Status::NoValue;
    long long next = 0;  // the offset after the field
};

class ValueCodec {
public:
    ValueCodec() = default;
    // type: binary type (typed blocks) or source type "HEX"/"FLOAT4" (text
    // fields); scale and offset are read leniently (text fields pass "").
    ValueCodec(const std::string& type, const std::string& scale, const std::string& format,
               const std::string& displayType, const std::string& offset);

    // Text field: an empty format shows the element unchanged; "HEX" scans
    // it as hexadecimal (no digits read as 0), "FLOAT4" as a decimal; any
    // other source type gives an empty text.
    void DecodeText(const std::string& element, std::string& value) const;

    // Binary field at offset `at` of data[0 .. size). A field that does not
    // lie wholly inside gives PastEnd and leaves value untouched; an empty
    // format gives an empty text.
    FieldResult DecodeBinary(const uint8_t* data, std::size_t size, long long at,
                             std::string& value) const;

    // As DecodeBinary for a field known to lie inside the block, whose
    // bytes start at field: the value text goes to out, which has room for
    // MaxTextSize() bytes; returns its length. Only for types with a value.
    std::size_t WriteField(const uint8_t* field, char* out) const {
        if (m_formatEmpty) return 0;
        return m_formatter.Write(m_binary.Read(field) * m_scale + m_offset, out);
    }
    std::size_t MaxTextSize() const { return m_maxText; }

    // The same bounds and offset step without reading the value.
    FieldResult Step(std::size_t size, long long at) const;

    const BinaryType& Binary() const { return m_binary; }

private:
    enum class Source { Other, Hex, Float4 };

    void SetValue(double v, std::string& value) const;

    BinaryType m_binary;
    Source m_source = Source::Other;
    double m_scale = 0.0;
    double m_offset = 0.0;
    bool m_formatEmpty = true;
    ValueFormatter m_formatter;
    std::size_t m_maxText = 0;
};

}  // namespace quelda
