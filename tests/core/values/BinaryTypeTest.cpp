#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "values/BinaryType.h"

namespace quelda {
namespace {

struct ReadCase {
    const char* type;
    std::vector<uint8_t> bytes;
    double raw;
};

TEST(BinaryType, ReadsEveryTypeAtItsLimitsInBothByteOrders) {
    const ReadCase cases[] = {
        {"CHAR", {0x80}, -128},
        {"CHAR", {0x7F}, 127},
        {"CHAR", {0xFF}, -1},
        {"UCHAR", {0xFF}, 255},
        {"UCHAR", {0x00}, 0},
        {"INT2BE", {0xFF, 0xFE}, -2},
        {"UINT2BE", {0xFF, 0xFE}, 65534},
        {"INT2LE", {0xFF, 0xFE}, -257},
        {"UINT2LE", {0xFF, 0xFE}, 65279},
        {"INT2LE", {0x00, 0x80}, -32768},
        {"INT2BE", {0x7F, 0xFF}, 32767},
        {"INT4LE", {0x00, 0x00, 0x00, 0x80}, -2147483648.0},
        {"INT4BE", {0x7F, 0xFF, 0xFF, 0xFF}, 2147483647.0},
        {"INT4BE", {0x12, 0x34, 0x56, 0x78}, 0x12345678},
        {"INT4LE", {0x12, 0x34, 0x56, 0x78}, 0x78563412},
        {"UINT4LE", {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
        {"UINT4BE", {0x80, 0x00, 0x00, 0x00}, 2147483648.0},
        {"FLOAT4BE", {0x3F, 0x80, 0x00, 0x00}, 1.0},
        {"FLOAT4LE", {0x00, 0x00, 0xC0, 0xBF}, -1.5},
        {"FLOAT4BE", {0x3D, 0xCC, 0xCC, 0xCD}, static_cast<double>(0.1f)},
        {"FLOAT8BE", {0x3F, 0xF8, 0, 0, 0, 0, 0, 0}, 1.5},
        {"FLOAT8LE", {0, 0, 0, 0, 0, 0, 0xF8, 0xBF}, -1.5},
        {"FLOAT8LE", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0x7F}, 1.7976931348623157e308},
        {"FLOATDSP", {0x80, 0x00, 0x00, 0x00}, 0.0},
        {"FLOATDSP", {0x81, 0x12, 0x34, 0x56}, 0.0},
        {"FLOATDSP", {0x00, 0x00, 0x00, 0x00}, 1.0},
        {"FLOATDSP", {0x00, 0x80, 0x00, 0x00}, -2.0},
        {"FLOATDSP", {0x01, 0x00, 0x00, 0x00}, 2.0},
        {"FLOATDSP", {0xFF, 0x00, 0x00, 0x00}, 0.5},
    };
    for (const ReadCase& c : cases) {
        const BinaryType t = BinaryType::Parse(c.type);
        ASSERT_TRUE(t.HasValue()) << c.type;
        ASSERT_EQ(static_cast<std::size_t>(t.width), c.bytes.size()) << c.type;
        EXPECT_EQ(t.Read(c.bytes.data()), c.raw) << c.type;
    }
}

TEST(BinaryType, ReadsNonFiniteFloats) {
    const uint8_t nan[] = {0x7F, 0xC0, 0x00, 0x00};
    const uint8_t inf[] = {0x00, 0x00, 0x80, 0xFF};
    EXPECT_TRUE(std::isnan(BinaryType::Parse("FLOAT4BE").Read(nan)));
    EXPECT_EQ(BinaryType::Parse("FLOAT4LE").Read(inf), -HUGE_VAL);
}

TEST(BinaryType, JumpTakesTheCountAfterFourLetters) {
    struct Case {
        const char* name;
        long long jump;
    };
    const Case cases[] = {{"JUMP12", 12},
                          {"JUMP", 0},
                          {"JUMP-4", -4},
                          {"JUMP 7", 7},
                          {"JUMPx", 0},
                          {"JUMP3abc", 3},
                          {"JUMP99999999999", 2147483647}};
    for (const Case& c : cases) {
        const BinaryType t = BinaryType::Parse(c.name);
        EXPECT_EQ(t.kind, BinaryType::Kind::Jump) << c.name;
        EXPECT_EQ(t.jump, c.jump) << c.name;
        EXPECT_FALSE(t.HasValue());
    }
}

TEST(BinaryType, UnknownNamesReadNothing) {
    for (const char* name : {"", "char", "INT2", "FLOAT4", "HEX", "UINT4LE ", "JUM", "jump4"}) {
        const BinaryType t = BinaryType::Parse(name);
        EXPECT_EQ(t.kind, BinaryType::Kind::None) << name;
        EXPECT_EQ(t.width, 0) << name;
    }
}

}  // namespace
}  // namespace quelda
