#include "device/AnswerField.h"

#include <cstring>

#include "values/ConversionWriter.h"
#include "values/DisplayType.h"
#include "values/DspFloat.h"

namespace quelda {
namespace {

// JUMP bytes carry the frame's own special characters, so a block shows that
// they are plain data inside it.
const char kFiller[] = {'$', '*', '\r', '\n', ','};

void AppendOrdered(std::string& out, uint64_t bits, int width, bool bigEndian) {
    for (int i = 0; i < width; ++i) {
        const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
        out += static_cast<char>((bits >> shift) & 0xFF);
    }
}

uint64_t EncodeBits(const BinaryType& type, double v) {
    switch (type.kind) {
        case BinaryType::Kind::Float32: {
            const float f = static_cast<float>(v);
            uint32_t bits = 0;
            std::memcpy(&bits, &f, sizeof bits);
            return bits;
        }
        case BinaryType::Kind::Float64: {
            uint64_t bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            return bits;
        }
        case BinaryType::Kind::Dsp:
            return FloatToDsp(static_cast<float>(v));
        default:
            // integers: two's complement, cut to the width by AppendOrdered
            return static_cast<uint64_t>(TruncateToInt64(v));
    }
}

}  // namespace

bool CAnswerField::Parse(const std::vector<std::string>& columns, bool binary, std::string& error) {
    m_strName = columns.empty() ? std::string() : columns[0];
    const std::string type = columns.size() > 1 ? columns[1] : std::string();
    const std::string generator = columns.size() > 2 ? columns[2] : std::string();
    const std::vector<std::string> args(columns.begin() + std::min<std::size_t>(3, columns.size()),
                                        columns.end());
    if (binary) {
        m_binary = BinaryType::Parse(type);
        if (m_binary.kind == BinaryType::Kind::None) {
            error = "unknown binary type \"" + type + "\"";
            return false;
        }
        if (m_binary.kind == BinaryType::Kind::Jump) {
            if (m_binary.jump >= 0) return true;  // filler bytes need no value
            error = "a JUMP of an answer cannot go back";
            return false;
        }
        return m_source.Parse(generator, args, error);
    }
    if (!m_source.Parse(generator, args, error)) return false;
    m_bLiteral = type.empty();
    if (m_bLiteral) {
        if (m_source.GetKind() == CValueSource::Kind::Const) return true;
        error = "only a CONST field may leave the format empty";
        return false;
    }
    m_spec = ParseFormatSpec(type);
    if (!m_spec.valid) {
        error = "format \"" + type + "\" is not one integer or double conversion";
        return false;
    }
    return true;
}

void CAnswerField::AppendText(std::string& out, double t, uint64_t n) const {
    if (m_bLiteral) {
        out += m_source.Literal();
        return;
    }
    char buffer[kConversionBufferSize];
    const double v = m_source.Value(t, n);
    std::size_t length = 0;
    if (m_spec.IsDouble()) {
        length = WriteDoubleConversion(m_spec, v, buffer);
    } else {
        length = WriteIntegerConversion(m_spec, IntegerArgument(DisplayType::Int4, v), buffer);
    }
    out += m_spec.prefix;
    out.append(buffer, length);
    out += m_spec.suffix;
}

void CAnswerField::AppendBinary(std::string& out, double t, uint64_t n) const {
    if (m_binary.kind == BinaryType::Kind::Jump) {
        for (long long i = 0; i < m_binary.jump; ++i) out += kFiller[i % sizeof kFiller];
        return;
    }
    const uint64_t bits = EncodeBits(m_binary, m_source.Value(t, n));
    AppendOrdered(out, bits, m_binary.width, m_binary.bigEndian);
}

std::size_t CAnswerField::Width() const {
    if (m_binary.kind == BinaryType::Kind::Jump) return static_cast<std::size_t>(m_binary.jump);
    return static_cast<std::size_t>(m_binary.width);
}

}  // namespace quelda
