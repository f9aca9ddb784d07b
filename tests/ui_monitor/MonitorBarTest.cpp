// The monitor frame's bar on a fake context: the proposed log name, Save
// taking the box's name, the red Save box while the log cannot be written,
// Cmd1/Cmd2 following the connection, ">" moving the request command, and
// monitor 3's converter opened on its log.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include "app/CRecordButtons.h"
#include "app/CommandIds.h"
#include "routing/UpdateHint.h"
#include "support/FakeViewContext.h"
#include "support/MainFrameFixture.h"
#include "support/TempDir.h"
#include "text/FileNames.h"
#include "tools/bintext/CBinTextDlg.h"
#include "ui_monitor/PanelTestSupport.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/monitor/CMonitorView.h"

namespace quelda::test {
namespace {

using Strings = std::vector<std::string>;

void Send(CQueldaView* view, const std::string& text) {
    view->OnUpdate(hintMonitor1, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

class MonitorBarTest : public FakeContextTest {
protected:
    void SetUp() override {
        FakeContextTest::SetUp();
        dir.Write("MONITOR1.TXT",
                  "Position,Name,Type,Scale,Format,Display,Unit,X,Y,Status file\r\n"
                  "1,Speed,FLOAT4,1,%.1f,FLOAT,rpm,0,0,\r\n");
    }

};

TEST_F(MonitorBarTest, SaveTakesTheBoxsNameAndLocksTheBoxWhileChecked) {
    CMonitorChildFrame frame(context, WindowKind::Monitor1);
    frame.View()->OnInitialUpdate();
    QLineEdit* name = frame.LogNameEdit();
    const std::string proposed = dir.Path() + TodayYYMMDD() + "00.CSV";
    EXPECT_EQ(Text(name->text()), proposed);
    EXPECT_EQ(Text(name->selectedText()), proposed);
    const std::string chosen = dir.File("mine.CSV");
    name->setText(QString::fromStdString(chosen));
    frame.SaveBox()->click();
    EXPECT_FALSE(name->isEnabled());
    EXPECT_TRUE(frame.MonitorView()->Model().Saving());
    EXPECT_EQ(frame.MonitorView()->Model().LogFileName(), chosen);
    Send(frame.View(), "$QVR,MON1,1*00\r\n");
    Send(frame.View(), "$QVR,MON1,2*00\r\n");
    EXPECT_EQ(dir.Read("mine.CSV"), ",,Speed,\r\n$QVR,MON1,1*00\r\n$QVR,MON1,2*00\r\n");
    frame.SaveBox()->click();
    EXPECT_TRUE(name->isEnabled());
    EXPECT_FALSE(frame.MonitorView()->Model().Saving());
    Send(frame.View(), "$QVR,MON1,3*00\r\n");
    EXPECT_EQ(dir.Read("mine.CSV"), ",,Speed,\r\n$QVR,MON1,1*00\r\n$QVR,MON1,2*00\r\n");
    EXPECT_FALSE(frame.ShowsLogFailure());
}

TEST_F(MonitorBarTest, TheSaveBoxTurnsRedWhileTheLogCannotBeWritten) {
    CMonitorChildFrame frame(context, WindowKind::Monitor1);
    frame.View()->OnInitialUpdate();
    frame.resize(640, 200);
    frame.show();
    ASSERT_TRUE(WaitUntil([&] { return frame.isVisible(); }));
    QCheckBox* save = frame.SaveBox();
    const QString normalTip = save->toolTip();
    const QImage before = save->grab().toImage();
    const std::string missing = dir.File("no-such-dir/log.CSV");
    frame.LogNameEdit()->setText(QString::fromStdString(missing));
    save->click();
    Send(frame.View(), "$QVR,MON1,1*00\r\n");
    ASSERT_TRUE(frame.ShowsLogFailure());
    // The tooltip names the file and the system's reason.
    EXPECT_TRUE(save->toolTip().startsWith(QString::fromStdString(missing) + ": "))
        << Text(save->toolTip());
    EXPECT_GT(save->toolTip().size(), QString::fromStdString(missing).size() + 2);
    EXPECT_TRUE(save->accessibleDescription().contains(QString::fromStdString(missing)));
    RunEvents(10);
    const QImage red = save->grab().toImage();
    const QColor corner = red.pixelColor(red.width() - 2, red.height() / 2);
    EXPECT_EQ(Rgb(corner), "220,0,0");
    EXPECT_NE(Rgb(before.pixelColor(before.width() - 2, before.height() / 2)), "220,0,0");
    // A second failure keeps it red; a record written again clears it.
    Send(frame.View(), "$QVR,MON1,2*00\r\n");
    EXPECT_TRUE(frame.ShowsLogFailure());
    save->click();
    frame.LogNameEdit()->setText(QString::fromStdString(dir.File("ok.CSV")));
    save->click();
    EXPECT_TRUE(frame.ShowsLogFailure());
    Send(frame.View(), "$QVR,MON1,3*00\r\n");
    EXPECT_FALSE(frame.ShowsLogFailure());
    EXPECT_EQ(save->toolTip(), normalTip);
    EXPECT_TRUE(save->styleSheet().isEmpty());
    EXPECT_EQ(dir.Read("ok.CSV"), ",,Speed,\r\n$QVR,MON1,3*00\r\n");
}

TEST_F(MonitorBarTest, CommandButtonsShowTheirRecordsAndFollowTheConnection) {
    context.connected = false;
    for (WindowKind kind :
         {WindowKind::Monitor1, WindowKind::Monitor2, WindowKind::Monitor3, WindowKind::Monitor4}) {
        CMonitorChildFrame frame(context, kind);
        frame.View()->OnInitialUpdate();
        const int first = frame.MonitorView()->Constants().firstCommandRecord;
        CRecordButtons* buttons = frame.CommandButtons();
        for (int slot : {0, 1}) {
            EXPECT_EQ(Text(buttons->SendButton(slot)->text()), "T" + std::to_string(first + slot));
            EXPECT_FALSE(buttons->SendButton(slot)->isEnabled());
            EXPECT_TRUE(buttons->EditButton(slot)->isEnabled());
        }
        emit context.events.ConnectionChanged(true);
        EXPECT_TRUE(buttons->SendButton(0)->isEnabled());
        EXPECT_TRUE(buttons->SendButton(1)->isEnabled());
        emit context.events.ConnectionChanged(false);
        EXPECT_FALSE(buttons->SendButton(1)->isEnabled());
    }
}

TEST_F(MonitorBarTest, AfterTheFirstEditTheRequestFollowsItsRecord) {
    CMonitorChildFrame frame(context, WindowKind::Monitor3);
    frame.View()->OnInitialUpdate();
    EXPECT_EQ(context.binaryCommands, Strings{"C24"});
    context.records[25].command = "X25";
    emit context.events.CommandRecordChanged(25);
    EXPECT_EQ(frame.View()->RequestCommand(), "C24");
    context.records[24].command = "X24";
    emit context.events.CommandRecordChanged(24);
    EXPECT_EQ(frame.View()->RequestCommand(), "X24");
    EXPECT_EQ(context.binaryCommands, (Strings{"C24", "X24"}));

    CMonitorChildFrame text(context, WindowKind::Monitor1);
    text.View()->OnInitialUpdate();
    context.records[20].command = "X20";
    emit context.events.CommandRecordChanged(20);
    EXPECT_EQ(text.View()->RequestCommand(), "X20");
    // Only monitor 3's frames carry a block.
    EXPECT_EQ(context.binaryCommands, (Strings{"C24", "X24"}));
}

// Runs the converter dialog that action opens and returns its three names.
Strings ConverterNames(QAction* action) {
    Strings names;
    QTimer::singleShot(0, [&names] {
        auto* dialog = qobject_cast<CBinTextDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        names = {Text(dialog->BinaryEdit()->text()), Text(dialog->DefinitionEdit()->text()),
                 Text(dialog->OutputEdit()->text())};
        dialog->reject();
    });
    action->trigger();
    return names;
}

TEST_F(MonitorBarTest, MonitorThreesConverterOpensOnItsLog) {
    CMonitorChildFrame other(context, WindowKind::Monitor1);
    EXPECT_EQ(other.CommandAction(cmd::kBinToText), nullptr);

    CMonitorChildFrame frame(context, WindowKind::Monitor3);
    frame.View()->OnInitialUpdate();
    QAction* convert = frame.CommandAction(cmd::kBinToText);
    ASSERT_NE(convert, nullptr);
    const std::string proposed = dir.Path() + TodayYYMMDD() + "00";
    EXPECT_EQ(ConverterNames(convert),
              (Strings{proposed + ".BIN", dir.Path() + "MONITOR3.TXT", proposed + ".CSV"}));
    // Save takes the box's name as the log's.
    frame.LogNameEdit()->setText(QString::fromStdString(dir.File("run.bin")));
    frame.SaveBox()->click();
    EXPECT_EQ(ConverterNames(convert),
              (Strings{dir.File("run.bin"), dir.Path() + "MONITOR3.TXT", dir.File("run.CSV")}));
}

class MonitorMenuTest : public MainFrameTest {};

TEST_F(MonitorMenuTest, TheFileMenuOfMonitorThreeOpensTheConverter) {
    dir.Write("PSETTING.TXT", "/nonexistent/quelda-port\r\n");
    Start();
    main->ShowView(QStringLiteral("Monitor3"));
    QAction* item = MenuItem(QStringLiteral("File(&F)"), QStringLiteral("Binary to Text Convert"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    const Strings names = ConverterNames(item);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1], dir.Path() + "MONITOR3.TXT");
    EXPECT_EQ(names[0].substr(names[0].size() - 4), ".BIN");
}

}  // namespace
}  // namespace quelda::test
