#include "views/monitor/CPanelEntryAccessible.h"

#include "views/monitor/CPanelAccessible.h"
#include "views/monitor/CPanelView.h"

CPanelEntryAccessible::CPanelEntryAccessible(CPanelAccessible* parent, CPanelView* view, int index)
    : m_pParent(parent), m_pView(view), m_nIndex(index) {}

bool CPanelEntryAccessible::isValid() const {
    return m_pView && m_nIndex >= 0 && m_nIndex < m_pView->EntryCount();
}

QWindow* CPanelEntryAccessible::window() const { return m_pParent->window(); }

QAccessibleInterface* CPanelEntryAccessible::parent() const { return m_pParent; }

QString CPanelEntryAccessible::text(QAccessible::Text t) const {
    if (!isValid()) return QString();
    switch (t) {
        case QAccessible::Name:
            return m_pView->Entry(m_nIndex).name;
        case QAccessible::Value:
        case QAccessible::Description:
            return m_pView->Entry(m_nIndex).value;
        default:
            return QString();
    }
}

QRect CPanelEntryAccessible::rect() const {
    if (!isValid()) return QRect();
    return m_pView->PanelToGlobal(m_pView->EntryRect(m_nIndex));
}

QAccessible::State CPanelEntryAccessible::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.readOnly = true;
    if (!m_pView->isVisible() ||
        !m_pView->VisiblePanelRect().intersects(m_pView->EntryRect(m_nIndex)))
        s.offscreen = true;
    return s;
}
