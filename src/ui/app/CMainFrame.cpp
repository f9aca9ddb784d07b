#include "app/CMainFrame.h"
#include "app/CMainFrameCoreHost.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>

#include "app/AccessibleNames.h"
#include "app/CComCommandDlg.h"
#include "app/CCommandBar.h"
#include "app/CCommandEditDlg.h"
#include "app/CQueldaChildFrame.h"
#include "app/CViewBar.h"
#include "app/CommandIds.h"
#include "app/ProgramIcon.h"
#include "app/PromptTexts.h"
#include "app/UiText.h"
#include "app/WindowKinds.h"
#include "text/FileNames.h"

CMainFrame::CMainFrame(const std::string& appDir, IUserPrompt& prompt, QWidget* parent)
    : QMainWindow(parent),
      m_prompt(prompt),
      m_coreHost(std::make_unique<CoreHost>(*this)),
      m_core(std::make_unique<quelda::CMainCore>(*m_coreHost, appDir)) {
    resize(800, 600);
    setWindowIcon(ProgramIcon());
    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    BuildStatusBar();
    m_core->LoadSettings();
    m_core->LoadLineSettings();
    ShowConnectionStatus(DecodeText(m_core->StatusText()));
    CreateActions();
    BuildViewBar();
    BuildCommandBar();
    ApplyViewFlags();
    RebuildMenus();
    UpdateCommandStates();
    NameControls(this);
    QTimer::singleShot(0, this, &CMainFrame::OnConnect);
    // The first key typed goes to the active window (the terminal's command
    // line), not to the view bar's log name.
    QTimer::singleShot(0, this, [this] {
        if (CQueldaChildFrame* frame = ActiveChildFrame()) frame->OnActivated();
    });
    setWindowTitle(QStringLiteral("Quelda"));
}

CMainFrame::~CMainFrame() {
    // The windows go while the core they use is still there; the channel's
    // thread stops before the window it posts to goes.
    if (m_pDocument) disconnect(m_pDocument, nullptr, this, nullptr);
    disconnect(m_pMdiArea, nullptr, this, nullptr);
    qDeleteAll(m_pMdiArea->subWindowList());
    m_core.reset();
}

// ---- creation -----------------------------------------------------------------

void CMainFrame::BuildStatusBar() {
    // The idle text is a normal widget: the bar hides it while a prompt shows.
    m_pIdleText = new QLabel(QStringLiteral("ready"), this);
    statusBar()->addWidget(m_pIdleText, 1);
    // Permanent: a prompt text in the bar never hides the connection.
    m_pConnectionPane = new QLabel(this);
    m_pConnectionPane->setObjectName(QStringLiteral("connectionPane"));
    m_pConnectionPane->setAccessibleName(QStringLiteral("Connection"));
    statusBar()->addPermanentWidget(m_pConnectionPane);
}

void CMainFrame::ShowConnectionStatus(const QString& text) {
    m_pConnectionPane->setText(text);
    // The pane's value for screen readers.
    m_pConnectionPane->setAccessibleDescription(text);
}

void CMainFrame::BuildViewBar() {
    m_pViewBar = new CViewBar(this);
    addToolBar(Qt::TopToolBarArea, m_pViewBar);
    connect(m_pViewBar, &CViewBar::CommandTriggered, this, &CMainFrame::OnCommand);
    connect(m_pViewBar, &CViewBar::SaveClicked, this, &CMainFrame::SetCommLog);
    m_pViewBar->ProposeLogName(DecodeText(quelda::ProposeLogName(AppDir(), "LOG")));
}

void CMainFrame::BuildCommandBar() {
    addToolBarBreak(Qt::TopToolBarArea);
    m_pCommandBar = new CCommandBar(this);
    addToolBar(Qt::TopToolBarArea, m_pCommandBar);
    connect(m_pCommandBar, &CCommandBar::SendClicked, this, &CMainFrame::SendButtonCommand);
    connect(m_pCommandBar, &CCommandBar::EditClicked, this, &CMainFrame::EditButtonCommand);
    m_core->LoadCommandButtons();
    RefreshCommandCaptions();
}

void CMainFrame::ApplyViewFlags() {
    const quelda::Settings& settings = GetSettings();
    for (const quelda::MenuSection& section : quelda::kMenuSections) {
        m_pViewBar->SetButtonShown(section.commandId,
                                   settings.ViewMenuFlag(section.commandId) != 0);
    }
    for (int i = 0; i < CCommandBar::kButtons; ++i) {
        m_pCommandBar->SetButtonShown(i, settings.viewButton[i] != 0);
    }
}

QAction* CMainFrame::NewAction(int id, const QString& text, bool checkable) {
    auto* action = new QAction(text, this);
    action->setCheckable(checkable);
    ApplyPrompt(action, id);
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::CreateActions() {
    for (const WindowKindInfo& info : WindowKinds()) {
        const int id = info.viewCommand;
        connect(NewAction(id, QString()), &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    connect(NewAction(cmd::kConnect, "Connect"), &QAction::triggered, this, &CMainFrame::OnConnect);
    connect(NewAction(cmd::kDisconnect, "Disconnect"), &QAction::triggered, this,
            &CMainFrame::OnDisconnect);
    connect(NewAction(cmd::kComSetting, "Communication setting"), &QAction::triggered, this,
            &CMainFrame::OnComSetting);
    connect(NewAction(cmd::kComRequest, "Communication setting request"), &QAction::triggered, this,
            &CMainFrame::OnComRequest);
    connect(NewAction(cmd::kSaveCommLog, "Save the communication log", true), &QAction::triggered,
            this, &CMainFrame::OnToggleCommLog);
    connect(NewAction(cmd::kErrorDisplay, "Terminal error display", true), &QAction::triggered,
            this, &CMainFrame::SetErrorDisplay);
    connect(NewAction(cmd::kFastDisplay, "Terminal fast display", true), &QAction::triggered, this,
            &CMainFrame::SetFastDisplay);
    connect(NewAction(cmd::kAppAbout, "Version info(&A)..."), &QAction::triggered, this,
            &CMainFrame::OnVersionInfo);
    connect(NewAction(cmd::kHelpIndex, "Display of help"), &QAction::triggered, this,
            &CMainFrame::OnHelp);
    connect(NewAction(cmd::kFilePrintSetup, "Printer setting(&R)..."), &QAction::triggered, this,
            &CMainFrame::OnPrinterSetup);
    connect(NewAction(cmd::kAppExit, "Exit(&X)"), &QAction::triggered, this, &QWidget::close);
    connect(NewAction(cmd::kWindowCascade, "Cascade(&C)"), &QAction::triggered, m_pMdiArea,
            &QMdiArea::cascadeSubWindows);
    connect(NewAction(cmd::kWindowTile, "Tile(&T)"), &QAction::triggered, m_pMdiArea,
            &QMdiArea::tileSubWindows);
    connect(NewAction(cmd::kWindowArrange, "Arrange Icons(&A)"), &QAction::triggered, this,
            &CMainFrame::OnArrangeIcons);
    QAction* statusBarToggle = NewAction(cmd::kViewStatusBar, "StatusBar(&S)", true);
    statusBarToggle->setChecked(true);
    connect(statusBarToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    m_actions[cmd::kErrorDisplay]->setChecked(ErrorDisplay());
    m_actions[cmd::kFastDisplay]->setChecked(FastDisplay());
}

// ---- command records ----------------------------------------------------------

void CMainFrame::RefreshCommandCaptions() {
    for (int i = 0; i < CCommandBar::kButtons; ++i) RefreshCommandCaption(i);
}

void CMainFrame::RefreshCommandCaption(int index) {
    const std::vector<quelda::CommandRecord>& records = m_core->CommandRecords();
    if (index < 0 || index >= CCommandBar::kButtons) return;
    if (index >= static_cast<int>(records.size())) {
        m_pCommandBar->SetCaption(index, QStringLiteral("Command"));
        return;
    }
    m_pCommandBar->SetCaption(index, DecodeText(records[index].title));
}

int CMainFrame::SendButtonCommand(int index) { return m_core->SendButtonCommand(index); }

void CMainFrame::ApplyCommandEdit(int index, const quelda::CommandRecord& values, int result) {
    if (result != CCommandEditDlg::Ok && result != CCommandEditDlg::Send) return;
    if (!m_core->SetCommandRecord(index, values)) return;
    m_core->SaveCommandButtons();
    // The caption follows the edit at once rather than at the next start.
    RefreshCommandCaption(index);
    emit CommandRecordChanged(index);
    if (result == CCommandEditDlg::Send) SendButtonCommand(index);
}

// ---- line settings --------------------------------------------------------------

void CMainFrame::ApplyComSetting(const quelda::LineSettings& values) {
    m_core->SetLineSettings(values);
    m_core->SaveLineSettings();
}

void CMainFrame::ApplyComCommand(int result, const quelda::LineSettings& values) {
    if (result == CComCommandDlg::Ok) {
        m_core->SendSettingRequest(values.baud, values.dataBits, values.parity, values.stopBits);
    } else if (result == CComCommandDlg::Auto) {
        m_core->StartSearch();
    }
}

// ---- switches ---------------------------------------------------------------------

void CMainFrame::SetFastDisplay(bool on) {
    m_core->SetFastDisplay(on);
    m_actions[cmd::kFastDisplay]->setChecked(on);
    emit FastDisplayChanged(on);
}

void CMainFrame::SetErrorDisplay(bool on) {
    m_core->SetErrorDisplay(on);
    m_actions[cmd::kErrorDisplay]->setChecked(on);
}

void CMainFrame::SetCommLog(bool on) {
    QLineEdit* edit = m_pViewBar->LogNameEdit();
    if (on) {
        std::string name = EncodeText(edit->text());
        // Every file of the program lives in its directory.
        if (!name.empty() && name.front() != '/') name = AppDir() + name;
        m_core->SetLogging(true, name);
    } else {
        m_core->SetLogging(false, std::string());
    }
    edit->setEnabled(!on);
    m_pViewBar->SaveBox()->setChecked(on);
    m_actions[cmd::kSaveCommLog]->setChecked(on);
}

void CMainFrame::OnToggleCommLog(bool) { SetCommLog(!m_core->Logging()); }

// ---- closing ------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A window that refuses (unsaved EEPROM data) keeps the program running.
    m_pMdiArea->closeAllSubWindows();
    if (!m_pMdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::RestoreAndRaise() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}
