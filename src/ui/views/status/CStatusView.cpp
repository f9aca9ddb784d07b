#include "views/status/CStatusView.h"

#include <QPainter>

#include "app/ViewContext.h"
#include "routing/UpdateHint.h"

CStatusView::CStatusView(IViewContext& context, QWidget* parent) : CQueldaView(context, parent) {}

void CStatusView::OnInitialUpdate() {
    PlaceFrame(QStringLiteral("Status"));
    ReloadRequestCommand();
}

void CStatusView::ReloadRequestCommand() {
    m_strRequest = quelda::RecordCommand(Context().CommandRecords(), kRecord);
}

void CStatusView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone && !data) update();
}

void CStatusView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
}
