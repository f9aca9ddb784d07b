#pragma once
// The binary field types of a typed block: width, sign and byte order.
// Reading is inline: it runs for every field of every converted block.
#include <cstdint>
#include <cstring>
#include <string>

#include "values/DspFloat.h"

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
    double Read(const uint8_t* p) const {
        switch (kind) {
            case Kind::Int8:
                return static_cast<int8_t>(p[0]);
            case Kind::UInt8:
                return p[0];
            case Kind::Int16:
                return static_cast<int16_t>(Load<uint16_t>(p));
            case Kind::UInt16:
                return Load<uint16_t>(p);
            case Kind::Int32:
                return static_cast<int32_t>(Load<uint32_t>(p));
            case Kind::UInt32:
                return Load<uint32_t>(p);
            case Kind::Float32:
                return FromBits<float>(Load<uint32_t>(p));
            case Kind::Float64:
                return FromBits<double>(Load<uint64_t>(p));
            case Kind::Dsp:
                return DspToFloat(Load<uint32_t>(p));
            default:
                return 0.0;
        }
    }

private:
    template <typename T>
    T Load(const uint8_t* p) const {
        T value;
        // Inlined into a caller that holds a short field, the compiler sees
        // the wider kinds' loads too, which the kind never reaches there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
        std::memcpy(&value, p, sizeof value);
#pragma GCC diagnostic pop
        if (bigEndian != (__BYTE_ORDER__ == __ORDER_BIG_ENDIAN__)) {
            if constexpr (sizeof(T) == 2) value = __builtin_bswap16(value);
            if constexpr (sizeof(T) == 4) value = __builtin_bswap32(value);
            if constexpr (sizeof(T) == 8) value = __builtin_bswap64(value);
        }
        return value;
    }

    template <typename T, typename Bits>
    static T FromBits(Bits bits) {
        T value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
};

}  // namespace quelda
