#include "views/term/CTermTextArea.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include "views/term/CTERMView.h"

CTermTextArea::CTermTextArea(CTERMView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::IBeamCursor);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &CTermTextArea::OnScrollAction);
}

void CTermTextArea::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    m_view.Draw(painter, viewport()->width(), verticalScrollBar()->value(), viewport()->height());
    painter.end();
    m_view.OnPainted();
}

void CTermTextArea::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_view.UpdateScrollSizes();
}

void CTermTextArea::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

// The bar's own page step sizes its thumb (a window high); a click into the
// trough moves by the terminal's page step instead.
void CTermTextArea::OnScrollAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    if (action == QAbstractSlider::SliderPageStepAdd) {
        bar->setSliderPosition(bar->value() + m_nTroughStep);
    } else if (action == QAbstractSlider::SliderPageStepSub) {
        bar->setSliderPosition(bar->value() - m_nTroughStep);
    }
}

void CTermTextArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const bool triple =
        m_sinceDoubleClick.isValid() &&
        m_sinceDoubleClick.elapsed() < QApplication::doubleClickInterval() &&
        (at - m_doubleClickAt).manhattanLength() <= QApplication::startDragDistance();
    m_sinceDoubleClick.invalidate();
    m_bDragging = true;
    m_view.OnMousePress(at, triple ? 3 : 1, event->modifiers() & Qt::ShiftModifier);
}

void CTermTextArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_doubleClickAt = event->position().toPoint();
    m_sinceDoubleClick.start();
    m_bDragging = true;
    m_view.OnMousePress(m_doubleClickAt, 2, false);
}

void CTermTextArea::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bDragging || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint();
    // Dragging past the top or bottom edge scrolls a row at a time.
    QScrollBar* bar = verticalScrollBar();
    if (at.y() < 0) bar->setValue(bar->value() - bar->singleStep());
    if (at.y() >= viewport()->height()) bar->setValue(bar->value() + bar->singleStep());
    m_view.OnMouseDrag(at);
}

void CTermTextArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_bDragging) return;
    m_bDragging = false;
    m_view.OnMouseRelease();
}

void CTermTextArea::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_End) {
        m_view.ResumeFollowing();
        return;
    }
    if (event->key() == Qt::Key_Home) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CTermTextArea::contextMenuEvent(QContextMenuEvent* event) {
    m_view.ShowContextMenu(event->globalPos());
}
