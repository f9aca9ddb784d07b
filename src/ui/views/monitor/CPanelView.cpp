#include "views/monitor/CPanelView.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/UiFont.h"
#include "views/monitor/CPanelAccessible.h"
#include "views/monitor/CPanelArea.h"

CPanelView::CPanelView(IViewContext& context, QWidget* parent) : CQueldaView(context, parent) {
    InstallPanelAccessibility();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pArea = new CPanelArea(*this, this);
    m_pArea->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_pArea);
    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(kRefreshMs);
    connect(m_pTimer, &QTimer::timeout, this, &CPanelView::Refresh);
    m_font = DisplayFont(quelda::WindowSettings().FONT_POINT);
}

CPanelView::~CPanelView() = default;

void CPanelView::StartPanel(const QString& title) {
    setAccessibleName(title);
    TakeFont();
    Relayout();
    m_pTimer->start();
}

void CPanelView::TakeFont() {
    // FONT_POINT is in tenths of a point; DisplayFont bounds it.
    m_font = DisplayFont(WindowSection().FONT_POINT);
    const QFontMetrics metrics(m_font, m_pArea->viewport());
    m_nCx = metrics.horizontalAdvance(QLatin1Char('A'));
    m_nCy = metrics.height();
}

void CPanelView::keyPressEvent(QKeyEvent* event) {
    QScrollBar* h = m_pArea->horizontalScrollBar();
    QScrollBar* v = m_pArea->verticalScrollBar();
    const int row = m_nCy + 4;
    const int page = std::max(m_pArea->viewport()->height() - row, row);
    switch (event->key()) {
        case Qt::Key_Up:
            v->setValue(v->value() - row);
            break;
        case Qt::Key_Down:
            v->setValue(v->value() + row);
            break;
        case Qt::Key_Left:
            h->setValue(h->value() - m_nCx);
            break;
        case Qt::Key_Right:
            h->setValue(h->value() + m_nCx);
            break;
        case Qt::Key_PageUp:
            v->setValue(v->value() - page);
            break;
        case Qt::Key_PageDown:
            v->setValue(v->value() + page);
            break;
        case Qt::Key_Home:
            v->setValue(v->minimum());
            break;
        case Qt::Key_End:
            v->setValue(v->maximum());
            break;
        default:
            CQueldaView::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CPanelView::Refresh() {
    if (TickModel()) OnDecoded();
}

void CPanelView::Relayout() {
    const QSize size = LayOutPanel(m_nCx, m_nCy);
    m_pArea->SetRowHeight(m_nCy + 4);
    m_pArea->SetPanelSize(size);
    Repaint();
}

void CPanelView::Repaint() {
    m_pArea->viewport()->update();
    NotifyChanged();
}

void CPanelView::NotifyChanged() {
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::VisibleDataChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void CPanelView::PaintPanel(QPainter& painter, const QRect& exposed) {
    painter.setFont(m_font);
    m_nLastPainted = Paint(painter, exposed);
}

int CPanelView::EntryAt(const QPoint& panelPoint) const {
    const int count = EntryCount();
    for (int i = 0; i < count; ++i) {
        if (EntryRect(i).contains(panelPoint)) return i;
    }
    return -1;
}

QRect CPanelView::PanelToGlobal(const QRect& rect) const {
    const QRect local = m_pArea->PanelToViewport(rect);
    return QRect(m_pArea->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QRect CPanelView::VisiblePanelRect() const {
    return m_pArea->viewport()->rect().translated(m_pArea->ScrollOffset());
}
