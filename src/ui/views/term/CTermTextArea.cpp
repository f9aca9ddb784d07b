#include "views/term/CTermTextArea.h"

#include <QPainter>
#include <QScrollBar>

#include "views/term/CTERMView.h"

CTermTextArea::CTermTextArea(CTERMView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
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
