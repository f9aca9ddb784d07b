#include "app/CChildFrame.h"

#include <QAction>

#include "app/CQueldaView.h"

CChildFrame::CChildFrame(IViewContext& context, CQueldaView* view, QWidget* parent)
    : CQueldaChildFrame(context, parent) {
    view->setParent(this);
    SetView(view);
}

QAction* CChildFrame::CommandAction(int commandId) {
    if (!View()) return nullptr;
    for (QAction* action : View()->actions()) {
        if (action->property(kCommandIdProperty).toInt() == commandId) return action;
    }
    return nullptr;
}
