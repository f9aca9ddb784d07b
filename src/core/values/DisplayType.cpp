#include "values/DisplayType.h"

#include <cmath>
#include <limits>

namespace quelda {

DisplayType ParseDisplayType(const std::string& name) {
    if (name == "UCHAR") return DisplayType::UChar;
    if (name == "UINT") return DisplayType::UInt;
    if (name == "INT4") return DisplayType::Int4;
    if (name == "UINT4") return DisplayType::UInt4;
    if (name == "FLOAT") return DisplayType::Float;
    if (name == "STATUS") return DisplayType::Status;
    return DisplayType::None;
}

int64_t TruncateToInt64(double v) {
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (std::isnan(v)) return 0;
    if (v >= kLimit) return std::numeric_limits<int64_t>::max();
    if (v <= -kLimit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

int32_t IntegerArgument(DisplayType type, double v) {
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
