// CMainFrame: the child windows, the shared document and the menus.
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "app/AccessibleNames.h"
#include "app/CChildSubWindow.h"
#include "app/CCommandBar.h"
#include "app/CMainFrame.h"
#include "app/CMenuBuilder.h"
#include "app/CQueldaChildFrame.h"
#include "app/CQueldaView.h"
#include "app/CTERMDoc.h"
#include "app/CommandIds.h"
#include "app/WindowKinds.h"

using quelda::WindowKind;

CQueldaChildFrame* CMainFrame::ShowView(const QString& typeName) {
    const WindowKindInfo* info = FindWindowKind(typeName);
    if (!info) return nullptr;
    if (CChildSubWindow* sub = FindWindow(info->kind)) {
        if (sub->isMinimized()) sub->showNormal();
        sub->show();
        m_pMdiArea->setActiveSubWindow(sub);
        return sub->Frame();
    }
    return OpenWindow(*info);
}

CQueldaChildFrame* CMainFrame::OpenWindow(const WindowKindInfo& info) {
    CTERMDoc* document = EnsureDocument();
    CQueldaChildFrame* frame = info.create(ViewContext());
    auto* sub = new CChildSubWindow(frame);
    sub->setWindowIcon(windowIcon());
    m_pMdiArea->addSubWindow(sub);
    document->AddView(frame->View());
    frame->View()->OnInitialUpdate();
    NameControls(frame);
    sub->show();
    m_pMdiArea->setActiveSubWindow(sub);
    return frame;
}

CChildSubWindow* CMainFrame::FindWindow(WindowKind kind) const {
    if (!m_pDocument) return nullptr;
    for (CQueldaView* view : m_pDocument->Views()) {
        if (view->Kind() != kind) continue;
        CQueldaChildFrame* frame = view->Frame();
        if (frame) return qobject_cast<CChildSubWindow*>(frame->parentWidget());
    }
    return nullptr;
}

CTERMDoc* CMainFrame::EnsureDocument() {
    // With every window closed the old document is gone: a window opened now
    // starts a fresh shared document, so received frames reach it again.
    if (!m_pDocument) {
        m_pDocument = new CTERMDoc(this);
        connect(m_pDocument, &CTERMDoc::Emptied, this, &CMainFrame::OnDocumentEmptied);
    }
    return m_pDocument;
}

void CMainFrame::OnDocumentEmptied() {
    if (m_pDocument) m_pDocument->deleteLater();
    m_pDocument = nullptr;
    RebuildMenus();
    UpdateCommandStates();
}

CQueldaChildFrame* CMainFrame::ActiveChildFrame() const {
    // The current window stays current while a dialog has the focus.
    auto* sub = qobject_cast<CChildSubWindow*>(m_pMdiArea->currentSubWindow());
    return sub ? sub->Frame() : nullptr;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* sub) {
    // A null activation also comes when the main window loses the focus;
    // the menus stay those of the current window then.
    auto* child = qobject_cast<CChildSubWindow*>(sub);
    if (!child) return;
    if (CQueldaChildFrame* frame = child->Frame()) frame->OnActivated();
    RebuildMenus();
    UpdateCommandStates();
}

void CMainFrame::RebuildMenus() {
    CQueldaChildFrame* frame = m_pDocument ? ActiveChildFrame() : nullptr;
    CQueldaView* view = frame ? frame->View() : nullptr;
    const int menuId = view ? WindowKindOf(view->Kind()).menuId : kMainMenuId;
    if (menuId == m_nMenuId && frame == m_pMenuFrame) return;
    m_nMenuId = menuId;
    m_pMenuFrame = frame;
    for (QMenu* menu : m_menus) menu->deleteLater();
    const quelda::Settings& settings = GetSettings();
    CMenuBuilder builder(
        [this](int id, const QString& text, QMenu* menu) { return MenuAction(id, text, menu); },
        [&settings](int id) { return settings.ViewMenuFlag(id) != 0; });
    m_menus = builder.Build(menuBar(), menuId);
}

QAction* CMainFrame::MenuAction(int id, const QString& text, QMenu* menu) {
    if (QAction* own = m_actions.value(id)) {
        own->setText(text);
        return own;
    }
    if (m_pMenuFrame) {
        if (QAction* frameAction = m_pMenuFrame->CommandAction(id)) {
            frameAction->setText(text);
            return frameAction;
        }
    }
    // Nobody handles the command: the item shows, disabled.
    auto* idle = new QAction(text, menu);
    idle->setEnabled(false);
    return idle;
}

void CMainFrame::UpdateCommandStates() {
    const bool connected = IsConnected();
    m_actions[cmd::kConnect]->setEnabled(!connected);
    m_actions[cmd::kDisconnect]->setEnabled(connected);
    m_actions[cmd::kComSetting]->setEnabled(!connected);
    m_pCommandBar->SetConnected(connected);
    // The fast display belongs to the terminal: it works while one is active.
    CQueldaChildFrame* frame = ActiveChildFrame();
    const bool terminal = frame && frame->View() && frame->View()->Kind() == WindowKind::Term;
    m_actions[cmd::kFastDisplay]->setEnabled(terminal);
}
