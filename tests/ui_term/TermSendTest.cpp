// The terminal's bar inside a running main frame: sending, the history, the
// enabled state of "Send" and the fast display switch.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "TermFrameFixture.h"
#include "app/CommandIds.h"
#include "support/ParserTestSupport.h"

// Exported by QtGui; what a real key press goes through before the widget
// sees it (the shortcut map).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods,
                                               const QString& text = QString(),
                                               bool autorep = false, ushort count = 1);

namespace quelda::test {
namespace {

const std::string kEnd = "\r\n";

class TermSendTest : public TermFrameTest {
protected:
    void Type(const QString& text) { frame->CommandLine()->setEditText(text); }
    void ClickSend() {
        frame->SendButton()->click();
        RunEvents(20);
    }
    std::vector<std::string> ShownTexts() const {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < view->Lines().Size(); ++i)
            texts.push_back(view->Lines().Line(i).text);
        return texts;
    }
    QStringList History() const {
        QStringList items;
        for (int i = 0; i < frame->CommandLine()->count(); ++i)
            items << frame->CommandLine()->itemText(i);
        return items;
    }
};

TEST_F(TermSendTest, DollarLineGetsItsChecksumAndIsShown) {
    Type(QStringLiteral("$QVR,X,1*"));
    ClickSend();
    const std::string line = "$QVR,X,1*" + Hex2(Xor("QVR,X,1")) + kEnd;
    EXPECT_EQ(pty.Read(line.size()), line);
    ASSERT_EQ(view->Lines().Size(), 1u);
    EXPECT_EQ(view->Lines().Line(0).text, line);
    EXPECT_EQ(view->Lines().Line(0).kind, kLineSent);
}

TEST_F(TermSendTest, FileNameSendsTheFileRawAndOtherWordsAsLines) {
    const std::string content("RAW,\x01\xff\r\n", 8);
    dir.Write("raw.bin", content);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path())));
    Type(QStringLiteral("raw.bin"));  // relative to the current directory
    ClickSend();
    EXPECT_EQ(pty.Read(content.size()), content);
    EXPECT_TRUE(ShownTexts().empty());

    Type(QStringLiteral("nosuchfile"));
    ClickSend();
    QDir::setCurrent(previous);
    EXPECT_EQ(pty.Read(12), "nosuchfile" + kEnd);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"nosuchfile" + kEnd});
}

TEST_F(TermSendTest, HistoryListsTheSameTextOnceInAnyCase) {
    for (const char* text : {"abc", "ABC", "abc", "$QVR,A*", "$qvr,a*"}) {
        Type(QString::fromLatin1(text));
        ClickSend();
    }
    EXPECT_EQ(History(), (QStringList{"abc", "$QVR,A*"}));
    // An empty text adds one empty entry and sends nothing.
    const std::size_t shown = view->Lines().Size();
    Type(QString());
    ClickSend();
    EXPECT_EQ(History(), (QStringList{"abc", "$QVR,A*", ""}));
    EXPECT_EQ(view->Lines().Size(), shown);
}

TEST_F(TermSendTest, SendIsEnabledExactlyWhileConnected) {
    QAction* send = frame->CommandAction(cmd::kSendCommandLine);
    ASSERT_NE(send, nullptr);
    EXPECT_TRUE(frame->SendButton()->isEnabled());
    EXPECT_TRUE(send->isEnabled());
    main->Action(cmd::kDisconnect)->trigger();
    RunEvents(20);
    EXPECT_FALSE(frame->SendButton()->isEnabled());
    EXPECT_FALSE(send->isEnabled());
    Type(QStringLiteral("$QVR,X*"));
    frame->SendCommandLine();
    EXPECT_EQ(view->Lines().Size(), 0u);
    main->Action(cmd::kConnect)->trigger();
    RunEvents(20);
    EXPECT_TRUE(frame->SendButton()->isEnabled());
    EXPECT_TRUE(send->isEnabled());
}

TEST_F(TermSendTest, EnterInTheCommandLineSendsOnce) {
    main->activateWindow();
    ASSERT_TRUE(WaitUntil([this] { return main->isActiveWindow(); }));
    frame->FocusCommandLine();
    QLineEdit* edit = frame->CommandLine()->lineEdit();
    ASSERT_TRUE(WaitUntil([edit] { return edit->hasFocus(); }));
    Type(QStringLiteral("$QVR,E*"));
    if (!qt_sendShortcutOverrideEvent(edit, 0, Qt::Key_Return, Qt::NoModifier)) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &press);
    }
    RunEvents(20);
    const std::string line = "$QVR,E*" + Hex2(Xor("QVR,E")) + kEnd;
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{line});
    EXPECT_EQ(pty.Read(line.size()), line);
}

TEST_F(TermSendTest, FastDisplayShowsFramesWholeOrByteByByte) {
    const std::string text = Text("A,1");
    auto feed = [this](const std::string& bytes) {
        for (char c : bytes) main->Core().ReceiveByte(static_cast<uint8_t>(c));
        RunEvents(20);
    };
    ASSERT_TRUE(frame->FastDispBox()->isChecked());
    feed(text);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{text});

    frame->FastDispBox()->click();
    EXPECT_FALSE(main->Core().FastDisplay());
    EXPECT_FALSE(main->Action(cmd::kFastDisplay)->isChecked());
    feed(text.substr(0, 3));
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{text, text.substr(0, 3)}));
    feed(text.substr(3));
    feed("$Q");
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{text, text, "$Q"}));
    EXPECT_EQ(view->Lines().Line(1).kind, kLineReceived);

    // The menu item and the box stay in step.
    main->Action(cmd::kFastDisplay)->trigger();
    EXPECT_TRUE(main->Core().FastDisplay());
    EXPECT_TRUE(frame->FastDispBox()->isChecked());
}

class TermHistoryFileTest : public TermSendTest {
protected:
    void WriteFiles() override { dir.Write("COMMAND.TXT", "$QVR,A*\r\n\r\nfile.bin\n"); }
};

TEST_F(TermHistoryFileTest, HistoryStartsWithTheLinesOfTheFile) {
    EXPECT_EQ(History(), (QStringList{"$QVR,A*", "", "file.bin"}));
    EXPECT_EQ(frame->CommandLine()->currentText(), QString());
    EXPECT_EQ(frame->CommandLine()->lineEdit()->maxLength(), 256);
}

}  // namespace
}  // namespace quelda::test
