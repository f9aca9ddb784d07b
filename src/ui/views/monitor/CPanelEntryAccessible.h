#pragma once
// One drawn item of a panel view for screen readers: it reads its texts and
// rectangle from the view each time, by its index in the view's entries.
#include <QAccessibleInterface>
#include <QPointer>

class CPanelAccessible;
class CPanelView;

class CPanelEntryAccessible : public QAccessibleInterface {
public:
    CPanelEntryAccessible(CPanelAccessible* parent, CPanelView* view, int index);

    int Index() const { return m_nIndex; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override;

private:
    CPanelAccessible* m_pParent;
    QPointer<CPanelView> m_pView;
    int m_nIndex;
};
