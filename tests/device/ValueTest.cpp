// Value sources and answer fields: what the device puts into its frames.
#include <cmath>
#include <cstring>

#include "DeviceTestSupport.h"
#include "device/AnswerField.h"
#include "device/ValueSource.h"
#include "values/BinaryType.h"

namespace quelda::test {
namespace {

CValueSource Source(const std::string& name, const std::vector<std::string>& args) {
    CValueSource source;
    std::string error;
    EXPECT_TRUE(source.Parse(name, args, error)) << name << ": " << error;
    return source;
}

TEST(ValueSourceTest, GeneratorsFollowTimeAndCount) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        double t;
        uint64_t n;
        double expected;
    } cases[] = {
        {"CONST", {"12.5"}, 9.0, 9, 12.5},
        {"CONST", {"0x1A"}, 0.0, 0, 26.0},
        {"COUNTER", {"5", "2", "0"}, 0.0, 3, 11.0},
        {"COUNTER", {"0", "3", "10"}, 0.0, 4, 2.0},  // 12 wraps into 0..9
        {"COUNTER", {"-100", "1", "0"}, 0.0, 0, -100.0},
        {"SINE", {"10", "4", "100"}, 1.0, 0, 110.0},  // a quarter period
        {"SINE", {"10", "4", "100"}, 3.0, 0, 90.0},
        {"SINE", {"10", "0", "100"}, 3.0, 0, 100.0},  // no period: the offset
        {"RAMP", {"0", "100", "10"}, 2.5, 0, 25.0},
        {"RAMP", {"0", "100", "10"}, 12.5, 0, 25.0},
        {"MILLIS", {}, 1.2345, 0, 1234.0},
        // bits 0-1 count every second, bit 4 every 2 s, from base 0x13
        {"BITS", {"0x13", "0-1", "1", "4", "2"}, 0.5, 0, 0x13},
        {"BITS", {"0x13", "0-1", "1", "4", "2"}, 1.0, 0, 0x10},  // 3 + 1 wraps to 0
        {"BITS", {"0x13", "0-1", "1", "4", "2"}, 2.0, 0, 0x01},  // 3 + 2 = 1, bit 4 flips
        {"BITS", {"0xFFFFFFFF", "0-31", "1"}, 1.0, 0, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(Source(c.name, c.args).Value(c.t, c.n), c.expected, 1e-9)
            << c.name << " t=" << c.t;
    }
}

TEST(ValueSourceTest, RejectsUnknownNamesAndBadArguments) {
    const struct {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"NOISE", {}},
        {"SINE", {"1", "x", "0"}},
        {"COUNTER", {"1", "2"}},
        {"BITS", {"1", "3-1", "1"}},
        {"BITS", {"1", "0-32", "1"}},
        {"BITS", {"1", "0", "0"}},
        {"BITS", {"z"}},
        {"RAMP", {"0x", "1", "1"}},
    };
    for (const auto& c : cases) {
        CValueSource source;
        std::string error;
        EXPECT_FALSE(source.Parse(c.name, c.args, error)) << c.name;
        EXPECT_FALSE(error.empty());
    }
}

std::string Text(const std::vector<std::string>& columns, double t = 0.0) {
    CAnswerField field;
    std::string error;
    EXPECT_TRUE(field.Parse(columns, false, error)) << error;
    std::string out;
    field.AppendText(out, t, 0);
    return out;
}

TEST(AnswerFieldTest, TextFieldsGoThroughTheirFormat) {
    EXPECT_EQ(Text({"n", "%d", "CONST", "-12.9"}), "-12");
    EXPECT_EQ(Text({"n", "%X", "CONST", "-1"}), "FFFFFFFF");
    EXPECT_EQ(Text({"n", "%08X", "CONST", "0x1A2C3"}), "0001A2C3");
    EXPECT_EQ(Text({"n", "%.2f", "CONST", "3.14159"}), "3.14");
    EXPECT_EQ(Text({"n", "v=%+.1f V", "CONST", "2"}), "v=+2.0 V");
    EXPECT_EQ(Text({"n", "", "CONST", "QV-400"}), "QV-400");
}

TEST(AnswerFieldTest, RejectsFormatsTheFormatterCouldMisread) {
    for (const char* format : {"%s", "%d %d", "plain", "%n", "%*d"}) {
        CAnswerField field;
        std::string error;
        EXPECT_FALSE(field.Parse({"n", format, "CONST", "1"}, false, error)) << format;
    }
    CAnswerField literal;
    std::string error;
    EXPECT_FALSE(literal.Parse({"n", "", "SINE", "1", "1", "0"}, false, error));
}

// Every binary type written by the device reads back the same through the
// program's own decoder.
TEST(AnswerFieldTest, BinaryFieldsReadBackThroughTheProgramsTypes) {
    const struct {
        const char* type;
        const char* value;
        std::string bytes;
        double back;
    } cases[] = {
        {"CHAR", "-2", "\xFE", -2},
        {"UCHAR", "254", "\xFE", 254},
        {"INT2BE", "-2", "\xFF\xFE", -2},
        {"INT2LE", "-257", "\xFF\xFE", -257},
        {"UINT2BE", "65534", "\xFF\xFE", 65534},
        {"UINT2LE", "258", "\x02\x01", 258},
        {"INT4BE", "-2", "\xFF\xFF\xFF\xFE", -2},
        {"INT4LE", "16909060", "\x04\x03\x02\x01", 16909060},
        {"UINT4BE", "0xFFFFFFFF", "\xFF\xFF\xFF\xFF", 4294967295.0},
        {"UINT4LE", "1", std::string("\x01\x00\x00\x00", 4), 1},
        {"FLOAT4BE", "1", std::string("\x3F\x80\x00\x00", 4), 1},
        {"FLOAT4LE", "1", std::string("\x00\x00\x80\x3F", 4), 1},
        {"FLOAT8BE", "-2", std::string("\xC0\x00\x00\x00\x00\x00\x00\x00", 8), -2},
        {"FLOAT8LE", "0.5", std::string("\x00\x00\x00\x00\x00\x00\xE0\x3F", 8), 0.5},
        {"FLOATDSP", "1", std::string("\x00\x00\x00\x00", 4), 1},
        {"FLOATDSP", "-2", std::string("\x00\x80\x00\x00", 4), -2},
        {"FLOATDSP", "0", std::string("\x80\x00\x00\x00", 4), 0},
        {"JUMP3", "", "$*\r", 0},
    };
    for (const auto& c : cases) {
        CAnswerField field;
        std::string error;
        ASSERT_TRUE(field.Parse({"n", c.type, "CONST", c.value}, true, error)) << c.type << error;
        std::string out;
        field.AppendBinary(out, 0.0, 0);
        EXPECT_EQ(out, c.bytes) << c.type;
        EXPECT_EQ(field.Width(), c.bytes.size()) << c.type;
        const BinaryType type = BinaryType::Parse(c.type);
        if (type.HasValue()) {
            EXPECT_DOUBLE_EQ(type.Read(reinterpret_cast<const uint8_t*>(out.data())), c.back)
                << c.type;
        }
    }
}

TEST(AnswerFieldTest, RejectsUnknownTypesAndBackwardJumps) {
    for (const char* type : {"INT3", "", "JUMP-4", "float4le"}) {
        CAnswerField field;
        std::string error;
        EXPECT_FALSE(field.Parse({"n", type, "CONST", "1"}, true, error)) << type;
    }
}

}  // namespace
}  // namespace quelda::test
