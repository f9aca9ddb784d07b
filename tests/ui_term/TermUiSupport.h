#pragma once
// The application object, a prompt that records instead of showing, and a
// main frame over a scratch program directory whose port is a pseudo-terminal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <functional>
#include <memory>

#include "../core/config/TempDir.h"
#include "../core/routing/Pty.h"
#include "app/CMainFrame.h"
#include "app/UserPrompt.h"
#include "views/term/CTERMView.h"
#include "views/term/CTermChildFrame.h"

namespace quelda::test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "test_ui_term";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class RecordingPrompt : public IUserPrompt {
public:
    QStringList messages;
    bool answer = false;

    void Message(const QString& text, const QString&, Icon) override { messages << text; }
    void AskAsync(const QString& text, Buttons, std::function<void(bool)> reply,
                  const QString&) override {
        messages << text;
        reply(answer);
    }
    bool Ask(const QString& text, Buttons, const QString&) override {
        messages << text;
        return answer;
    }
    QString GetOpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString GetSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

// Runs the event loop until done() holds or timeoutMs passed.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

inline void Pump() {
    PumpUntil([] { return false; }, 20);
}

// A main frame with its terminal open, connected to a pseudo-terminal.
class TermFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(pty.Ok());
        dir.Write("PSETTING.TXT", pty.Path() + "\r\n19200\r\n8\r\nNO\r\n1\r\n");
        WriteFiles();
        main = std::make_unique<CMainFrame>(dir.Path(), prompt);
        main->show();
        ASSERT_TRUE(PumpUntil([this] { return main->IsConnected(); }));
        frame = qobject_cast<CTermChildFrame*>(main->ShowView(QStringLiteral("TERM")));
        ASSERT_NE(frame, nullptr);
        view = frame->TermView();
        Pump();
    }
    void TearDown() override { main.reset(); }
    // Files the program directory needs before the frame starts.
    virtual void WriteFiles() {}

    TempDir dir;
    Pty pty;
    RecordingPrompt prompt;
    std::unique_ptr<CMainFrame> main;
    CTermChildFrame* frame = nullptr;
    CTERMView* view = nullptr;
};

}  // namespace quelda::test
