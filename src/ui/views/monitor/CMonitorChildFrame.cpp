#include "views/monitor/CMonitorChildFrame.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

#include "app/CRecordButtons.h"
#include "app/CommandIds.h"
#include "app/DialogUnits.h"
#include "app/PromptTexts.h"
#include "views/monitor/CMonitorView.h"

CMonitorChildFrame::CMonitorChildFrame(IViewContext& context, quelda::WindowKind kind,
                                       QWidget* parent)
    : CQueldaChildFrame(context, parent) {
    SetView(new CMonitorView(context, kind, this));
    BuildBar();
}

CMonitorView* CMonitorChildFrame::MonitorView() const { return static_cast<CMonitorView*>(View()); }

void CMonitorChildFrame::BuildBar() {
    QToolBar* bar = AddDialogBar(QStringLiteral("Monitor bar"));
    auto* label = new QLabel(QStringLiteral("LogFileName"), bar);
    label->setContentsMargins(2, 0, 4, 0);
    m_pLogName = new QLineEdit(bar);
    m_pLogName->setMinimumWidth(BaseCharWidth(m_pLogName->font()) * 14);
    m_pLogName->setAccessibleName(QStringLiteral("LogFileName"));
    label->setBuddy(m_pLogName);
    m_pSave = new QCheckBox(QStringLiteral("Save"), bar);
    ApplyPrompt(m_pSave, cmd::kMonitorSaveBox);
    // The name cannot change while the log is being written.
    connect(m_pSave, &QCheckBox::toggled, m_pLogName, &QWidget::setDisabled);
    bar->addWidget(label);
    bar->addWidget(m_pLogName);
    bar->addWidget(m_pSave);
    bar->addSeparator();
    m_pButtons = new CRecordButtons(Context(), this);
    const int first = MonitorView()->Constants().firstCommandRecord;
    m_pButtons->Add(bar, first, QStringLiteral("Cmd1"));
    m_pButtons->Add(bar, first + 1, QStringLiteral("Cmd2"));
}
