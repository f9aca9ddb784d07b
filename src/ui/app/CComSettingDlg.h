#pragma once
// "Communication Setting": the five line settings as editable lists; typed
// values are taken as they are.
#include <QDialog>

#include "config/LineSettings.h"

class QComboBox;
class QDialogButtonBox;
class QGridLayout;

class CComSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CComSettingDlg(const quelda::LineSettings& values, QWidget* parent = nullptr);

    quelda::LineSettings Values() const;
    // Control 1000 (port) is missing in the COM Command dialog.
    QComboBox* PortBox() const { return m_pPort; }
    QComboBox* BaudBox() const { return m_pBaud; }
    QComboBox* DataBitsBox() const { return m_pDataBits; }
    QComboBox* ParityBox() const { return m_pParity; }
    QComboBox* StopBitsBox() const { return m_pStopBits; }
    QDialogButtonBox* Buttons() const { return m_pButtons; }

    // "COM1" ... "COM16", then the ports this system has (their device
    // paths and the stable /dev/serial/by-id names).
    static QStringList PortNames();

protected:
    // withPort false: the four settings the device is asked to change to.
    CComSettingDlg(const quelda::LineSettings& values, bool withPort, QWidget* parent);

private:
    QComboBox* AddRow(QGridLayout* grid, const QString& label, const QStringList& entries,
                      const std::string& value);

    quelda::LineSettings m_initial;
    QComboBox* m_pPort = nullptr;
    QComboBox* m_pBaud = nullptr;
    QComboBox* m_pDataBits = nullptr;
    QComboBox* m_pParity = nullptr;
    QComboBox* m_pStopBits = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
};
