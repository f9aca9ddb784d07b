#include <gtest/gtest.h>

#include "monitor/CsvColumns.h"
#include "monitor/MonitorConstants.h"

namespace quelda {
namespace {

std::vector<MonitorItem> Named(const std::vector<std::pair<std::string, std::string>>& cols) {
    std::vector<MonitorItem> items;
    items.push_back(MonitorItem::FromColumns({"1", "TITLE"}, DefinitionForm::TextField));
    for (const auto& [position, name] : cols) {
        items.push_back(MonitorItem::FromColumns({position, name}, DefinitionForm::TextField));
    }
    return items;
}

TEST(CsvColumns, HeaderPlacesTheLastNameOfEachColumn) {
    const auto items = Named({{"3", "c"}, {"1", "a"}, {"3", "c2"}, {"0", "zero"}, {"-2", "neg"}});
    struct Case {
        int monitor;
        const char* header;
    };
    const Case cases[] = {
        {1, ",,a,,c2,\r\n"}, {2, ",,a,,c2,\r\n"}, {3, "a,,c2,\r\n"}, {4, ",a,,c2,\r\n"}};
    for (const Case& c : cases) {
        EXPECT_EQ(BuildCsvHeader(items, GetMonitorConstants(c.monitor).logHeaderPrefix), c.header);
    }
}

TEST(CsvColumns, NoPositiveColumnGivesOnlyThePrefix) {
    EXPECT_EQ(BuildCsvHeader(Named({{"0", "a"}, {"x", "b"}}), ","), ",\r\n");
    EXPECT_EQ(BuildCsvHeader({}, ""), "\r\n");
    // the title line never counts, even with a column number
    EXPECT_EQ(BuildCsvHeader(Named({}), ""), "\r\n");
}

TEST(CsvColumns, LinesCarryValuesAndHugeColumnsAreLeftOut) {
    auto items = Named({{"2", "b"}, {"99999999", "far"}, {"65536", "last"}});
    items[1].value = "v2";
    items[2].value = "never";
    items[3].value = "v65536";
    const CsvColumns columns(items);
    ASSERT_EQ(columns.Count(), static_cast<std::size_t>(kMaxCsvColumns));
    std::string line;
    columns.AppendLine(items, line);
    EXPECT_EQ(line.size(), 65536u + 2 + 2 + 6);
    EXPECT_EQ(line.compare(0, 5, ",v2,,"), 0);
    EXPECT_EQ(line.substr(line.size() - 10), ",v65536,\r\n");
}

}  // namespace
}  // namespace quelda
