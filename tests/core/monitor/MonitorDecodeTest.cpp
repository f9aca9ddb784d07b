#include <gtest/gtest.h>

#include "text/CommaLines.h"
#include "monitor/MonitorDecode.h"

namespace quelda {
namespace {

std::vector<MonitorItem> Items(const std::vector<std::vector<std::string>>& rows,
                               DefinitionForm form) {
    std::vector<MonitorItem> items;
    items.push_back(MonitorItem::FromColumns({"1", "title", "HEX", "1", "%d", "INT4"}, form));
    for (const auto& row : rows) items.push_back(MonitorItem::FromColumns(row, form));
    return items;
}

TEST(MessageElements, SplitsAtCommasAndStars) {
    const std::vector<std::string> expected = {"$QVR", "MON", "", "1A", "5", "3F\r\n"};
    EXPECT_EQ(SplitElements("$QVR,MON,,1A,5*3F\r\n"), expected);
    EXPECT_EQ(SplitElements(""), std::vector<std::string>{""});
    EXPECT_EQ(SplitElements("a,"), (std::vector<std::string>{"a", ""}));
}

TEST(MonitorDecode, TextItemsTakeElementPPlusShift) {
    const std::string frame = "$QVR,MON,10,20,30*3F\r\n";
    const auto rows = std::vector<std::vector<std::string>>{
        {"1", "a", "HEX", "1", "%d", "INT4"}, {"3", "b", "HEX", "1", "", "INT4"},
        {"4", "c", "HEX", "1", "", "INT4"},   {"0", "d", "HEX", "1", "%d", "INT4"},
        {"9", "e", "HEX", "1", "%d", "INT4"}, {"x", "f", "HEX", "1", "%d", "INT4"},
    };
    struct Case {
        int shift;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {1, {"16", "30", "3F\r\n", "old", "old", "old"}},  // monitors 1 and 2
        {0, {"0", "20", "30", "old", "old", "old"}},       // monitor 4: 1 is the command
    };
    for (const Case& c : cases) {
        auto items = Items(rows, DefinitionForm::TextField);
        for (auto& item : items) item.value = "old";
        DecodeTextItems(items, frame, c.shift);
        EXPECT_EQ(items[0].value, "old");  // the title line is never decoded
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_EQ(items[i + 1].value, c.values[i]) << "shift " << c.shift << " item " << i;
        }
    }
}

TEST(MonitorDecode, MonitorFourShowsTheCommandAtPositionOne) {
    auto items = Items({{"1", "cmd", "HEX", "1", "", "INT4"}}, DefinitionForm::TextField);
    DecodeTextItems(items, "$QVR,MON,1*00\r\n", 0);
    EXPECT_EQ(items[1].value, "MON");
}

TEST(MonitorDecode, BlockItemsAreBoundedByTheBlockLength) {
    // L = 8: two length bytes and six data bytes; stale bytes follow
    const uint8_t block[] = {8, 0, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xEE, 0xEE, 0xEE};
    auto items = Items({{"1", "a", "UINT2BE", "1", "%u", "UINT4"},
                        {"2", "j", "JUMP1", "1", "%u", "UINT4"},
                        {"3", "b", "UCHAR", "1", "%u", "UINT4"},
                        {"4", "c", "UINT4BE", "1", "%X", "UINT4"},
                        {"5", "d", "UCHAR", "1", "%u", "UINT4"}},
                       DefinitionForm::TypedBlock);
    for (auto& item : items) item.value = "old";
    DecodeBlockItems(items, block, 8);
    EXPECT_EQ(items[1].value, "258");
    EXPECT_EQ(items[2].value, "old");  // a JUMP keeps its value
    EXPECT_EQ(items[3].value, "4");
    EXPECT_EQ(items[4].value, "");     // runs past L: empty, never the stale bytes
    EXPECT_EQ(items[5].value, "old");  // offset at L: decoding has stopped
}

TEST(MonitorDecode, BlockDecodingStopsWhenAJumpLeavesTheBlock) {
    const uint8_t block[] = {6, 0, 1, 2, 3, 4};
    auto items = Items({{"1", "j", "JUMP-1", "1", "", ""},
                        {"2", "a", "UCHAR", "1", "%u", "UINT4"},
                        {"3", "b", "UCHAR", "1", "%u", "UINT4"}},
                       DefinitionForm::TypedBlock);
    DecodeBlockItems(items, block, sizeof block);
    EXPECT_EQ(items[2].value, "");  // offset 1 lies in the length bytes
    items[1] =
        MonitorItem::FromColumns({"1", "j", "JUMP9", "1", "", ""}, DefinitionForm::TypedBlock);
    DecodeBlockItems(items, block, sizeof block);
    EXPECT_EQ(items[2].value, "");
}

TEST(MonitorDecode, BlockLengthByteOrder) {
    const uint8_t bytes[] = {0x0A, 0x00};
    EXPECT_EQ(ReadBlockLength(bytes, 0), 10);
    EXPECT_EQ(ReadBlockLength(bytes, 1), 2560);
    EXPECT_EQ(ReadBlockLength(bytes, 7), 2560);
}

}  // namespace
}  // namespace quelda
