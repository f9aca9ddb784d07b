#pragma once
// A monitor window's view, one class for all four monitors: they differ
// only in their constants (MonitorConstants of the core). The logic is the
// core's CMonitorModel; the view feeds it the frames of its hint, ticks it
// every 500 ms, and paints its items where LayOutMonitorPanel puts them.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "monitor/MonitorModel.h"
#include "monitor/PanelLayout.h"
#include "views/monitor/CPanelView.h"

class CMonitorChildFrame;
class CPlotView;
class QMenu;

class CMonitorView : public CPanelView {
    Q_OBJECT
public:
    CMonitorView(IViewContext& context, quelda::WindowKind kind, QWidget* parent = nullptr);
    ~CMonitorView() override;

    quelda::WindowKind Kind() const override { return m_kind; }
    std::string RequestCommand() const override { return m_model.RequestCommand(); }
    void OnInitialUpdate() override;
    // hint 0 without data repaints; the monitor's own hint brings a frame
    // text (monitor 3: the block buffer, two length bytes first).
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;

    const quelda::MonitorConstants& Constants() const { return m_model.Constants(); }
    const quelda::CMonitorModel& Model() const { return m_model; }
    // Where everything is drawn; the value texts drawn are the model's
    // (Model().Items()[item.index].value), kept up to date at every decode.
    const quelda::MonitorPanel& Panel() const { return m_panel; }
    // How many decodes needed a new layout (a status item's value changed).
    int Layouts() const { return m_nLayouts; }

    // The Save box: checked takes fileName as the log's name.
    void SwitchLog(bool on, const std::string& fileName);
    // Monitor 3's "Binary to Text Convert": the converter dialog, modal,
    // opened on the log, MONITOR3.TXT and the log's ".CSV" name.
    void OpenBinToText();

    // The item an entry draws (a status cell: its item); 0 for none.
    std::size_t EntryItem(int entry) const;
    // The entry's context menu: "Plot" (checkable), or "Plot (not a
    // number)", disabled, for an item whose value text is not a number.
    QMenu* EntryMenu(int entry, QWidget* parent);
    void ShowEntryMenu(int entry, const QPoint& global) override;
    // Joins item to the plot or takes it out; the first opens the plot
    // window beside the monitor.
    void SetPlotted(std::size_t item, bool on);
    // The plot window's view, or nullptr while none is open.
    CPlotView* PlotView() const { return m_pPlotView; }
    int EntryCount() const override { return static_cast<int>(m_entries.size()); }
    PanelEntry Entry(int index) const override;
    QRect EntryRect(int index) const override;

signals:
    // A log record failed, or one was written again after a failure.
    void LogStateChanged();

protected:
    // The menu key opens the menu of the last entry clicked (the first at start).
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool TickModel() override { return m_model.Tick(); }
    // The places of the items do not depend on their values, only the
    // cells of status items do: a new layout only when one of those changed.
    void OnDecoded() override;
    QSize LayOutPanel(int cx, int cy) override;
    std::size_t Paint(QPainter& painter, const QRect& exposed) const override;

private:
    // A drawn thing of the panel: an item, or one of its status cells.
    struct EntryRef {
        uint32_t item;  // into m_panel.items
        int32_t cell;   // -1: the item itself
    };

    CMonitorChildFrame* MonitorFrame() const;
    // After an edit of record index: the request follows the Cmd1 record.
    void OnRecordChanged(int index);
    // Monitor 3's frames carry a block: the core learns its command.
    void PassBinaryCommand();
    void CheckLogState();
    void OpenPlot();
    void OnPlotClosed();
    // Repaints the items the decode changed, nothing when none did.
    void RepaintChanged();

    quelda::WindowKind m_kind;
    quelda::CMonitorModel m_model;
    quelda::MonitorPanel m_panel;
    std::vector<QRect> m_bounds;  // of m_panel.items
    std::vector<EntryRef> m_entries;
    // The status items' values the layout's cells were made from.
    std::vector<std::pair<std::size_t, std::string>> m_laidStatus;
    int m_nLayouts = 0;
    quelda::LogFailure m_shownFailure;  // what the Save box shows
    int m_nCurrentEntry = 0;
    CPlotView* m_pPlotView = nullptr;
    QWidget* m_pPlotWindow = nullptr;  // the sub-window, or the view alone
};
