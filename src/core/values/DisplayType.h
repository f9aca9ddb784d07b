#pragma once
// Display types: which argument a value's format receives.
#include <cstdint>
#include <string>

namespace quelda {

enum class DisplayType {
    None,    // unrecognised name: the display text is empty
    UChar,   // "UCHAR": low 8 bits of the truncated value, unsigned
    UInt,    // "UINT": low 16 bits, unsigned
    Int4,    // "INT4": low 32 bits as a signed 32-bit integer
    UInt4,   // "UINT4": the same 32 bits ("%u"/"%X" print them unsigned)
    Float,   // "FLOAT": the value as a double
    Status,  // "STATUS": as "INT4"
};

// Exact, case-sensitive names.
DisplayType ParseDisplayType(const std::string& name);

inline bool IsIntegerDisplay(DisplayType type) {
    return type != DisplayType::None && type != DisplayType::Float;
}

// Truncation toward zero that is defined for every double: values at or
// beyond the 64-bit range saturate to INT64_MIN / INT64_MAX, NaN gives 0.
inline int64_t TruncateToInt64(double v) {
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (v != v) return 0;
    if (v >= kLimit) return INT64_MAX;
    if (v <= -kLimit) return INT64_MIN;
    return static_cast<int64_t>(v);
}

// The integer an integer display type passes for v, as its 32 bits.
inline int32_t IntegerArgument(DisplayType type, double v) {
    const uint64_t bits = static_cast<uint64_t>(TruncateToInt64(v));
    switch (type) {
        case DisplayType::UChar:
            return static_cast<int32_t>(bits & 0xFFu);
        case DisplayType::UInt:
            return static_cast<int32_t>(bits & 0xFFFFu);
        default:
            return static_cast<int32_t>(static_cast<uint32_t>(bits));
    }
}

}  // namespace quelda
