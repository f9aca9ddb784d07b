#pragma once
// The frame of the four monitors: the view and a bar with the log controls
// (name and "Save") and the two command buttons of the monitor. The Save
// box turns red, its tooltip naming the file and the reason, while the
// last log record could not be written.
#include "app/CQueldaChildFrame.h"
#include "config/Settings.h"

class CMonitorView;
class CRecordButtons;
class QAction;
class QCheckBox;
class QLineEdit;

class CMonitorChildFrame : public CQueldaChildFrame {
    Q_OBJECT
public:
    CMonitorChildFrame(IViewContext& context, quelda::WindowKind kind, QWidget* parent = nullptr);

    CMonitorView* MonitorView() const;
    QLineEdit* LogNameEdit() const { return m_pLogName; }
    QCheckBox* SaveBox() const { return m_pSave; }
    CRecordButtons* CommandButtons() const { return m_pButtons; }
    // Monitor 3's "Binary to Text Convert" (32796); nullptr for the others.
    QAction* BinToTextAction() const { return m_pBinToText; }
    QAction* CommandAction(int commandId) override;

    // The proposed log name in the box, all of it selected.
    void ProposeLogName(const QString& name);
    // Whether the Save box shows a failed log write.
    bool ShowsLogFailure() const { return m_bLogFailure; }

private:
    void BuildBar();
    void OnSaveToggled(bool on);
    void ShowLogState();

    QLineEdit* m_pLogName = nullptr;
    QCheckBox* m_pSave = nullptr;
    CRecordButtons* m_pButtons = nullptr;
    QAction* m_pBinToText = nullptr;
    bool m_bLogFailure = false;
};
