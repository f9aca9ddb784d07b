#pragma once
// A main frame with its terminal open, connected to a pseudo-terminal that
// the test plays.
#include "support/MainFrameFixture.h"
#include "support/PtyPair.h"
#include "views/term/CTermChildFrame.h"

namespace quelda::test {

class TermFrameTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        ASSERT_TRUE(pty.Ok());
        WriteFiles();
        StartOn(pty.Path());
        frame = qobject_cast<CTermChildFrame*>(main->ShowView(QStringLiteral("TERM")));
        ASSERT_NE(frame, nullptr);
        view = frame->TermView();
        RunEvents(20);
    }
    // Files the program directory needs before the frame starts.
    virtual void WriteFiles() {}

    PtyPair pty;
    CTermChildFrame* frame = nullptr;
    CTERMView* view = nullptr;
};

}  // namespace quelda::test
