#include <gtest/gtest.h>

#include <cmath>

#include "monitor/MonitorDecode.h"
#include "monitor/MonitorModel.h"
#include "plot/PlotFeed.h"
#include "plot/PlotScale.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

std::vector<MonitorItem> Items(const std::vector<std::vector<std::string>>& rows,
                               DefinitionForm form) {
    std::vector<MonitorItem> items;
    items.push_back(MonitorItem::FromColumns({"1", "title"}, form));
    for (const auto& row : rows) items.push_back(MonitorItem::FromColumns(row, form));
    return items;
}

TEST(PlotFeed, EveryTextFrameGivesEachPlottedItemASampleAtItsArrival) {
    // positions 1 and 3: elements 2 and 4 on monitor 1 (shift 1)
    auto items = Items({{"1", "speed", "FLOAT4", "2", "%.1f", "FLOAT"},
                        {"2", "mode"},
                        {"3", "code", "", "", "", "", "", "", "", ""},
                        {"9", "far", "FLOAT4", "1", "%.1f", "FLOAT"}},
                       DefinitionForm::TextField);
    CPlotFeed feed(16);
    feed.SetPlotted(1, true);
    feed.SetPlotted(3, true);
    feed.SetPlotted(4, true);  // past the frame's end: never a sample
    feed.TextFrame(items, "$A,MON,1.5,x,7*00\r\n", 1, 100.0);
    feed.TextFrame(items, "$A,MON,2.25,x,ab*00\r\n", 1, 100.5);
    feed.TextFrame(items, "$A,MON,-3,x,9*00\r\n", 1, 100.25);  // clock stepped back
    const CSampleRing& speed = *feed.Find(1)->ring;
    ASSERT_EQ(speed.Size(), 3u);
    EXPECT_EQ(speed.At(0).time, 0.0);
    EXPECT_EQ(speed.At(0).value, 3.0);
    EXPECT_EQ(speed.At(1).time, 0.5);
    EXPECT_EQ(speed.At(1).value, 4.5);  // "%.1f" of 4.5: the text the panel shows
    EXPECT_EQ(speed.At(2).time, 0.5);
    EXPECT_EQ(speed.At(2).value, -6.0);
    const CSampleRing& code = *feed.Find(3)->ring;
    ASSERT_EQ(code.Size(), 3u);
    EXPECT_EQ(code.At(0).value, 7.0);
    EXPECT_TRUE(std::isnan(code.At(1).value));  // "ab" is not a number: a gap
    EXPECT_TRUE(feed.Find(4)->ring->Empty());
    EXPECT_EQ(feed.Generation(), 3u + 3u);  // three joins, three frames

    // a definition with fewer items ends the series beyond it
    feed.KeepItems(3);
    EXPECT_FALSE(feed.IsPlotted(3));
    EXPECT_TRUE(feed.IsPlotted(1));
}

TEST(PlotFeed, EveryBlockGivesSamplesOfThePlottedFieldsOnly) {
    auto items = Items({{"1", "a", "UINT2BE", "1", "%u", "UINT4"},
                        {"2", "b", "UCHAR", "1", "%u", "UINT4"},
                        {"3", "c", "UINT2BE", "1", "%u", "UINT4"}},
                       DefinitionForm::TypedBlock);
    CPlotFeed feed(16);
    feed.SetPlotted(2, true);
    feed.SetPlotted(3, true);
    const uint8_t block[] = {6, 0, 0x01, 0x02, 0x2A, 0x05};  // c runs past L
    feed.Block(items, block, sizeof block, 1.0);
    ASSERT_EQ(feed.Find(2)->ring->Size(), 1u);
    EXPECT_EQ(feed.Find(2)->ring->At(0).value, 42.0);
    EXPECT_TRUE(feed.Find(3)->ring->Empty());
}

TEST(PlotFeed, ReadsWholeNumbersOnly) {
    double v = 0;
    EXPECT_TRUE(CPlotFeed::ReadNumber("  12.5 ", v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(CPlotFeed::ReadNumber("-1e308", v));
    EXPECT_FALSE(CPlotFeed::ReadNumber("12 V", v));
    EXPECT_FALSE(CPlotFeed::ReadNumber("", v));
    EXPECT_FALSE(CPlotFeed::ReadNumber("ON", v));
}

TEST(PlotScale, RangesStayFiniteAndSmallSeriesGoToTheSecondAxis) {
    const AxisRange wide = FitRange(-1e308, 1e308);
    EXPECT_TRUE(std::isfinite(wide.upper - wide.lower));
    EXPECT_LT(wide.upper - wide.lower, 1e250);
    const AxisRange flat = FitRange(5.0, 5.0);
    EXPECT_LT(flat.lower, 5.0);
    EXPECT_GT(flat.upper, 5.0);
    const AxisRange none = FitRange(INFINITY, -INFINITY);
    EXPECT_LT(none.lower, none.upper);
    EXPECT_EQ(AxisSides({3000.0, 2.0, NAN, 40.0}), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(AxisSides({1.0, 0.5}), (std::vector<int>{0, 0}));
}

TEST(PlotFeed, AMonitorSamplesEveryFrameWhileItsPanelDecodesOncePerTick) {
    test::TempDir dir;
    dir.Write("MONITOR1.TXT",
              "Pos,Name,Type,Scale,Format,Disp,Unit,X,Y,File\r\n"
              "1,a,FLOAT4,1,%.0f,FLOAT,V,0,0,\r\n"
              "2,b,FLOAT4,1,%.0f,FLOAT,A,0,1,\r\n");
    CMonitorModel model(1);
    model.Load(dir.Path(), {});
    model.Plot().SetPlotted(1, true);
    model.FrameIn("$Q,MON,1,5*00\r\n", 10.0);
    model.FrameIn("$Q,MON,2,5*00\r\n", 10.1);
    model.FrameIn("$Q,MON,3,5*00\r\n", 10.2);
    EXPECT_EQ(model.Plot().Find(1)->ring->Size(), 3u);
    EXPECT_TRUE(model.Items()[1].value.empty());  // the panel waits for its tick
    ASSERT_TRUE(model.Tick());
    EXPECT_EQ(model.Items()[1].value, "3");
    EXPECT_EQ(model.Changed(), (std::vector<std::size_t>{1, 2}));
    // the same values again: a decode that changes nothing to repaint
    model.FrameIn("$Q,MON,3,5*00\r\n", 10.3);
    ASSERT_TRUE(model.Tick());
    EXPECT_TRUE(model.Changed().empty());
    EXPECT_EQ(model.Plot().Find(1)->ring->Size(), 4u);
}

}  // namespace
}  // namespace quelda
