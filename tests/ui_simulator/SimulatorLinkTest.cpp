// The simulator window in the main frame: on a pseudo-terminal whose far
// side the test plays and counts (one shot, periodic, response, refused
// sends, the connection), and end to end against quelda-device with the
// demo profile.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/CDemoSession.h"
#include "app/CommandIds.h"
#include "protocol/Frame.h"
#include "support/MainFrameFixture.h"
#include "support/PtyPair.h"
#include "views/simulator/CSimulatorView.h"

namespace quelda::test {
namespace {

const char kDefinitions[] =
    "Title\r\n"
    "Speed,INT,4,%d,rpm,1500,1,0,0,\r\n"
    "Name,STRING,2,%s,,ABC,,,,\r\n";
const char kIni[] =
    "[SIMULATOR]\r\n"
    "WINDOW_LEFT=37\r\n"
    "WINDOW_TOP=23\r\n"
    "SEND_HEDDA=$QVR,SM\r\n"
    "RERIOD=10\r\n"
    "RECEIVE_HEDDA=$QVR,STS\r\n"
    "CHECKSUM=1\r\n";
const std::string kMessage = BuildLine("$QVR,SM,1500,AB*");

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

class SimulatorLinkTest : public MainFrameTest {
protected:
    void StartOnPty() {
        ASSERT_TRUE(pty.Ok());
        dir.Write("QUELDA.INI", kIni);
        dir.Write("SIMULATOR.TXT", kDefinitions);
        StartOn(pty.Path());
        OpenSimulator();
    }
    void OpenSimulator() {
        ASSERT_NE(main->ShowView(QStringLiteral("Simulator")), nullptr);
        for (CQueldaView* v : main->Document()->Views()) {
            if (auto* simulator = dynamic_cast<CSimulatorView*>(v)) view = simulator;
        }
        ASSERT_NE(view, nullptr);
    }
    // Runs the program while collecting what reaches the far side.
    void Collect(int milliseconds) {
        WaitUntil(
            [this] {
                got += pty.Drain(1);
                return false;
            },
            milliseconds);
    }
    // Runs the program until the terminal shows a received line beginning
    // with text: the frame went through the dispatch.
    bool Received(const std::string& text) {
        return WaitUntil([&] {
            for (const std::string& line : TerminalLines()) {
                if (line.rfind(text, 0) == 0) return true;
            }
            return false;
        });
    }
    void Send(int mode) {
        view->ModeRadio(mode)->click();
        view->SendButton()->click();
    }

    PtyPair pty;
    CSimulatorView* view = nullptr;
    std::string got;
};

TEST_F(SimulatorLinkTest, OneShotGoesOutFramedFromAWindowPlacedBySettings) {
    StartOnPty();
    auto* sub = qobject_cast<QMdiSubWindow*>(view->Frame()->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->pos(), QPoint(37, 23));
    EXPECT_EQ(sub->windowTitle(), QStringLiteral("Simulator"));
    Send(0);
    EXPECT_EQ(pty.ReadUntil([](const std::string& s) { return s.find('\n') != s.npos; }),
              kMessage);
    EXPECT_TRUE(TerminalHas(kMessage));
    // The values sent are the file's values now.
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"),
              "Title,,,,,,,,,\r\nSpeed,INT,4,%d,rpm,1500,1,0,0,\r\nName,STRING,2,%s,,ABC,,,,\r\n");
}

TEST_F(SimulatorLinkTest, PeriodicAtTenHertzKeepsSendingUntilStop) {
    StartOnPty();
    view->ModeRadio(1)->click();
    EXPECT_EQ(view->PeriodEdit()->text(), QStringLiteral("10"));
    view->SendButton()->click();
    Collect(2000);
    view->StopButton()->click();
    Collect(300);  // lines already on their way
    const std::size_t lines = Count(got, kMessage);
    EXPECT_GE(lines, 10u) << got;
    EXPECT_LE(lines, 30u) << got;
    EXPECT_EQ(Count(got, "\n"), lines);
    got.clear();
    Collect(600);
    EXPECT_EQ(got, "");
    EXPECT_EQ(view->Simulator().RefusedCount(), 0);
}

TEST_F(SimulatorLinkTest, ResponseAnswersOnlyFramesWithTheReceptionBeginning) {
    StartOnPty();
    Send(2);
    for (const char* frame : {"$QVR,VER,1*", "$QVR,STS,0001*", "$QVR,VERSTS*", "$QVR,STS,0002*"}) {
        ASSERT_TRUE(pty.Write(BuildLine(frame)));
    }
    ASSERT_TRUE(Received("$QVR,STS,0002"));
    got += pty.Drain(100);
    EXPECT_EQ(got, kMessage + kMessage);
    // Stop empties the reception prefix and answers no more.
    view->StopButton()->click();
    got.clear();
    ASSERT_TRUE(pty.Write(BuildLine("$QVR,STS,0003*")));
    ASSERT_TRUE(Received("$QVR,STS,0003"));
    got += pty.Drain(100);
    EXPECT_EQ(got, "");
}

TEST_F(SimulatorLinkTest, SendsRefusedDuringAReplyWaitAreShown) {
    StartOnPty();
    view->ModeRadio(1)->click();
    view->PeriodEdit()->setText(QStringLiteral("20"));
    view->SendButton()->click();
    // A request awaiting its answer holds every other send back.
    ASSERT_EQ(view->Context().SendCommand("RUN", 1), 1);
    ASSERT_TRUE(WaitUntil([this] { return view->Simulator().RefusedCount() >= 2; }));
    const QString text = view->RefusedLabel()->text();
    EXPECT_TRUE(text.endsWith(QStringLiteral(": %1").arg(view->Simulator().RefusedCount())))
        << text.toStdString();
    // The periodic sends go on once the answer has ended the wait.
    got.clear();
    ASSERT_TRUE(pty.Write(BuildLine("$QVR,ACK*")));
    ASSERT_TRUE(WaitUntil([this] {
        got += pty.Drain(1);
        return Count(got, kMessage) >= 2;
    }, 5000)) << got << " refused " << view->Simulator().RefusedCount();
    view->StopButton()->click();
}

TEST_F(SimulatorLinkTest, SendFollowsConnectAndDisconnectAtOnce) {
    StartOnPty();
    EXPECT_TRUE(view->SendButton()->isEnabled());
    main->Action(cmd::kDisconnect)->trigger();
    EXPECT_FALSE(main->IsConnected());
    EXPECT_FALSE(view->SendButton()->isEnabled());
    EXPECT_TRUE(view->StopButton()->isEnabled());
    main->Action(cmd::kConnect)->trigger();
    ASSERT_TRUE(WaitUntil([this] { return main->IsConnected(); }));
    EXPECT_TRUE(view->SendButton()->isEnabled());
}

TEST_F(SimulatorLinkTest, DemoSimulatorTalksToTheVirtualDevice) {
    const QString demoDir = QStringLiteral(QUELDA_SOURCE_DIR "/src/ui/res/demo");
    CDemoSession demo(demoDir, QString::fromStdString(dir.Path() + "demo"),
                      QStringLiteral(QUELDA_BIN_DIR "/quelda-device"));
    ASSERT_TRUE(demo.Start()) << demo.Error().toStdString();
    main = std::make_unique<CMainFrame>(dir.Path() + "demo/", prompt);
    main->ShowView(QStringLiteral("TERM"));
    main->resize(1000, 700);
    main->show();
    ASSERT_TRUE(WaitUntil([this] { return main->IsConnected(); }));
    OpenSimulator();
    // Edit rows and list rows, one of them changed and so marked.
    QTest::keyClicks(view->ValueEdit(1), "0");
    QTest::keyClick(view->ChoiceList(5), Qt::Key_Down);  // Alarm: None -> Overload
    view->ModeRadio(1)->click();
    if (const char* shots = std::getenv("QUELDA_SHOT_DIR")) {
        RunEvents(100);
        view->Frame()->parentWidget()->grab().save(QString::fromLocal8Bit(shots) +
                                                   QStringLiteral("/simulator.png"));
        main->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/simulator-main.png"));
    }
    view->ModeRadio(0)->click();
    view->SendButton()->click();
    const std::string sent = BuildLine("$QVR,SIM,RUN,15000,12.5,36.6,B0E,016,000000FF*");
    EXPECT_TRUE(TerminalHas(sent));
    // The device takes the unknown command and acknowledges it.
    EXPECT_TRUE(Received("$QVR,ACK"));
    EXPECT_TRUE(prompt.messages.empty());
    main.reset();
    demo.Stop();
}

}  // namespace
}  // namespace quelda::test
