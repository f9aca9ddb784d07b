#pragma once
// "COM Command": the line settings the device is asked to change to (OK),
// or the automatic search for the device's settings (AUTO).
#include "app/CComSettingDlg.h"

class QPushButton;

class CComCommandDlg : public CComSettingDlg {
    Q_OBJECT
public:
    // exec() results.
    enum { Cancel = 0, Ok = 1, Auto = 4 };

    explicit CComCommandDlg(const quelda::LineSettings& values, QWidget* parent = nullptr);

    QPushButton* AutoButton() const { return m_pAuto; }

private:
    QPushButton* m_pAuto = nullptr;
};
