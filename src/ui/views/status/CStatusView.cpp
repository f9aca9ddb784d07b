#include "views/status/CStatusView.h"

#include <QRegion>

#include "app/UiText.h"
#include "app/ViewContext.h"
#include "routing/UpdateHint.h"
#include "views/monitor/CPanelArea.h"
#include "views/monitor/PanelPainter.h"

namespace {

bool SameCell(const quelda::PanelCell& a, const quelda::PanelCell& b) {
    return a.label == b.label && a.text == b.text && a.r == b.r && a.g == b.g && a.b == b.b &&
           a.labelRect == b.labelRect && a.cellRect == b.cellRect;
}

// The cells of one panel that the other does not draw alike, with their labels.
QRegion CellsMissingFrom(const quelda::StatusPanel& from, const quelda::StatusPanel& other) {
    QRegion region;
    for (const quelda::PanelCell& cell : from.cells) {
        bool kept = false;
        for (const quelda::PanelCell& o : other.cells) kept = kept || SameCell(cell, o);
        if (!kept) {
            region += paneldraw::ToQRect(cell.labelRect);
            region += paneldraw::ToQRect(cell.cellRect);
        }
    }
    return region;
}

// Where the two panels differ: the word box if its digits did, and every
// cell that went, came or changed.
QRegion ChangedRegion(const quelda::StatusPanel& before, const quelda::StatusPanel& after) {
    QRegion region = CellsMissingFrom(before, after) + CellsMissingFrom(after, before);
    if (before.wordText != after.wordText || !(before.wordRect == after.wordRect)) {
        region += paneldraw::ToQRect(before.wordRect) | paneldraw::ToQRect(after.wordRect);
    }
    return region;
}

}  // namespace

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

void CStatusView::OnDecoded() {
    const quelda::StatusPanel before = m_panel;
    const QSize size = LayOutPanel(CharWidth(), CharHeight());
    const QRegion changed = ChangedRegion(before, m_panel);
    if (changed.isEmpty()) return;
    if (size != Area()->PanelSize()) Area()->SetPanelSize(size);
    Area()->viewport()->update(changed.translated(-Area()->ScrollOffset()));
    NotifyChanged();
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
