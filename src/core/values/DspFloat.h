#pragma once
// The device's 32-bit DSP float: bits 31..24 a two's-complement exponent e,
// bit 23 the sign s, bits 22..0 the fraction f; value (1 + f/2^23) x 2^e for
// s = 0, (-2 + f/2^23) x 2^e for s = 1; e = -128 means zero.
#include <cstdint>

namespace quelda {

constexpr uint32_t kDspZero = 0x80000000u;
constexpr uint32_t kDspLargest = 0x7F7FFFFFu;       // (2 - 2^-23) x 2^127
constexpr uint32_t kDspMostNegative = 0x7F800000u;  // -2 x 2^127

// DSP word -> IEEE single-precision bits. e = -128 and e = -127 give +0.0;
// the most negative DSP value becomes negative infinity.
uint32_t DspToSingle(uint32_t word);

// IEEE single-precision bits -> DSP word. Zeros and denormals give the DSP
// zero. Having no DSP counterpart, +inf gives the largest DSP value, -inf
// the most negative one and NaN the DSP zero.
uint32_t SingleToDsp(uint32_t bits);

// The same conversions on float values.
float DspToFloat(uint32_t word);
uint32_t FloatToDsp(float value);

}  // namespace quelda
