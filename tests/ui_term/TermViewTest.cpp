// The terminal view inside a running main frame: colours, scrolling, the
// coalesced repaint, the first update and printing.
#include <QFile>
#include <QImage>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>

#include "TermFrameFixture.h"
#include "app/CommandIds.h"
#include "term/TermGeometry.h"
#include "views/term/CTermTextArea.h"

namespace quelda::test {
namespace {

// The darkest pixel of a band of rows: full ink, where the colour shows pure.
QColor DarkestIn(const QImage& image, int top, int bottom) {
    QColor darkest(Qt::white);
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.lightness() < darkest.lightness()) darkest = c;
        }
    }
    return darkest;
}

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 12 && std::abs(a.green() - b.green()) <= 12 &&
           std::abs(a.blue() - b.blue()) <= 12;
}

TEST_F(TermFrameTest, EachKindIsDrawnInItsColour) {
    struct Case {
        int kind;
        QColor colour;
    } const cases[] = {
        {kLineSent, QColor(0, 80, 0)},
        {kLineReceived, QColor(0, 0, 100)},
        {kLineError, QColor(200, 0, 0)},
    };
    for (const Case& c : cases) view->AddLine("HWMEHWME\r\n", c.kind);
    ASSERT_TRUE(WaitUntil([this] { return view->TextArea()->viewport()->isVisible(); }));
    RunEvents(20);
    const QImage image = view->TextArea()->viewport()->grab().toImage();
    const int lh = view->LineHeight();
    for (int row = 0; row < 3; ++row) {
        const QColor darkest = DarkestIn(image, row * lh + 1, (row + 1) * lh - 1);
        EXPECT_TRUE(Near(darkest, cases[row].colour))
            << "row " << row << " darkest " << darkest.name().toStdString();
    }
    EXPECT_EQ(DarkestIn(image, 3 * lh + 2, image.height()), QColor(Qt::white));
}

// The rows of ink of the last row, drawn one row below the top of an image
// three rows high (so ink above the row is seen, not cut off).
std::vector<int> InkRowsOfLastRow(CTERMView& view) {
    const int lh = view.LineHeight();
    const int width = view.TextArea()->viewport()->width();
    QImage image(width, 3 * lh, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(0, lh);
    view.Draw(painter, width, (view.Lines().HeightRows() - 1) * lh, lh - 1);
    painter.end();
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            if (image.pixelColor(x, y).lightness() < 160) {
                rows.push_back(y - lh);
                break;
            }
        }
    }
    return rows;
}

// Kanji, kana and "$" keep their tops inside their row; a line of kanji and
// kana lies wholly inside it.
void ExpectGlyphsInsideTheirRow(CTERMView& view) {
    const int lh = view.LineHeight();
    struct Case {
        const char* text;
        bool wholly;
    } const cases[] = {{"日本語テスト", true}, {"$QVR,VER*38", false}};
    for (const Case& c : cases) {
        view.AddLine(c.text, kLineReceived);
        view.UpdateScrollSizes();
        const std::vector<int> rows = InkRowsOfLastRow(view);
        ASSERT_FALSE(rows.empty()) << c.text;
        EXPECT_GE(rows.front(), 0) << c.text << " at lh " << lh;
        if (c.wholly) {
            EXPECT_LT(rows.back(), lh) << c.text << " at lh " << lh;
        }
    }
}

TEST_F(TermFrameTest, TallGlyphsKeepTheirTopsInsideTheirRow) { ExpectGlyphsInsideTheirRow(*view); }

TEST_F(TermFrameTest, ManyLinesPaintOnceAndEndAtTheBottom) {
    int paints = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++*count;
            return false;
        }
    } counter(&paints);
    QWidget* viewport = view->TextArea()->viewport();
    viewport->installEventFilter(&counter);
    for (int i = 0; i < 2000; ++i)
        view->AddLine("line " + std::to_string(i) + "\r\n", kLineReceived);
    EXPECT_EQ(paints, 0) << "AddLine must not paint by itself";
    EXPECT_TRUE(view->IsChanged());
    RunEvents(20);
    EXPECT_GE(paints, 1);
    EXPECT_LE(paints, 3);
    viewport->removeEventFilter(&counter);

    const CTermLineList& lines = view->Lines();
    EXPECT_LE(lines.Size(), 301u);
    EXPECT_EQ(lines.Line(lines.Size() - 1).text, "line 1999\r\n");
    const int lh = view->LineHeight();
    const QScrollBar* bar = view->TextArea()->verticalScrollBar();
    const long long total = lines.HeightRows() * lh;
    EXPECT_EQ(bar->maximum(), total - viewport->height());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(lines.CharsPerRow(), CharsPerRow(viewport->width(), lh));

    // The thumb is a window high; a click into the trough moves h / lh pixels.
    QScrollBar* scroll = view->TextArea()->verticalScrollBar();
    EXPECT_EQ(scroll->pageStep(), viewport->height());
    scroll->setValue(0);
    scroll->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(scroll->value(), viewport->height() / lh);
}

TEST_F(TermFrameTest, TheTimerRefreshesAndClearsTheChangedFlag) {
    view->AddLine("x", kLineSent);
    EXPECT_TRUE(view->IsChanged());
    EXPECT_TRUE(WaitUntil([this] { return !view->IsChanged(); }, 2000));
}

TEST_F(TermFrameTest, PrintsWhatTheWindowShows) {
    for (int i = 0; i < 5; ++i) view->AddLine("printed line\r\n", kLineSent);
    RunEvents(20);
    const QString file = QString::fromStdString(dir.File("out.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    EXPECT_TRUE(view->PrintTo(printer));
    EXPECT_GT(QFile(file).size(), 0);
}

TEST_F(TermFrameTest, FileMenuPrintsAndPreviews) {
    QMenu* file = Menu(QStringLiteral("File(&F)"));
    ASSERT_NE(file, nullptr);
    QStringList texts;
    for (QAction* action : file->actions()) texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Print(&P)...\tCtrl+P", "Print Preview(&V)", "", "Exit(&X)"}));
    QAction* print = MenuItem(QStringLiteral("File(&F)"), texts[0]);
    EXPECT_EQ(print, frame->CommandAction(cmd::kFilePrint));
    EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* preview = MenuItem(QStringLiteral("File(&F)"), texts[1]);
    EXPECT_EQ(preview, frame->CommandAction(cmd::kFilePrintPreview));

    // The preview runs modally: note what opened, then close it.
    QString opened;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&opened, &closer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
            closer.stop();
        }
    });
    closer.start(10);
    preview->trigger();
    EXPECT_EQ(opened, QStringLiteral("QPrintPreviewDialog"));
}

class TermPlacedTest : public TermFrameTest {
protected:
    void WriteFiles() override {
        dir.Write("QUELDA.INI",
                  "[TERM]\nWINDOW_LEFT=5\nWINDOW_TOP=6\nWINDOW_WIDTH=420\nWINDOW_HEIGHT=310\n"
                  "FONT_POINT=90\n");
    }
};

TEST_F(TermPlacedTest, FirstUpdatePlacesTheWindowAndSizesTheFont) {
    auto* sub = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->windowTitle(), QStringLiteral("Terminal"));
    EXPECT_EQ(sub->geometry(), QRect(5, 6, 420, 310));
    EXPECT_EQ(view->LineHeight(), 90 * view->logicalDpiY() / 720);
    ExpectGlyphsInsideTheirRow(*view);
}

class TermTinyFontTest : public TermFrameTest {
protected:
    void WriteFiles() override { dir.Write("QUELDA.INI", "[TERM]\nFONT_POINT=1\n"); }
};

TEST_F(TermTinyFontTest, LineHeightNeverFallsBelowTwo) {
    EXPECT_EQ(view->LineHeight(), 2);
    view->AddLine("still drawn", kLineSent);
    RunEvents(20);
    EXPECT_GT(view->Lines().CharsPerRow(), 0);
}

}  // namespace
}  // namespace quelda::test
