#pragma once
// A panel view as screen readers see it: each drawn item (a monitor item,
// a status cell, the status word box) is an accessible child of the view,
// named by its caption or label with its value text (and unit) as value and
// description, placed where it is drawn. The view's own widgets follow the
// drawn items as further children.
#include <QAccessibleWidget>
#include <QHash>

class CPanelView;

// Registers the factory that gives every CPanelView this interface; once
// per program, the first panel view calls it.
void InstallPanelAccessibility();

class CPanelAccessible : public QAccessibleWidget {
public:
    explicit CPanelAccessible(CPanelView* view);
    // Deletes the drawn items' interfaces it made.
    ~CPanelAccessible() override;

    CPanelView* PanelView() const;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    int EntryCount() const;
    QAccessibleInterface* EntryChild(int index) const;

    // Made on demand, one per entry index asked for, registered with Qt's
    // cache by id.
    mutable QHash<int, QAccessible::Id> m_entries;
};
