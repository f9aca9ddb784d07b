#pragma once
// A view context without a main frame: records what windows ask of it and
// lets a test play the program's changes through its events.
#include <gtest/gtest.h>

#include <QPrinter>
#include <memory>
#include <string>
#include <vector>

#include "app/ViewContext.h"
#include "config/Settings.h"
#include "support/TempDir.h"
#include "support/UiTestSupport.h"

namespace quelda::test {

class FakeViewContext : public IViewContext {
public:
    struct Shown {
        QString text;
        Buttons buttons;
        PromptKind kind;
    };

    std::string appDir = "/nonexistent/";
    Settings settings;
    std::vector<CommandRecord> records;
    bool connected = false;
    bool fastDisplay = true;
    bool answer = false;  // to every prompt with more than OK
    std::vector<int> sentRecords;
    std::vector<int> editedRecords;
    std::vector<std::string> sentLines;
    std::vector<std::string> binaryCommands;
    std::vector<std::string> simulatorPrefixes;
    bool refuseLines = false;  // SendLine refuses, as during a reply wait
    std::vector<Shown> prompts;
    std::vector<QString> captions;  // of PromptCaptioned, in order
    QString fileName;               // what both file dialogs return

    const std::string& AppDir() const override { return appDir; }
    const WindowSettings& WindowSettingsOf(WindowKind kind) const override {
        return settings.Window(kind);
    }
    const std::vector<CommandRecord>& CommandRecords() const override { return records; }
    int BinLengthFormat() const override { return settings.m_nBinLengthFormat; }
    CViewEvents& Events() override { return events; }

    bool IsConnected() const override { return connected; }
    int SendButtonCommand(int index) override {
        sentRecords.push_back(index);
        return 1;
    }
    int EditButtonCommand(int index) override {
        editedRecords.push_back(index);
        return 0;
    }
    int SendCommand(const std::string& text, int) override {
        sentLines.push_back(text);
        return 1;
    }
    int SendLine(const std::string& text, int) override {
        if (refuseLines) return 0;
        sentLines.push_back(text);
        return 1;
    }
    void ClearReplyWait() override {}
    void SetBinaryCommand(const std::string& name) override { binaryCommands.push_back(name); }
    void SetSimulatorPrefix(const std::string& prefix) override {
        simulatorPrefixes.push_back(prefix);
    }

    bool Prompt(const QString& text, Buttons buttons, PromptKind kind) override {
        prompts.push_back({text, buttons, kind});
        return buttons == Buttons::Ok || answer;
    }
    bool PromptCaptioned(const QString& text, const QString& caption, Buttons buttons,
                         PromptKind kind) override {
        captions.push_back(caption);
        return Prompt(text, buttons, kind);
    }
    QString OpenFileName(const QString&, const QString&) override { return fileName; }
    QString SaveFileName(const QString&, const QString&) override { return fileName; }
    int EepromByteWord() const override { return settings.m_nByteWord; }

    IUserPrompt& UserPrompt() override { return userPrompt; }

    void SendCommandLine(const std::string& text) override { sentLines.push_back(text); }
    bool FastDisplay() const override { return fastDisplay; }
    void SetFastDisplay(bool on) override { fastDisplay = on; }
    // Made on first use: a fixture's context exists before the application.
    QPrinter& Printer() override {
        if (!printer) printer = std::make_unique<QPrinter>();
        return *printer;
    }

    CViewEvents events;
    std::unique_ptr<QPrinter> printer;
    FakeUserPrompt userPrompt;
};

// Records whose titles are "T<n>" and commands "C<n>", n = 0 .. count - 1.
inline std::vector<CommandRecord> NumberedRecords(int count) {
    std::vector<CommandRecord> records(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        records[static_cast<std::size_t>(n)].title = "T" + std::to_string(n);
        records[static_cast<std::size_t>(n)].command = "C" + std::to_string(n);
    }
    return records;
}

// A window on a fake context over a scratch program directory, connected,
// with every command record numbered.
class FakeContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        UiApp();
        context.appDir = dir.Path();
        context.records = NumberedRecords(kMaxCommandRecords);
        context.connected = true;
    }

    TempDir dir;
    FakeViewContext context;
};

}  // namespace quelda::test
