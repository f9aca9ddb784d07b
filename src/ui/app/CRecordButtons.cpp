#include "app/CRecordButtons.h"

#include <QHBoxLayout>
#include <QToolBar>
#include <QToolButton>

#include "app/AccessibleNames.h"
#include "app/CBarButton.h"
#include "app/UiText.h"
#include "app/ViewContext.h"

CRecordButtons::CRecordButtons(IViewContext& context, QObject* parent)
    : QObject(parent), m_context(context) {
    CViewEvents& events = context.Events();
    connect(&events, &CViewEvents::CommandRecordChanged, this, &CRecordButtons::OnRecordChanged);
    connect(&events, &CViewEvents::ConnectionChanged, this, &CRecordButtons::OnConnectionChanged);
}

void CRecordButtons::Add(QToolBar* bar, int recordIndex, const QString& caption) {
    // The pair sits in a box of its own, so the buttons keep the look of
    // push buttons rather than the flat look of tool bar buttons.
    auto* box = new QWidget(bar);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    QToolButton* send = new CBarButton(caption, box);
    QToolButton* edit = CBarButton::MakeEditButton(box);
    layout->addWidget(send);
    layout->addWidget(edit);
    edit->setAccessibleDescription(QStringLiteral("Edit %1").arg(caption));
    bar->addWidget(box);
    connect(send, &QToolButton::clicked, this,
            [this, recordIndex] { m_context.SendButtonCommand(recordIndex); });
    connect(edit, &QToolButton::clicked, this,
            [this, recordIndex] { m_context.EditButtonCommand(recordIndex); });
    m_pairs.append({recordIndex, caption, send, edit});
    RefreshCaption(m_pairs.last());
    send->setEnabled(m_context.IsConnected());
}

QToolButton* CRecordButtons::SendButton(int slot) const { return m_pairs.value(slot).send; }

QToolButton* CRecordButtons::EditButton(int slot) const { return m_pairs.value(slot).edit; }

void CRecordButtons::RefreshCaption(const Pair& pair) {
    const auto& records = m_context.CommandRecords();
    const bool exists = pair.record < static_cast<int>(records.size());
    pair.send->setText(exists ? DecodeText(records[pair.record].title) : pair.caption);
    NameControls(pair.send);
}

void CRecordButtons::OnRecordChanged(int index) {
    for (const Pair& pair : m_pairs) {
        if (pair.record == index) RefreshCaption(pair);
    }
}

void CRecordButtons::OnConnectionChanged(bool connected) {
    for (const Pair& pair : m_pairs) pair.send->setEnabled(connected);
}
