#include "app/CCommandBar.h"

#include <QGridLayout>
#include <QToolButton>

#include "app/AccessibleNames.h"
#include "app/CBarButton.h"
#include "app/DialogBar.h"

CCommandBar::CCommandBar(QWidget* parent) : QToolBar(QStringLiteral("Command bar"), parent) {
    SetUpDialogBar(this, QStringLiteral("CommandBar"));
    auto* grid = new QWidget(this);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(1);
    layout->setVerticalSpacing(1);
    for (int i = 0; i < kButtons; ++i) {
        QToolButton* send = new CBarButton(QStringLiteral("Command"), grid);
        QToolButton* edit = CBarButton::MakeEditButton(grid);
        // A column's buttons share its width, so the ">" buttons line up.
        send->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        edit->setAccessibleDescription(QStringLiteral("Edit command %1").arg(i + 1));
        connect(send, &QToolButton::clicked, this, [this, i] { emit SendClicked(i); });
        connect(edit, &QToolButton::clicked, this, [this, i] { emit EditClicked(i); });
        const int row = i / kPerRow;
        const int column = (i % kPerRow) * 2;
        layout->addWidget(send, row, column);
        layout->addWidget(edit, row, column + 1);
        m_commands.append(send);
        m_edits.append(edit);
    }
    addWidget(grid);
}

void CCommandBar::SetCaption(int index, const QString& caption) {
    if (index < 0 || index >= kButtons) return;
    m_commands[index]->setText(caption);
    NameControls(m_commands[index]);
}

void CCommandBar::SetButtonShown(int index, bool shown) {
    if (index < 0 || index >= kButtons) return;
    m_commands[index]->setVisible(shown);
    m_edits[index]->setVisible(shown);
}

void CCommandBar::SetConnected(bool connected) {
    for (QToolButton* button : m_commands) button->setEnabled(connected);
}
