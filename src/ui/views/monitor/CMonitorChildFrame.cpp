#include "views/monitor/CMonitorChildFrame.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

#include "app/CRecordButtons.h"
#include "app/CommandIds.h"
#include "app/DialogUnits.h"
#include "app/PromptTexts.h"
#include "app/UiText.h"
#include "views/monitor/CMonitorView.h"

namespace {

// The Save box while the log cannot be written.
const char kFailedStyle[] = "QCheckBox { background-color: rgb(220, 0, 0); color: white; }";

}  // namespace

CMonitorChildFrame::CMonitorChildFrame(IViewContext& context, quelda::WindowKind kind,
                                       QWidget* parent)
    : CQueldaChildFrame(context, parent) {
    auto* view = new CMonitorView(context, kind, this);
    SetView(view);
    BuildBar();
    connect(view, &CMonitorView::LogStateChanged, this, &CMonitorChildFrame::ShowLogState);
    if (kind == quelda::WindowKind::Monitor3) {
        m_pBinToText = new QAction(QStringLiteral("Binary to Text Convert"), this);
        connect(m_pBinToText, &QAction::triggered, view, &CMonitorView::OpenBinToText);
    }
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
    connect(m_pSave, &QCheckBox::toggled, this, &CMonitorChildFrame::OnSaveToggled);
    bar->addWidget(label);
    bar->addWidget(m_pLogName);
    bar->addWidget(m_pSave);
    bar->addSeparator();
    m_pButtons = new CRecordButtons(Context(), this);
    const int first = MonitorView()->Constants().firstCommandRecord;
    m_pButtons->Add(bar, first, QStringLiteral("Cmd1"));
    m_pButtons->Add(bar, first + 1, QStringLiteral("Cmd2"));
}

QAction* CMonitorChildFrame::CommandAction(int commandId) {
    return commandId == cmd::kBinToText ? m_pBinToText : nullptr;
}

void CMonitorChildFrame::ProposeLogName(const QString& name) {
    m_pLogName->setText(name);
    m_pLogName->selectAll();
}

void CMonitorChildFrame::OnSaveToggled(bool on) {
    // Checked takes the box's name; the name cannot change while the log
    // is being written.
    MonitorView()->SwitchLog(on, on ? EncodeText(m_pLogName->text()) : std::string());
    m_pLogName->setDisabled(on);
}

void CMonitorChildFrame::ShowLogState() {
    const quelda::LogFailure& state = MonitorView()->Model().LogState();
    m_bLogFailure = state.failed;
    if (state.failed) {
        const QString why =
            DecodeText(state.fileName) + QStringLiteral(": ") + DecodeText(state.reason);
        m_pSave->setStyleSheet(QString::fromLatin1(kFailedStyle));
        m_pSave->setToolTip(why);
        m_pSave->setAccessibleDescription(QStringLiteral("Log not written: ") + why);
    } else {
        m_pSave->setStyleSheet(QString());
        ApplyPrompt(m_pSave, cmd::kMonitorSaveBox);
        m_pSave->setAccessibleDescription(QString());
    }
}
