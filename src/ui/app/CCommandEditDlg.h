#pragma once
// "Command Edit": one command record. The parameter captions follow the
// command typed or chosen, from the device's command definitions.
#include <QDialog>
#include <array>
#include <vector>

#include "config/CommandRecords.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CCommandEditDlg : public QDialog {
    Q_OBJECT
public:
    // exec() results.
    enum { Cancel = 0, Ok = 1, Send = 3 };
    static constexpr int kParams = 5;

    CCommandEditDlg(const quelda::CommandRecord& record,
                    const std::vector<quelda::CommandDef>& defs, QWidget* parent = nullptr);

    quelda::CommandRecord Values() const;

    QLineEdit* TitleEdit() const { return m_pTitle; }
    QComboBox* CommandBox() const { return m_pCommand; }
    QLabel* ParamLabel(int i) const { return m_paramLabels[i]; }
    QLineEdit* ParamEdit(int i) const { return m_paramEdits[i]; }
    QCheckBox* AckCheckBox() const { return m_pAckCheck; }
    QCheckBox* AddChecksumBox() const { return m_pAddChecksum; }
    QPushButton* SendButton() const { return m_pSend; }

private:
    void BuildFields();
    void BuildButtons();
    // The widest parameter caption of any definition, or "Parameter5".
    int WidestCaption() const;
    // The captions of the definition named exactly as the command text, or
    // none; the typed parameters stay.
    void UpdateLabels();

    quelda::CommandRecord m_record;
    std::vector<quelda::CommandDef> m_defs;
    QLineEdit* m_pTitle = nullptr;
    QComboBox* m_pCommand = nullptr;
    std::array<QLabel*, kParams> m_paramLabels{};
    std::array<QLineEdit*, kParams> m_paramEdits{};
    QCheckBox* m_pAckCheck = nullptr;
    QCheckBox* m_pAddChecksum = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
    QPushButton* m_pSend = nullptr;
};
