#include "app/CChildFrame.h"

#include "app/CQueldaView.h"

CChildFrame::CChildFrame(IViewContext& context, CQueldaView* view, QWidget* parent)
    : CQueldaChildFrame(context, parent) {
    view->setParent(this);
    SetView(view);
}
