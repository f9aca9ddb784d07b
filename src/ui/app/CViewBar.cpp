#include "app/CViewBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "app/CBarButton.h"
#include "app/CommandIds.h"
#include "app/DialogBar.h"
#include "app/DialogUnits.h"
#include "app/PromptTexts.h"

namespace {

struct ViewButton {
    int id;
    const char* caption;
};

const ViewButton kViewButtons[] = {
    {cmd::kViewTerminal, "Terminal"}, {cmd::kViewMonitor1, "Monitor1"},
    {cmd::kViewMonitor2, "Monitor2"}, {cmd::kViewMonitor3, "Monitor3"},
    {cmd::kViewMonitor4, "Monitor4"}, {cmd::kViewStatus, "Status"},
    {cmd::kViewEeprom, "EEPROM"},     {cmd::kViewSimulator, "Simulator"},
    {cmd::kComRequest, "COM"},
};

}  // namespace

CViewBar::CViewBar(QWidget* parent) : QToolBar(QStringLiteral("View bar"), parent) {
    SetUpDialogBar(this, QStringLiteral("ViewBar"));
    // The buttons sit in a row of their own, so they keep the look of push
    // buttons rather than the flat look of tool bar buttons.
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (const ViewButton& button : kViewButtons) {
        AddButton(layout, button.id, QString::fromLatin1(button.caption));
    }
    addWidget(row);
    addSeparator();
    auto* label = new QLabel(QStringLiteral("Log"), this);
    label->setContentsMargins(2, 0, 4, 0);
    addWidget(label);
    m_pLogName = new QLineEdit(this);
    label->setBuddy(m_pLogName);
    m_pLogName->setMinimumWidth(BaseCharWidth(font()) * 26);
    ApplyPrompt(m_pLogName, cmd::kLogName);
    addWidget(m_pLogName);
    m_pSave = new QCheckBox(QStringLiteral("Save"), this);
    ApplyPrompt(m_pSave, cmd::kSaveCommLog);
    connect(m_pSave, &QCheckBox::clicked, this, &CViewBar::SaveClicked);
    addWidget(m_pSave);
}

void CViewBar::AddButton(QHBoxLayout* row, int commandId, const QString& caption) {
    QToolButton* button = new CBarButton(caption, row->parentWidget());
    ApplyPrompt(button, commandId);
    connect(button, &QToolButton::clicked, this,
            [this, commandId] { emit CommandTriggered(commandId); });
    row->addWidget(button);
    m_buttons.insert(commandId, button);
}

QWidget* CViewBar::Button(int commandId) const { return m_buttons.value(commandId); }

void CViewBar::SetButtonShown(int commandId, bool shown) {
    if (QWidget* button = m_buttons.value(commandId)) button->setVisible(shown);
}

bool CViewBar::IsButtonShown(int commandId) const {
    QWidget* button = m_buttons.value(commandId);
    return button && !button->isHidden();
}

void CViewBar::ProposeLogName(const QString& name) {
    m_pLogName->setText(name);
    m_pLogName->selectAll();
}
