// The child windows on the shared document: one per kind, their titles and
// places, the per-kind menus, a fresh document after every window closed,
// and a window that refuses to close.
#include <QDialogButtonBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "app/CChildFrame.h"
#include "app/CChildSubWindow.h"
#include "app/CDemoSession.h"
#include "app/CTERMDoc.h"
#include "routing/UpdateHint.h"
#include "support/MainFrameFixture.h"
#include "QueldaVersion.h"

namespace quelda::test {
namespace {

class WindowsTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        dir.Write("PSETTING.TXT", "/nonexistent/quelda-port\r\n");
    }
    QMdiSubWindow* SubWindowOf(CQueldaChildFrame* frame) const {
        return qobject_cast<QMdiSubWindow*>(frame->parentWidget());
    }
};

TEST_F(WindowsTest, ShowViewTwiceOpensOneWindowAndActivatesIt) {
    Start();
    CQueldaChildFrame* first = main->ShowView(QStringLiteral("Monitor1"));
    ASSERT_NE(first, nullptr);
    main->ShowView(QStringLiteral("TERM"));
    EXPECT_NE(main->ActiveChildFrame(), first);
    CQueldaChildFrame* again = main->ShowView(QStringLiteral("Monitor1"));
    EXPECT_EQ(again, first);
    EXPECT_EQ(main->ActiveChildFrame(), first);
    EXPECT_EQ(main->MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(main->Document()->Views().size(), 2);
    EXPECT_EQ(main->ShowView(QStringLiteral("Monitor5")), nullptr);
    EXPECT_EQ(main->ShowView(QStringLiteral("term")), nullptr);
}

struct KindRow {
    const char* typeName;
    WindowKind kind;
    const char* title;
    int menuId;
};

TEST_F(WindowsTest, EachKindOpensItsFrameWithTitleAndMenu) {
    Start();
    const KindRow rows[] = {
        {"TERM", WindowKind::Term, "Terminal", 129},
        {"Monitor1", WindowKind::Monitor1, "Monitor1", 104},
        {"Monitor2", WindowKind::Monitor2, "Monitor2", 105},
        {"Monitor3", WindowKind::Monitor3, "Monitor3", 106},
        {"Monitor4", WindowKind::Monitor4, "Monitor4", 107},
        {"Status", WindowKind::Status, "Status", 108},
        {"Eeprom", WindowKind::Eeprom, "ＥＥＰＲＯＭ", 109},
        {"Simulator", WindowKind::Simulator, "Simulator", 110},
    };
    for (const KindRow& row : rows) {
        CQueldaChildFrame* frame = main->ShowView(QString::fromLatin1(row.typeName));
        ASSERT_NE(frame, nullptr) << row.typeName;
        ASSERT_NE(frame->View(), nullptr) << row.typeName;
        EXPECT_EQ(frame->View()->Kind(), row.kind) << row.typeName;
        EXPECT_EQ(SubWindowOf(frame)->windowTitle(), QString::fromUtf8(row.title));
        EXPECT_EQ(main->CurrentMenuId(), row.menuId) << row.typeName;
        EXPECT_EQ(frame->View()->Document(), main->Document());
    }
    // The document lists the views in the order they were opened.
    const QVector<CQueldaView*> views = main->Document()->Views();
    ASSERT_EQ(views.size(), 8);
    for (int i = 0; i < views.size(); ++i) EXPECT_EQ(views[i]->Kind(), rows[i].kind);
}

TEST_F(WindowsTest, WindowsTakeTheirPlaceFromTheSettings) {
    dir.Write("QUELDA.INI",
              "[MONITOR2]\r\nWINDOW_LEFT=30\r\nWINDOW_TOP=40\r\nWINDOW_WIDTH=350\r\n"
              "WINDOW_HEIGHT=250\r\n[STATUS]\r\nWINDOW_LEFT=5\r\n");
    Start();
    CQueldaChildFrame* monitor = main->ShowView(QStringLiteral("Monitor2"));
    EXPECT_EQ(SubWindowOf(monitor)->geometry(), QRect(30, 40, 350, 250));
    CQueldaChildFrame* status = main->ShowView(QStringLiteral("Status"));
    EXPECT_EQ(SubWindowOf(status)->geometry(), QRect(5, 0, 200, 200));
}

// The demo's windows, each opened from the view bar of the 800 x 600 main
// window, lie wholly inside its window area, with nothing of their bars
// pushed out of sight.
TEST_F(WindowsTest, TheDemoWindowsFitTheMainWindow) {
    const std::string demo = dir.Path() + "demo";
    ASSERT_TRUE(CDemoSession::CopyMissingFiles(QStringLiteral(QUELDA_SOURCE_DIR "/src/ui/res/demo"),
                                               QString::fromStdString(demo)));
    main = std::make_unique<CMainFrame>(demo + "/", prompt);
    // The size the demo opens with on a screen that has room for it.
    main->resize(1280, 800);
    main->show();
    ASSERT_TRUE(WaitUntil([this] { return main->isVisible(); }));
    const QRect area = main->MdiArea()->viewport()->rect();
    for (const char* typeName : {"TERM", "Monitor1", "Monitor2", "Monitor3", "Monitor4", "Status",
                                 "Eeprom", "Simulator"}) {
        CQueldaChildFrame* frame = main->ShowView(QString::fromLatin1(typeName));
        ASSERT_NE(frame, nullptr) << typeName;
        RunEvents(10);
        EXPECT_TRUE(area.contains(SubWindowOf(frame)->geometry()))
            << typeName << " at " << SubWindowOf(frame)->geometry().x() << ","
            << SubWindowOf(frame)->geometry().y() << " " << SubWindowOf(frame)->geometry().width()
            << "x" << SubWindowOf(frame)->geometry().height() << " outside " << area.width() << "x"
            << area.height();
        // A bar too narrow for its controls hides the rest behind this button.
        for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
            auto* more = bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
            EXPECT_TRUE(more && !more->isVisible()) << typeName << ": the bar overflows";
        }
    }
}

struct MenuRow {
    const char* typeName;
    const char* menu;
    QStringList items;
};

TEST_F(WindowsTest, EachKindBringsItsMenus) {
    Start();
    const QStringList communicate = {"Connect", "Disconnect", "Communication setting",
                                     "Communication setting request", "Save the communication log"};
    const MenuRow rows[] = {
        {"TERM",
         "Communicate",
         {"Connect", "Disconnect", "Communication setting", "Send Command Line",
          "Communication setting request", "Save the communication log"}},
        {"Monitor1", "Communicate", communicate + QStringList{"Request", "Request stop"}},
        {"Status", "Communicate", communicate + QStringList{"Request"}},
        {"Simulator", "Communicate", communicate},
        {"TERM", "File(&F)", {"Print(&P)...\tCtrl+P", "Print Preview(&V)", "Exit(&X)"}},
        {"Monitor3", "File(&F)", {"Binary to Text Convert", "Exit(&X)"}},
        {"Eeprom", "File(&F)", {"New(&N)", "Open(&O)...", "Save(&S)", "Save As(&A)", "Exit(&X)"}},
        {"Monitor4",
         "View(&V)",
         {"StatusBar(&S)", "Terminal", "Monitor1", "Monitor2", "Monitor3", "Monitor4", "Status",
          "EEPROM", "Simulator", "Terminal fast display", "Terminal error display"}},
        {"Eeprom", "Window(&W)", {"Cascade(&C)", "Tile(&T)", "Arrange Icons(&A)"}},
        {"TERM", "Help(&H)", {"Version info(&A)...", "Display of help"}},
    };
    for (const MenuRow& row : rows) {
        main->ShowView(QString::fromLatin1(row.typeName));
        EXPECT_EQ(MenuTexts(QString::fromUtf8(row.menu)), row.items)
            << row.typeName << " " << row.menu;
    }
    EXPECT_EQ(MenuTitles(),
              (QStringList{"File(&F)", "View(&V)", "Communicate", "Window(&W)", "Help(&H)"}));
}

TEST_F(WindowsTest, CommandsNoWindowHandlesShowDisabled) {
    Start();
    main->ShowView(QStringLiteral("Monitor1"));
    EXPECT_FALSE(MenuItem(QStringLiteral("Communicate"), QStringLiteral("Request"))->isEnabled());
    EXPECT_FALSE(
        MenuItem(QStringLiteral("Communicate"), QStringLiteral("Request stop"))->isEnabled());
    // Fast display belongs to the terminal: usable while it is active.
    EXPECT_FALSE(
        MenuItem(QStringLiteral("View(&V)"), QStringLiteral("Terminal fast display"))->isEnabled());
    EXPECT_TRUE(MenuItem(QStringLiteral("View(&V)"), QStringLiteral("Terminal error display"))
                    ->isEnabled());
    main->ShowView(QStringLiteral("TERM"));
    EXPECT_TRUE(
        MenuItem(QStringLiteral("View(&V)"), QStringLiteral("Terminal fast display"))->isEnabled());
}

TEST_F(WindowsTest, WithEveryWindowClosedTheFrameMenuShowsAndANewWindowGetsADocument) {
    Start();
    main->ShowView(QStringLiteral("Monitor4"));
    main->MdiArea()->closeAllSubWindows();
    ASSERT_TRUE(WaitUntil([this] { return main->Document() == nullptr; }));
    EXPECT_EQ(main->Document(), nullptr);
    EXPECT_EQ(main->CurrentMenuId(), 128);
    EXPECT_EQ(MenuTitles(), (QStringList{"File(&F)", "View(&V)", "Help(&H)"}));
    EXPECT_EQ(MenuTexts(QStringLiteral("File(&F)")),
              (QStringList{"New(&N)", "Open(&O)...", "Printer setting(&R)...", "Exit(&X)"}));
    EXPECT_FALSE(MenuItem(QStringLiteral("File(&F)"), QStringLiteral("New(&N)"))->isEnabled());
    EXPECT_TRUE(MenuItem(QStringLiteral("File(&F)"), QStringLiteral("Printer setting(&R)..."))
                    ->isEnabled());
    EXPECT_FALSE(MenuItem(QStringLiteral("View(&V)"), QStringLiteral("ToolBar(&T)"))->isEnabled());
    EXPECT_TRUE(MenuItem(QStringLiteral("View(&V)"), QStringLiteral("StatusBar(&S)"))->isChecked());

    // A window opened now joins a fresh document, so broadcasts reach it.
    CQueldaChildFrame* monitor = main->ShowView(QStringLiteral("Monitor4"));
    ASSERT_NE(main->Document(), nullptr);
    EXPECT_FALSE(main->Document()->IsEmpty());
    EXPECT_EQ(monitor->View()->Document(), main->Document());
    ASSERT_EQ(main->Document()->Views().size(), 1);
    EXPECT_EQ(main->Document()->Views()[0]->Kind(), WindowKind::Monitor4);
    EXPECT_EQ(main->CurrentMenuId(), 107);
}

TEST_F(WindowsTest, TheRestoreRequestBringsAMinimisedWindowBack) {
    Start();
    main->showMinimized();
    ASSERT_TRUE(WaitUntil([this] { return main->isMinimized(); }));
    main->RestoreAndRaise();
    EXPECT_TRUE(WaitUntil([this] { return !main->isMinimized() && main->isVisible(); }));
}

TEST_F(WindowsTest, VersionInfoShowsTheVersionAndCloses) {
    Start();
    QString text;
    QTimer::singleShot(0, [&text] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Version Info"));
        for (QLabel* label : dialog->findChildren<QLabel*>()) text += label->text();
        auto* box = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        box->button(QDialogButtonBox::Ok)->click();
    });
    main->Action(57664)->trigger();
    EXPECT_EQ(text, QStringLiteral("Quelda Version 5.001(ENG)Linux build " QUELDA_VERSION));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A view that keeps its window open while it has unsaved work.
class StubbornView : public CQueldaView {
public:
    using CQueldaView::CQueldaView;
    WindowKind Kind() const override { return WindowKind::Eeprom; }
    void OnUpdate(int hint, const uint8_t*, std::size_t) override { hints.push_back(hint); }
    bool CanClose() override { return mayClose; }
    bool mayClose = false;
    std::vector<int> hints;
};

TEST_F(WindowsTest, AViewCanRefuseToCloseItsWindowAndTheProgram) {
    Start();
    auto* view = new StubbornView(main->ViewContext());
    auto* sub = new CChildSubWindow(new CChildFrame(main->ViewContext(), view));
    main->MdiArea()->addSubWindow(sub);
    main->Document()->AddView(view);
    sub->show();
    EXPECT_FALSE(sub->close());
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->MdiArea()->subWindowList().contains(sub));
    // It is still in the document and gets the broadcasts.
    main->Document()->UpdateAllViews(hintReply, reinterpret_cast<const uint8_t*>("x"), 1);
    EXPECT_EQ(view->hints, std::vector<int>{hintReply});
    view->mayClose = true;
    EXPECT_TRUE(sub->close());
}

TEST_F(WindowsTest, BroadcastReachesEveryViewInOrder) {
    Start();
    auto* first = new StubbornView(main->ViewContext());
    auto* second = new StubbornView(main->ViewContext());
    for (StubbornView* view : {first, second}) {
        view->mayClose = true;
        auto* sub = new CChildSubWindow(new CChildFrame(main->ViewContext(), view));
        main->MdiArea()->addSubWindow(sub);
        main->Document()->AddView(view);
    }
    main->Document()->UpdateAllViews(hintAck, nullptr, 0);
    main->Document()->UpdateAllViews(hintNak, nullptr, 0);
    EXPECT_EQ(first->hints, (std::vector<int>{hintAck, hintNak}));
    EXPECT_EQ(second->hints, (std::vector<int>{hintAck, hintNak}));
    delete first->Frame()->parentWidget();
    EXPECT_EQ(main->Document()->Views().size(), 2);  // the terminal and the second view
}

}  // namespace
}  // namespace quelda::test
