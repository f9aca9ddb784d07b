#include "app/CQueldaView.h"

#include "app/CQueldaChildFrame.h"
#include "app/ViewContext.h"

CQueldaView::CQueldaView(IViewContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
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
    const quelda::WindowSettings& ws = WindowSection();
    frame->MoveFrame(ws.WINDOW_LEFT, ws.WINDOW_TOP, ws.WINDOW_WIDTH, ws.WINDOW_HEIGHT);
}

const quelda::WindowSettings& CQueldaView::WindowSection() const {
    return m_context.WindowSettingsOf(Kind());
}
