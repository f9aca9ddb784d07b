#pragma once
// The main frame as its windows see it: the main frame holds one and hands
// it to every window it opens.
#include "app/ViewContext.h"

class CMainFrame;

class CMainFrameViewContext final : public IViewContext {
public:
    explicit CMainFrameViewContext(CMainFrame& frame);

    const std::string& AppDir() const override;
    const quelda::WindowSettings& WindowSettingsOf(quelda::WindowKind kind) const override;
    const std::vector<quelda::CommandRecord>& CommandRecords() const override;
    int BinLengthFormat() const override;
    CViewEvents& Events() override { return m_events; }

    bool IsConnected() const override;
    int SendButtonCommand(int index) override;
    int EditButtonCommand(int index) override;
    int SendCommand(const std::string& text, int wait) override;
    int SendLine(const std::string& text, int wait) override;
    void ClearReplyWait() override;
    void SetBinaryCommand(const std::string& name) override;
    void SetSimulatorPrefix(const std::string& prefix) override;

    bool Prompt(const QString& text, Buttons buttons, PromptKind kind) override;
    IUserPrompt& UserPrompt() override;
    bool PromptCaptioned(const QString& text, const QString& caption, Buttons buttons,
                         PromptKind kind) override;
    QString OpenFileName(const QString& initial, const QString& filter) override;
    QString SaveFileName(const QString& initial, const QString& filter) override;
    int EepromByteWord() const override;

    void SendCommandLine(const std::string& text) override;
    bool FastDisplay() const override;
    void SetFastDisplay(bool on) override;
    QPrinter& Printer() override;

private:
    CMainFrame& m_frame;
    CViewEvents m_events;
};
