#include "views/eeprom/CPageTabs.h"

#include <QGridLayout>
#include <QToolButton>

CPageTabs::CPageTabs(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int tab = 0; tab < kTabs; ++tab) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(button, &QToolButton::clicked, this, [this, tab] { Select(tab); });
        layout->addWidget(button, tab / kPerRow, tab % kPerRow);
        m_tabs.push_back(button);
        SetTitle(tab, QString());
    }
    Mark();
}

void CPageTabs::SetTitle(int tab, const QString& title) {
    if (tab < 0 || tab >= kTabs) return;
    QToolButton* button = Tab(tab);
    button->setText(title);
    // A tab without a page line has no caption; it still needs a name.
    button->setAccessibleName(title.isEmpty() ? QStringLiteral("Page tab %1").arg(tab + 1)
                                              : QStringLiteral("Page tab %1: %2").arg(tab + 1).arg(title));
}

QString CPageTabs::Title(int tab) const {
    return tab >= 0 && tab < kTabs ? Tab(tab)->text() : QString();
}

void CPageTabs::Select(int tab) {
    if (tab < 0 || tab >= kTabs) return;
    // A click on the selected tab only keeps it checked: showing the page
    // again would drop what was typed into it.
    const bool change = tab != m_nCurrent;
    if (change) {
        emit AboutToChange(m_nCurrent);
        m_nCurrent = tab;
    }
    Mark();
    if (change) emit Changed(m_nCurrent);
}

void CPageTabs::Mark() {
    for (int tab = 0; tab < kTabs; ++tab) {
        Tab(tab)->setChecked(tab == m_nCurrent);
        // The checked look alone is faint in some styles.
        QFont font = Tab(tab)->font();
        font.setBold(tab == m_nCurrent);
        Tab(tab)->setFont(font);
        Tab(tab)->setAccessibleDescription(tab == m_nCurrent ? QStringLiteral("selected")
                                                             : QString());
    }
}
