#include "views/monitor/CMonitorView.h"

#include "app/UiText.h"
#include "app/ViewContext.h"
#include "bintext/BinTextNames.h"
#include "routing/UpdateHint.h"
#include "tools/bintext/CBinTextDlg.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/monitor/CPanelArea.h"
#include "views/monitor/PanelPainter.h"

using quelda::WindowKind;

namespace {

// "value unit"; the blank only between two texts.
QString ValueWithUnit(const std::string& value, const std::string& unit) {
    if (unit.empty()) return DecodeText(value);
    if (value.empty()) return DecodeText(unit);
    return DecodeText(value) + QLatin1Char(' ') + DecodeText(unit);
}

}  // namespace

CMonitorView::CMonitorView(IViewContext& context, WindowKind kind, QWidget* parent)
    : CPanelView(context, parent), m_kind(kind), m_model(kind) {
    connect(&context.Events(), &CViewEvents::CommandRecordChanged, this,
            &CMonitorView::OnRecordChanged);
}

CMonitorView::~CMonitorView() = default;

CMonitorChildFrame* CMonitorView::MonitorFrame() const {
    return qobject_cast<CMonitorChildFrame*>(Frame());
}

void CMonitorView::OnInitialUpdate() {
    PlaceFrame(QString::fromLatin1(Constants().title));
    // The routing hands the view the frames whose command begins with its
    // first record's command; monitor 3's frames carry a binary block.
    m_model.Load(Context().AppDir(), Context().CommandRecords());
    if (CMonitorChildFrame* frame = MonitorFrame())
        frame->ProposeLogName(DecodeText(m_model.ProposedLogName()));
    PassBinaryCommand();
    StartPanel(QString::fromLatin1(Constants().title));
}

void CMonitorView::PassBinaryCommand() {
    const int first = Constants().firstCommandRecord;
    if (m_model.IsBinary() && first < static_cast<int>(Context().CommandRecords().size()))
        Context().SetBinaryCommand(m_model.RequestCommand());
}

void CMonitorView::OnRecordChanged(int index) {
    if (index != Constants().firstCommandRecord) return;
    m_model.RecordEdited(Context().CommandRecords());
    PassBinaryCommand();
}

void CMonitorView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone) {
        if (!data) Area()->viewport()->update();
        return;
    }
    if (hint != Constants().hint || !data) return;
    if (m_model.IsBinary()) {
        m_model.BlockIn(data, length, Context().BinLengthFormat());
    } else {
        m_model.FrameIn(std::string(reinterpret_cast<const char*>(data), length));
    }
    CheckLogState();
}

void CMonitorView::SwitchLog(bool on, const std::string& fileName) {
    m_model.SetSave(on, fileName);
}

void CMonitorView::CheckLogState() {
    const quelda::LogFailure& state = m_model.LogState();
    if (state.failed == m_shownFailure.failed && state.fileName == m_shownFailure.fileName &&
        state.reason == m_shownFailure.reason)
        return;
    m_shownFailure = state;
    emit LogStateChanged();
}

void CMonitorView::OpenBinToText() {
    const std::string& appDir = Context().AppDir();
    CBinTextDlg dlg(appDir, Context().BinLengthFormat(), Context().UserPrompt(),
                    quelda::NamesForMonitorLog(appDir, m_model.LogFileName()), this);
    dlg.exec();
}

void CMonitorView::OnDecoded() {
    const std::vector<quelda::MonitorItem>& items = m_model.Items();
    for (const auto& [index, value] : m_laidStatus) {
        if (items[index].value != value) {
            Relayout();
            return;
        }
    }
    Repaint();
}

QSize CMonitorView::LayOutPanel(int cx, int cy) {
    const std::vector<quelda::MonitorItem>& items = m_model.Items();
    m_panel = quelda::LayOutMonitorPanel(items, Constants().form, WindowSection(), cx, cy);
    ++m_nLayouts;
    m_bounds.clear();
    m_entries.clear();
    m_laidStatus.clear();
    m_bounds.reserve(m_panel.items.size());
    m_entries.reserve(m_panel.items.size());
    for (std::size_t i = 0; i < m_panel.items.size(); ++i) {
        const quelda::PanelItem& item = m_panel.items[i];
        m_bounds.push_back(paneldraw::ItemBounds(item));
        m_entries.push_back({static_cast<uint32_t>(i), -1});
        if (!item.hasValueBox) m_laidStatus.emplace_back(item.index, items[item.index].value);
        for (std::size_t c = 0; c < item.cells.size(); ++c)
            m_entries.push_back({static_cast<uint32_t>(i), static_cast<int32_t>(c)});
    }
    return QSize(m_panel.width, m_panel.height);
}

std::size_t CMonitorView::Paint(QPainter& painter, const QRect& exposed) const {
    return paneldraw::PaintMonitorPanel(painter, m_panel, m_model.Items(), m_bounds, exposed);
}

PanelEntry CMonitorView::Entry(int index) const {
    if (index < 0 || index >= EntryCount()) return {};
    const EntryRef ref = m_entries[static_cast<std::size_t>(index)];
    const quelda::PanelItem& item = m_panel.items[ref.item];
    if (ref.cell < 0) {
        const std::string& value = m_model.Items()[item.index].value;
        return {DecodeText(item.caption), ValueWithUnit(value, item.unit), EntryRect(index)};
    }
    const quelda::PanelCell& cell = item.cells[static_cast<std::size_t>(ref.cell)];
    return {DecodeText(cell.label), DecodeText(cell.text), EntryRect(index)};
}

QRect CMonitorView::EntryRect(int index) const {
    if (index < 0 || index >= EntryCount()) return {};
    const EntryRef ref = m_entries[static_cast<std::size_t>(index)];
    const quelda::PanelItem& item = m_panel.items[ref.item];
    if (ref.cell < 0) {
        if (!item.hasValueBox) return paneldraw::ToQRect(item.nameRect);
        return paneldraw::ToQRect(item.nameRect) | paneldraw::ToQRect(item.valueRect) |
               paneldraw::ToQRect(item.unitRect);
    }
    const quelda::PanelCell& cell = item.cells[static_cast<std::size_t>(ref.cell)];
    return paneldraw::ToQRect(cell.labelRect) | paneldraw::ToQRect(cell.cellRect);
}
