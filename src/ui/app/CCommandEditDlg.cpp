#include "app/CCommandEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AccessibleNames.h"
#include "app/DialogUnits.h"
#include "app/UiText.h"

CCommandEditDlg::CCommandEditDlg(const quelda::CommandRecord& record,
                                 const std::vector<quelda::CommandDef>& defs, QWidget* parent)
    : QDialog(parent), m_record(record), m_defs(defs) {
    setWindowTitle(QStringLiteral("Command Edit"));
    BuildFields();
    BuildButtons();
    NameControls(this);
    UpdateLabels();
}

void CCommandEditDlg::BuildFields() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto addRow = [this, grid](const QString& caption, QWidget* field) {
        const int row = grid->rowCount();
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        return label;
    };
    m_pTitle = new QLineEdit(DecodeText(m_record.title), this);
    addRow(QStringLiteral("Title"), m_pTitle);
    m_pCommand = new QComboBox(this);
    m_pCommand->setEditable(true);
    m_pCommand->setInsertPolicy(QComboBox::NoInsert);
    for (const quelda::CommandDef& def : m_defs) m_pCommand->addItem(DecodeText(def.name));
    m_pCommand->setEditText(DecodeText(m_record.command));
    addRow(QStringLiteral("Command"), m_pCommand);
    m_pCommand->lineEdit()->setAccessibleName(QStringLiteral("Command"));
    for (int i = 0; i < kParams; ++i) {
        m_paramEdits[i] = new QLineEdit(DecodeText(m_record.params[i]), this);
        m_paramLabels[i] = addRow(QStringLiteral("Parameter%1").arg(i + 1), m_paramEdits[i]);
    }
    grid->setColumnStretch(1, 1);
    // Captions come and go with the command: the caption column is as wide
    // as the widest caption it can show, so the fields never move.
    grid->setColumnMinimumWidth(0, WidestCaption());
    grid->setColumnMinimumWidth(1, BaseCharWidth(font()) * 32);
    m_pAckCheck = new QCheckBox(QStringLiteral("ACK check"), this);
    m_pAckCheck->setChecked(m_record.ackCheck == 1);
    m_pAddChecksum = new QCheckBox(QStringLiteral("Add Checksum"), this);
    m_pAddChecksum->setChecked(m_record.addChecksum == 1);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_pAckCheck);
    checks->addWidget(m_pAddChecksum);
    checks->addStretch();
    layout->addLayout(checks);
    // Typing and choosing from the list both change the edit text.
    connect(m_pCommand, &QComboBox::editTextChanged, this, &CCommandEditDlg::UpdateLabels);
    connect(m_pCommand, &QComboBox::textActivated, this, &CCommandEditDlg::UpdateLabels);
}

int CCommandEditDlg::WidestCaption() const {
    const QFontMetrics metrics = fontMetrics();
    int widest = metrics.horizontalAdvance(QStringLiteral("Parameter5"));
    for (const quelda::CommandDef& def : m_defs) {
        for (const std::string& label : def.labels) {
            widest = std::max(widest, metrics.horizontalAdvance(DecodeText(label)));
        }
    }
    return widest;
}

void CCommandEditDlg::BuildButtons() {
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_pButtons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    m_pSend = m_pButtons->addButton(QStringLiteral("Send"), QDialogButtonBox::ActionRole);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pSend, &QPushButton::clicked, this, [this] { done(Send); });
    layout()->addWidget(m_pButtons);
}

void CCommandEditDlg::UpdateLabels() {
    const QString command = m_pCommand->currentText();
    const quelda::CommandDef* found = nullptr;
    for (const quelda::CommandDef& def : m_defs) {
        if (DecodeText(def.name) == command) {
            found = &def;
            break;
        }
    }
    for (int i = 0; i < kParams; ++i) {
        const QString label = found ? DecodeText(found->labels[i]) : QString();
        m_paramLabels[i]->setText(label);
        m_paramLabels[i]->setAccessibleName(
            label.isEmpty() ? QStringLiteral("Parameter%1").arg(i + 1) : label);
        m_paramEdits[i]->setAccessibleDescription(label);
    }
}

quelda::CommandRecord CCommandEditDlg::Values() const {
    quelda::CommandRecord values;
    values.title = EncodeText(m_pTitle->text(), m_record.title);
    values.command = EncodeText(m_pCommand->currentText(), m_record.command);
    for (int i = 0; i < kParams; ++i) {
        values.params[i] = EncodeText(m_paramEdits[i]->text(), m_record.params[i]);
    }
    values.ackCheck = m_pAckCheck->isChecked() ? 1 : 0;
    values.addChecksum = m_pAddChecksum->isChecked() ? 1 : 0;
    return values;
}
