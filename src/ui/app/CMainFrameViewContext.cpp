// CMainFrame: what its windows may use of it.
#include "app/CMainFrameViewContext.h"

#include "app/CMainFrame.h"
#include "app/UserPrompt.h"
#include "term/TermCommandLine.h"

CMainFrameViewContext::CMainFrameViewContext(CMainFrame& frame) : m_frame(frame) {
    QObject::connect(&frame, &CMainFrame::ConnectionStateChanged, &m_events,
                     &CViewEvents::ConnectionChanged);
    QObject::connect(&frame, &CMainFrame::FastDisplayChanged, &m_events,
                     &CViewEvents::FastDisplayChanged);
    QObject::connect(&frame, &CMainFrame::CommandRecordChanged, &m_events,
                     &CViewEvents::CommandRecordChanged);
}

const std::string& CMainFrameViewContext::AppDir() const { return m_frame.AppDir(); }

const quelda::WindowSettings& CMainFrameViewContext::WindowSettingsOf(
    quelda::WindowKind kind) const {
    return m_frame.GetSettings().Window(kind);
}

const std::vector<quelda::CommandRecord>& CMainFrameViewContext::CommandRecords() const {
    return m_frame.Core().CommandRecords();
}

int CMainFrameViewContext::BinLengthFormat() const {
    return m_frame.GetSettings().m_nBinLengthFormat;
}

bool CMainFrameViewContext::IsConnected() const { return m_frame.IsConnected(); }

int CMainFrameViewContext::SendButtonCommand(int index) { return m_frame.SendButtonCommand(index); }

int CMainFrameViewContext::EditButtonCommand(int index) { return m_frame.EditButtonCommand(index); }

int CMainFrameViewContext::SendCommand(const std::string& text, int wait) {
    return m_frame.Core().SendCommand(text, wait);
}

int CMainFrameViewContext::SendLine(const std::string& text, int wait) {
    return m_frame.Core().SendLine(text, wait);
}

void CMainFrameViewContext::ClearReplyWait() { m_frame.Core().ClearReplyWait(); }

void CMainFrameViewContext::SetBinaryCommand(const std::string& name) {
    m_frame.Core().SetBinaryCommand(name);
}

void CMainFrameViewContext::SetSimulatorPrefix(const std::string& prefix) {
    m_frame.Core().SetSimulatorPrefix(prefix);
}

bool CMainFrameViewContext::Prompt(const QString& text, Buttons buttons, PromptKind kind) {
    return PromptCaptioned(text, QString(), buttons, kind);
}

QString CMainFrameViewContext::OpenFileName(const QString& initial, const QString& filter) {
    return m_frame.Prompt().GetOpenFileName(QString(), initial, filter);
}

QString CMainFrameViewContext::SaveFileName(const QString& initial, const QString& filter) {
    return m_frame.Prompt().GetSaveFileName(QString(), initial, filter);
}

int CMainFrameViewContext::EepromByteWord() const { return m_frame.GetSettings().m_nByteWord; }

bool CMainFrameViewContext::PromptCaptioned(const QString& text, const QString& captionText,
                                            Buttons buttons, PromptKind kind) {
    const QString caption = captionText.isEmpty() ? QStringLiteral("Quelda") : captionText;
    IUserPrompt& prompt = m_frame.Prompt();
    switch (buttons) {
        case Buttons::OkCancel:
            return prompt.Ask(text, IUserPrompt::Buttons::OkCancel, caption);
        case Buttons::YesNo:
            return prompt.Ask(text, IUserPrompt::Buttons::YesNo, caption);
        case Buttons::Ok:
            break;
    }
    const auto icon = kind == PromptKind::Warning ? IUserPrompt::Icon::Warning
                      : kind == PromptKind::Error ? IUserPrompt::Icon::Error
                                                  : IUserPrompt::Icon::Information;
    prompt.Message(text, caption, icon);
    return true;
}

IUserPrompt& CMainFrameViewContext::UserPrompt() { return m_frame.Prompt(); }

void CMainFrameViewContext::SendCommandLine(const std::string& text) {
    quelda::SendTermCommandLine(m_frame.Core(), text);
}

bool CMainFrameViewContext::FastDisplay() const { return m_frame.FastDisplay(); }

void CMainFrameViewContext::SetFastDisplay(bool on) { m_frame.SetFastDisplay(on); }

QPrinter& CMainFrameViewContext::Printer() { return m_frame.Printer(); }
