#pragma once
// What a view and its frame may use of the program. The main frame hands one
// to every window it opens, so a view never reaches into the main frame or
// its core, and a test can hand it a fake. A view's timers are QTimers the
// view owns, so they never meet the core's timers by id.
#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "config/CommandRecords.h"
#include "config/Settings.h"
#include "routing/MainHost.h"

class IUserPrompt;
class QPrinter;

// The changes of the program that windows follow.
class CViewEvents : public QObject {
    Q_OBJECT
signals:
    // After every Connect and Disconnect.
    void ConnectionChanged(bool connected);
    // The terminal fast display was switched.
    void FastDisplayChanged(bool on);
    // Command record index was changed by the edit dialog.
    void CommandRecordChanged(int index);
};

class IViewContext {
public:
    // The core's prompt vocabulary, so core objects and views ask alike.
    using Buttons = quelda::PromptButtons;
    using PromptKind = quelda::PromptKind;

    virtual ~IViewContext() = default;

    // The program directory, ending with "/".
    virtual const std::string& AppDir() const = 0;
    virtual const quelda::WindowSettings& WindowSettingsOf(quelda::WindowKind kind) const = 0;
    virtual const std::vector<quelda::CommandRecord>& CommandRecords() const = 0;
    // BIN_LENGTH_FORMAT of QUELDA.INI: 0 when a block's length comes low
    // byte first (monitor 3 and its converter).
    virtual int BinLengthFormat() const = 0;
    virtual CViewEvents& Events() = 0;

    virtual bool IsConnected() const = 0;
    // 1 when record index's line went out.
    virtual int SendButtonCommand(int index) = 0;
    // Runs the Command Edit dialog on record index; the dialog's result.
    virtual int EditButtonCommand(int index) = 0;
    virtual int SendCommand(const std::string& text, int wait) = 0;
    virtual int SendLine(const std::string& text, int wait) = 0;
    virtual void ClearReplyWait() = 0;
    // The command whose frames carry a binary block.
    virtual void SetBinaryCommand(const std::string& name) = 0;
    // Frames that begin with it go to the simulator (empty: every frame).
    virtual void SetSimulatorPrefix(const std::string& prefix) = 0;

    // A modal box with the program's caption; true for OK and Yes. A box
    // with more than OK is only for handlers of the user's own actions.
    virtual bool Prompt(const QString& text, Buttons buttons, PromptKind kind) = 0;
    // The same with a caption of its own (empty: the program's caption).
    virtual bool PromptCaptioned(const QString& text, const QString& caption, Buttons buttons,
                                 PromptKind kind) = 0;
    // File dialogs of the user's own actions; empty when cancelled.
    virtual QString OpenFileName(const QString& initial, const QString& filter) = 0;
    virtual QString SaveFileName(const QString& initial, const QString& filter) = 0;
    // The program's boxes and file dialogs as one interface, for a dialog a
    // window opens on the user's command (monitor 3's converter).
    virtual IUserPrompt& UserPrompt() = 0;
    // BYTE_WORD of section EEPROM: 0 byte access, anything else word access.
    virtual int EepromByteWord() const = 0;

    // The terminal's typed line: a "$" line goes framed, a file's name sends
    // the file raw.
    virtual void SendCommandLine(const std::string& text) = 0;
    virtual bool FastDisplay() const = 0;
    virtual void SetFastDisplay(bool on) = 0;
    // The printer the printer set-up dialog configures.
    virtual QPrinter& Printer() = 0;
};
