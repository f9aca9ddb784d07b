#pragma once
// The main window: an MDI area for the child windows, the view bar, the
// command bar, the status bar and the per-kind menus. Everything that is not
// drawing lives in its CMainCore; this class turns the core's host calls into
// Qt calls and the user's commands into core calls.
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrameViewContext.h"
#include "app/CTERMDoc.h"
#include "config/CommandRecords.h"
#include "config/LineSettings.h"
#include "config/Settings.h"
#include "routing/MainCore.h"
#include "routing/MainHost.h"

class CChildSubWindow;
class CCommandBar;
class CQueldaChildFrame;
class CQueldaView;
class CViewBar;
class IUserPrompt;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;
struct WindowKindInfo;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // appDir ends with "/". Loads the settings, line settings and command
    // records, builds the bars and posts Connect.
    CMainFrame(const std::string& appDir, IUserPrompt& prompt, QWidget* parent = nullptr);
    ~CMainFrame() override;

    quelda::CMainCore& Core() { return *m_core; }
    const quelda::CMainCore& Core() const { return *m_core; }
    IUserPrompt& Prompt() { return m_prompt; }
    const std::string& AppDir() const { return m_core->AppDir(); }
    const quelda::Settings& GetSettings() const { return m_core->GetSettings(); }
    bool IsConnected() const { return m_core->IsConnected(); }

    // Opens the window of a kind by its type name ("TERM", "Monitor1" ..
    // "Monitor4", "Status", "Eeprom", "Simulator"), or activates the one
    // that is open. nullptr for an unknown name.
    CQueldaChildFrame* ShowView(const QString& typeName);
    CTERMDoc* Document() const { return m_pDocument; }
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    CQueldaChildFrame* ActiveChildFrame() const;
    CViewBar* ViewBar() const { return m_pViewBar; }
    CCommandBar* CommandBar() const { return m_pCommandBar; }
    // The main frame's action of a command id, or nullptr.
    QAction* Action(int commandId) const { return m_actions.value(commandId); }
    // The printer the printer set-up dialog configures.
    QPrinter& Printer();
    // What its windows may use of it; each window gets it when it is made.
    IViewContext& ViewContext() { return m_viewContext; }

    // Command records (the command bar, the monitor and status bars).
    int SendButtonCommand(int index);
    // Runs the Command Edit dialog on record index; its result (Cancel, Ok,
    // Send) or Cancel when there is no such record.
    int EditButtonCommand(int index);
    // What the dialog's result does: Ok and Send store the values, rewrite
    // COMMAND2.TXT and refresh the button's caption; Send then sends.
    void ApplyCommandEdit(int index, const quelda::CommandRecord& values, int result);

    // Line settings: the "Communication Setting" dialog's OK, and the "COM
    // Command" dialog's result (Ok sends the request, Auto starts the search).
    void ApplyComSetting(const quelda::LineSettings& values);
    void ApplyComCommand(int result, const quelda::LineSettings& values);

    bool FastDisplay() const { return m_core->FastDisplay(); }
    void SetFastDisplay(bool on);
    bool ErrorDisplay() const { return m_core->ErrorDisplay(); }
    void SetErrorDisplay(bool on);
    // The communication log: on takes the name in the log-name edit (a
    // relative name is taken in the program directory).
    void SetCommLog(bool on);

    // The restore request of a second start: show normal, raise, activate.
    void RestoreAndRaise();

    // The menu resource id the menu bar shows (128 while no child is open).
    int CurrentMenuId() const { return m_nMenuId; }
    // The status bar's permanent pane with the port, its settings and state.
    QLabel* ConnectionPane() const { return m_pConnectionPane; }

signals:
    // After every Connect and Disconnect.
    void ConnectionStateChanged(bool connected);
    // The terminal fast display was switched (keeps every "FastDisp" box in step).
    void FastDisplayChanged(bool on);
    // Command record index was changed by the edit dialog.
    void CommandRecordChanged(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildStatusBar();
    void BuildViewBar();
    void BuildCommandBar();
    void ApplyViewFlags();
    void CreateActions();
    QAction* NewAction(int id, const QString& text, bool checkable = false);
    void RefreshCommandCaptions();
    void RefreshCommandCaption(int index);

    // Commands.
    void OnCommand(int commandId);
    void OnConnect();
    void OnDisconnect();
    void OnComSetting();
    void OnComRequest();
    void OnToggleCommLog(bool on);
    void OnVersionInfo();
    void OnHelp();
    void OnPrinterSetup();
    void OnArrangeIcons();

    // Windows and menus.
    CQueldaChildFrame* OpenWindow(const WindowKindInfo& info);
    CChildSubWindow* FindWindow(quelda::WindowKind kind) const;
    CTERMDoc* EnsureDocument();
    void OnDocumentEmptied();
    void OnSubWindowActivated(QMdiSubWindow* sub);
    void RebuildMenus();
    QAction* MenuAction(int id, const QString& text, QMenu* menu);
    void UpdateCommandStates();
    template <class Visit>
    void ForEachTerminal(Visit visit);

    // What the core asks of its host, in Qt terms (CMainFrameHost.cpp); kept
    // out of the window's public face.
    class CoreHost;
    friend class CoreHost;
    void OnConnectionChanged();
    void ShowConnectionStatus(const QString& text);

    IUserPrompt& m_prompt;
    std::unique_ptr<CoreHost> m_coreHost;
    std::unique_ptr<quelda::CMainCore> m_core;
    QMdiArea* m_pMdiArea = nullptr;
    CViewBar* m_pViewBar = nullptr;
    CCommandBar* m_pCommandBar = nullptr;
    QLabel* m_pIdleText = nullptr;
    QLabel* m_pConnectionPane = nullptr;
    QPointer<CTERMDoc> m_pDocument;
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_menus;
    int m_nMenuId = 0;
    QPointer<CQueldaChildFrame> m_pMenuFrame;
    std::unique_ptr<QPrinter> m_printer;
    // The windows that use it are gone before it: the destructor closes them.
    CMainFrameViewContext m_viewContext{*this};
};
