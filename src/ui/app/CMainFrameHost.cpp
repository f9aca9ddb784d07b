// CMainFrame: what the core asks of its host, in Qt terms.
#include <QMetaObject>
#include <QStatusBar>
#include <QTimer>

#include "app/CMainFrameCoreHost.h"
#include "app/CQueldaView.h"
#include "app/CTERMDoc.h"
#include "app/UiText.h"
#include "app/UserPrompt.h"
#include "views/term/CTERMView.h"


namespace {

IUserPrompt::Icon IconOf(quelda::PromptKind kind) {
    switch (kind) {
    case quelda::PromptKind::Warning:
        return IUserPrompt::Icon::Warning;
    case quelda::PromptKind::Error:
        return IUserPrompt::Icon::Error;
    default:
        return IUserPrompt::Icon::Information;
    }
}

}  // namespace

void CMainFrame::CoreHost::StartTimer(quelda::ITimerClient& owner, int id, int milliseconds) {
    // A window timer repeats until it is killed; starting it again restarts it.
    QTimer*& timer = m_timers[{&owner, id}];
    if (!timer) {
        timer = new QTimer(&m_frame);
        QObject::connect(timer, &QTimer::timeout, &m_frame, [&owner, id] { owner.OnTimer(id); });
    }
    timer->start(milliseconds);
}

void CMainFrame::CoreHost::KillTimer(quelda::ITimerClient& owner, int id) {
    auto it = m_timers.find({&owner, id});
    if (it != m_timers.end()) it->second->stop();
}

void CMainFrame::CoreHost::ShowPrompt(const quelda::Prompt& prompt, std::function<void(bool)> answer) {
    const QString caption =
        prompt.caption.empty() ? QStringLiteral("Quelda") : DecodeText(prompt.caption);
    const QString text = DecodeText(prompt.text);
    if (prompt.buttons == quelda::PromptButtons::Ok) {
        m_frame.m_prompt.Message(text, caption, IconOf(prompt.kind));
        if (answer) answer(true);
        return;
    }
    const auto buttons = prompt.buttons == quelda::PromptButtons::YesNo
                             ? IUserPrompt::Buttons::YesNo
                             : IUserPrompt::Buttons::OkCancel;
    m_frame.m_prompt.AskAsync(text, buttons, std::move(answer), caption);
}

template <class Visit>
void CMainFrame::CoreHost::ForEachTerminal(Visit visit) {
    if (!m_frame.m_pDocument) return;
    for (CQueldaView* view : m_frame.m_pDocument->Views()) {
        if (auto* terminal = dynamic_cast<CTERMView*>(view)) visit(*terminal);
    }
}

void CMainFrame::CoreHost::AddLine(const std::string& text, int kind) {
    ForEachTerminal([&](CTERMView& terminal) { terminal.AddLine(text, kind); });
}

void CMainFrame::CoreHost::ReplaceLast(const std::string& text, int kind) {
    ForEachTerminal([&](CTERMView& terminal) { terminal.ReplaceLast(text, kind); });
}

void CMainFrame::CoreHost::FrameReceived(const std::string& /*command*/, const std::string& text,
                                         const uint8_t* block, std::size_t blockCount) {
    if (blockCount == 0) return;
    ForEachTerminal([&](CTERMView& terminal) { terminal.AttachBlock(text, block, blockCount); });
}

bool CMainFrame::CoreHost::HasDocument() const { return m_frame.m_pDocument && !m_frame.m_pDocument->IsEmpty(); }

std::vector<quelda::ViewInfo> CMainFrame::CoreHost::Views() const {
    std::vector<quelda::ViewInfo> views;
    if (!m_frame.m_pDocument) return views;
    for (CQueldaView* view : m_frame.m_pDocument->Views()) {
        views.push_back({view->Kind(), view->RequestCommand()});
    }
    return views;
}

void CMainFrame::CoreHost::Broadcast(int hint, const uint8_t* data, std::size_t length) {
    if (m_frame.m_pDocument) m_frame.m_pDocument->UpdateAllViews(hint, data, length);
}

void CMainFrame::CoreHost::SetTitle(const std::string& title) { m_frame.setWindowTitle(DecodeText(title)); }

void CMainFrame::CoreHost::PortOpenFailed(const std::string& reason) {
    // Stays until the next successful Connect clears it.
    m_frame.statusBar()->showMessage(DecodeText(reason));
}

void CMainFrame::CoreHost::PostCommNotify() {
    // Called on the channel's thread: the core runs on the window's thread.
    CMainFrame& frame = m_frame;
    QMetaObject::invokeMethod(
        &frame, [&frame] { frame.m_core->OnCommNotify(); }, Qt::QueuedConnection);
}

void CMainFrame::CoreHost::ShowConnectionStatus(const std::string& text) {
    m_frame.ShowConnectionStatus(DecodeText(text));
}

void CMainFrame::OnConnectionChanged() {
    UpdateCommandStates();
    if (IsConnected()) statusBar()->clearMessage();
    if (m_pDocument) {
        for (CQueldaView* view : m_pDocument->Views()) view->OnConnectionChanged();
    }
    emit ConnectionStateChanged(IsConnected());
}
