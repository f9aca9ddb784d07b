#include <gtest/gtest.h>

#include <climits>

#include "monitor/PanelLayout.h"

namespace quelda {
namespace {

WindowSettings Widths(int name, int data, int unit, int statusName, int statusData) {
    WindowSettings s;
    s.NAME_LENGTH = name;
    s.DATA_LENGTH = data;
    s.UNIT_LENGTH = unit;
    s.STATUS_NAME_LENGTH = statusName;
    s.STATUS_DATA_LENGTH = statusData;
    return s;
}

MonitorItem Item(const std::string& name, const std::string& type, const std::string& display,
                 const std::string& x, const std::string& y, DefinitionForm form) {
    MonitorItem item = MonitorItem::FromColumns(
        {"1", name, type, "1", "%d", display, "unit-" + name, x, y, ""}, form);
    item.value = "v-" + name;
    return item;
}

StatusEntry Entry(const std::string& range, const std::string& match, const std::string& text,
                  const std::string& x, const std::string& y) {
    return StatusEntry::FromColumns({"L" + text, range, match, text, "10", "20", "30", x, y});
}

// cx 7, cy 12 with widths 10, 8, 4, 6, 3 characters.
const WindowSettings kSettings = Widths(10, 8, 4, 6, 3);

TEST(PanelLayout, MetricsFollowTheWidthsInCharacters) {
    const PanelMetrics m = MeasurePanel(kSettings, 7, 12);
    EXPECT_EQ(m.name, 70);
    EXPECT_EQ(m.value, 60);  // 8 x 7 + 4
    EXPECT_EQ(m.unit, 28);
    EXPECT_EQ(m.block, 158);
    EXPECT_EQ(m.statusLabel, 42);
    EXPECT_EQ(m.statusCell, 25);  // 3 x 7 + 4
    EXPECT_EQ(m.statusPitch, 67);
    EXPECT_EQ(m.row, 16);

    // out-of-range widths and cells are clamped, never overflow
    const PanelMetrics zero = MeasurePanel(Widths(0, -5, 0, 0, 0), 0, -3);
    EXPECT_EQ(zero.cx, 1);
    EXPECT_EQ(zero.name, 0);
    EXPECT_EQ(zero.value, 4);
    EXPECT_EQ(zero.row, 5);
    const PanelMetrics huge = MeasurePanel(Widths(1000000, INT_MAX, 0, 0, 0), INT_MAX, INT_MAX);
    EXPECT_EQ(huge.name, kMaxWidthChars * kMaxCharCell);
    EXPECT_EQ(huge.value, kMaxWidthChars * kMaxCharCell + 4);
    EXPECT_EQ(huge.row, kMaxCharCell + 4);
}

TEST(PanelLayout, MonitorItemsSitAtTheirBlockAndRow) {
    const auto form = DefinitionForm::TypedBlock;
    const std::vector<MonitorItem> items = {
        Item("title", "UCHAR", "UINT4", "0", "0", form),
        Item("a", "UCHAR", "UINT4", "2", "3", form),
        Item("gap", "JUMP4", "", "0", "0", form),  // monitor 3 draws no JUMP item
        Item("b", "UCHAR", "UINT4", "0", "0", form),
    };
    const MonitorPanel panel = LayOutMonitorPanel(items, form, kSettings, 7, 12);
    ASSERT_EQ(panel.items.size(), 2u);
    const PanelItem& a = panel.items[0];
    EXPECT_EQ(a.index, 1u);
    EXPECT_EQ(a.caption, "a");
    EXPECT_EQ(a.value, "v-a");
    EXPECT_EQ(a.unit, "unit-a");
    EXPECT_TRUE(a.hasValueBox);
    EXPECT_EQ(a.nameRect, (PanelRect{316, 48, 70, 16}));
    EXPECT_EQ(a.valueRect, (PanelRect{386, 48, 60, 16}));
    EXPECT_EQ(a.unitRect, (PanelRect{446, 48, 28, 16}));
    EXPECT_EQ(panel.items[1].index, 3u);
    EXPECT_EQ(panel.items[1].nameRect, (PanelRect{0, 0, 70, 16}));
    EXPECT_EQ(panel.width, 474);
    EXPECT_EQ(panel.height, 64);
    EXPECT_EQ(panel.leftOut, 0u);

    // the same type name on a text-field monitor is an ordinary item
    const auto text = DefinitionForm::TextField;
    const std::vector<MonitorItem> textItems = {Item("title", "HEX", "", "0", "0", text),
                                                Item("gap", "JUMP4", "INT4", "1", "0", text)};
    EXPECT_EQ(LayOutMonitorPanel(textItems, text, kSettings, 7, 12).items.size(), 1u);
}

TEST(PanelLayout, StatusItemDrawsOneCellPerGroupBesideItsName) {
    const auto form = DefinitionForm::TextField;
    MonitorItem status = Item("st", "HEX", "STATUS", "1", "2", form);
    status.statusList = {Entry("Bits", "Match", "title", "0", "0"),
                         Entry("4-5", "0", "zero", "1", "1"), Entry("4-5", "1", "one", "1", "1"),
                         Entry("4-5", "others", "other", "1", "1")};
    const std::vector<MonitorItem> items = {Item("title", "HEX", "", "0", "0", form), status};
    struct Case {
        const char* value;
        const char* text;
    };
    for (const Case& c : {Case{"16", "one"}, Case{"48", "other"}, Case{"15", "zero"}}) {
        std::vector<MonitorItem> copy = items;
        copy[1].value = c.value;
        const MonitorPanel panel = LayOutMonitorPanel(copy, form, kSettings, 7, 12);
        ASSERT_EQ(panel.items.size(), 1u);
        const PanelItem& p = panel.items[0];
        EXPECT_FALSE(p.hasValueBox);
        EXPECT_EQ(p.valueRect, PanelRect{});
        ASSERT_EQ(p.cells.size(), 1u) << c.value;
        const PanelCell& cell = p.cells[0];
        EXPECT_EQ(cell.text, c.text);
        EXPECT_EQ(cell.label, std::string("L") + c.text);
        EXPECT_EQ(cell.r + cell.g + cell.b, 60);
        // x = 158 + name 70 + 1 x 67; y = 2 x 16 + 1 x 16
        EXPECT_EQ(cell.labelRect, (PanelRect{295, 48, 42, 16}));
        EXPECT_EQ(cell.cellRect, (PanelRect{337, 48, 25, 16}));
        EXPECT_EQ(panel.width, 362);
    }
}

TEST(PanelLayout, StatusViewWordBoxAndCells) {
    const std::vector<StatusEntry> table = {
        Entry("Bits", "Match", "title", "0", "0"), Entry("0-3", "10", "ten", "2", "0"),
        Entry("5", "1", "five", "0", "3"), Entry("7", "others", "far", "1000000000", "0")};
    const StatusPanel panel = LayOutStatusPanel(table, 42, kSettings, 7, 12);
    EXPECT_EQ(panel.wordText, "0000002A");
    EXPECT_EQ(panel.wordRect, (PanelRect{0, 0, 60, 16}));
    ASSERT_EQ(panel.cells.size(), 2u);
    EXPECT_EQ(panel.cells[0].text, "ten");
    EXPECT_EQ(panel.cells[0].labelRect, (PanelRect{134, 16, 42, 16}));  // row below the word
    EXPECT_EQ(panel.cells[0].cellRect, (PanelRect{176, 16, 25, 16}));
    EXPECT_EQ(panel.cells[1].labelRect, (PanelRect{0, 64, 42, 16}));
    EXPECT_EQ(panel.leftOut, 1u);  // the cell a billion columns away
    EXPECT_EQ(panel.width, 201);
    EXPECT_EQ(panel.height, 80);

    const StatusPanel empty = LayOutStatusPanel({}, 0, kSettings, 7, 12);
    EXPECT_EQ(empty.wordText, "00000000");
    EXPECT_EQ(empty.width, 60);
    EXPECT_EQ(empty.height, 16);
}

TEST(PanelLayout, FarNegativeAndHugeInputIsLeftOutWithinBounds) {
    const auto form = DefinitionForm::TextField;
    MonitorItem farCell = Item("farcell", "HEX", "STATUS", "0", "1", form);
    farCell.value = "1";
    farCell.statusList = {Entry("t", "t", "t", "0", "0"), Entry("0", "1", "near", "0", "0"),
                          Entry("1", "others", "far", "99999999999", "-99999999999")};
    const std::vector<MonitorItem> items = {
        Item("title", "HEX", "", "0", "0", form),
        Item("wide", "HEX", "INT4", "1000000000", "0", form),
        Item("tall", "HEX", "INT4", "0", "1000000000", form),
        Item("left", "HEX", "INT4", "-1", "0", form),
        Item("up", "HEX", "INT4", "0", "-1", form),
        Item("sat", "HEX", "INT4", "99999999999", "99999999999", form),
        farCell,
    };
    const MonitorPanel panel = LayOutMonitorPanel(items, form, kSettings, 7, 12);
    ASSERT_EQ(panel.items.size(), 1u);
    EXPECT_EQ(panel.items[0].caption, "farcell");
    ASSERT_EQ(panel.items[0].cells.size(), 1u);
    EXPECT_EQ(panel.items[0].cells[0].text, "near");
    EXPECT_EQ(panel.leftOut, 6u);
    EXPECT_EQ(panel.height, 32);

    // the widest blocks still fit; the extreme font and positions stay bounded
    const MonitorPanel huge = LayOutMonitorPanel(
        items, form, Widths(1000000, 1000000, 1000000, 1000000, 1000000), INT_MAX, INT_MAX);
    EXPECT_EQ(huge.items.size(), 1u);
    EXPECT_LE(huge.width, kMaxPanelCoord);
    EXPECT_LE(huge.height, kMaxPanelCoord);
}

TEST(PanelLayout, HundredThousandItemsArePlacedUntilTheBound) {
    const auto form = DefinitionForm::TextField;
    std::vector<MonitorItem> items = {Item("title", "HEX", "", "0", "0", form)};
    for (int i = 0; i < 100000; ++i) {
        items.push_back(Item("n", "HEX", "INT4", "0", std::to_string(i), form));
    }
    const MonitorPanel rows = LayOutMonitorPanel(items, form, kSettings, 7, 12);
    EXPECT_EQ(rows.items.size(), 100000u);
    EXPECT_EQ(rows.height, 1600000);
    EXPECT_EQ(rows.items.back().nameRect.top, 99999 * 16);

    // rows of 1004 pixels: 16711 rows fit below 2^24
    const MonitorPanel tall = LayOutMonitorPanel(items, form, kSettings, 7, 1000);
    EXPECT_EQ(tall.items.size(), 16710u);
    EXPECT_EQ(tall.leftOut, 100000u - 16710u);
    EXPECT_LE(tall.height, kMaxPanelCoord);
}

}  // namespace
}  // namespace quelda
