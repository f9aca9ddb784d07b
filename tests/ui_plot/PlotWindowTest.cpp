// A monitor with its plot on a fake context: the item menu, frames fed
// through the monitor into the plot's series, and the exported CSV.
#include <QFile>
#include <QMenu>
#include <cmath>
#include <string>

#include "routing/UpdateHint.h"
#include "support/FakeViewContext.h"
#include "support/TempDir.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/monitor/CMonitorView.h"
#include "views/plot/CPlotView.h"
#include <qcustomplot.h>

namespace quelda::test {
namespace {

void Send(CQueldaView* view, const std::string& text) {
    view->OnUpdate(hintMonitor1, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// The one checkable action of an entry's menu.
QAction* PlotAction(CMonitorView* view, int entry, QWidget* parent) {
    QMenu* menu = view->EntryMenu(entry, parent);
    return menu && !menu->actions().isEmpty() ? menu->actions().first() : nullptr;
}

class PlotWindowTest : public FakeContextTest {};

TEST_F(PlotWindowTest, FramesThroughTheMonitorReachThePlotAndItsCsv) {
    dir.Write("MONITOR1.TXT",
              "Pos,Name,Type,Scale,Format,Disp,Unit,X,Y,File\r\n"
              "1,Speed,FLOAT4,1,%.2f,FLOAT,rpm,0,0,\r\n"
              "2,Mode,HEX,1,%X,UINT4,,0,1,\r\n"
              "3,Temp,FLOAT4,1,%.1f,FLOAT,C,0,2,\r\n");
    CMonitorChildFrame frame(context, WindowKind::Monitor1);
    auto* view = frame.MonitorView();
    view->OnInitialUpdate();
    frame.show();
    Send(view, "$Q,MON,1,1A,20*00\r\n");
    view->Refresh();
    ASSERT_EQ(view->EntryCount(), 3);

    // "1A" is not a number: its item cannot join
    QAction* mode = PlotAction(view, 1, &frame);
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->text(), "Plot (not a number)");
    EXPECT_FALSE(mode->isEnabled());
    QAction* speed = PlotAction(view, 0, &frame);
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->text(), "Plot");
    EXPECT_FALSE(view->PlotView());
    speed->setChecked(true);  // the first one opens the window
    CPlotView* plot = view->PlotView();
    ASSERT_TRUE(plot);
    EXPECT_EQ(plot->windowTitle(), "Monitor1 plot");
    PlotAction(view, 2, &frame)->setChecked(true);
    EXPECT_TRUE(PlotAction(view, 0, &frame)->isChecked());
    ASSERT_EQ(plot->Plot()->graphCount(), 2);
    EXPECT_EQ(plot->Plot()->graph(0)->name(), "Speed rpm");
    EXPECT_EQ(plot->Plot()->graph(1)->name(), "Temp C");

    // Values a plot must survive: the Temp column carries gaps and extremes.
    const char* temps[] = {"20", "nan", "inf", "1e308", "-1e308", "0", "1e300"};
    std::vector<double> fedSpeed;
    for (int i = 0; i < 700; ++i) {
        const double s = std::round(std::sin(i * 0.05) * 10000) / 100;
        fedSpeed.push_back(s);
        char frameText[96];
        std::snprintf(frameText, sizeof frameText, "$Q,MON,%.2f,1A,%s*00\r\n", s, temps[i % 7]);
        Send(view, frameText);
    }
    const auto& series = view->Model().Plot().AllSeries();
    ASSERT_EQ(series[0].ring->Size(), 700u);
    EXPECT_EQ(series[0].ring->At(699).value, fedSpeed[699]);
    EXPECT_TRUE(std::isnan(series[1].ring->At(1).value));

    plot->Autoscale();
    EXPECT_GE(plot->Redraws(), 1);
    EXPECT_TRUE(plot->Plot()->graph(0)->data()->size() > 0);
    const QCPRange y = plot->Plot()->yAxis->range();
    EXPECT_TRUE(std::isfinite(y.size()) && y.size() > 0);

    // The visible span, all of it: one row per frame, values as fed.
    plot->SetTimeRange(-1.0, series[0].ring->Latest() + 1.0);
    const QString file = QString::fromStdString(dir.Path() + "plot.csv");
    ASSERT_TRUE(plot->ExportCsv(file));
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(in.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 701);
    EXPECT_EQ(lines[0], "time (s),Speed rpm,Temp C");
    for (int i = 0; i < 700; ++i) {
        const QStringList cells = lines[i + 1].split(',');
        ASSERT_EQ(cells.size(), 3);
        EXPECT_EQ(cells[1].toDouble(), fedSpeed[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(lines[4].split(',')[2], "1e+308");
    EXPECT_EQ(lines[2].split(',')[2], "nan");

    // Taking an item out leaves the other; the read-out names each series.
    PlotAction(view, 0, &frame)->setChecked(false);
    ASSERT_EQ(plot->Plot()->graphCount(), 1);
    EXPECT_EQ(plot->ReadOut(1e9), "t = 1000000000.000 s   Temp C: 1e+300");
}

}  // namespace
}  // namespace quelda::test
