// The monitor and status panels on a fake context: what they paint where
// the layout says, what screen readers hear, the 500 ms tick, monitor 3's
// block in both length formats, and a panel of 100,000 items that paints
// only what is in sight.
#include <QElapsedTimer>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <string>

#include "routing/UpdateHint.h"
#include "support/FakeViewContext.h"
#include "support/TempDir.h"
#include "ui_monitor/PanelTestSupport.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/monitor/CMonitorView.h"
#include "views/monitor/PanelPainter.h"
#include "views/status/CStatusChildFrame.h"
#include "views/status/CStatusView.h"

namespace quelda::test {
namespace {

using paneldraw::ToQRect;

const char kMonitor1[] =
    "// two items: a value and a status item\r\n"
    "Position,Name,Type,Scale,Format,Display,Unit,X,Y,Status file\r\n"
    "1,Speed,FLOAT4,1,%.1f,FLOAT,rpm,0,0,\r\n"
    "2,State,HEX,1,%d,STATUS,,0,1,ST.TXT\r\n"
    "3,Load,FLOAT4,1,%.0f,FLOAT,,1,0,\r\n";
const char kStatusTable[] =
    "Label,Bits,Value,Text,Red,Green,Blue,X,Y\r\n"
    "Mode,0-1,1,Run,0,255,0,0,0\r\n"
    "Mode,0-1,others,Idle,10,20,30,0,0\r\n"
    "Alarm,3,1,ALARM,255,0,0,1,0\r\n"
    "Alarm,3,0,OK,0,0,255,1,0\r\n";

void Send(CQueldaView* view, int hint, const std::string& text) {
    view->OnUpdate(hint, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

class PanelViewTest : public FakeContextTest {
protected:
    void SetUp() override {
        FakeContextTest::SetUp();
        for (WindowKind kind : {WindowKind::Monitor1, WindowKind::Monitor3, WindowKind::Status}) {
            WindowSettings& s = context.settings.windows[static_cast<int>(kind)];
            s.WINDOW_WIDTH = 640;
            s.WINDOW_HEIGHT = 400;
            s.FONT_POINT = 90;
            s.NAME_LENGTH = 10;
            s.DATA_LENGTH = 8;
            s.UNIT_LENGTH = 4;
            s.STATUS_NAME_LENGTH = 6;
            s.STATUS_DATA_LENGTH = 6;
        }
    }

    // A monitor frame shown at its place, first update done.
    std::unique_ptr<CMonitorChildFrame> OpenMonitor(WindowKind kind) {
        auto frame = std::make_unique<CMonitorChildFrame>(context, kind);
        frame->View()->OnInitialUpdate();
        frame->show();
        EXPECT_TRUE(WaitUntil([&] { return frame->isVisible(); }));
        RunEvents(10);
        return frame;
    }

};

TEST_F(PanelViewTest, AMonitorPaintsItsBoxesAndCellsWhereTheLayoutSays) {
    dir.Write("MONITOR1.TXT", kMonitor1);
    dir.Write("ST.TXT", kStatusTable);
    auto frame = OpenMonitor(WindowKind::Monitor1);
    auto* view = frame->MonitorView();
    Send(view, hintMonitor1, "$QVR,MON1,1500,A,77*00\r\n");
    view->Refresh();
    const MonitorPanel& panel = view->Panel();
    ASSERT_EQ(panel.items.size(), 3u);
    EXPECT_EQ(panel.metrics.cx, view->CharWidth());
    EXPECT_EQ(panel.metrics.row, view->CharHeight() + 4);
    const QImage image = PaintedPanel(view);

    // The value box: white inside its two-line sunken frame.
    const QRect value = ToQRect(panel.items[0].valueRect);
    EXPECT_EQ(PixelAt(image, value.left() + 3, value.bottom() - 3), "255,255,255");
    EXPECT_EQ(PixelAt(image, value.left(), value.top()), "64,64,64");
    EXPECT_EQ(PixelAt(image, value.right(), value.bottom()), "255,255,255");
    EXPECT_EQ(PixelAt(image, value.left() + 1, value.top() + 1), "0,0,0");
    EXPECT_EQ(PixelAt(image, value.right() - 1, value.bottom() - 1), "192,192,192");
    // The status item (A: bits 1 and 3) draws "Idle" and "ALARM" cells.
    const std::vector<PanelCell>& cells = panel.items[1].cells;
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_FALSE(panel.items[1].hasValueBox);
    const QRect idle = ToQRect(cells[0].cellRect);
    EXPECT_EQ(PixelAt(image, idle.left() + 3, idle.bottom() - 3), "10,20,30");
    const QRect alarm = ToQRect(cells[1].cellRect);
    EXPECT_EQ(PixelAt(image, alarm.left() + 3, alarm.bottom() - 3), "255,0,0");
    EXPECT_EQ(PixelAt(image, alarm.left(), alarm.top()), "64,64,64");
    // Grey wherever nothing is drawn: below the items and beside the name.
    EXPECT_EQ(PixelAt(image, 5, panel.height + 5), "192,192,192");
    const QRect name = ToQRect(panel.items[0].nameRect);
    EXPECT_EQ(PixelAt(image, name.right() - 1, name.bottom() - 1), "192,192,192");
    // Some ink of the name's text is black, inside its rectangle.
    bool ink = false;
    for (int y = name.top(); y <= name.bottom() && !ink; ++y)
        for (int x = name.left(); x <= name.left() + 5 * panel.metrics.cx && !ink; ++x)
            ink = image.pixelColor(x, y).lightness() < 96;
    EXPECT_TRUE(ink) << "no text in " << name.x() << "," << name.y();
}

TEST_F(PanelViewTest, ScreenReadersHearEachItemWithItsValueAndUnitAndEachCell) {
    dir.Write("MONITOR1.TXT", kMonitor1);
    dir.Write("ST.TXT", kStatusTable);
    auto frame = OpenMonitor(WindowKind::Monitor1);
    auto* view = frame->MonitorView();
    Send(view, hintMonitor1, "$QVR,MON1,1500,1,77*00\r\n");
    view->Refresh();
    const std::vector<Spoken> spoken = SpokenItems(view);
    ASSERT_EQ(spoken.size(), 5u);
    // In drawing order: an item, then its cells.
    const std::pair<const char*, const char*> expected[] = {
        {"Speed", "1500.0 rpm"}, {"State", "1"}, {"Mode", "Run"}, {"Alarm", "OK"}, {"Load", "77"}};
    for (std::size_t i = 0; i < spoken.size(); ++i) {
        EXPECT_EQ(Text(spoken[i].name), expected[i].first) << i;
        EXPECT_EQ(Text(spoken[i].value), expected[i].second) << i;
        EXPECT_EQ(spoken[i].description, spoken[i].value) << i;
        EXPECT_EQ(spoken[i].role, QAccessible::StaticText) << i;
    }
    // Each is where it is drawn, and found there.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface* speed = iface->child(0);
    const QRect onScreen = speed->rect();
    EXPECT_EQ(onScreen.size(), QSize(view->Panel().metrics.block, view->Panel().metrics.row));
    EXPECT_EQ(iface->childAt(onScreen.center().x(), onScreen.center().y()), speed);
    EXPECT_EQ(iface->indexOfChild(speed), 0);
    EXPECT_EQ(speed->parent(), iface);
    EXPECT_FALSE(speed->state().offscreen);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Monitor1"));
    // The view's own widgets stay reachable after the drawn items.
    EXPECT_EQ(iface->childCount(), 6);
    EXPECT_EQ(iface->child(5)->object(), view->Area());

    // A new value is heard after the next decode; a status item's new
    // value lays the panel out anew, for its cells.
    const int layouts = view->Layouts();
    Send(view, hintMonitor1, "$QVR,MON1,-2.5,1,77*00\r\n");
    view->Refresh();
    EXPECT_EQ(Text(SpokenValue(view, QStringLiteral("Speed"))), "-2.5 rpm");
    EXPECT_EQ(view->Layouts(), layouts);
    Send(view, hintMonitor1, "$QVR,MON1,-2.5,0,77*00\r\n");
    EXPECT_EQ(Text(SpokenValue(view, QStringLiteral("Mode"))), "Run");
    view->Refresh();
    EXPECT_EQ(Text(SpokenValue(view, QStringLiteral("Mode"))), "Idle");
    EXPECT_EQ(view->Layouts(), layouts + 1);
}

TEST_F(PanelViewTest, TheViewDecodesOnItsOwnHalfSecondTimerOnly) {
    dir.Write("MONITOR1.TXT", kMonitor1);
    auto frame = OpenMonitor(WindowKind::Monitor1);
    auto* view = frame->MonitorView();
    EXPECT_TRUE(view->RefreshTimer()->isActive());
    EXPECT_EQ(view->RefreshTimer()->interval(), 500);
    // Other hints are not its frames.
    Send(view, hintMonitor2, "$QVR,MON2,1*00\r\n");
    Send(view, hintStatus, "$QVR,STS,1*00\r\n");
    EXPECT_FALSE(view->Model().HasNewData());
    Send(view, hintMonitor1, "$QVR,MON1,12*00\r\n");
    Send(view, hintMonitor1, "$QVR,MON1,13*00\r\n");
    EXPECT_EQ(Text(SpokenValue(view, QStringLiteral("Speed"))), "rpm");
    ASSERT_TRUE(WaitUntil(
        [&] { return SpokenValue(view, QStringLiteral("Speed")) == QStringLiteral("13.0 rpm"); },
        1500));
    EXPECT_FALSE(view->Model().HasNewData());
}

TEST_F(PanelViewTest, MonitorThreeReadsTheBlockLengthInEitherOrder) {
    dir.Write("MONITOR3.TXT",
              "Column,Name,Type,Scale,Format,Display,Unit,X,Y,Status file,Offset\r\n"
              "1,Count,UINT2LE,1,%u,UINT,,0,0,,0\r\n"
              "2,Next,UCHAR,1,%u,UINT,,0,1,,0\r\n");
    for (int format : {0, 1}) {
        SCOPED_TRACE(format);
        context.settings.m_nBinLengthFormat = format;
        auto frame = OpenMonitor(WindowKind::Monitor3);
        auto* view = frame->MonitorView();
        // Five bytes arrive; the length bytes say four belong to the block.
        const uint8_t block[] = {uint8_t(format == 0 ? 4 : 0), uint8_t(format == 0 ? 0 : 4), 0x34,
                                 0x12, 0x99};
        view->OnUpdate(hintMonitor3, block, sizeof block);
        view->Refresh();
        EXPECT_EQ(Text(SpokenValue(view, QStringLiteral("Count"))), "4660");
        EXPECT_EQ(Text(SpokenValue(view, QStringLiteral("Next"))), "");
        EXPECT_EQ(view->Model().Block().size(), 4u);
    }
}

TEST_F(PanelViewTest, TheStatusWindowPaintsAndSpeaksItsWordAndCells) {
    dir.Write("STATUS.TXT",
              "Label,Bits,Value,Text,Red,Green,Blue,X,Y\r\n"
              "Mode,0-1,1,Run,0,255,0,0,0\r\n"
              "Mode,0-1,others,Idle,10,20,30,0,0\r\n"
              "Servo,16,1,ON,0,200,0,1,1\r\n"
              "Servo,16,0,OFF,192,192,192,1,1\r\n");
    CStatusChildFrame frame(context);
    auto* view = frame.StatusView();
    view->OnInitialUpdate();
    frame.show();
    ASSERT_TRUE(WaitUntil([&] { return frame.isVisible(); }));
    EXPECT_EQ(view->RequestCommand(), "C28");
    EXPECT_EQ(view->RefreshTimer()->interval(), 500);
    EXPECT_EQ(Text(SpokenValue(view, QStringLiteral("Status word"))), "00000000");
    Send(view, hintMonitor1, "$QVR,STS,1*00\r\n");
    Send(view, hintStatus, "$QVR,STS,10001*00\r\n");
    view->Refresh();
    const std::vector<Spoken> spoken = SpokenItems(view);
    ASSERT_EQ(spoken.size(), 3u);
    EXPECT_EQ(Text(spoken[0].name), "Status word");
    EXPECT_EQ(Text(spoken[0].value), "00010001");
    EXPECT_EQ(Text(spoken[1].name), "Mode");
    EXPECT_EQ(Text(spoken[1].value), "Run");
    EXPECT_EQ(Text(spoken[2].name), "Servo");
    EXPECT_EQ(Text(spoken[2].value), "ON");

    const StatusPanel& panel = view->Panel();
    const QImage image = PaintedPanel(view);
    const QRect word = ToQRect(panel.wordRect);
    EXPECT_EQ(word.topLeft(), QPoint(0, 0));
    EXPECT_EQ(word.width(), 8 * view->CharWidth() + 4);
    EXPECT_EQ(PixelAt(image, word.left() + 2, word.bottom() - 2), "255,255,255");
    EXPECT_EQ(PixelAt(image, word.left(), word.top()), "64,64,64");
    ASSERT_EQ(panel.cells.size(), 2u);
    // Cell row 0 lies below the word box.
    EXPECT_EQ(panel.cells[0].cellRect.top, panel.metrics.row);
    const QRect run = ToQRect(panel.cells[0].cellRect);
    EXPECT_EQ(PixelAt(image, run.left() + 3, run.bottom() - 3), "0,255,0");
    const QRect on = ToQRect(panel.cells[1].cellRect);
    EXPECT_EQ(PixelAt(image, on.right() - 3, on.bottom() - 3), "0,200,0");
    EXPECT_EQ(PixelAt(image, word.right() + 5, 3), "192,192,192");
}

TEST_F(PanelViewTest, AHundredThousandItemsScrollPaintingOnlyWhatIsInSight) {
    const int kItems = 100000;
    std::string definition = "Position,Name,Type,Scale,Format,Display,Unit,X,Y,Status file\r\n";
    for (int i = 0; i < kItems; ++i) {
        definition += "1,Item" + std::to_string(i) + ",FLOAT4,1,%.1f,FLOAT,u,0," +
                      std::to_string(i) + ",\r\n";
    }
    dir.Write("MONITOR1.TXT", definition);
    QElapsedTimer clock;
    clock.start();
    auto frame = OpenMonitor(WindowKind::Monitor1);
    auto* view = frame->MonitorView();
    const qint64 openMs = clock.restart();
    Send(view, hintMonitor1, "$QVR,MON1,42*00\r\n");
    view->Refresh();
    const qint64 decodeMs = clock.restart();
    ASSERT_EQ(view->EntryCount(), kItems);
    // Without status items a decode changes texts, not places: no new layout.
    EXPECT_EQ(view->Layouts(), 1);
    const int row = view->Panel().metrics.row;
    QScrollBar* bar = view->Area()->verticalScrollBar();
    const int client = view->Area()->viewport()->height();
    EXPECT_EQ(bar->maximum(), kItems * row - client);
    const std::size_t inSight = static_cast<std::size_t>(client / row + 2);

    PaintedPanel(view);
    EXPECT_LE(view->LastPainted(), inSight);
    EXPECT_GT(view->LastPainted(), 0u);
    qint64 slowestMs = 0;
    for (int target : {50000, 99900, 10}) {
        bar->setValue(target * row);
        clock.restart();
        const QImage image = PaintedPanel(view);
        slowestMs = std::max(slowestMs, clock.elapsed());
        EXPECT_LE(view->LastPainted(), inSight) << target;
        EXPECT_GT(view->LastPainted(), 0u) << target;
        // The item at the top is the one scrolled to, and is heard there.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        const QPoint top = view->Area()->viewport()->mapToGlobal(QPoint(3, 3));
        QAccessibleInterface* item = iface->childAt(top.x(), top.y());
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(Text(item->text(QAccessible::Name)), "Item" + std::to_string(target));
        EXPECT_EQ(Text(item->text(QAccessible::Value)), "42.0 u");
        EXPECT_EQ(PixelAt(image, view->Panel().items[0].valueRect.left + 3, row - 4),
                  "255,255,255");
    }
    // The keyboard scrolls as well: the view has the focus.
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(bar->value(), row);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), row + client - row);
    std::printf("100000 items: open %lld ms, decode and layout %lld ms, slowest paint %lld ms\n",
                static_cast<long long>(openMs), static_cast<long long>(decodeMs),
                static_cast<long long>(slowestMs));
    EXPECT_LT(slowestMs, 250);
}

}  // namespace
}  // namespace quelda::test
