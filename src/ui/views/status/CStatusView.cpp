#include "views/status/CStatusView.h"

#include "app/UiText.h"
#include "app/ViewContext.h"
#include "routing/UpdateHint.h"
#include "views/monitor/CPanelArea.h"
#include "views/monitor/PanelPainter.h"

CStatusView::CStatusView(IViewContext& context, QWidget* parent) : CPanelView(context, parent) {
    connect(&context.Events(), &CViewEvents::CommandRecordChanged, this, [this](int index) {
        if (index == kRecord) ReloadRequestCommand();
    });
}

void CStatusView::OnInitialUpdate() {
    PlaceFrame(QStringLiteral("Status"));
    m_model.Load(Context().AppDir(), Context().CommandRecords());
    StartPanel(QStringLiteral("Status"));
}

void CStatusView::ReloadRequestCommand() { m_model.RecordEdited(Context().CommandRecords()); }

void CStatusView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone) {
        if (!data) Area()->viewport()->update();
        return;
    }
    if (hint != quelda::hintStatus || !data) return;
    m_model.FrameIn(std::string(reinterpret_cast<const char*>(data), length));
}

QSize CStatusView::LayOutPanel(int cx, int cy) {
    m_panel = quelda::LayOutStatusPanel(m_model.Table(), m_model.Word(), WindowSection(), cx, cy);
    return QSize(m_panel.width, m_panel.height);
}

std::size_t CStatusView::Paint(QPainter& painter, const QRect& exposed) const {
    return paneldraw::PaintStatusPanel(painter, m_panel, exposed);
}

PanelEntry CStatusView::Entry(int index) const {
    if (index == 0) {
        return {QStringLiteral("Status word"), DecodeText(m_panel.wordText), EntryRect(0)};
    }
    if (index < 0 || index >= EntryCount()) return {};
    const quelda::PanelCell& cell = m_panel.cells[static_cast<std::size_t>(index - 1)];
    return {DecodeText(cell.label), DecodeText(cell.text), EntryRect(index)};
}

QRect CStatusView::EntryRect(int index) const {
    if (index == 0) return paneldraw::ToQRect(m_panel.wordRect);
    if (index < 0 || index >= EntryCount()) return {};
    const quelda::PanelCell& cell = m_panel.cells[static_cast<std::size_t>(index - 1)];
    return paneldraw::ToQRect(cell.labelRect) | paneldraw::ToQRect(cell.cellRect);
}
