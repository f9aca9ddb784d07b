#pragma once
// The frame of the four monitors: the view and a bar with the log controls
// (name and "Save") and the two command buttons of the monitor.
#include "app/CQueldaChildFrame.h"
#include "config/Settings.h"

class CMonitorView;
class CRecordButtons;
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

private:
    void BuildBar();

    QLineEdit* m_pLogName = nullptr;
    QCheckBox* m_pSave = nullptr;
    CRecordButtons* m_pButtons = nullptr;
};
