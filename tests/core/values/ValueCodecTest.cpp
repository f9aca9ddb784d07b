#include <gtest/gtest.h>

#include <vector>

#include "values/ValueCodec.h"

namespace quelda {
namespace {

using Status = FieldResult::Status;

struct TextCase {
    const char* type;
    const char* scale;
    const char* format;
    const char* displayType;
    const char* element;
    const char* text;
};

TEST(ValueCodec, DecodesTextElements) {
    const TextCase cases[] = {
        {"HEX", "1", "%d", "INT4", "1A", "26"},
        {"HEX", "1", "", "INT4", "1A", "1A"},
        {"HEX", "0.5", "%.1f", "FLOAT", "  ff*", "127.5"},
        {"HEX", "1", "%u", "UINT4", "FFFFFFFF", "4294967295"},
        {"HEX", "1", "%d", "INT4", "zz", "0"},  // no hex digit reads 0
        {"HEX", "1", "%d", "INT4", "", "0"},
        {"FLOAT4", "2", "%.2f", "FLOAT", "1.25", "2.50"},
        {"FLOAT4", "1", "%d", "INT4", "-3.9V", "-3"},
        {"FLOAT4", "abc", "%.1f", "FLOAT", "5", "0.0"},  // a non-numeric scale is 0
        {"FLOAT4", "-1", "%.1f", "FLOAT", "0", "-0.0"},  // no offset is added to text
        {"DEC", "1", "%d", "INT4", "5", ""},
        {"HEX", "1", "%d", "BOGUS", "5", ""},
        {"DEC", "1", "", "BOGUS", "as is", "as is"},
        {"HEX", "1", "%s", "INT4", "5", kBadFormatMarker},
    };
    for (const TextCase& c : cases) {
        const ValueCodec codec(c.type, c.scale, c.format, c.displayType, "");
        std::string value = "old";
        codec.DecodeText(c.element, value);
        EXPECT_EQ(value, c.text) << c.type << " " << c.format << " " << c.element;
    }
}

TEST(ValueCodec, ScalesAndOffsetsBinaryFields) {
    const std::vector<uint8_t> block = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x64};
    std::string value;
    ValueCodec("UINT4LE", "1", "%.0f", "FLOAT", "0").DecodeBinary(block.data(), 6, 0, value);
    EXPECT_EQ(value, "4294967295");
    ValueCodec("INT2BE", "0.1", "%.2f", "FLOAT", "-5").DecodeBinary(block.data(), 6, 4, value);
    EXPECT_EQ(value, "5.00");
    ValueCodec("INT4LE", "2", "%d", "INT4", "1").DecodeBinary(block.data(), 6, 0, value);
    EXPECT_EQ(value, "-1");
    ValueCodec("UCHAR", "x", "%d", "INT4", "y").DecodeBinary(block.data(), 6, 0, value);
    EXPECT_EQ(value, "0");
}

TEST(ValueCodec, BinaryFieldsStayInsideTheBlock) {
    const uint8_t block[4] = {1, 2, 3, 4};
    struct Case {
        const char* type;
        const char* format;
        long long at;
        Status status;
        long long next;
        const char* value;
    };
    const Case cases[] = {
        {"INT2LE", "%d", 2, Status::Value, 4, "1027"},
        {"INT2LE", "%d", 3, Status::PastEnd, 5, "kept"},
        {"INT4LE", "%d", -1, Status::PastEnd, 3, "kept"},
        {"FLOAT8LE", "%f", 0, Status::PastEnd, 8, "kept"},
        {"UCHAR", "", 1, Status::Value, 2, ""},  // empty format: empty text
        {"JUMP3", "%d", 1, Status::NoValue, 4, "kept"},
        {"JUMP-4", "%d", 1, Status::NoValue, -3, "kept"},
        {"WORD", "%d", 1, Status::NoValue, 1, "kept"},
    };
    for (const Case& c : cases) {
        const ValueCodec codec(c.type, "1", c.format, "INT4", "");
        std::string value = "kept";
        const FieldResult r = codec.DecodeBinary(block, sizeof block, c.at, value);
        EXPECT_EQ(r.status, c.status) << c.type << " at " << c.at;
        EXPECT_EQ(r.next, c.next) << c.type << " at " << c.at;
        EXPECT_EQ(value, c.value) << c.type << " at " << c.at;
        const FieldResult step = codec.Step(sizeof block, c.at);
        EXPECT_EQ(step.status, r.status);
        EXPECT_EQ(step.next, r.next);
    }
}

}  // namespace
}  // namespace quelda
