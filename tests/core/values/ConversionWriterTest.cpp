// The conversions written without the C formatter must agree with it for
// every flag, width, precision and length combination it accepts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "values/ConversionWriter.h"

namespace quelda {
namespace {

std::vector<std::string> Conversions(const std::vector<std::string>& lengths, const char* kinds) {
    const char* flagChars = "-+ #0";
    const char* widths[] = {"", "1", "7", "23", "64"};
    const char* precisions[] = {"", ".", ".0", ".1", ".5", ".17", ".64"};
    std::vector<std::string> out;
    for (int mask = 0; mask < 32; ++mask) {
        std::string flags;
        for (int b = 0; b < 5; ++b) {
            if (mask & (1 << b)) flags += flagChars[b];
        }
        for (const char* w : widths) {
            for (const char* p : precisions) {
                for (const std::string& l : lengths) {
                    for (const char* k = kinds; *k; ++k)
                        out.push_back("%" + flags + w + p + l + *k);
                }
            }
        }
    }
    return out;
}

std::string CIntegerText(const FormatSpec& spec, int32_t bits) {
    char text[kConversionBufferSize];
    const bool isSigned = spec.conversion == 'd' || spec.conversion == 'i';
    const uint32_t u = static_cast<uint32_t>(bits);
    const char* f = spec.conversionText.c_str();
    switch (spec.length) {
        case FormatSpec::Length::Long:
            if (isSigned)
                std::snprintf(text, sizeof text, f, static_cast<long>(bits));
            else
                std::snprintf(text, sizeof text, f, static_cast<unsigned long>(u));
            break;
        case FormatSpec::Length::LongLong:
            if (isSigned)
                std::snprintf(text, sizeof text, f, static_cast<long long>(bits));
            else
                std::snprintf(text, sizeof text, f, static_cast<unsigned long long>(u));
            break;
        default:
            if (isSigned)
                std::snprintf(text, sizeof text, f, bits);
            else
                std::snprintf(text, sizeof text, f, u);
            break;
    }
    return text;
}

// Whether the writers give what the C formatter gives for every value.
::testing::AssertionResult DoublesLikeC(const FormatSpec& spec, const std::vector<double>& values) {
    for (double v : values) {
        char out[kConversionBufferSize];
        char expected[kConversionBufferSize];
        const std::size_t n = WriteDoubleConversion(spec, v, out);
        std::snprintf(expected, sizeof expected, spec.conversionText.c_str(), v);
        if (std::string(out, n) != expected) {
            return ::testing::AssertionFailure()
                   << spec.conversionText << " " << v << ": " << std::string(out, n);
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult IntegersLikeC(const FormatSpec& spec,
                                         const std::vector<int32_t>& values) {
    for (int32_t v : values) {
        char out[kConversionBufferSize];
        const std::size_t n = WriteIntegerConversion(spec, v, out);
        if (std::string(out, n) != CIntegerText(spec, v)) {
            return ::testing::AssertionFailure()
                   << spec.conversionText << " " << v << ": " << std::string(out, n);
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(ConversionWriter, IntegersMatchTheCFormatter) {
    const std::vector<int32_t> values = {0,
                                         1,
                                         -1,
                                         7,
                                         -42,
                                         255,
                                         256,
                                         65535,
                                         -32769,
                                         123456789,
                                         std::numeric_limits<int32_t>::max(),
                                         std::numeric_limits<int32_t>::min()};
    const auto formats = Conversions({"", "hh", "h", "l", "ll"}, "diuoxX");
    for (const std::string& format : formats) {
        const FormatSpec spec = ParseFormatSpec(format);
        ASSERT_TRUE(spec.valid && spec.IsInteger()) << format;
        ASSERT_TRUE(IntegersLikeC(spec, values));
    }
}

TEST(ConversionWriter, DoublesMatchTheCFormatter) {
    const std::vector<double> values = {0.0,
                                        -0.0,
                                        1.5,
                                        -2.5,
                                        0.125,
                                        2.5e-7,
                                        123456789.123,
                                        9.9999999,
                                        0.5,
                                        1e15,
                                        -1e-300,
                                        1e300,
                                        std::numeric_limits<double>::max(),
                                        std::numeric_limits<double>::denorm_min(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::quiet_NaN()};
    const auto formats = Conversions({"", "l"}, "fFeEgGaA");
    for (const std::string& format : formats) {
        const FormatSpec spec = ParseFormatSpec(format);
        ASSERT_TRUE(spec.valid && spec.IsDouble()) << format;
        ASSERT_TRUE(DoublesLikeC(spec, values));
    }
}

// The conversions' own decimal rounding, over values near halves, near
// powers of ten and of every magnitude, with every precision they take.
TEST(ConversionWriter, DecimalRoundingMatchesTheCFormatter) {
    std::vector<double> values = {1.005,
                                  2.675,
                                  0.045,
                                  1.115,
                                  8.345,
                                  0.5,
                                  1.5,
                                  2.5,
                                  0.125,
                                  1e-5,
                                  -0.0004,
                                  4503599627370495.5,
                                  999999.9999995,
                                  0.9999999999999999};
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 8000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const double mantissa = static_cast<double>(state >> 11) * 0x1p-53;
        const int exponent = static_cast<int>((state >> 3) % 40) - 20;
        values.push_back((state & 1 ? -1 : 1) * std::ldexp(mantissa, exponent * 2));
        // decimal halves that binary cannot hold exactly
        values.push_back(static_cast<double>(state % 100000) / 1000.0 + 0.0005);
        values.push_back(std::pow(10.0, static_cast<int>(state % 40) - 20) *
                         (1.0 - static_cast<double>(state % 7) * 1e-17));
        values.push_back(9.5 * std::pow(10.0, static_cast<int>(state % 30) - 15));
    }
    for (const char* conversion : {"f", "e", "g", "E", "G"}) {
        for (int precision = 0; precision <= 17; ++precision) {
            const std::string format = "%." + std::to_string(precision) + conversion;
            ASSERT_TRUE(DoublesLikeC(ParseFormatSpec(format), values));
        }
    }
}

// Values of every magnitude the converter meets, with both signs.
std::vector<double> MixedValues(int count) {
    std::vector<double> values = {0.0, -0.0, 1e-5, 0.0001, 99999.95, 123456.5, 1e15, 4294967295.0};
    uint64_t state = 0x2545F4914F6CDD1Dull;
    for (int i = 0; i < count; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const double mantissa = static_cast<double>(state >> 11) * 0x1p-53;
        const double scale = std::pow(10.0, static_cast<int>(state % 24) - 8);
        const double v = mantissa * scale;
        values.push_back(state & 1 ? -v : v);
        values.push_back(std::round(v * 1000.0) / 1000.0);  // trailing zeros
    }
    return values;
}

std::vector<int32_t> MixedIntegers(int count) {
    std::vector<int32_t> values = {0, -1, 9, 10, 99999999, 100000000, -2147483647 - 1, 2147483647};
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < count; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        values.push_back(static_cast<int32_t>(state >> 32) >> (state % 32));
    }
    return values;
}

// The writers the common formats take, with the flags and widths they
// accept besides '#'.
TEST(ConversionWriter, CommonFormatsWithFlagsMatchTheCFormatter) {
    const char* flags[] = {"", "-", "+", " ", "0", "-+", "+0", " 0", "-0", "- "};
    const char* widths[] = {"", "1", "9", "21"};
    const std::vector<double> doubles = MixedValues(150);
    const std::vector<int32_t> integers = MixedIntegers(150);
    for (const char* f : flags) {
        for (const char* w : widths) {
            for (const char* p : {"", ".0", ".1", ".3", ".8"}) {
                for (char k : std::string("feEgGF")) {
                    const std::string format = std::string("%") + f + w + p + k;
                    ASSERT_TRUE(DoublesLikeC(ParseFormatSpec(format), doubles));
                }
            }
            for (char k : std::string("diuxX")) {
                const std::string format = std::string("%") + f + w + k;
                ASSERT_TRUE(IntegersLikeC(ParseFormatSpec(format), integers));
            }
        }
    }
}

}  // namespace
}  // namespace quelda
