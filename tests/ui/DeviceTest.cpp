// The main frame against quelda-device on a pseudo-terminal: the demo start,
// command buttons with and without an answer, the communication log, the
// automatic search, the command records' edit, and the enable states.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include "app/CComCommandDlg.h"
#include "app/CCommandBar.h"
#include "app/CCommandEditDlg.h"
#include "app/CDemoSession.h"
#include "app/CRecordButtons.h"
#include "app/CViewBar.h"
#include "app/CommandIds.h"
#include "text/TextFile.h"
#include "protocol/Frame.h"
#include "support/DeviceProcess.h"
#include "support/MainFrameFixture.h"
#include "views/monitor/CMonitorChildFrame.h"

namespace quelda::test {
namespace {

const QString kDemoDir = QStringLiteral(QUELDA_SOURCE_DIR "/src/ui/res/demo");
const QString kDemoProfile = kDemoDir + QStringLiteral("/device");

// Records with and without the ACK check, as the demo's first buttons.
const char kRecords[] =
    "Run,RUN,1,,,,,1,1\r\n"
    "Status,STS,,,,,,0,1\r\n"
    "Version,VER,,,,,,0,1\r\n";

class DeviceTest : public MainFrameTest {
protected:
    void StartWithDevice(const QStringList& extra = {}, const std::string& baud = "19200",
                         const std::string& parity = "NO") {
        std::vector<std::string> args{"--profile", kDemoProfile.toStdString()};
        for (const QString& arg : extra) args.push_back(arg.toStdString());
        ASSERT_TRUE(device.Start(args, 5000));
        dir.Write("COMMAND2.TXT", kRecords);
        StartOn(device.Path(), baud, parity);
    }
    QAction* Command(int id) const { return main->Action(id); }

    DeviceProcess device;
};

TEST_F(DeviceTest, DemoFilesStartAgainstTheDeviceAndAnswer) {
    UiApp();
    CDemoSession demo(kDemoDir, QString::fromStdString(dir.Path() + "demo"),
                      QStringLiteral(QUELDA_BIN_DIR "/quelda-device"));
    ASSERT_TRUE(demo.Start()) << demo.Error().toStdString();
    // The copy points its port at the device's link.
    std::vector<std::string> settings;
    ASSERT_TRUE(ReadLines(dir.Path() + "demo/PSETTING.TXT", settings));
    EXPECT_EQ(QString::fromStdString(settings.at(0)), demo.LinkPath());
    main = std::make_unique<CMainFrame>(dir.Path() + "demo/", prompt);
    main->ShowView(QStringLiteral("TERM"));
    ASSERT_TRUE(WaitUntil([this] { return main->IsConnected(); }));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Quelda ") + demo.LinkPath());
    EXPECT_EQ(main->CommandBar()->CommandButton(13)->text(), QStringLiteral("Version"));
    main->CommandBar()->CommandButton(13)->click();  // VER, no ACK check
    EXPECT_TRUE(TerminalHas(BuildLine("$QVR,VER*")));
    ASSERT_TRUE(WaitUntil([this] { return TerminalLines().size() >= 2; }));
    EXPECT_EQ(TerminalLines()[1].rfind("$QVR,VER,", 0), 0u) << TerminalLines()[1];
    EXPECT_TRUE(prompt.messages.empty());
    main.reset();
    // A second start keeps what the user changed in the copy.
    dir.Write("demo/COMMAND2.TXT", "Mine,RUN,,,,,,0,1\r\n");
    demo.Stop();
    ASSERT_TRUE(
        CDemoSession::CopyMissingFiles(kDemoDir, QString::fromStdString(dir.Path() + "demo")));
    EXPECT_EQ(dir.Read("demo/COMMAND2.TXT"), "Mine,RUN,,,,,,0,1\r\n");
}

TEST_F(DeviceTest, AnAnsweredAckCheckEndsTheWaitSilently) {
    StartWithDevice();
    main->CommandBar()->CommandButton(0)->click();  // RUN with the ACK check
    EXPECT_TRUE(main->Core().ReplyWait());
    ASSERT_TRUE(WaitUntil([this] { return !main->Core().ReplyWait(); }));
    RunEvents(700);
    EXPECT_TRUE(prompt.messages.empty()) << prompt.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(TerminalHas(BuildLine("$QVR,ACK*")));
}

TEST_F(DeviceTest, AnUnansweredAckCheckTimesOutAndSendingWorksAgain) {
    StartWithDevice({QStringLiteral("--silent")});
    main->CommandBar()->CommandButton(0)->click();
    ASSERT_TRUE(WaitUntil([this] { return !prompt.messages.empty(); }, 2000));
    EXPECT_EQ(prompt.MessageTexts(), QStringList{QStringLiteral("Receive timeout occurred")});
    EXPECT_FALSE(main->Core().ReplyWait());
    EXPECT_EQ(main->SendButtonCommand(1), 1);
}

TEST_F(DeviceTest, TheCommunicationLogHoldsTheSentLineThenTheReceivedBytes) {
    StartWithDevice();
    const std::string logName = "traffic.LOG";
    main->ViewBar()->LogNameEdit()->setText(QString::fromStdString(logName));
    main->ViewBar()->SaveBox()->click();
    EXPECT_TRUE(main->Core().Logging());
    EXPECT_FALSE(main->ViewBar()->LogNameEdit()->isEnabled());
    EXPECT_TRUE(Command(cmd::kSaveCommLog)->isChecked());
    main->CommandBar()->CommandButton(1)->click();  // STS
    ASSERT_TRUE(WaitUntil([this] { return TerminalLines().size() >= 2; }));
    Command(cmd::kSaveCommLog)->trigger();  // off again, from the menu
    EXPECT_FALSE(main->Core().Logging());
    EXPECT_FALSE(main->ViewBar()->SaveBox()->isChecked());
    EXPECT_TRUE(main->ViewBar()->LogNameEdit()->isEnabled());
    const std::string sent = BuildLine("$QVR,STS*");
    const std::string received = TerminalLines()[1];
    EXPECT_EQ(received.rfind("$QVR,STS,", 0), 0u);
    // A relative name is taken in the program directory.
    EXPECT_EQ(dir.Read(logName), sent + received);
}

TEST_F(DeviceTest, TheSearchFindsTheDeviceAtTheEleventhStepAndSavesOnYes) {
    StartWithDevice({QStringLiteral("--baud"), QStringLiteral("57600"), QStringLiteral("--parity"),
                     QStringLiteral("ODD")});
    prompt.answers = {true};
    main->ApplyComCommand(CComCommandDlg::Auto, main->Core().GetLineSettings());
    ASSERT_TRUE(WaitUntil([this] { return !prompt.questions.empty(); }, 12000))
        << prompt.MessageTexts().join('|').toStdString();
    EXPECT_EQ(prompt.questions,
              QStringList{QStringLiteral("It was connected . Do you want to save the settings?")});
    EXPECT_EQ(main->Core().SearchIndex(), 11);
    EXPECT_FALSE(main->Core().SearchRunning());
    EXPECT_TRUE(main->IsConnected());
    ASSERT_TRUE(
        WaitUntil([this] { return dir.Read("PSETTING.TXT").find("57600") != std::string::npos; }));
    EXPECT_EQ(dir.Read("PSETTING.TXT"), PortSettings(device.Path(), "57600", "ODD"));
    EXPECT_TRUE(prompt.messages.empty());
    // The status bar's pane shows what was found.
    EXPECT_EQ(main->ConnectionPane()->text().toStdString(), device.Path() + " 57600 8O1 connected");
}

TEST_F(DeviceTest, ConnectionStatesEnableTheCommands) {
    StartWithDevice();
    main->ShowView(QStringLiteral("Monitor1"));
    auto* monitor = static_cast<CMonitorChildFrame*>(main->ShowView(QStringLiteral("Monitor1")));
    struct State {
        bool connect, disconnect, setting, buttons;
    };
    auto expect = [&](const State& s) {
        EXPECT_EQ(Command(cmd::kConnect)->isEnabled(), s.connect);
        EXPECT_EQ(Command(cmd::kDisconnect)->isEnabled(), s.disconnect);
        EXPECT_EQ(Command(cmd::kComSetting)->isEnabled(), s.setting);
        EXPECT_TRUE(Command(cmd::kComRequest)->isEnabled());
        for (int i = 0; i < CCommandBar::kButtons; ++i) {
            EXPECT_EQ(main->CommandBar()->CommandButton(i)->isEnabled(), s.buttons) << i;
            EXPECT_TRUE(main->CommandBar()->EditButton(i)->isEnabled()) << i;
        }
        EXPECT_EQ(monitor->CommandButtons()->SendButton(0)->isEnabled(), s.buttons);
        EXPECT_TRUE(monitor->CommandButtons()->EditButton(0)->isEnabled());
    };
    expect({false, true, false, true});
    // Without record 21 the monitor's Cmd1 keeps its caption and sends nothing.
    EXPECT_EQ(monitor->CommandButtons()->SendButton(0)->text(), QStringLiteral("Cmd1"));
    monitor->CommandButtons()->SendButton(0)->click();
    EXPECT_TRUE(TerminalLines().empty());
    QLabel* pane = main->ConnectionPane();
    EXPECT_EQ(pane->accessibleName(), QStringLiteral("Connection"));
    EXPECT_EQ(pane->accessibleDescription().toStdString(), device.Path() + " 19200 8N1 connected");
    Command(cmd::kDisconnect)->trigger();
    EXPECT_FALSE(main->IsConnected());
    expect({true, false, true, false});
    EXPECT_EQ(pane->text().toStdString(), device.Path() + " disconnected");
    Command(cmd::kConnect)->trigger();
    EXPECT_TRUE(main->IsConnected());
    expect({false, true, false, true});
}

TEST_F(DeviceTest, AnEditedRecordIsSavedShownAtOnceAndSentOnSend) {
    StartWithDevice();
    CommandRecord edited = main->Core().CommandRecords()[2];
    edited.title = "Ver?";
    main->ApplyCommandEdit(2, edited, CCommandEditDlg::Ok);
    EXPECT_EQ(main->CommandBar()->CommandButton(2)->text(), QStringLiteral("Ver?"));
    EXPECT_NE(dir.Read("COMMAND2.TXT").find("Ver?,VER,"), std::string::npos);
    EXPECT_TRUE(TerminalLines().empty());
    edited.title = "Version";
    main->ApplyCommandEdit(2, edited, CCommandEditDlg::Cancel);
    EXPECT_EQ(main->CommandBar()->CommandButton(2)->text(), QStringLiteral("Ver?"));
    main->ApplyCommandEdit(2, edited, CCommandEditDlg::Send);
    EXPECT_EQ(main->CommandBar()->CommandButton(2)->text(), QStringLiteral("Version"));
    EXPECT_TRUE(TerminalHas(BuildLine("$QVR,VER*")));
    // A record that does not exist cannot be edited.
    main->ApplyCommandEdit(7, edited, CCommandEditDlg::Ok);
    EXPECT_EQ(main->Core().CommandRecords().size(), 3u);
}

TEST_F(DeviceTest, TheEditDialogOfAButtonChangesItsRecord) {
    StartWithDevice();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CCommandEditDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->TitleEdit()->setText(QStringLiteral("Go"));
        dialog->done(CCommandEditDlg::Ok);
    });
    main->CommandBar()->EditButton(0)->click();
    EXPECT_EQ(main->CommandBar()->CommandButton(0)->text(), QStringLiteral("Go"));
    EXPECT_EQ(dir.Read("COMMAND2.TXT").rfind("Go,RUN,1,,,,,1,1\r\n", 0), 0u);
    // ">" of a button without a record opens nothing.
    EXPECT_EQ(main->EditButtonCommand(10), CCommandEditDlg::Cancel);
}

TEST_F(DeviceTest, TheSettingRequestIsSentAndItsAnswerAwaited) {
    StartWithDevice();
    LineSettings asked = main->Core().GetLineSettings();
    asked.baud = "38400";
    asked.parity = "EVEN";
    main->ApplyComCommand(CComCommandDlg::Ok, asked);
    EXPECT_TRUE(TerminalHas(BuildLine("$QVR,COM,38400,8,EVEN,1*")));
    // The request does not change what the program connects with.
    EXPECT_EQ(main->Core().GetLineSettings().baud, "19200");
    ASSERT_TRUE(WaitUntil([this] { return !main->Core().ReplyWait(); }));
    main->ApplyComCommand(CComCommandDlg::Cancel, asked);
    EXPECT_EQ(TerminalLines().size(), 2u);
}

TEST_F(DeviceTest, SwitchesFollowTheMenusAndTheCore) {
    StartWithDevice();
    EXPECT_TRUE(main->FastDisplay());
    EXPECT_TRUE(Command(cmd::kFastDisplay)->isChecked());
    Command(cmd::kFastDisplay)->trigger();
    EXPECT_FALSE(main->Core().FastDisplay());
    EXPECT_FALSE(Command(cmd::kFastDisplay)->isChecked());
    Command(cmd::kErrorDisplay)->trigger();
    EXPECT_FALSE(main->Core().ErrorDisplay());
    // With the fast display off, an answer grows on one terminal line.
    main->SendButtonCommand(2);
    ASSERT_TRUE(WaitUntil([this] {
        const auto lines = TerminalLines();
        return lines.size() >= 2 && lines[1].size() > 2 &&
               lines[1].compare(lines[1].size() - 2, 2, "\r\n") == 0;
    }));
    EXPECT_EQ(TerminalLines()[1].rfind("$QVR,VER,", 0), 0u);
}

}  // namespace
}  // namespace quelda::test
