#pragma once
// A view context without a main frame: records what windows ask of it and
// lets a test play the program's changes through its events.
#include <QPrinter>
#include <string>
#include <vector>

#include "app/ViewContext.h"
#include "config/Settings.h"

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
    std::vector<Shown> prompts;

    const std::string& AppDir() const override { return appDir; }
    const WindowSettings& WindowSettingsOf(WindowKind kind) const override {
        return settings.Window(kind);
    }
    const std::vector<CommandRecord>& CommandRecords() const override { return records; }
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
        sentLines.push_back(text);
        return 1;
    }
    void ClearReplyWait() override {}
    void SetBinaryCommand(const std::string& name) override { binaryCommands.push_back(name); }
    void SetSimulatorPrefix(const std::string&) override {}

    bool Prompt(const QString& text, Buttons buttons, PromptKind kind) override {
        prompts.push_back({text, buttons, kind});
        return buttons == Buttons::Ok || answer;
    }

    void SendCommandLine(const std::string& text) override { sentLines.push_back(text); }
    bool FastDisplay() const override { return fastDisplay; }
    void SetFastDisplay(bool on) override { fastDisplay = on; }
    QPrinter& Printer() override { return printer; }

    CViewEvents events;
    QPrinter printer;
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

}  // namespace quelda::test
