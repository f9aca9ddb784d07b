#include "views/monitor/CPanelAccessible.h"

#include <QAccessible>

#include "views/monitor/CPanelArea.h"
#include "views/monitor/CPanelEntryAccessible.h"
#include "views/monitor/CPanelView.h"

namespace {

QAccessibleInterface* PanelFactory(const QString& key, QObject* object) {
    // Asked once per class of the object's chain, most derived first.
    if (!object || !object->isWidgetType()) return nullptr;
    if (key != QLatin1String(object->metaObject()->className())) return nullptr;
    if (auto* view = qobject_cast<CPanelView*>(object)) return new CPanelAccessible(view);
    return nullptr;
}

}  // namespace

void InstallPanelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&PanelFactory);
        return true;
    }();
    (void)installed;
}

CPanelAccessible::CPanelAccessible(CPanelView* view) : QAccessibleWidget(view, QAccessible::Pane) {}

CPanelAccessible::~CPanelAccessible() {
    for (QAccessible::Id id : std::as_const(m_entries)) QAccessible::deleteAccessibleInterface(id);
}

CPanelView* CPanelAccessible::PanelView() const { return static_cast<CPanelView*>(widget()); }

int CPanelAccessible::EntryCount() const {
    CPanelView* view = PanelView();
    return view ? view->EntryCount() : 0;
}

int CPanelAccessible::childCount() const { return EntryCount() + QAccessibleWidget::childCount(); }

QAccessibleInterface* CPanelAccessible::EntryChild(int index) const {
    auto found = m_entries.constFind(index);
    if (found != m_entries.constEnd()) {
        if (QAccessibleInterface* made = QAccessible::accessibleInterface(*found)) return made;
        m_entries.remove(index);
    }
    auto* entry =
        new CPanelEntryAccessible(const_cast<CPanelAccessible*>(this), PanelView(), index);
    m_entries.insert(index, QAccessible::registerAccessibleInterface(entry));
    return entry;
}

QAccessibleInterface* CPanelAccessible::child(int index) const {
    const int entries = EntryCount();
    if (index < 0) return nullptr;
    if (index < entries) return EntryChild(index);
    return QAccessibleWidget::child(index - entries);
}

int CPanelAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (auto* entry = dynamic_cast<const CPanelEntryAccessible*>(child)) {
        return entry->parent() == this && entry->isValid() ? entry->Index() : -1;
    }
    const int own = QAccessibleWidget::indexOfChild(child);
    return own < 0 ? -1 : EntryCount() + own;
}

QAccessibleInterface* CPanelAccessible::childAt(int x, int y) const {
    CPanelView* view = PanelView();
    if (!view) return nullptr;
    // Inside the panel's viewport the drawn item there; elsewhere (the
    // scroll bars) the view's widgets.
    QWidget* viewport = view->Area()->viewport();
    const QPoint local = viewport->mapFromGlobal(QPoint(x, y));
    if (viewport->rect().contains(local)) {
        const int index = view->EntryAt(local + view->Area()->ScrollOffset());
        if (index >= 0) return EntryChild(index);
    }
    return QAccessibleWidget::childAt(x, y);
}
