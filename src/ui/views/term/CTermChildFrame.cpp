#include "views/term/CTermChildFrame.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <vector>

#include "app/AccessibleNames.h"
#include "app/CommandIds.h"
#include "app/PromptTexts.h"
#include "app/UiText.h"
#include "app/ViewContext.h"
#include "text/TextFile.h"
#include "views/term/CTERMView.h"

CTermChildFrame::CTermChildFrame(IViewContext& context, QWidget* parent)
    : CQueldaChildFrame(context, parent) {
    m_pTermView = new CTERMView(context, this);
    SetView(m_pTermView);
    BuildBar();
    CreateActions();
    LoadHistory();
    CViewEvents& events = context.Events();
    connect(&events, &CViewEvents::ConnectionChanged, this, &CTermChildFrame::OnConnectionChanged);
    connect(&events, &CViewEvents::FastDisplayChanged, m_pFastDisp, &QCheckBox::setChecked);
    OnConnectionChanged(context.IsConnected());
    NameControls(this);
}

CTermChildFrame::~CTermChildFrame() = default;

void CTermChildFrame::BuildBar() {
    QToolBar* bar = AddDialogBar(QStringLiteral("Terminal bar"));
    m_pCommandLine = new QComboBox(bar);
    m_pCommandLine->setEditable(true);
    m_pCommandLine->setInsertPolicy(QComboBox::NoInsert);
    m_pCommandLine->setDuplicatesEnabled(true);
    m_pCommandLine->lineEdit()->setMaxLength(kMaxCommandLength);
    m_pCommandLine->setMinimumContentsLength(12);
    m_pCommandLine->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pCommandLine->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    ApplyPrompt(m_pCommandLine, cmd::kCommandLine);
    m_pCommandLine->lineEdit()->setAccessibleName(m_pCommandLine->toolTip());
    bar->addWidget(m_pCommandLine);

    m_pSend = new QPushButton(QStringLiteral("Send"), bar);
    m_pSend->setFocusPolicy(Qt::TabFocus);
    ApplyPrompt(m_pSend, cmd::kSendCommandLine);
    connect(m_pSend, &QPushButton::clicked, this, &CTermChildFrame::SendCommandLine);
    bar->addWidget(m_pSend);

    m_pFastDisp = new QCheckBox(QStringLiteral("FastDisp"), bar);
    m_pFastDisp->setChecked(Context().FastDisplay());
    connect(m_pFastDisp, &QCheckBox::clicked, this,
            [this](bool on) { Context().SetFastDisplay(on); });
    bar->addWidget(m_pFastDisp);
}

void CTermChildFrame::CreateActions() {
    m_pSendAction = new QAction(QStringLiteral("Send Command Line"), this);
    m_pSendAction->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    m_pSendAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ApplyPrompt(m_pSendAction, cmd::kSendCommandLine);
    connect(m_pSendAction, &QAction::triggered, this, &CTermChildFrame::SendCommandLine);
    addAction(m_pSendAction);

    struct PrintCommand {
        QAction** action;
        const char* text;
        void (CTERMView::*slot)();
    } const printCommands[] = {
        {&m_pPrint, "Print(&P)...", &CTERMView::Print},
        {&m_pPrintDirect, "Print", &CTERMView::PrintDirect},
        {&m_pPrintPreview, "Print Preview(&V)", &CTERMView::PrintPreview},
    };
    for (const PrintCommand& command : printCommands) {
        *command.action = new QAction(QString::fromLatin1(command.text), this);
        connect(*command.action, &QAction::triggered, m_pTermView, command.slot);
    }
    // Find works from the command line too, not only inside the text.
    for (const char* text : {"Find...", "Find next", "Find previous"}) {
        addAction(m_pTermView->MenuAction(QString::fromLatin1(text)));
    }
    m_pPrint->setShortcut(QKeySequence::Print);
    m_pPrint->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_pPrint);
}

QAction* CTermChildFrame::CommandAction(int commandId) {
    switch (commandId) {
        case cmd::kSendCommandLine:
            return m_pSendAction;
        case cmd::kFilePrint:
            return m_pPrint;
        case cmd::kFilePrintDirect:
            return m_pPrintDirect;
        case cmd::kFilePrintPreview:
            return m_pPrintPreview;
        default:
            return nullptr;
    }
}

void CTermChildFrame::LoadHistory() {
    std::vector<std::string> lines;
    if (!quelda::ReadLines(Context().AppDir() + "COMMAND.TXT", lines)) return;
    for (const std::string& line : lines) {
        m_pCommandLine->addItem(DecodeText(line), QByteArray(line.data(), qsizetype(line.size())));
    }
    m_pCommandLine->setEditText(QString());
}

void CTermChildFrame::FocusCommandLine() { m_pCommandLine->setFocus(Qt::OtherFocusReason); }

void CTermChildFrame::OnConnectionChanged(bool connected) {
    m_pSend->setEnabled(connected);
    m_pSendAction->setEnabled(connected);
}

void CTermChildFrame::Remember(const QString& text) {
    // Qt::MatchFixedString without MatchCaseSensitive ignores the case.
    if (m_pCommandLine->findText(text, Qt::MatchFixedString) < 0) m_pCommandLine->addItem(text);
}

std::string CTermChildFrame::BytesOf(const QString& text) const {
    const int index = m_pCommandLine->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    const QByteArray original =
        index >= 0 ? m_pCommandLine->itemData(index).toByteArray() : QByteArray();
    if (!original.isEmpty()) return std::string(original.constData(), std::size_t(original.size()));
    return EncodeText(text);
}

void CTermChildFrame::SendCommandLine() {
    // The command is enabled exactly while connected; direct calls obey that too.
    if (!m_pSendAction->isEnabled()) return;
    const QString text = m_pCommandLine->currentText();
    Remember(text);
    Context().SendCommandLine(BytesOf(text));
}
