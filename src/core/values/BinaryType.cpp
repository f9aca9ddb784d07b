#include "values/BinaryType.h"

#include <cstring>

#include "text/LenientNumbers.h"

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

}  // namespace quelda
