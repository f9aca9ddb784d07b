#include "views/plot/CPlotView.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

#include "app/UiText.h"
#include "app/ViewContext.h"
#include "monitor/MonitorModel.h"
#include "plot/PlotCsv.h"
#include "plot/PlotScale.h"

using quelda::CSampleRing;
using quelda::EnvelopeColumn;

namespace {

const QColor kColours[] = {QColor(0, 90, 200), QColor(200, 40, 40), QColor(0, 140, 60),
                           QColor(150, 60, 170), QColor(200, 120, 0), QColor(0, 150, 160)};

}  // namespace

const std::vector<double>& CPlotView::Spans() {
    static const std::vector<double> spans = {10.0, 60.0, 600.0, 0.0};
    return spans;
}

CPlotView::CPlotView(IViewContext& context, const quelda::CMonitorModel& model,
                     const QString& title, QWidget* parent)
    : QWidget(parent), m_context(context), m_model(model) {
    setWindowTitle(title);
    setAccessibleName(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pPlot = new QCustomPlot(this);
    m_pPlot->setAccessibleName(tr("Plot"));
    m_pPlot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_pPlot->axisRect()->setRangeDragAxes({m_pPlot->xAxis, m_pPlot->yAxis, m_pPlot->yAxis2});
    m_pPlot->axisRect()->setRangeZoomAxes({m_pPlot->xAxis, m_pPlot->yAxis, m_pPlot->yAxis2});
    m_pPlot->xAxis->setLabel(tr("time (s)"));
    m_pPlot->legend->setVisible(true);
    m_pPlot->legend->setBrush(QColor(255, 255, 255, 200));  // the curves show through
    m_pPlot->setNoAntialiasingOnDrag(true);
    m_pPlot->installEventFilter(this);
    m_pPlot->setMouseTracking(true);
    m_pPlot->setFocusPolicy(Qt::StrongFocus);
    m_pHolds = new QLabel(this);
    m_pHolds->setAccessibleName(tr("Holds data from"));
    BuildBar();
    layout->addWidget(m_pPlot, 1);
    // a read-out of many series wraps instead of widening the window
    m_pReadOut = new QLabel(this);
    m_pReadOut->setAccessibleName(tr("Read-out"));
    m_pReadOut->setWordWrap(true);
    m_pReadOut->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_pReadOut);
    connect(m_pPlot, &QCustomPlot::mousePress, this, &CPlotView::OnPress);
    connect(m_pPlot, &QCustomPlot::mouseMove, this, &CPlotView::OnMove);
    connect(m_pPlot, &QCustomPlot::mouseWheel, this, &CPlotView::UserMoved);
    connect(m_pPlot, &QCustomPlot::mouseDoubleClick, this, &CPlotView::Autoscale);
    connect(m_pPlot->selectionRect(), &QCPSelectionRect::accepted, this,
            &CPlotView::UserMoved);
    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(kFrameMs);
    connect(m_pTimer, &QTimer::timeout, this, &CPlotView::OnTimer);
    m_pTimer->start();
    SeriesChanged();
}

void CPlotView::BuildBar() {
    auto* bar = new QToolBar(this);
    bar->setAccessibleName(tr("Plot bar"));
    m_pPause = bar->addAction(tr("Pause"));
    m_pPause->setCheckable(true);
    m_pPause->setShortcut(Qt::Key_Space);
    m_pPause->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_pPause);  // space works wherever the focus is in the window
    connect(m_pPause, &QAction::toggled, this, &CPlotView::SetPaused);
    QAction* fit = bar->addAction(tr("Autoscale"));
    connect(fit, &QAction::triggered, this, &CPlotView::Autoscale);
    m_pSpan = new QComboBox(bar);
    m_pSpan->setAccessibleName(tr("Time span"));
    m_pSpan->addItems({tr("10 s"), tr("1 min"), tr("10 min"), tr("All kept")});
    connect(m_pSpan, qOverload<int>(&QComboBox::activated), this, &CPlotView::SetSpan);
    bar->addWidget(m_pSpan);
    QAction* png = bar->addAction(tr("Export PNG"));
    connect(png, &QAction::triggered, this, &CPlotView::ChoosePng);
    QAction* csv = bar->addAction(tr("Export CSV"));
    connect(csv, &QAction::triggered, this, &CPlotView::ChooseCsv);
    bar->addSeparator();
    bar->addWidget(m_pHolds);
    for (QAction* a : bar->actions()) {
        if (QWidget* w = bar->widgetForAction(a); w && w->accessibleName().isEmpty())
            w->setAccessibleName(a->text());
    }
    layout()->addWidget(bar);
}

QString CPlotView::SeriesName(std::size_t series) const {
    const auto& items = m_model.Items();
    const std::size_t item = m_model.Plot().AllSeries()[series].item;
    if (item >= items.size()) return QString();
    const QString unit = DecodeText(items[item].unit);
    const QString caption = DecodeText(items[item].name);
    return unit.isEmpty() ? caption : caption + QLatin1Char(' ') + unit;
}

void CPlotView::SeriesChanged() {
    m_pPlot->clearGraphs();
    m_graphs.clear();
    const std::size_t count = m_model.Plot().AllSeries().size();
    for (std::size_t s = 0; s < count; ++s) {
        QCPGraph* graph = m_pPlot->addGraph();
        graph->setName(SeriesName(s));
        graph->setPen(QPen(kColours[s % std::size(kColours)], 1.0));
        graph->setAdaptiveSampling(false);  // the envelope is reduced already
        graph->setAntialiased(false);       // crisp one-pixel columns, and cheaper
        m_graphs.push_back(graph);
    }
    m_bViewChanged = true;
    Redraw();
}

void CPlotView::OnTimer() {
    const bool fresh = m_model.Plot().Generation() != m_seenGeneration && !m_bPaused;
    if (fresh || m_bViewChanged) Redraw();
}

void CPlotView::SetPaused(bool on) {
    m_bPaused = on;
    if (m_pPause->isChecked() != on) m_pPause->setChecked(on);
    m_pPause->setText(on ? tr("Resume") : tr("Pause"));
    if (!on) m_bFollow = true;
    m_bViewChanged = true;
}

void CPlotView::Autoscale() {
    m_bFollow = true;
    m_bAutoValues = true;
    m_bViewChanged = true;
    Redraw();
}

void CPlotView::SetSpan(int choice) {
    if (choice < 0 || choice >= static_cast<int>(Spans().size())) return;
    if (m_pSpan->currentIndex() != choice) m_pSpan->setCurrentIndex(choice);
    m_span = Spans()[static_cast<std::size_t>(choice)];
    Autoscale();
}

void CPlotView::SetTimeRange(double t0, double t1) {
    m_pPlot->xAxis->setRange(t0, t1);
    UserMoved();
    Redraw();
}

double CPlotView::ViewStart() const { return m_pPlot->xAxis->range().lower; }
double CPlotView::ViewEnd() const { return m_pPlot->xAxis->range().upper; }

void CPlotView::UserMoved() {
    m_bFollow = false;
    m_bAutoValues = false;
    m_bViewChanged = true;
}

void CPlotView::OnPress(QMouseEvent* event) {
    // Ctrl with the left button draws a rectangle to zoom into; without it
    // the left button pans.
    const bool rect = event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier);
    m_pPlot->setSelectionRectMode(rect ? QCP::srmZoom : QCP::srmNone);
    if (event->button() == Qt::LeftButton) UserMoved();
}

void CPlotView::OnMove(QMouseEvent* event) {
    m_pReadOut->setText(ReadOut(m_pPlot->xAxis->pixelToCoord(event->position().x())));
    if (event->buttons() & Qt::LeftButton) m_bViewChanged = true;
}

bool CPlotView::eventFilter(QObject* watched, QEvent* event) {
    // a drag moves the axes without telling: the next frame draws them
    if (watched == m_pPlot && event->type() == QEvent::MouseButtonRelease) m_bViewChanged = true;
    return QWidget::eventFilter(watched, event);
}

QString CPlotView::ReadOut(double t) const {
    QString text = tr("t = %1 s").arg(t, 0, 'f', 3);
    const auto& all = m_model.Plot().AllSeries();
    for (std::size_t s = 0; s < all.size(); ++s) {
        const CSampleRing& ring = *all[s].ring;
        // the newest sample at or before t
        const std::size_t after = ring.LowerBound(std::nextafter(t, INFINITY));
        const QString value =
            after == 0 ? QStringLiteral("-") : QString::number(ring.At(after - 1).value, 'g', 10);
        text += QStringLiteral("   ") + SeriesName(s) + QStringLiteral(": ") + value;
    }
    return text;
}

void CPlotView::FitTime() {
    double latest = 0.0;
    double oldest = INFINITY;
    for (const auto& s : m_model.Plot().AllSeries()) {
        if (s.ring->Empty()) continue;
        latest = std::max(latest, s.ring->Latest());
        oldest = std::min(oldest, s.ring->HoldsFrom());
    }
    if (m_span > 0.0) {
        m_pPlot->xAxis->setRange(std::max(latest - m_span, 0.0), std::max(latest, m_span));
    } else {
        if (!std::isfinite(oldest)) oldest = 0.0;
        m_pPlot->xAxis->setRange(oldest, std::max(latest, oldest + 1.0));
    }
}

std::vector<double> CPlotView::FillGraphs(double t0, double t1, int columns,
                                          std::vector<std::pair<double, double>>& extents) {
    const auto& all = m_model.Plot().AllSeries();
    std::vector<double> magnitudes;
    const double width = (t1 - t0) / columns;
    for (std::size_t s = 0; s < all.size() && s < m_graphs.size(); ++s) {
        const std::vector<EnvelopeColumn> env = all[s].ring->Envelope(t0, t1, columns);
        QVector<QCPGraphData> points;
        points.reserve(static_cast<int>(env.size()) * 3);
        double lo = INFINITY;
        double hi = -INFINITY;
        for (std::size_t c = 0; c < env.size(); ++c) {
            const EnvelopeColumn& col = env[c];
            const double key = t0 + width * (static_cast<double>(c) + 0.5);
            if (col.HasValue()) {
                points.push_back({key, col.min});
                if (col.max != col.min) points.push_back({key, col.max});
                lo = std::min(lo, col.min);
                hi = std::max(hi, col.max);
            }
            // a non-finite value breaks the line there
            if (col.gap) points.push_back({key, qQNaN()});
        }
        m_graphs[s]->data()->set(points, true);
        extents.emplace_back(lo, hi);
        magnitudes.push_back(lo <= hi ? std::max(std::fabs(lo), std::fabs(hi)) : NAN);
    }
    return magnitudes;
}

void CPlotView::FitValues(const std::vector<std::pair<double, double>>& extents,
                          const std::vector<int>& sides) {
    double lo[2] = {INFINITY, INFINITY};
    double hi[2] = {-INFINITY, -INFINITY};
    for (std::size_t s = 0; s < extents.size(); ++s) {
        lo[sides[s]] = std::min(lo[sides[s]], extents[s].first);
        hi[sides[s]] = std::max(hi[sides[s]], extents[s].second);
    }
    const quelda::AxisRange left = quelda::FitRange(lo[0], hi[0]);
    const quelda::AxisRange right = quelda::FitRange(lo[1], hi[1]);
    m_pPlot->yAxis->setRange(left.lower, left.upper);
    m_pPlot->yAxis2->setRange(right.lower, right.upper);
}

void CPlotView::Redraw() {
    if (m_bFollow && !m_bPaused) FitTime();
    const double t0 = ViewStart();
    const double t1 = ViewEnd();
    const int columns = std::max(m_pPlot->axisRect()->width(), 1);
    std::vector<std::pair<double, double>> extents;
    const std::vector<double> magnitudes = FillGraphs(t0, t1, columns, extents);
    const std::vector<int> sides = quelda::AxisSides(magnitudes);
    bool second = false;
    for (std::size_t s = 0; s < sides.size(); ++s) {
        m_graphs[s]->setValueAxis(sides[s] ? m_pPlot->yAxis2 : m_pPlot->yAxis);
        second = second || sides[s];
    }
    m_pPlot->yAxis2->setVisible(second);
    if (m_bAutoValues) FitValues(extents, sides);
    ShowHolds();
    m_seenGeneration = m_model.Plot().Generation();
    m_bViewChanged = false;
    m_pPlot->replot(QCustomPlot::rpQueuedReplot);
    ++m_nRedraws;
}

void CPlotView::ShowHolds() {
    double from = INFINITY;
    for (const auto& s : m_model.Plot().AllSeries()) {
        if (!s.ring->Empty()) from = std::min(from, s.ring->HoldsFrom());
    }
    const QString text = std::isfinite(from) ? tr("Holds data from %1 s").arg(from, 0, 'f', 3)
                                             : tr("No data yet");
    if (m_pHolds->text() != text) m_pHolds->setText(text);
}

std::string CPlotView::VisibleCsv() const {
    std::vector<const CSampleRing*> rings;
    std::vector<std::string> names;
    const auto& all = m_model.Plot().AllSeries();
    for (std::size_t s = 0; s < all.size(); ++s) {
        rings.push_back(all[s].ring.get());
        names.push_back(SeriesName(s).toStdString());
    }
    return quelda::PlotCsv(rings, names, ViewStart(), ViewEnd());
}

bool CPlotView::ExportCsv(const QString& fileName) const {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const std::string text = VisibleCsv();
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

bool CPlotView::ExportPng(const QString& fileName) {
    m_pPlot->replot(QCustomPlot::rpImmediateRefresh);
    return m_pPlot->savePng(fileName);
}

void CPlotView::ChooseCsv() {
    const QString name = m_context.SaveFileName(windowTitle() + QStringLiteral(".csv"),
                                                tr("CSV files (*.csv)"));
    if (!name.isEmpty() && !ExportCsv(name))
        m_context.Prompt(tr("Cannot write %1").arg(name), IViewContext::Buttons::Ok,
                         IViewContext::PromptKind::Warning);
}

void CPlotView::ChoosePng() {
    const QString name = m_context.SaveFileName(windowTitle() + QStringLiteral(".png"),
                                                tr("PNG images (*.png)"));
    if (!name.isEmpty() && !ExportPng(name))
        m_context.Prompt(tr("Cannot write %1").arg(name), IViewContext::Buttons::Ok,
                         IViewContext::PromptKind::Warning);
}
