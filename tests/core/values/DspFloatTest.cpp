#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "values/DspFloat.h"

namespace quelda {
namespace {

uint32_t Bits(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

TEST(DspFloat, DecodesTheDeviceExamples) {
    struct Case {
        uint32_t word;
        float value;
    };
    const Case cases[] = {
        {0x80000000u, 0.0f},
        {0x81123456u, 0.0f},
        {0x00000000u, 1.0f},
        {0x00800000u, -2.0f},
        {0x01000000u, 2.0f},
        {0xFF000000u, 0.5f},
        {0x00400000u, 1.5f},
        {0x00C00000u, -1.5f},
        {0x7F000000u, std::ldexp(1.0f, 127)},
        {0x82000000u, std::ldexp(1.0f, -126)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DspToFloat(c.word), c.value) << std::hex << c.word;
    }
    EXPECT_EQ(DspToSingle(0x81123456u), 0u);  // +0, never -0
    EXPECT_EQ(DspToSingle(kDspMostNegative), 0xFF800000u);
}

TEST(DspFloat, EncodesSingles) {
    struct Case {
        float value;
        uint32_t word;
    };
    const Case cases[] = {
        {1.0f, 0x00000000u},
        {-2.0f, 0x00800000u},
        {2.0f, 0x01000000u},
        {0.5f, 0xFF000000u},
        {1.5f, 0x00400000u},
        {-1.5f, 0x00C00000u},
        {0.0f, kDspZero},
        {-0.0f, kDspZero},
        {std::numeric_limits<float>::denorm_min(), kDspZero},
        {std::numeric_limits<float>::max(), kDspLargest},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToDsp(c.value), c.word) << c.value;
}

TEST(DspFloat, NonFiniteSinglesHaveDefinedWords) {
    EXPECT_EQ(FloatToDsp(std::numeric_limits<float>::infinity()), kDspLargest);
    EXPECT_EQ(FloatToDsp(-std::numeric_limits<float>::infinity()), kDspMostNegative);
    EXPECT_EQ(FloatToDsp(std::numeric_limits<float>::quiet_NaN()), kDspZero);
    EXPECT_EQ(SingleToDsp(0xFFC00001u), kDspZero);  // negative NaN
    EXPECT_EQ(DspToFloat(kDspLargest), std::numeric_limits<float>::max());
}

// Every normal single whose DSP exponent is above -127 survives the round
// trip; a sweep over exponents and fraction patterns of both signs.
TEST(DspFloat, RoundTripsNormalSingles) {
    const uint32_t fractions[] = {0, 1, 0x400000, 0x7FFFFF, 0x123456};
    for (uint32_t sign = 0; sign < 2; ++sign) {
        for (uint32_t e = 2; e <= 254; ++e) {
            for (uint32_t f : fractions) {
                const uint32_t bits = (sign << 31) | (e << 23) | f;
                EXPECT_EQ(DspToSingle(SingleToDsp(bits)), bits) << std::hex << bits;
            }
        }
    }
}

TEST(DspFloat, ValuesAgreeWithTheDefinition) {
    // (1 + f/2^23) x 2^e and (-2 + f/2^23) x 2^e, computed independently
    const uint32_t words[] = {0x05123456u, 0x05923456u, 0xF0FFFFFFu, 0x10800001u, 0x7F7FFFFFu};
    for (uint32_t w : words) {
        const int e = static_cast<int8_t>(w >> 24);
        const double f = (w & 0x7FFFFF) / 8388608.0;
        const double expected = std::ldexp(((w >> 23) & 1) ? -2.0 + f : 1.0 + f, e);
        EXPECT_EQ(static_cast<double>(DspToFloat(w)), expected) << std::hex << w;
        EXPECT_EQ(Bits(DspToFloat(w)), DspToSingle(w));
    }
}

}  // namespace
}  // namespace quelda
