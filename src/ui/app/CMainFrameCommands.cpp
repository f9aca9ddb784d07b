// CMainFrame: the handlers of the user's commands.
#include <QDesktopServices>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QUrl>

#include "app/CComCommandDlg.h"
#include "app/CComSettingDlg.h"
#include "app/CHelpBrowser.h"
#include "app/CCommandEditDlg.h"
#include "app/CMainFrame.h"
#include "app/CVersionInfoDlg.h"
#include "app/CommandIds.h"
#include "app/ProgramDir.h"
#include "app/WindowKinds.h"

void CMainFrame::OnCommand(int commandId) {
    if (const WindowKindInfo* info = WindowKindOfCommand(commandId)) {
        ShowView(QString::fromLatin1(info->typeName));
    } else if (commandId == cmd::kComRequest) {
        OnComRequest();
    }
}

void CMainFrame::OnConnect() { m_core->Connect(); }

void CMainFrame::OnDisconnect() { m_core->Disconnect(); }

void CMainFrame::OnComSetting() {
    // The dialog changes what the next Connect uses; an open line stays as it is.
    if (IsConnected()) return;
    CComSettingDlg dialog(m_core->GetLineSettings(), this);
    if (dialog.exec() == QDialog::Accepted) ApplyComSetting(dialog.Values());
}

void CMainFrame::OnComRequest() {
    CComCommandDlg dialog(m_core->GetLineSettings(), this);
    const int result = dialog.exec();
    ApplyComCommand(result, dialog.Values());
}

int CMainFrame::EditButtonCommand(int index) {
    const std::vector<quelda::CommandRecord>& records = m_core->CommandRecords();
    if (index < 0 || index >= static_cast<int>(records.size())) return CCommandEditDlg::Cancel;
    CCommandEditDlg dialog(records[index], m_core->CommandDefs(), this);
    const int result = dialog.exec();
    ApplyCommandEdit(index, dialog.Values(), result);
    return result;
}

void CMainFrame::OnVersionInfo() {
    CVersionInfoDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnHelp() {
    const QString file = HelpFilePath(AppDir());
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(file))) return;
    // No browser on this desktop: the program's own window, one at a time.
    CHelpBrowser* browser = findChild<CHelpBrowser*>();
    if (!browser) browser = new CHelpBrowser(file, this);
    browser->show();
    browser->raise();
    browser->activateWindow();
}

QPrinter& CMainFrame::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

void CMainFrame::OnPrinterSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

void CMainFrame::OnArrangeIcons() {
    // Minimised windows side by side along the bottom edge of the area.
    const QSize area = m_pMdiArea->viewport()->size();
    int x = 0;
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) x = 0;
        sub->move(x, area.height() - size.height());
        x += size.width();
    }
}
