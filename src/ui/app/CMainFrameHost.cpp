// CMainFrame: what the core asks of its host, in Qt terms.
#include <QMetaObject>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CQueldaView.h"
#include "app/CTERMDoc.h"
#include "app/UiText.h"
#include "app/UserPrompt.h"
#include "views/term/CTERMView.h"

void CMainFrame::StartTimer(int id, int milliseconds) {
    // A window timer repeats until it is killed; starting it again restarts it.
    QTimer* timer = m_timers.value(id);
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { m_core->OnTimer(id); });
        m_timers.insert(id, timer);
    }
    timer->start(milliseconds);
}

void CMainFrame::KillTimer(int id) {
    if (QTimer* timer = m_timers.value(id)) timer->stop();
}

void CMainFrame::Message(const std::string& text) {
    // The channel's open failure has its own caption; the rest carry the
    // program's name.
    const QString caption =
        text == "COM port open error" ? QStringLiteral("error") : QStringLiteral("Quelda");
    m_prompt.Message(DecodeText(text), caption, IUserPrompt::Icon::Information);
}

void CMainFrame::Ask(const std::string& text, std::function<void(bool)> answer) {
    m_prompt.AskAsync(DecodeText(text), IUserPrompt::Buttons::YesNo, std::move(answer),
                      QStringLiteral("Quelda"));
}

template <class Visit>
void CMainFrame::ForEachTerminal(Visit visit) {
    if (!m_pDocument) return;
    for (CQueldaView* view : m_pDocument->Views()) {
        if (auto* terminal = dynamic_cast<CTERMView*>(view)) visit(*terminal);
    }
}

void CMainFrame::AddLine(const std::string& text, int kind) {
    ForEachTerminal([&](CTERMView& terminal) { terminal.AddLine(text, kind); });
}

void CMainFrame::ReplaceLast(const std::string& text, int kind) {
    ForEachTerminal([&](CTERMView& terminal) { terminal.ReplaceLast(text, kind); });
}

bool CMainFrame::HasDocument() const { return m_pDocument && !m_pDocument->IsEmpty(); }

std::vector<quelda::ViewInfo> CMainFrame::Views() const {
    std::vector<quelda::ViewInfo> views;
    if (!m_pDocument) return views;
    for (CQueldaView* view : m_pDocument->Views()) {
        views.push_back({view->Kind(), view->RequestCommand()});
    }
    return views;
}

void CMainFrame::Broadcast(int hint, const uint8_t* data, std::size_t length) {
    if (m_pDocument) m_pDocument->UpdateAllViews(hint, data, length);
}

void CMainFrame::ConnectionChanged() {
    UpdateCommandStates();
    if (m_pDocument) {
        for (CQueldaView* view : m_pDocument->Views()) view->OnConnectionChanged();
    }
    emit ConnectionStateChanged(IsConnected());
}

void CMainFrame::SetTitle(const std::string& title) { setWindowTitle(DecodeText(title)); }

void CMainFrame::PostCommNotify() {
    // Called on the channel's thread: the core runs on this window's thread.
    QMetaObject::invokeMethod(
        this, [this] { m_core->OnCommNotify(); }, Qt::QueuedConnection);
}
