// The EEPROM window on a fake context: the form after opening, editing and
// the modified flag, the file commands, page copy and paste, the close
// question, the check field and the menu commands.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/CommandIds.h"
#include "eeprom/EepromData.h"
#include "routing/UpdateHint.h"
#include "ui_eeprom/EepromViewFixture.h"

namespace quelda::test {
namespace {

constexpr int kAllSend = 1010, kAllRecv = 1011, kPageRecv = 1012, kPageSend = 1013;
constexpr int kSave = 1008, kOpen = 1009, kCopy = 1099, kPaste = 1101;

TEST_F(EepromViewTest, OpensWithTheTableTheFirstPageAndTheHeaders) {
    EXPECT_TRUE(context.prompts.empty()) << PromptTexts().join('|').toStdString();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("ＥＥＰＲＯＭ"));
    EXPECT_EQ(view->DataPath(), dir.Path() + "EEPROM.CSV");
    // Tab t is page line t + 1; line 0 (the signature block) is no tab.
    EXPECT_EQ(view->Tabs()->Title(0), QStringLiteral("Motor"));
    EXPECT_EQ(view->Tabs()->Title(1), QStringLiteral("Encoder"));
    EXPECT_EQ(view->Tabs()->Title(31), QStringLiteral("Factory"));
    EXPECT_EQ(view->Tabs()->Current(), 0);
    for (CPGrid* grid : {Left(), Right()}) {
        EXPECT_EQ(grid->Text(-1, -1), QStringLiteral("名前"));
        EXPECT_EQ(grid->Text(-1, 0), QStringLiteral("ＬＳＢ"));
        EXPECT_EQ(grid->Text(-1, 1), QStringLiteral("値"));
        EXPECT_EQ(grid->Text(-1, 2), QStringLiteral("単位"));
        EXPECT_EQ(grid->Rows(), 16);
        EXPECT_EQ(grid->Cols(), 3);
        EXPECT_EQ(grid->ColWidth(-1), 160);
    }
    // Page rows 0-15 on the left, 16-31 on the right.
    EXPECT_EQ(Left()->Text(0, -1), QStringLiteral("定格回転数"));
    EXPECT_EQ(Left()->Text(0, 0), QStringLiteral("10"));
    EXPECT_EQ(Left()->Text(0, 1), QStringLiteral("3000"));
    EXPECT_EQ(Left()->Text(0, 2), QStringLiteral("rpm"));
    EXPECT_EQ(Left()->Text(15, -1), QStringLiteral("エンコーダ分解能"));
    EXPECT_EQ(Right()->Text(0, -1), QStringLiteral("回転方向"));
    // The check field exists but is never shown.
    EXPECT_TRUE(view->CheckField()->isHidden());
}

TEST_F(EepromViewTest, TransferButtonsFollowTheConnection) {
    auto transferEnabled = [this](bool on) {
        for (int id : {kAllSend, kAllRecv, kPageRecv, kPageSend}) {
            EXPECT_EQ(view->Button(id)->isEnabled(), on) << id;
        }
        for (int id : {kSave, kOpen, kCopy, kPaste}) EXPECT_TRUE(view->Button(id)->isEnabled());
    };
    transferEnabled(false);
    context.connected = true;
    emit context.events.ConnectionChanged(true);
    transferEnabled(true);
    context.connected = false;
    emit context.events.ConnectionChanged(false);
    transferEnabled(false);
}

TEST_F(EepromViewTest, AnEditIsStoredOnTabChangeSetsTheFlagAndGetsANewWord) {
    Left()->SetText(0, 1, QStringLiteral("3100"));
    EXPECT_FALSE(view->Modified());
    view->Tabs()->Tab(1)->click();
    EXPECT_TRUE(view->Modified());
    const EepromItem& item = view->Transfer().Items()[1];
    EXPECT_EQ(item.value, "3100");
    EXPECT_EQ(item.hexValue, "18790000");  // 31000 = 7918, bytes reversed
    EXPECT_EQ(Left()->Text(0, -1), QStringLiteral("ENC 01 Gain"));
    view->Tabs()->Tab(0)->click();
    EXPECT_EQ(Left()->Text(0, 1), QStringLiteral("3100"));
    // The selected tab clicked again shows nothing anew: typing stays.
    Left()->SetText(1, 1, QStringLiteral("4600"));
    view->Tabs()->Tab(0)->click();
    EXPECT_EQ(Left()->Text(1, 1), QStringLiteral("4600"));
    EXPECT_EQ(view->Transfer().Items()[2].value, "4500");
}

TEST_F(EepromViewTest, TheCloseQuestionComesOnlyWithUnsavedChanges) {
    EXPECT_TRUE(view->CanClose());
    EXPECT_TRUE(context.prompts.empty());
    // Typing not yet stored still counts: closing stores the page first.
    Right()->SetText(2, 2, QStringLiteral("x"));
    context.answer = false;
    EXPECT_FALSE(view->CanClose());
    ASSERT_EQ(context.prompts.size(), 1u);
    EXPECT_EQ(context.prompts[0].text,
              QStringLiteral("Changes have not been saved. Are you sure you want to exit?"));
    EXPECT_EQ(context.prompts[0].buttons, PromptButtons::OkCancel);
    context.answer = true;
    EXPECT_TRUE(view->CanClose());
}

TEST_F(EepromViewTest, AFailedSaveSaysWhyAndKeepsTheChangesUnsaved) {
    const std::string old = dir.Read("EEPROM.CSV");
    Left()->SetText(0, 1, QStringLiteral("3100"));
    context.fileName = QString::fromStdString(dir.Path() + "missing/NEW.CSV");
    view->OnFileSaveAs();
    EXPECT_TRUE(view->Modified());
    EXPECT_EQ(view->DataPath(), dir.Path() + "EEPROM.CSV");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("ＥＥＰＲＯＭ"));
    ASSERT_EQ(context.prompts.size(), 1u);
    EXPECT_TRUE(context.prompts[0].text.startsWith(
        QStringLiteral("It failed to save the EEPROM file ") + context.fileName + ": "))
        << context.prompts[0].text.toStdString();
    EXPECT_GT(context.prompts[0].text.size(),
              QStringLiteral("It failed to save the EEPROM file : ").size() +
                  context.fileName.size());
    EXPECT_EQ(context.prompts[0].kind, PromptKind::Error);
    EXPECT_EQ(dir.Read("EEPROM.CSV"), old);
    // The close question still guards the changes.
    context.answer = false;
    EXPECT_FALSE(view->CanClose());
}

TEST_F(EepromViewTest, SaveAsAndOpenCarryTheEditsAndTheTitle) {
    Left()->SetText(0, 1, QStringLiteral("3100"));
    context.fileName = QString::fromStdString(dir.Path() + "COPY");  // no extension
    view->OnFileSaveAs();
    EXPECT_FALSE(view->Modified());
    EXPECT_EQ(view->DataPath(), dir.Path() + "COPY.CSV");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("ＥＥＰＲＯＭ:") + context.fileName + ".CSV");
    EXPECT_NE(dir.Read("COPY.CSV").find("定格回転数,INT4LE,10,%d,rpm,3100,18790000,INT4\r\n"),
              std::string::npos);
    // Ctrl+S saves a further edit to the same file without asking.
    Left()->SetText(0, 1, QStringLiteral("3200"));
    view->FileAction(cmd::kFileSave)->trigger();
    EXPECT_FALSE(view->Modified());
    EXPECT_NE(dir.Read("COPY.CSV").find(",3200,"), std::string::npos);
    // Open with unsaved typing asks first; Cancel keeps everything.
    Left()->SetText(0, 1, QStringLiteral("1"));
    context.fileName = QString::fromStdString(dir.Path() + "EEPROM.CSV");
    context.answer = false;
    view->OnFileOpen();
    EXPECT_EQ(PromptTexts().last(), QStringLiteral("Changes have not been saved. You read ?"));
    EXPECT_EQ(view->DataPath(), dir.Path() + "COPY.CSV");
    context.answer = true;
    view->OnFileOpen();
    EXPECT_FALSE(view->Modified());
    EXPECT_EQ(view->DataPath(), dir.Path() + "EEPROM.CSV");
    EXPECT_EQ(Left()->Text(0, 1), QStringLiteral("3000"));
    // New starts from the default header: reading the empty path fails.
    view->OnFileNew();
    EXPECT_EQ(PromptTexts().last(), QStringLiteral("It failed to read the EEPROM file"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("ＥＥＰＲＯＭ:"));
    EXPECT_EQ(view->Transfer().Items().size(), 1u);
}

TEST_F(EepromViewTest, CopyAndPasteMoveAPageOfValuesThroughTheClipboard) {
    view->Button(kCopy)->click();
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 33);  // 32 values, each ended by CR LF
    EXPECT_EQ(lines[0], QStringLiteral("3000"));
    EXPECT_EQ(lines[31], Right()->Text(15, 1));
    EXPECT_EQ(PromptTexts().last(), QStringLiteral("It was page copy"));
    EXPECT_EQ(context.captions.back(), QStringLiteral("Confirm"));

    view->Tabs()->Select(1);
    context.answer = false;  // No: nothing changes
    view->Button(kPaste)->click();
    EXPECT_EQ(Left()->Text(0, 1), QStringLiteral("13.000"));
    context.answer = true;
    view->Button(kPaste)->click();
    EXPECT_EQ(context.captions.back(), QStringLiteral("Confirm"));
    for (int row = 0; row < 16; ++row) {
        EXPECT_EQ(Left()->Text(row, 1), lines[row]) << row;
        EXPECT_EQ(Right()->Text(row, 1), lines[16 + row]) << row;
    }
    EXPECT_TRUE(view->Modified());
    EXPECT_EQ(view->Transfer().Items()[33].value, "3000");

    // Empty lines vanish; rows without a piece keep their text.
    const QString row2 = Left()->Text(2, 1);
    QApplication::clipboard()->setText(QStringLiteral("\r\n7\r\n\r\n\n8"));
    view->Button(kPaste)->click();
    EXPECT_EQ(Left()->Text(0, 1), QStringLiteral("7"));
    EXPECT_EQ(Left()->Text(1, 1), QStringLiteral("8"));
    EXPECT_EQ(Left()->Text(2, 1), row2);

    // A text far beyond 10,000 bytes is taken whole, value by value.
    QString longText;
    for (int row = 0; row < 40; ++row) longText += QString(400, QChar('0' + row % 10)) + "\n";
    QApplication::clipboard()->setText(longText);
    view->Button(kPaste)->click();
    EXPECT_EQ(Right()->Text(15, 1), QString(400, QChar('1')));
    view->Button(kCopy)->click();
    EXPECT_EQ(QApplication::clipboard()->text().size(), 32 * 402);

    QApplication::clipboard()->clear();
    view->Button(kPaste)->click();
    EXPECT_EQ(PromptTexts().last(), QStringLiteral("There is no data in the clipboard"));
}

TEST_F(EepromViewTest, ASumReplyFillsOnlyTheHiddenCheckField) {
    const std::string frameText = "$QVR,SUM,1A2B*5C\r\n";
    view->OnUpdate(hintReply, reinterpret_cast<const uint8_t*>(frameText.data()),
                   frameText.size());
    EXPECT_EQ(view->CheckField()->text(), QStringLiteral("1A2B"));
    EXPECT_TRUE(view->CheckField()->isHidden());
    EXPECT_FALSE(view->Modified());
    EXPECT_TRUE(context.sentLines.empty());
}

TEST_F(EepromViewTest, TheFileCommandsReachTheMenuWithTheirKeys) {
    struct Command {
        int id;
        QKeySequence key;
    } const commands[] = {{cmd::kFileNew, QKeySequence(QStringLiteral("Ctrl+N"))},
                          {cmd::kFileOpen, QKeySequence(QStringLiteral("Ctrl+O"))},
                          {cmd::kFileSave, QKeySequence(QStringLiteral("Ctrl+S"))},
                          {cmd::kFileSaveAs, QKeySequence(QStringLiteral("Ctrl+A"))}};
    for (const Command& command : commands) {
        QAction* action = frame->CommandAction(command.id);
        ASSERT_NE(action, nullptr) << command.id;
        EXPECT_EQ(action->shortcut(), command.key) << command.id;
    }
    EXPECT_EQ(frame->CommandAction(cmd::kFilePrint), nullptr);
    // Save As from the menu runs the dialog: a cancelled one saves nothing.
    context.fileName.clear();
    frame->CommandAction(cmd::kFileSaveAs)->trigger();
    EXPECT_TRUE(context.prompts.empty());
}

TEST_F(EepromViewTest, APageReadFillsTheGridsAsTheAnswersCome) {
    context.connected = true;
    emit context.events.ConnectionChanged(true);
    context.answer = true;
    view->Button(kPageRecv)->click();
    ASSERT_EQ(context.sentLines, (std::vector<std::string>{"DB,100*"}));
    // 8 items a answer: the first holds the bytes 00 00 75 30 = 30000 / 10.
    const std::string answer =
        "$QVR,DB,30,75,0,0,30,75,0,0,30,75,0,0,30,75,0,0,30,75,0,0,30,75,0,0,"
        "30,75,0,0,30,75,0,0*00\r\n";
    view->OnUpdate(hintEeprom, reinterpret_cast<const uint8_t*>(answer.data()), answer.size());
    EXPECT_EQ(context.sentLines.back(), "DB,120*");
    EXPECT_EQ(Left()->Text(0, 1), QStringLiteral("3000"));
    EXPECT_EQ(Left()->Text(1, 1), QStringLiteral("3000"));  // was 4500
    EXPECT_EQ(Left()->Text(8, -1), QStringLiteral("インダクタンス"));
    EXPECT_FALSE(view->Modified());
}

}  // namespace
}  // namespace quelda::test
