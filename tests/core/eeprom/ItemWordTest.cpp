// An item's shown value and its stored word, both ways, by type.
#include <gtest/gtest.h>

#include "eeprom/ItemWord.h"

namespace quelda {
namespace {

TEST(ItemWordTest, BothWaysByType) {
    const struct {
        EepromItem item;  // name,type,lsb,format,unit,value,hexValue,displayType
        uint32_t word;
        const char* shown;
    } cases[] = {
        {{"a", "INT4", "10", "%d", "", "12.7", "", "INT4"}, 0x78, "12"},
        {{"a", "INT4", "1", "%d", "", "-1", "", "INT4"}, 0xFFFFFFFF, "-1"},
        {{"a", "INT4LE", "1", "%d", "", "1", "", "INT4"}, 0x01000000, "1"},
        {{"a", "FLOAT4BE", "1", "%.2f", "", "1", "", "FLOAT"}, 0x3F800000, "1.00"},
        {{"a", "FLOAT4LE", "1", "%.2f", "", "1", "", "FLOAT"}, 0x0000803F, "1.00"},
        {{"a", "FLOAT4", "1", "%.1f", "", "1", "", "FLOAT"}, 0, "1.0"},
    };
    for (const auto& c : cases) {
        EepromItem item = c.item;
        item.hexValue = "DEAD";
        ASSERT_TRUE(ValueToHex(item)) << c.item.type;
        EXPECT_EQ(StoredWord(item), c.word) << c.item.type;
        EepromItem received = c.item;
        ASSERT_TRUE(StoreRaw(received, c.word));
        EXPECT_EQ(received.value, c.shown) << c.item.type;
        EXPECT_EQ(StoredWord(received), c.word) << c.item.type;
    }
    EepromItem text{"a", "TEXT", "1", "%d", "", "1", "", "INT4"};
    EXPECT_FALSE(ValueToHex(text));
    EXPECT_EQ(text.hexValue, "");
    EXPECT_FALSE(StoreRaw(text, 0x1F));
    EXPECT_EQ(text.value, "1");
    EXPECT_EQ(text.hexValue, "1F");  // the word is taken whatever the type
}

TEST(ItemWordTest, ReceivedWordsShownByScaleAndType) {
    const struct {
        EepromItem item;
        uint32_t word;
        const char* shown;
    } cases[] = {
        {{"a", "INT4", "2", "%d", "", "", "", "INT4"}, 0xFFFFFFFF, "2147483647"},
        {{"a", "INT4BE", "1", "%u", "", "", "", "UINT4"}, 0xFFFFFFFF, "4294967295"},
        // the single-precision bits 0000803F: a denormal near 0
        {{"a", "FLOAT4LE", "1", "%.2f", "", "", "", "FLOAT"}, 0x3F800000, "0.00"},
        {{"a", "FLOAT4LE", "1", "%g", "", "", "", "FLOAT"}, 0x3F800000, "4.6006e-41"},
        {{"a", "FLOAT4", "0.5", "%.1f", "", "", "", "FLOAT"}, 0x01000000, "4.0"},
        // the most negative DSP value reads as -inf; a NaN's bits show as such
        {{"a", "FLOAT4", "1", "%f", "", "", "", "FLOAT"}, 0x7F800000, "-inf"},
        {{"a", "FLOAT4BE", "1", "%f", "", "", "", "FLOAT"}, 0x7FC00000, "nan"},
    };
    for (const auto& c : cases) {
        EepromItem item = c.item;
        EXPECT_TRUE(StoreRaw(item, c.word)) << c.item.type;
        EXPECT_EQ(item.value, c.shown) << c.item.type << " " << c.item.format;
    }
    // no lsb (empty, 0 or not a number): no quotient, so no value, but the word
    for (const char* lsb : {"", "0", "x"}) {
        EepromItem item{"a", "INT4", lsb, "%d", "", "old", "", "INT4"};
        EXPECT_FALSE(StoreRaw(item, 0x1F));
        EXPECT_EQ(item.value, "") << lsb;
        EXPECT_EQ(item.hexValue, "1F");
    }
}

TEST(ItemWordTest, WordsOfValuesBeyondTheirRange) {
    const struct {
        const char* type;
        const char* value;
        const char* lsb;
        const char* hex;
    } cases[] = {
        {"INT4", "2147483647", "3", "7FFFFFFD"},     // low 32 bits of a 64-bit product
        {"INT4", "2147483647", "1e30", "FFFFFFFF"},  // beyond 64 bits: saturated
        {"INT4", "-1", "1e30", "0"},
        {"INT4LE", "1", "1e300", "FFFFFFFF"},
        {"FLOAT4", "1e300", "1", "7F7FFFFF"},  // beyond single precision: +inf
        {"FLOAT4", "-inf", "1", "7F800000"},
        {"FLOAT4", "nan", "1", "80000000"},
        {"FLOAT4", "1", "0", "80000000"},  // no lsb: 0, the DSP zero
        {"FLOAT4BE", "1e39", "1", "7F800000"},
        {"FLOAT4LE", "-1e39", "1", "80FF"},
    };
    for (const auto& c : cases) {
        EepromItem item{"a", c.type, c.lsb, "%d", "", c.value, "", "INT4"};
        ASSERT_TRUE(ValueToHex(item));
        EXPECT_EQ(item.hexValue, c.hex) << c.type << " " << c.value << " x " << c.lsb;
    }
    // a hexValue without a hex digit is the word 0; digits count up to the first other
    for (const char* hex : {"", "zz", "-", "G1"}) {
        EXPECT_EQ(StoredWord({"a", "INT4", "1", "%d", "", "", hex, "INT4"}), 0u) << hex;
    }
    EXPECT_EQ(StoredWord({"a", "INT4", "1", "%d", "", "", "1Gz", "INT4"}), 1u);
}

}  // namespace
}  // namespace quelda
