// The terminal at work in a running main frame: drag and copy, find, the
// bounded refresh, scrolling back in a flood, and where the focus starts.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "TermFrameFixture.h"
#include "app/CHelpBrowser.h"
#include "config/Settings.h"
#include "views/term/CTermFindBar.h"
#include "views/term/CTermTextArea.h"

namespace quelda::test {
namespace {

class TermUseTest : public TermFrameTest {
protected:
    QWidget* Viewport() const { return view->TextArea()->viewport(); }
    // Inside the left half of cell `cell` on draw row `row` of the window.
    QPoint CellPoint(int row, int cell) const {
        const double cw = QFontMetricsF(view->Font()).horizontalAdvance(QLatin1Char('0'));
        const int y = row * view->LineHeight() + view->LineHeight() / 2 -
                      view->TextArea()->verticalScrollBar()->value();
        return QPoint(static_cast<int>((cell + 0.25) * cw), y);
    }
    void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        target->activateWindow();
        QTest::keyClick(target, key, mods);
        RunEvents(10);
    }
};

int CountPaints(QWidget* widget, const std::function<void()>& run) {
    struct Counter : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++count;
            return false;
        }
    } counter;
    widget->installEventFilter(&counter);
    run();
    widget->removeEventFilter(&counter);
    return counter.count;
}

TEST_F(TermUseTest, ADragAcrossLinesCopiesTheTextWithCtrlC) {
    view->AddLine("$QVR,STS*2D\r\n", kLineSent);
    view->AddLine("$QVR,STS,00010004*04\r\n", kLineReceived);
    RunEvents(50);
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(0, 5));
    QTest::mouseMove(Viewport(), CellPoint(1, 2));
    QTest::mouseMove(Viewport(), CellPoint(1, 4));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(1, 4));
    QApplication::clipboard()->clear();
    view->TextArea()->setFocus();
    Key(view->TextArea(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("STS*2D\n$QVR"));
    // Ctrl+A then the menu's hex copy: all bytes of every line.
    Key(view->TextArea(), Qt::Key_A, Qt::ControlModifier);
    view->MenuAction(QStringLiteral("Copy as hex"))->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("24 51 56 52 2C")));
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), 1);
}

TEST_F(TermUseTest, TheFindBarFindsAndSaysNotFound) {
    for (int i = 0; i < 200; ++i)
        view->AddLine("line " + std::to_string(i) + "\r\n", kLineReceived);
    view->AddLine("$QVR,STS*2D\r\n", kLineSent);
    for (int i = 0; i < 50; ++i) view->AddLine("tail\r\n", kLineReceived);
    RunEvents(50);
    Key(frame->CommandLine()->lineEdit(), Qt::Key_F, Qt::ControlModifier);
    CTermFindBar* bar = view->FindBar();
    ASSERT_TRUE(bar->isVisible());
    QTest::keyClicks(bar->Edit(), QStringLiteral("line 42"));
    Key(bar->Edit(), Qt::Key_Return);
    EXPECT_EQ(view->Selection().Text(view->Lines()), "line 42");
    EXPECT_TRUE(bar->Result()->text().isEmpty());
    // Scrolled into view: the match's row lies inside the window.
    const int y = CellPoint(42, 0).y();
    EXPECT_GE(y, 0);
    EXPECT_LT(y, Viewport()->height());
    EXPECT_FALSE(view->Following());
    bar->Edit()->setText(QStringLiteral("sts*2d"));
    Key(bar->Edit(), Qt::Key_F3);
    EXPECT_EQ(view->Selection().Text(view->Lines()), "STS*2D");
    bar->Edit()->setText(QStringLiteral("absent"));
    Key(bar->Edit(), Qt::Key_Return);
    EXPECT_EQ(bar->Result()->text(), QStringLiteral("not found"));
}

TEST_F(TermUseTest, ABurstEndsAtTheBottomAfterOneRefreshWithNoLineLost) {
    for (int i = 0; i < 10000; ++i)
        view->AddLine("line " + std::to_string(i) + "\r\n", kLineReceived);
    view->Refresh();
    const CTermLineList& lines = view->Lines();
    const QScrollBar* bar = view->TextArea()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(bar->maximum(), lines.HeightRows() * view->LineHeight() - Viewport()->height());
    // The held lines are the newest, in order, none skipped.
    for (std::size_t i = 0; i < lines.Size(); ++i) {
        EXPECT_EQ(lines.Line(i).text, "line " + std::to_string(10000 - lines.Size() + i) + "\r\n");
    }
}

TEST_F(TermUseTest, ALineAfterSilenceIsPaintedWithoutWaitingForTheTimer) {
    RunEvents(200);  // quiet
    const int paints = CountPaints(Viewport(), [this] {
        view->AddLine("single answer\r\n", kLineReceived);
        // Posted events only: no timer of 300 ms (or 33) can have run out here.
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    });
    EXPECT_GE(paints, 1);
}

TEST_F(TermUseTest, ScrolledBackTheViewStaysAndTheMarkResumesFollowing) {
    for (int i = 0; i < 250; ++i) view->AddLine("old " + std::to_string(i) + "\r\n", kLineReceived);
    view->Refresh();
    QScrollBar* bar = view->TextArea()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    EXPECT_FALSE(view->Following());
    const TermPos top = view->Lines().PositionAt(bar->value() / view->LineHeight(), 0);
    const std::string topText = view->Lines().Line(top.serial - view->Lines().FirstSerial()).text;
    for (int i = 0; i < 40; ++i) view->AddLine("new\r\n", kLineReceived);  // trims 100 lines
    view->Refresh();
    const TermPos after = view->Lines().PositionAt(bar->value() / view->LineHeight(), 0);
    EXPECT_EQ(view->Lines().Line(after.serial - view->Lines().FirstSerial()).text, topText);
    EXPECT_TRUE(view->NewLinesMark()->isVisible());
    view->NewLinesMark()->click();
    EXPECT_TRUE(view->Following());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_FALSE(view->NewLinesMark()->isVisible());
}

TEST_F(TermUseTest, StartUpFocusIsInTheCommandLine) {
    QWidget* focus = main->focusWidget();
    // The combo box hands its focus on to its edit.
    EXPECT_TRUE(focus == frame->CommandLine() || focus == frame->CommandLine()->lineEdit())
        << (focus ? focus->metaObject()->className() : "none") << " "
        << (focus ? focus->accessibleName().toStdString() : "");
}

TEST(HelpBrowser, ShowsThePageAndFollowsItsLinks) {
    UiApp();
    CHelpBrowser help(QStringLiteral(QUELDA_SOURCE_DIR "/src/ui/res/help/help.html"));
    QTextBrowser* browser = help.Browser();
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("<CR><LF>")));
    browser->setSource(QUrl(QStringLiteral("#demo")));
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("demo"));
    CHelpBrowser missing(QStringLiteral("/nonexistent/help.html"));
    EXPECT_TRUE(missing.Browser()->toPlainText().contains(QStringLiteral("missing")));
}

// The MDI area of a 1280x800 main window below its menu and two bars: the
// demo's terminal, monitors and status window side by side inside it.
TEST(DemoLayout, SixWindowsSideBySideInA1280x800MainWindow) {
    const Settings settings = LoadSettings(QUELDA_SOURCE_DIR "/src/ui/res/demo/");
    std::vector<QRect> placed;
    for (WindowKind kind : {WindowKind::Term, WindowKind::Monitor1, WindowKind::Monitor2,
                            WindowKind::Monitor3, WindowKind::Monitor4, WindowKind::Status}) {
        const WindowSettings& ws = settings.Window(kind);
        const QRect rect(ws.WINDOW_LEFT, ws.WINDOW_TOP, ws.WINDOW_WIDTH, ws.WINDOW_HEIGHT);
        EXPECT_TRUE(QRect(0, 0, 1264, 660).contains(rect)) << static_cast<int>(kind);
        for (const QRect& other : placed)
            EXPECT_FALSE(rect.intersects(other)) << static_cast<int>(kind);
        placed.push_back(rect);
    }
}

}  // namespace
}  // namespace quelda::test
