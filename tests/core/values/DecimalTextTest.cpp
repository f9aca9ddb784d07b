#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "values/DecimalText.h"

namespace quelda {
namespace {

// Every digit count, at its edges: the packed and the long writers must
// both give the plain decimal text.
TEST(DecimalText, IntegersOfEveryLength) {
    std::vector<uint64_t> values = {0, UINT64_MAX};
    for (uint64_t p = 1; p <= 1000000000000000000ull; p *= 10) {
        values.insert(values.end(), {p - 1, p, p + 1, 9 * p, 9 * p + (p - 1)});
    }
    for (uint64_t v : values) {
        char at[40];
        char tight[40];
        const std::string expected = std::to_string(v);
        EXPECT_EQ(std::string(at, WriteDecimalAt(v, at)), expected);
        EXPECT_EQ(DecimalDigits(v), static_cast<int>(expected.size())) << v;
        // the tight writer leaves the byte after the digits alone
        tight[expected.size()] = 'x';
        EXPECT_EQ(std::string(tight, WriteDecimalTight(v, tight)), expected);
        EXPECT_EQ(tight[expected.size()], 'x') << v;
    }
}

TEST(DecimalText, LastDigitsKeepLeadingZeros) {
    char out[16];
    EXPECT_EQ(std::string(out, WriteLastDigits(42, 5, out)), "00042");
    EXPECT_EQ(std::string(out, WriteLastDigits(12345678, 8, out)), "12345678");
    EXPECT_EQ(std::string(out, WriteLastDigits(12345678, 3, out)), "678");
    EXPECT_EQ(std::string(out, WriteLastDigits(0, 1, out)), "0");
}

}  // namespace
}  // namespace quelda
