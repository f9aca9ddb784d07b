#include "views/monitor/CMonitorView.h"

#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "app/UiText.h"
#include "app/ViewContext.h"
#include "bintext/BinTextNames.h"
#include "routing/UpdateHint.h"
#include "tools/bintext/CBinTextDlg.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/monitor/CPanelArea.h"
#include "views/monitor/PanelPainter.h"
#include "views/plot/CPlotView.h"

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

CMonitorView::~CMonitorView() {
    // the plot reads this monitor's samples: it goes with it
    if (m_pPlotWindow) {
        disconnect(m_pPlotWindow, nullptr, this, nullptr);
        delete m_pPlotWindow;
    }
}

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
        m_model.BlockIn(data, length, Context().BinLengthFormat(), quelda::SteadySeconds());
    } else {
        m_model.FrameIn(std::string(reinterpret_cast<const char*>(data), length),
                        quelda::SteadySeconds());
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
    RepaintChanged();
}

void CMonitorView::RepaintChanged() {
    const std::vector<std::size_t>& changed = m_model.Changed();
    if (changed.empty()) return;
    std::vector<char> flag(m_model.Items().size(), 0);
    for (std::size_t i : changed) flag[i] = 1;
    QRegion region;
    for (std::size_t i = 0; i < m_panel.items.size(); ++i) {
        if (flag[m_panel.items[i].index]) region += Area()->PanelToViewport(m_bounds[i]);
    }
    if (region.isEmpty()) return;
    Area()->viewport()->update(region);
    NotifyChanged();
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

std::size_t CMonitorView::EntryItem(int entry) const {
    if (entry < 0 || entry >= EntryCount()) return 0;
    return m_panel.items[m_entries[static_cast<std::size_t>(entry)].item].index;
}

QMenu* CMonitorView::EntryMenu(int entry, QWidget* parent) {
    const std::size_t item = EntryItem(entry);
    if (item == 0) return nullptr;
    auto* menu = new QMenu(parent);
    const bool number = quelda::CPlotFeed::CanPlot(m_model.Items()[item]);
    QAction* plot = menu->addAction(number ? tr("Plot") : tr("Plot (not a number)"));
    plot->setCheckable(true);
    plot->setChecked(m_model.Plot().IsPlotted(item));
    plot->setEnabled(number || plot->isChecked());
    connect(plot, &QAction::toggled, this, [this, item](bool on) { SetPlotted(item, on); });
    return menu;
}

void CMonitorView::ShowEntryMenu(int entry, const QPoint& global) {
    if (entry >= 0) m_nCurrentEntry = entry;
    QMenu* menu = EntryMenu(entry, this);
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
}

void CMonitorView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        CPanelView::contextMenuEvent(event);
        return;
    }
    const QRect rect = PanelToGlobal(EntryRect(m_nCurrentEntry));
    ShowEntryMenu(m_nCurrentEntry, rect.isNull() ? event->globalPos() : rect.bottomLeft());
    event->accept();
}

void CMonitorView::SetPlotted(std::size_t item, bool on) {
    if (item == 0 || item >= m_model.Items().size()) return;
    m_model.Plot().SetPlotted(item, on);
    if (on && !m_pPlotView) OpenPlot();
    if (m_pPlotView) m_pPlotView->SeriesChanged();
}

void CMonitorView::OpenPlot() {
    const QString title = QString::fromLatin1(Constants().title) + tr(" plot");
    auto* own = qobject_cast<QMdiSubWindow*>(Frame() ? Frame()->parentWidget() : nullptr);
    QMdiArea* area = own ? own->mdiArea() : nullptr;
    m_pPlotView = new CPlotView(Context(), m_model, title);
    if (area) {
        QMdiSubWindow* sub = area->addSubWindow(m_pPlotView);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(title);
        // beside the monitor: right of it when there is room, else left
        const QRect mine = own->geometry();
        const QSize size(std::max(mine.width(), 600), std::max(mine.height(), 320));
        int x = mine.right() + 1;
        if (x + size.width() > area->viewport()->width()) x = std::max(mine.left() - size.width(), 0);
        sub->setGeometry(QRect(QPoint(x, mine.top()), size));
        m_pPlotWindow = sub;
    } else {
        m_pPlotView->setAttribute(Qt::WA_DeleteOnClose);
        m_pPlotView->resize(480, 320);
        m_pPlotWindow = m_pPlotView;
    }
    connect(m_pPlotWindow, &QObject::destroyed, this, &CMonitorView::OnPlotClosed);
    m_pPlotWindow->show();
}

void CMonitorView::OnPlotClosed() {
    // closing the plot window ends the plot: its items stop taking samples
    m_pPlotWindow = nullptr;
    m_pPlotView = nullptr;
    std::vector<std::size_t> items;
    for (const auto& s : m_model.Plot().AllSeries()) items.push_back(s.item);
    for (std::size_t item : items) m_model.Plot().SetPlotted(item, false);
}
