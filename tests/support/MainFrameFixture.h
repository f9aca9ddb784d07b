#pragma once
// A main frame over a scratch program directory, opened the way the
// application opens it (terminal window first, Connect posted), with
// helpers to look at its menus, bars and terminal.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQueldaChildFrame.h"
#include "support/TempDir.h"
#include "support/UiTestSupport.h"
#include "views/term/CTERMView.h"

namespace quelda::test {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override { UiApp(); }
    void TearDown() override { main.reset(); }

    // Write the program directory's files first.
    void Start() {
        main = std::make_unique<CMainFrame>(dir.Path(), prompt);
        main->ShowView(QStringLiteral("TERM"));
        main->show();
    }
    // Starts against a port and waits for the posted Connect.
    void StartOn(const std::string& port, const std::string& baud = "19200",
                 const std::string& parity = "NO") {
        dir.Write("PSETTING.TXT", PortSettings(port, baud, parity));
        Start();
        ASSERT_TRUE(WaitUntil([this] { return main->IsConnected(); }))
            << prompt.MessageTexts().join(QLatin1Char('|')).toStdString();
    }

    QMenu* Menu(const QString& title) const {
        for (QAction* action : main->menuBar()->actions()) {
            if (action->menu() && action->text() == title) return action->menu();
        }
        return nullptr;
    }
    QStringList MenuTitles() const {
        QStringList titles;
        for (QAction* action : main->menuBar()->actions()) titles << action->text();
        return titles;
    }
    // The item texts of a menu, separators left out.
    QStringList MenuTexts(const QString& title) const {
        QStringList texts;
        if (QMenu* menu = Menu(title)) {
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator()) texts << action->text();
            }
        }
        return texts;
    }
    QAction* MenuItem(const QString& title, const QString& text) const {
        if (QMenu* menu = Menu(title)) {
            for (QAction* action : menu->actions()) {
                if (action->text() == text) return action;
            }
        }
        return nullptr;
    }

    // The terminal view of the document, without activating it.
    CTERMView* Terminal() const {
        if (!main->Document()) return nullptr;
        for (CQueldaView* view : main->Document()->Views()) {
            if (auto* terminal = dynamic_cast<CTERMView*>(view)) return terminal;
        }
        return nullptr;
    }
    // Every terminal line's text, oldest first.
    std::vector<std::string> TerminalLines() const {
        std::vector<std::string> lines;
        CTERMView* view = Terminal();
        if (!view) return lines;
        for (std::size_t i = 0; i < view->Lines().Size(); ++i) {
            lines.push_back(view->Lines().Line(i).text);
        }
        return lines;
    }
    bool TerminalHas(const std::string& text) const {
        for (const std::string& line : TerminalLines()) {
            if (line == text) return true;
        }
        return false;
    }

    TempDir dir;
    FakeUserPrompt prompt;
    std::unique_ptr<CMainFrame> main;
};

}  // namespace quelda::test
