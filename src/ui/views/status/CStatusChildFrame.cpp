#include "views/status/CStatusChildFrame.h"

#include <QToolBar>

#include "app/CMainFrame.h"
#include "app/CRecordButtons.h"
#include "views/status/CStatusView.h"

CStatusChildFrame::CStatusChildFrame(CMainFrame& mainFrame, QWidget* parent)
    : CQueldaChildFrame(mainFrame, parent) {
    SetView(new CStatusView(mainFrame, this));
    QToolBar* bar = AddDialogBar(QStringLiteral("Request bar"));
    m_pButtons = new CRecordButtons(mainFrame, this);
    m_pButtons->Add(bar, CStatusView::kRecord, QStringLiteral("Req"));
    connect(&mainFrame, &CMainFrame::CommandRecordChanged, this, [this](int index) {
        if (index == CStatusView::kRecord) StatusView()->ReloadRequestCommand();
    });
}

CStatusView* CStatusChildFrame::StatusView() const { return static_cast<CStatusView*>(View()); }
