#pragma once
// A monitor's plot window: one series per plotted item, drawn from the
// core's min/max envelope of the visible span (so a redraw costs the same
// for any number of samples), redrawn at most 30 times a second and only
// when samples came or the view changed. While it follows, the time axis
// shows the chosen span up to the newest sample; a zoom or a pan stops
// following and autoscale (double-click or the button) takes it up again.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

namespace quelda {
class CMonitorModel;
}
class QAction;
class QComboBox;
class QCustomPlot;
class QCPGraph;
class QLabel;
class QMouseEvent;
class QTimer;
class IViewContext;

class CPlotView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 34;  // fewer than 30 redraws a second
    // The span choices in seconds; 0 keeps all.
    static const std::vector<double>& Spans();

    CPlotView(IViewContext& context, const quelda::CMonitorModel& model, const QString& title,
              QWidget* parent = nullptr);

    // The plotted items changed: one series per item, in the feed's order.
    void SeriesChanged();
    // Draws now if anything changed since the last draw.
    void Redraw();
    int Redraws() const { return m_nRedraws; }

    bool Paused() const { return m_bPaused; }
    void SetPaused(bool on);
    // Back to following the newest samples, both axes fitted.
    void Autoscale();
    void SetSpan(int choice);
    // The visible time span, in seconds since the first sample.
    void SetTimeRange(double t0, double t1);
    double ViewStart() const;
    double ViewEnd() const;

    // What the read-out says for time t.
    QString ReadOut(double t) const;
    // The CSV of the visible span (see PlotCsv).
    std::string VisibleCsv() const;
    bool ExportCsv(const QString& fileName) const;
    bool ExportPng(const QString& fileName);

    QCustomPlot* Plot() const { return m_pPlot; }
    QLabel* ReadOutLabel() const { return m_pReadOut; }
    QLabel* HoldsLabel() const { return m_pHolds; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildBar();
    void OnTimer();
    void OnPress(QMouseEvent* event);
    void OnMove(QMouseEvent* event);
    void UserMoved();
    void ChooseCsv();
    void ChoosePng();
    void FitTime();
    // Sets each graph's points from the envelope; the largest magnitude of each.
    std::vector<double> FillGraphs(double t0, double t1, int columns,
                                   std::vector<std::pair<double, double>>& extents);
    void FitValues(const std::vector<std::pair<double, double>>& extents,
                   const std::vector<int>& sides);
    void ShowHolds();
    QString SeriesName(std::size_t series) const;

    IViewContext& m_context;
    const quelda::CMonitorModel& m_model;
    QCustomPlot* m_pPlot = nullptr;
    QTimer* m_pTimer = nullptr;
    QAction* m_pPause = nullptr;
    QComboBox* m_pSpan = nullptr;
    QLabel* m_pReadOut = nullptr;
    QLabel* m_pHolds = nullptr;
    std::vector<QCPGraph*> m_graphs;
    uint64_t m_seenGeneration = ~uint64_t{0};
    bool m_bViewChanged = true;
    bool m_bPaused = false;
    bool m_bFollow = true;
    bool m_bAutoValues = true;
    double m_span = 10.0;
    int m_nRedraws = 0;
};
