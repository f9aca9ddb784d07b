#include "views/monitor/CPanelArea.h"

#include <QContextMenuEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "views/monitor/CPanelView.h"
#include "views/monitor/PanelPainter.h"

CPanelArea::CPanelArea(CPanelView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view) {
    setFrameShape(QFrame::NoFrame);
    // The view paints every pixel of what is exposed: no erase before it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
}

void CPanelArea::SetPanelSize(const QSize& size) {
    if (size == m_panelSize) return;
    m_panelSize = size;
    UpdateScrollBars();
}

QPoint CPanelArea::ScrollOffset() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QRect CPanelArea::PanelToViewport(const QRect& rect) const {
    return rect.translated(-ScrollOffset());
}

void CPanelArea::UpdateScrollBars() {
    // The Part's sizes: line 1 x 1 pixels, page a tenth of the window.
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setPageStep(std::max(client.width() / 10, 1));
    v->setPageStep(std::max(client.height() / 10, 1));
    h->setRange(0, std::max(m_panelSize.width() - client.width(), 0));
    v->setRange(0, std::max(m_panelSize.height() - client.height(), 0));
}

void CPanelArea::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint offset = ScrollOffset();
    const QRect exposed = event->rect().translated(offset);
    painter.translate(-offset);
    painter.fillRect(exposed, paneldraw::kBackground);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    m_view.PaintPanel(painter, exposed);
}

void CPanelArea::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CPanelArea::scrollContentsBy(int dx, int dy) {
    // What stays in sight moves; only the uncovered strip is painted.
    viewport()->scroll(dx, dy);
}

void CPanelArea::wheelEvent(QWheelEvent* event) {
    // One notch (120 eighths of a degree) scrolls three rows; a pixel
    // delta from a touchpad scrolls by itself.
    QPoint pixels = event->pixelDelta();
    if (pixels.isNull()) {
        m_wheelRest += event->angleDelta();
        const QPoint notches(m_wheelRest.x() / 120, m_wheelRest.y() / 120);
        m_wheelRest -= notches * 120;
        pixels = notches * 3 * m_nRowHeight;
    }
    if (event->modifiers() & Qt::ShiftModifier) pixels = QPoint(pixels.y(), pixels.x());
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - pixels.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - pixels.y());
    event->accept();
}

void CPanelArea::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        QAbstractScrollArea::contextMenuEvent(event);
        return;
    }
    m_view.ShowEntryMenu(m_view.EntryAt(event->pos() + ScrollOffset()), event->globalPos());
    event->accept();
}
