#include "app/CQueldaView.h"

#include "app/CMainFrame.h"
#include "app/CQueldaChildFrame.h"

CQueldaView::CQueldaView(CMainFrame& mainFrame, QWidget* parent)
    : QWidget(parent), m_mainFrame(mainFrame) {
    setFocusPolicy(Qt::StrongFocus);
}

CQueldaView::~CQueldaView() = default;

CQueldaChildFrame* CQueldaView::Frame() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CQueldaChildFrame*>(w)) return frame;
    }
    return nullptr;
}

void CQueldaView::PlaceFrame(const QString& title) {
    CQueldaChildFrame* frame = Frame();
    if (!frame) return;
    frame->SetFrameTitle(title);
    const quelda::WindowSettings& ws = m_mainFrame.GetSettings().Window(Kind());
    frame->MoveFrame(ws.WINDOW_LEFT, ws.WINDOW_TOP, ws.WINDOW_WIDTH, ws.WINDOW_HEIGHT);
}
