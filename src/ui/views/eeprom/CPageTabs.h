#pragma once
// The EEPROM editor's 32 page tabs in four rows of eight: one selected at a
// time, and the old page hears of a change before the new one is selected.
#include <QWidget>
#include <vector>

class QToolButton;

class CPageTabs : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabs = 32;
    static constexpr int kPerRow = 8;

    explicit CPageTabs(QWidget* parent = nullptr);

    void SetTitle(int tab, const QString& title);
    QString Title(int tab) const;
    int Current() const { return m_nCurrent; }
    // As a click on the tab does: AboutToChange, then Changed.
    void Select(int tab);
    QToolButton* Tab(int tab) const { return m_tabs.at(static_cast<std::size_t>(tab)); }

signals:
    void AboutToChange(int current);
    void Changed(int current);

private:
    void Mark();

    std::vector<QToolButton*> m_tabs;
    int m_nCurrent = 0;
};
