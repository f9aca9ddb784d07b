#include "views/monitor/CMonitorView.h"

#include <QLineEdit>
#include <QPainter>

#include "app/UiText.h"
#include "app/ViewContext.h"
#include "config/CommandRecords.h"
#include "routing/UpdateHint.h"
#include "text/FileNames.h"
#include "views/monitor/CMonitorChildFrame.h"

using quelda::WindowKind;

CMonitorView::CMonitorView(IViewContext& context, WindowKind kind, QWidget* parent)
    : CQueldaView(context, parent), m_kind(kind) {}

void CMonitorView::OnInitialUpdate() {
    PlaceFrame(QString::fromLatin1(Constants().title));
    ProposeLogName();
    // The routing hands the view the frames whose command begins with its
    // first record's command; monitor 3's frames carry a binary block.
    m_strRequest =
        quelda::RecordCommand(Context().CommandRecords(), Constants().firstCommandRecord);
    if (m_kind == WindowKind::Monitor3 && !m_strRequest.empty()) {
        Context().SetBinaryCommand(m_strRequest);
    }
}

void CMonitorView::ProposeLogName() {
    auto* frame = qobject_cast<CMonitorChildFrame*>(Frame());
    if (!frame) return;
    QLineEdit* edit = frame->LogNameEdit();
    edit->setText(DecodeText(quelda::ProposeLogName(Context().AppDir(), Constants().logExtension)));
    edit->selectAll();
}

void CMonitorView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone && !data) update();
}

void CMonitorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
}
