#include "values/DspFloat.h"

#include <cstring>

namespace quelda {

namespace {

constexpr uint32_t kFractionMask = 0x007FFFFFu;
constexpr uint32_t kHidden = 0x00800000u;  // 2^23

uint32_t SingleBits(uint32_t sign, int32_t exponentField, uint32_t fraction) {
    return (sign << 31) | (static_cast<uint32_t>(exponentField) << 23) | fraction;
}

uint32_t DspWord(int32_t exponent, uint32_t sign, uint32_t fraction) {
    return (static_cast<uint32_t>(exponent & 0xFF) << 24) | (sign << 23) | fraction;
}

}  // namespace

uint32_t DspToSingle(uint32_t word) {
    const int32_t e = static_cast<int8_t>(word >> 24);
    const uint32_t s = (word >> 23) & 1u;
    const uint32_t f = word & kFractionMask;
    if (e == -128 || e == -127) return 0;
    if (s == 0) return SingleBits(0, e + 127, f);
    if (f == 0) return SingleBits(1, e + 128, 0);
    return SingleBits(1, e + 127, kHidden - f);
}

uint32_t SingleToDsp(uint32_t bits) {
    const uint32_t S = bits >> 31;
    const int32_t E = static_cast<int32_t>((bits >> 23) & 0xFFu);
    const uint32_t F = bits & kFractionMask;
    if (E == 0) return kDspZero;
    if (E == 255) {
        if (F != 0) return kDspZero;
        return S ? kDspMostNegative : kDspLargest;
    }
    if (S == 0) return DspWord(E - 127, 0, F);
    if (F == 0) return DspWord(E - 128, 1, 0);
    return DspWord(E - 127, 1, kHidden - F);
}

float DspToFloat(uint32_t word) {
    const uint32_t bits = DspToSingle(word);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint32_t FloatToDsp(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return SingleToDsp(bits);
}

}  // namespace quelda
