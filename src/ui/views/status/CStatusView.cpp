#include "views/status/CStatusView.h"

#include <QPainter>

#include "app/CMainFrame.h"
#include "routing/UpdateHint.h"

CStatusView::CStatusView(CMainFrame& mainFrame, QWidget* parent) : CQueldaView(mainFrame, parent) {}

void CStatusView::OnInitialUpdate() {
    PlaceFrame(QStringLiteral("Status"));
    ReloadRequestCommand();
}

void CStatusView::ReloadRequestCommand() {
    const auto& records = MainFrame().Core().CommandRecords();
    if (kRecord < static_cast<int>(records.size())) m_strRequest = records[kRecord].command;
}

void CStatusView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone && !data) update();
}

void CStatusView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
}
