// What windows take from their context and ask of it, on a fake context;
// and the main frame's context: its prompts and the changes it passes on.
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

#include "app/CCommandEditDlg.h"
#include "app/CRecordButtons.h"
#include "support/FakeViewContext.h"
#include "support/MainFrameFixture.h"
#include "text/FileNames.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/status/CStatusChildFrame.h"

namespace quelda::test {
namespace {

using Strings = std::vector<std::string>;
using Indexes = std::vector<int>;

using WindowOnFakeContextTest = FakeContextTest;

TEST_F(WindowOnFakeContextTest, EachMonitorTakesItsRecordsAndProposesItsLogName) {
    struct Case {
        WindowKind kind;
        int first;
        const char* extension;
    } const cases[] = {
        {WindowKind::Monitor1, 20, "CSV"},
        {WindowKind::Monitor2, 22, "CSV"},
        {WindowKind::Monitor3, 24, "BIN"},
        {WindowKind::Monitor4, 26, "CSV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        context.binaryCommands.clear();
        context.sentRecords.clear();
        context.editedRecords.clear();
        CMonitorChildFrame frame(context, c.kind);
        frame.View()->OnInitialUpdate();
        EXPECT_EQ(frame.View()->RequestCommand(), "C" + std::to_string(c.first));
        // Only monitor 3's frames carry a binary block.
        EXPECT_EQ(context.binaryCommands,
                  c.kind == WindowKind::Monitor3 ? Strings{"C24"} : Strings{});
        EXPECT_EQ(frame.LogNameEdit()->text().toStdString(),
                  dir.Path() + TodayYYMMDD() + "00." + c.extension);
        CRecordButtons* buttons = frame.CommandButtons();
        EXPECT_EQ(buttons->SendButton(1)->text().toStdString(), "T" + std::to_string(c.first + 1));
        buttons->SendButton(1)->click();
        buttons->EditButton(1)->click();
        EXPECT_EQ(context.sentRecords, Indexes{c.first + 1});
        EXPECT_EQ(context.editedRecords, Indexes{c.first + 1});
    }
}

TEST_F(WindowOnFakeContextTest, WithoutItsRecordAMonitorRequestsNothing) {
    context.records = NumberedRecords(24);
    CMonitorChildFrame frame(context, WindowKind::Monitor3);
    frame.View()->OnInitialUpdate();
    EXPECT_EQ(frame.View()->RequestCommand(), "");
    EXPECT_TRUE(context.binaryCommands.empty());
    EXPECT_EQ(frame.CommandButtons()->SendButton(0)->text(), QStringLiteral("Cmd1"));
}

TEST_F(WindowOnFakeContextTest, TheStatusWindowFollowsEditsOfItsRecordAndTheConnection) {
    CStatusChildFrame frame(context);
    frame.View()->OnInitialUpdate();
    QToolButton* req = frame.CommandButtons()->SendButton(0);
    EXPECT_EQ(frame.View()->RequestCommand(), "C28");
    EXPECT_TRUE(req->isEnabled());
    context.records[27].command = "X27";
    context.records[28] = {"Req28", "X28"};
    emit context.events.CommandRecordChanged(27);
    EXPECT_EQ(frame.View()->RequestCommand(), "C28");
    EXPECT_EQ(req->text(), QStringLiteral("T28"));
    emit context.events.CommandRecordChanged(28);
    EXPECT_EQ(frame.View()->RequestCommand(), "X28");
    EXPECT_EQ(req->text(), QStringLiteral("Req28"));
    emit context.events.ConnectionChanged(false);
    EXPECT_FALSE(req->isEnabled());
    EXPECT_TRUE(frame.CommandButtons()->EditButton(0)->isEnabled());
}

class MainFrameViewContextTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        dir.Write("PSETTING.TXT", "/nonexistent/quelda-port\r\n");
        dir.Write("COMMAND2.TXT", "Start,RUN,1,,,,,1,1\r\n");
        Start();
    }
};

TEST_F(MainFrameViewContextTest, PromptsCarryTheProgramsCaptionTheirIconAndButtons) {
    IViewContext& context = main->ViewContext();
    EXPECT_TRUE(context.Prompt(QStringLiteral("done"), IViewContext::Buttons::Ok,
                               IViewContext::PromptKind::Warning));
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages.back().text, QStringLiteral("done"));
    EXPECT_EQ(prompt.messages.back().caption, QStringLiteral("Quelda"));
    EXPECT_EQ(prompt.messages.back().icon, IUserPrompt::Icon::Warning);
    context.Prompt(QStringLiteral("noted"), IViewContext::Buttons::Ok,
                   IViewContext::PromptKind::Information);
    EXPECT_EQ(prompt.messages.back().icon, IUserPrompt::Icon::Information);

    prompt.answers = {true, false};
    EXPECT_TRUE(context.Prompt(QStringLiteral("go?"), IViewContext::Buttons::YesNo,
                               IViewContext::PromptKind::Information));
    EXPECT_FALSE(context.Prompt(QStringLiteral("really?"), IViewContext::Buttons::OkCancel,
                                IViewContext::PromptKind::Warning));
    EXPECT_EQ(prompt.questions, (QStringList{"go?", "really?"}));
    EXPECT_EQ(prompt.questionButtons,
              (std::vector<IUserPrompt::Buttons>{IUserPrompt::Buttons::YesNo,
                                                 IUserPrompt::Buttons::OkCancel}));
}

TEST_F(MainFrameViewContextTest, WindowsHearOfTheFastDisplayAndOfEditedRecords) {
    IViewContext& context = main->ViewContext();
    QSignalSpy fast(&context.Events(), &CViewEvents::FastDisplayChanged);
    QSignalSpy record(&context.Events(), &CViewEvents::CommandRecordChanged);
    context.SetFastDisplay(false);
    EXPECT_FALSE(main->FastDisplay());
    CommandRecord edited = context.CommandRecords()[0];
    edited.title = "Go";
    main->ApplyCommandEdit(0, edited, CCommandEditDlg::Ok);
    EXPECT_EQ(context.CommandRecords()[0].title, "Go");
    ASSERT_EQ(fast.count(), 1);
    EXPECT_FALSE(fast[0][0].toBool());
    ASSERT_EQ(record.count(), 1);
    EXPECT_EQ(record[0][0].toInt(), 0);
}

}  // namespace
}  // namespace quelda::test
