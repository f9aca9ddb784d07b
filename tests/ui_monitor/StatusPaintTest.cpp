// The status window paints again only what a new word changes.
#include <QEvent>
#include <QPaintEvent>
#include <QRegion>

#include "routing/UpdateHint.h"
#include "support/FakeViewContext.h"
#include "views/monitor/CPanelArea.h"
#include "views/monitor/PanelPainter.h"
#include "views/status/CStatusChildFrame.h"
#include "views/status/CStatusView.h"

namespace quelda::test {
namespace {

// Collects what a widget is asked to paint.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

void Send(CStatusView* view, const std::string& text) {
    view->OnUpdate(hintStatus, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    view->Refresh();
}

class StatusPaintTest : public FakeContextTest {};

TEST_F(StatusPaintTest, OnlyWhatTheWordChangesIsPaintedAgain) {
    dir.Write("STATUS.TXT",
              "Label,Bits,Value,Text,Red,Green,Blue,X,Y\r\n"
              "Mode,0-1,1,Run,0,255,0,0,0\r\n"
              "Mode,0-1,others,Idle,10,20,30,0,0\r\n"
              "Servo,16,1,ON,0,200,0,1,1\r\n"
              "Servo,16,0,OFF,192,192,192,1,1\r\n");
    // Big enough that every cell is in sight.
    WindowSettings& window = context.settings.windows[static_cast<int>(WindowKind::Status)];
    window.WINDOW_WIDTH = 640;
    window.WINDOW_HEIGHT = 400;
    CStatusChildFrame frame(context);
    CStatusView* view = frame.StatusView();
    view->OnInitialUpdate();
    frame.show();
    ASSERT_TRUE(WaitUntil([&] { return frame.isVisible(); }));
    Send(view, "$QVR,STS,10001*00\r\n");
    RunEvents(50);
    PaintRecorder recorder;
    view->Area()->viewport()->installEventFilter(&recorder);

    // The same word again: nothing to paint.
    Send(view, "$QVR,STS,10001*00\r\n");
    RunEvents(50);
    EXPECT_EQ(recorder.paints, 0);

    // The servo bit drops: the word box and the servo cell, not the mode cell.
    Send(view, "$QVR,STS,1*00\r\n");
    ASSERT_TRUE(WaitUntil([&] { return recorder.paints > 0; }));
    const quelda::StatusPanel& panel = view->Panel();
    ASSERT_EQ(panel.cells.size(), 2u);
    EXPECT_EQ(panel.cells[1].text, "OFF");
    EXPECT_TRUE(recorder.painted.contains(paneldraw::ToQRect(panel.wordRect)));
    EXPECT_TRUE(recorder.painted.contains(paneldraw::ToQRect(panel.cells[1].cellRect)));
    EXPECT_FALSE(recorder.painted.intersects(paneldraw::ToQRect(panel.cells[0].cellRect)));
}

}  // namespace
}  // namespace quelda::test
