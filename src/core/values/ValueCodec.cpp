#include "values/ValueCodec.h"

#include "text/LenientNumbers.h"

namespace quelda {

ValueCodec::ValueCodec(const std::string& type, const std::string& scale, const std::string& format,
                       const std::string& displayType, const std::string& offset)
    : m_binary(BinaryType::Parse(type)),
      m_source(type == "HEX"      ? Source::Hex
               : type == "FLOAT4" ? Source::Float4
                                  : Source::Other),
      m_scale(LenientAtof(scale)),
      m_offset(LenientAtof(offset)),
      m_formatEmpty(format.empty()),
      m_formatter(format, displayType),
      m_maxText(m_formatter.MaxSize()) {}

void ValueCodec::SetValue(double v, std::string& value) const {
    if (m_formatEmpty) {
        value.clear();
    } else {
        m_formatter.Format(v, value);
    }
}

void ValueCodec::DecodeText(const std::string& element, std::string& value) const {
    if (m_formatEmpty) {
        value = element;
        return;
    }
    if (m_source == Source::Hex) {
        SetValue(ScanHex32(element) * m_scale, value);
    } else if (m_source == Source::Float4) {
        SetValue(LenientAtof(element) * m_scale, value);
    } else {
        value.clear();
    }
}

FieldResult ValueCodec::Step(std::size_t size, long long at) const {
    FieldResult result;
    result.next = at;
    if (m_binary.kind == BinaryType::Kind::Jump) {
        result.next = at + m_binary.jump;
    } else if (m_binary.HasValue()) {
        result.next = at + m_binary.width;
        const bool inside = at >= 0 && result.next <= static_cast<long long>(size);
        result.status = inside ? FieldResult::Status::Value : FieldResult::Status::PastEnd;
    }
    return result;
}

FieldResult ValueCodec::DecodeBinary(const uint8_t* data, std::size_t size, long long at,
                                     std::string& value) const {
    const FieldResult result = Step(size, at);
    if (result.status == FieldResult::Status::Value) {
        SetValue(m_binary.Read(data + at) * m_scale + m_offset, value);
    }
    return result;
}

}  // namespace quelda
