#pragma once
// The binary field types of a typed block: width, sign and byte order.
#include <cstdint>
#include <string>

namespace quelda {

struct BinaryType {
    enum class Kind {
        None,  // unrecognised name: reads nothing, the offset stays
        Int8,
        UInt8,
        Int16,
        UInt16,
        Int32,
        UInt32,
        Float32,
        Float64,
        Dsp,   // DSP float, most significant byte first
        Jump,  // no value; the offset moves by jump (negative moves back)
    };

    Kind kind = Kind::None;
    int width = 0;  // bytes read
    bool bigEndian = false;
    long long jump = 0;

    // Exact, case-sensitive names; "JUMP" by its first four letters, the
    // rest read as a lenient integer.
    static BinaryType Parse(const std::string& name);

    bool HasValue() const { return kind != Kind::None && kind != Kind::Jump; }

    // The raw value of the width bytes at p (unsigned values stay
    // non-negative, singles are widened to double).
    double Read(const uint8_t* p) const;
};

}  // namespace quelda
