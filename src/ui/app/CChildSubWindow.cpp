#include "app/CChildSubWindow.h"

#include <QCloseEvent>

#include "app/CQueldaChildFrame.h"
#include "app/CQueldaView.h"

CChildSubWindow::CChildSubWindow(CQueldaChildFrame* frame, QWidget* parent)
    : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(frame);
}

CQueldaChildFrame* CChildSubWindow::Frame() const {
    return qobject_cast<CQueldaChildFrame*>(widget());
}

void CChildSubWindow::closeEvent(QCloseEvent* event) {
    // A frame without a view has nothing to keep: it closes.
    CQueldaChildFrame* frame = Frame();
    CQueldaView* view = frame ? frame->View() : nullptr;
    if (view && !view->CanClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
