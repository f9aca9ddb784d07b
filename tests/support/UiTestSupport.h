#pragma once
// Shared by the UI tests: the one QApplication of a gtest_main program, a
// prompt that records messages and answers questions from a preset, bounded
// waits on the event loop, and the port settings file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <string>

#include "app/UserPrompt.h"

namespace quelda::test {

// Created on first use and kept for the whole program.
inline QApplication& UiApp() {
    static int argc = 1;
    static char name[] = "quelda-ui-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Runs the event loop until done() holds or timeoutMs passed; done()'s last value.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return done();
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        // Outside a running event loop deleteLater() waits for this.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Runs the event loop for a while (for "nothing else happens" checks).
inline void RunEvents(int milliseconds) {
    WaitUntil([] { return false; }, milliseconds);
}

class FakeUserPrompt : public IUserPrompt {
public:
    struct Shown {
        QString text;
        QString caption;
        Icon icon;
    };
    std::vector<Shown> messages;
    QStringList questions;
    std::vector<Buttons> questionButtons;
    // Answers to questions in order; defaultAnswer once they are used up.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    QString fileName;  // what both file dialogs return

    void Message(const QString& text, const QString& caption, Icon icon) override {
        messages.push_back({text, caption, icon});
    }
    void AskAsync(const QString& text, Buttons buttons, std::function<void(bool)> answer,
                  const QString&) override {
        // Answered on a later turn of the event loop, as a real box would be.
        const bool yes = NextAnswer(text, buttons);
        QMetaObject::invokeMethod(
            qApp, [answer, yes] { answer(yes); }, Qt::QueuedConnection);
    }
    bool Ask(const QString& text, Buttons buttons, const QString&) override {
        return NextAnswer(text, buttons);
    }
    QString GetOpenFileName(const QString&, const QString&, const QString&) override {
        return fileName;
    }
    QString GetSaveFileName(const QString&, const QString&, const QString&) override {
        return fileName;
    }

    QStringList MessageTexts() const {
        QStringList texts;
        for (const Shown& shown : messages) texts << shown.text;
        return texts;
    }
    bool HasMessage(const QString& text) const { return MessageTexts().contains(text); }

private:
    bool NextAnswer(const QString& text, Buttons buttons) {
        questions << text;
        questionButtons.push_back(buttons);
        if (answers.empty()) return defaultAnswer;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
};

// PSETTING.TXT with a port and the other four settings.
inline std::string PortSettings(const std::string& port, const std::string& baud = "19200",
                                const std::string& parity = "NO") {
    return port + "\r\n" + baud + "\r\n8\r\n" + parity + "\r\n1\r\n";
}

}  // namespace quelda::test
