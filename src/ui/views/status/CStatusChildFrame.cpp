#include "views/status/CStatusChildFrame.h"

#include <QToolBar>

#include "app/CRecordButtons.h"
#include "app/ViewContext.h"
#include "views/status/CStatusView.h"

CStatusChildFrame::CStatusChildFrame(IViewContext& context, QWidget* parent)
    : CQueldaChildFrame(context, parent) {
    SetView(new CStatusView(context, this));
    QToolBar* bar = AddDialogBar(QStringLiteral("Request bar"));
    m_pButtons = new CRecordButtons(context, this);
    m_pButtons->Add(bar, CStatusView::kRecord, QStringLiteral("Req"));
}

CStatusView* CStatusChildFrame::StatusView() const { return static_cast<CStatusView*>(View()); }
