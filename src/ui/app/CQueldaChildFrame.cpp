#include "app/CQueldaChildFrame.h"

#include <QScreen>
#include <algorithm>

#include <QMdiSubWindow>
#include <QToolBar>

#include "app/CQueldaView.h"
#include "app/DialogBar.h"

CQueldaChildFrame::CQueldaChildFrame(IViewContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context) {
    // A child frame is a plain widget inside its sub-window, not a window.
    setWindowFlags(Qt::Widget);
}

CQueldaChildFrame::~CQueldaChildFrame() = default;

void CQueldaChildFrame::MoveFrame(int left, int top, int width, int height) {
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) frame = this;
    // Stored positions and sizes come from QUELDA.INI: keep them to what the
    // screens can show, so huge values neither overflow QRect nor allocate.
    const QSize screens = frame->screen() ? frame->screen()->virtualSize() : QSize(4096, 4096);
    const int most = std::max(screens.width(), screens.height());
    auto bound = [most](int v, int low) { return std::clamp(v, low, most); };
    frame->setGeometry(bound(left, -most), bound(top, -most), bound(width, 1), bound(height, 1));
}

void CQueldaChildFrame::SetFrameTitle(const QString& title) {
    setWindowTitle(title);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(title);
}

void CQueldaChildFrame::OnActivated() {
    if (m_pView) m_pView->setFocus(Qt::OtherFocusReason);
}

void CQueldaChildFrame::SetView(CQueldaView* view) {
    m_pView = view;
    setCentralWidget(view);
}

QToolBar* CQueldaChildFrame::AddDialogBar(const QString& title) {
    auto* bar = new QToolBar(title, this);
    SetUpDialogBar(bar, title);
    addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}
