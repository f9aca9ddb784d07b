#include "values/BinaryType.h"

#include <cstring>

#include "config/TextLines.h"
#include "values/DspFloat.h"

namespace quelda {

namespace {

struct NamedType {
    const char* name;
    BinaryType::Kind kind;
    int width;
    bool bigEndian;
};

constexpr NamedType kTypes[] = {
    {"CHAR", BinaryType::Kind::Int8, 1, false},
    {"UCHAR", BinaryType::Kind::UInt8, 1, false},
    {"INT2LE", BinaryType::Kind::Int16, 2, false},
    {"UINT2LE", BinaryType::Kind::UInt16, 2, false},
    {"INT2BE", BinaryType::Kind::Int16, 2, true},
    {"UINT2BE", BinaryType::Kind::UInt16, 2, true},
    {"INT4LE", BinaryType::Kind::Int32, 4, false},
    {"UINT4LE", BinaryType::Kind::UInt32, 4, false},
    {"INT4BE", BinaryType::Kind::Int32, 4, true},
    {"UINT4BE", BinaryType::Kind::UInt32, 4, true},
    {"FLOAT4LE", BinaryType::Kind::Float32, 4, false},
    {"FLOAT4BE", BinaryType::Kind::Float32, 4, true},
    {"FLOAT8LE", BinaryType::Kind::Float64, 8, false},
    {"FLOAT8BE", BinaryType::Kind::Float64, 8, true},
    {"FLOATDSP", BinaryType::Kind::Dsp, 4, true},
};

template <typename T>
T Load(const uint8_t* p, bool bigEndian) {
    T value;
    std::memcpy(&value, p, sizeof value);
    const bool hostBig = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
    if (bigEndian != hostBig) {
        if constexpr (sizeof(T) == 2) value = __builtin_bswap16(value);
        if constexpr (sizeof(T) == 4) value = __builtin_bswap32(value);
        if constexpr (sizeof(T) == 8) value = __builtin_bswap64(value);
    }
    return value;
}

uint64_t ReadUnsigned(const uint8_t* p, int width, bool bigEndian) {
    switch (width) {
        case 1:
            return p[0];
        case 2:
            return Load<uint16_t>(p, bigEndian);
        case 4:
            return Load<uint32_t>(p, bigEndian);
        default:
            return Load<uint64_t>(p, bigEndian);
    }
}

template <typename T, typename Bits>
T FromBits(Bits bits) {
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

BinaryType BinaryType::Parse(const std::string& name) {
    BinaryType type;
    if (name.compare(0, 4, "JUMP") == 0) {
        type.kind = Kind::Jump;
        type.jump = LenientAtoi(name.substr(4));
        return type;
    }
    for (const NamedType& t : kTypes) {
        if (name == t.name) {
            type.kind = t.kind;
            type.width = t.width;
            type.bigEndian = t.bigEndian;
        }
    }
    return type;
}

double BinaryType::Read(const uint8_t* p) const {
    if (!HasValue()) return 0.0;
    const uint64_t u = ReadUnsigned(p, width, bigEndian);
    switch (kind) {
        case Kind::Int8:
            return static_cast<int8_t>(u);
        case Kind::Int16:
            return static_cast<int16_t>(u);
        case Kind::Int32:
            return static_cast<int32_t>(u);
        case Kind::UInt8:
        case Kind::UInt16:
        case Kind::UInt32:
            return static_cast<double>(u);
        case Kind::Float32:
            return FromBits<float>(static_cast<uint32_t>(u));
        case Kind::Float64:
            return FromBits<double>(u);
        case Kind::Dsp:
            return DspToFloat(static_cast<uint32_t>(u));
        default:
            return 0.0;
    }
}

}  // namespace quelda
