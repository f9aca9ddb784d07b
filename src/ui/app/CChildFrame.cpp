#include "app/CChildFrame.h"

#include "app/CQueldaView.h"

CChildFrame::CChildFrame(CMainFrame& mainFrame, CQueldaView* view, QWidget* parent)
    : CQueldaChildFrame(mainFrame, parent) {
    view->setParent(this);
    SetView(view);
}
