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
    EepromItem unscaled{"a", "INT4", "0", "%d", "", "kept", "", "INT4"};
    EXPECT_FALSE(StoreRaw(unscaled, 0x1F));
    EXPECT_EQ(unscaled.value, "kept");
    EXPECT_EQ(unscaled.hexValue, "1F");  // the word is taken whatever the type
}

}  // namespace
}  // namespace quelda
