#include "app/CFormView.h"

#include <QMdiSubWindow>

#include "app/CQueldaChildFrame.h"
#include "app/DialogUnits.h"

CFormView::CFormView(IViewContext& context, QSize formSize, QWidget* parent)
    : CQueldaView(context, parent), m_formSize(formSize) {
    setFont(FormFont());
}

QSize CFormView::sizeHint() const {
    return DialogUnitsToPixels(font(), m_formSize.width(), m_formSize.height());
}

void CFormView::FitFrame(const QString& title, bool atSettings) {
    CQueldaChildFrame* frame = Frame();
    if (!frame) return;
    frame->SetFrameTitle(title);
    auto* sub = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
    if (!sub) return;
    sub->adjustSize();
    if (!atSettings) return;
    const quelda::WindowSettings& ws = WindowSection();
    sub->move(ws.WINDOW_LEFT, ws.WINDOW_TOP);
}
