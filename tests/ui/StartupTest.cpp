// Start-up of the main frame: defaults without files, the title, the log-name
// proposal, the bars with their prompts, hiding by QUELDA.INI, and names for
// screen readers.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include "app/CCommandBar.h"
#include "app/CViewBar.h"
#include "app/CommandIds.h"
#include "text/FileNames.h"
#include "support/MainFrameFixture.h"

namespace quelda::test {
namespace {

const std::string kNoPort = "/nonexistent/quelda-port";

TEST_F(MainFrameTest, StartsWithoutFilesOnDefaultsAndReportsThePort) {
    dir.Write("PSETTING.TXT", kNoPort + "\r\n");
    Start();
    EXPECT_EQ(main->windowTitle().toStdString(), "Quelda");
    ASSERT_TRUE(WaitUntil([this] { return !prompt.messages.empty(); }));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, QStringLiteral("COM port open error"));
    EXPECT_EQ(prompt.messages[0].caption, QStringLiteral("error"));
    // The box keeps its old words; the status bar says why.
    EXPECT_EQ(main->statusBar()->currentMessage().toStdString(), kNoPort + ": no such port");
    EXPECT_EQ(main->windowTitle().toStdString(), "Quelda " + kNoPort);
    EXPECT_FALSE(main->IsConnected());
    // The rest of the line settings and the headers keep their defaults.
    const LineSettings& line = main->Core().GetLineSettings();
    EXPECT_EQ(line.baud, "19200");
    EXPECT_EQ(line.dataBits, "8");
    EXPECT_EQ(line.parity, "NO");
    EXPECT_EQ(line.stopBits, "1");
    EXPECT_EQ(main->GetSettings().sendHeader, "$QVR");
    // The terminal is open, the shared document has it, its menu shows.
    ASSERT_NE(Terminal(), nullptr);
    EXPECT_FALSE(main->Document()->IsEmpty());
    EXPECT_EQ(main->CurrentMenuId(), 129);
}

TEST_F(MainFrameTest, WithoutPortSettingsTheTitleNamesCom1) {
    // No PSETTING.TXT: the first Connect uses COM1, whatever the system
    // makes of it, and the title names it.
    Start();
    ASSERT_TRUE(WaitUntil([this] { return main->windowTitle() != QStringLiteral("Quelda"); }));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Quelda COM1"));
    if (!main->IsConnected()) {
        EXPECT_TRUE(prompt.HasMessage(QStringLiteral("COM port open error")));
    }
}

TEST_F(MainFrameTest, ProposesTheFirstFreeLogNameSelected) {
    const std::string base = dir.Path() + TodayYYMMDD();
    dir.Write(TodayYYMMDD() + "00.LOG", "x");
    dir.Write(TodayYYMMDD() + "01.LOG", "x");
    dir.Write("PSETTING.TXT", kNoPort + "\r\n");
    Start();
    QLineEdit* edit = main->ViewBar()->LogNameEdit();
    EXPECT_EQ(edit->text().toStdString(), base + "02.LOG");
    EXPECT_EQ(edit->selectedText(), edit->text());
    EXPECT_TRUE(edit->isEnabled());
}

TEST_F(MainFrameTest, CommandButtonsShowRecordTitlesAndCommandOtherwise) {
    dir.Write("COMMAND2.TXT", "Start,RUN,1,,,,,1,1\r\nStop,STOP,,,,,,0,1\r\nVer,VER,,,,,,0,1\r\n");
    dir.Write("PSETTING.TXT", kNoPort + "\r\n");
    Start();
    CCommandBar* bar = main->CommandBar();
    EXPECT_EQ(bar->CommandButton(0)->text(), QStringLiteral("Start"));
    EXPECT_EQ(bar->CommandButton(2)->text(), QStringLiteral("Ver"));
    for (int i = 3; i < CCommandBar::kButtons; ++i) {
        EXPECT_EQ(bar->CommandButton(i)->text(), QStringLiteral("Command")) << i;
    }
}

struct Prompted {
    int id;
    const char* statusTip;
    const char* toolTip;
};

TEST_F(MainFrameTest, ViewBarControlsCarryTheirPrompts) {
    dir.Write("PSETTING.TXT", kNoPort + "\r\n");
    Start();
    const Prompted table[] = {
        {cmd::kViewTerminal, "Terminal Display", "Terminal"},
        {cmd::kViewMonitor1, "Monitor 1 Display", "monitor 1"},
        {cmd::kViewMonitor3, "Monitor 3 Display", "monitor 3"},
        {cmd::kViewMonitor4, "", ""},
        {cmd::kViewStatus, "Status display", "status"},
        {cmd::kViewEeprom, "EEPROM edit display", "EEPROM edit"},
        {cmd::kViewSimulator, "", ""},
        {cmd::kComRequest, "Communication setting request", "communication setting request"},
    };
    for (const Prompted& row : table) {
        QWidget* button = main->ViewBar()->Button(row.id);
        ASSERT_NE(button, nullptr) << row.id;
        EXPECT_EQ(button->statusTip(), QString::fromUtf8(row.statusTip)) << row.id;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(row.toolTip)) << row.id;
    }
    EXPECT_EQ(main->ViewBar()->LogNameEdit()->toolTip(), QStringLiteral("LogFileName"));
    EXPECT_EQ(main->ViewBar()->SaveBox()->statusTip(), QStringLiteral("Communication log save"));
    EXPECT_EQ(main->ViewBar()->SaveBox()->toolTip(), QStringLiteral("save communication log"));
}

TEST_F(MainFrameTest, ViewMenuAndViewButtonFlagsHideCommandsEverywhere) {
    dir.Write("QUELDA.INI",
              "[EEPROM]\r\nVIEW_MENU=0\r\n[COM_SETTING]\r\nVIEW_MENU=0\r\n"
              "[COMMAND_BAR]\r\nVIEW_BUTTON3=0\r\nVIEW_BUTTON20=0\r\n");
    dir.Write("PSETTING.TXT", kNoPort + "\r\n");
    Start();
    CViewBar* viewBar = main->ViewBar();
    EXPECT_FALSE(viewBar->IsButtonShown(cmd::kViewEeprom));
    EXPECT_TRUE(viewBar->IsButtonShown(cmd::kViewSimulator));
    CCommandBar* bar = main->CommandBar();
    for (int i = 0; i < CCommandBar::kButtons; ++i) {
        const bool shown = i != 2 && i != 19;
        EXPECT_EQ(!bar->CommandButton(i)->isHidden(), shown) << i;
        EXPECT_EQ(!bar->EditButton(i)->isHidden(), shown) << i;
    }
    // In the terminal's menus, in a monitor's, and in the frame's own.
    for (const char* kind : {"TERM", "Monitor2"}) {
        main->ShowView(QString::fromLatin1(kind));
        EXPECT_FALSE(MenuTexts(QStringLiteral("View(&V)")).contains(QStringLiteral("EEPROM")));
        EXPECT_TRUE(MenuTexts(QStringLiteral("View(&V)")).contains(QStringLiteral("Simulator")));
        EXPECT_FALSE(MenuTexts(QStringLiteral("Communicate"))
                         .contains(QStringLiteral("Communication setting")));
        EXPECT_TRUE(MenuTexts(QStringLiteral("Communicate"))
                        .contains(QStringLiteral("Communication setting request")));
    }
}

TEST_F(MainFrameTest, EveryControlHasANameForScreenReaders) {
    dir.Write("PSETTING.TXT", kNoPort + "\r\n");
    Start();
    for (const char* kind : {"TERM", "Monitor1", "Monitor3", "Status", "Eeprom", "Simulator"}) {
        main->ShowView(QString::fromLatin1(kind));
    }
    int controls = 0;
    for (QWidget* widget : main->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget);
        // Parts of composite widgets (a combo box's own edit, the tool bar's
        // extension arrow) are named by their owner.
        if (!control || qobject_cast<QComboBox*>(widget->parentWidget())) continue;
        if (widget->objectName().startsWith(QLatin1String("qt_"))) continue;
        ++controls;
        EXPECT_FALSE(widget->accessibleName().isEmpty())
            << widget->metaObject()->className() << " " << widget->toolTip().toStdString();
    }
    EXPECT_GT(controls, 50);
}

}  // namespace
}  // namespace quelda::test
