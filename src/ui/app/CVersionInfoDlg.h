#pragma once
// "Version Info": the program icon, the version text and OK.
#include <QDialog>

class CVersionInfoDlg : public QDialog {
    Q_OBJECT
public:
    static const char* const kVersionText;
    explicit CVersionInfoDlg(QWidget* parent = nullptr);
};
