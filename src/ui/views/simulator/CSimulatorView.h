#pragma once
// The simulator's view: form 145 over the core's CSimulator. The form shows
// the definitions and forwards Send, Stop, the periodic timer and routed
// frames; it marks what the user changed until the next Send and counts
// the sends the main frame refused since then.
#include <QColor>
#include <array>
#include <vector>

#include "app/CFormView.h"
#include "simulator/Simulator.h"

class CViewPromptHost;
class CViewTimerHost;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CSimulatorView : public CFormView, private quelda::ISimulatorLink {
    Q_OBJECT
public:
    // The highlight behind a control the user changed since the last Send.
    static const QColor kChangedColor;

    explicit CSimulatorView(IViewContext& context, QWidget* parent = nullptr);
    ~CSimulatorView() override;

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Simulator; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;
    void OnConnectionChanged() override;

    const quelda::CSimulator& Simulator() const { return m_simulator; }
    // Changed flags: 0 the header-and-type text, 1 + i row i.
    bool IsChanged(int flag) const { return m_bChanged.at(static_cast<std::size_t>(flag)); }
    bool IsChecksumChanged() const { return m_bChecksumChanged; }

    // The form's controls, for the frame and for tests.
    QPushButton* SendButton() const { return m_pSend; }
    QPushButton* StopButton() const { return m_pStop; }
    QRadioButton* ModeRadio(int mode) const { return m_pMode.at(static_cast<std::size_t>(mode)); }
    QLineEdit* PeriodEdit() const { return m_pPeriod; }
    QLineEdit* ReceptionEdit() const { return m_pReception; }
    QLineEdit* HeaderEdit() const { return m_pHeader; }
    QCheckBox* ChecksumBox() const { return m_pChecksum; }
    QLabel* CaptionLabel(int row) const { return m_rows.at(static_cast<std::size_t>(row)).caption; }
    QLineEdit* ValueEdit(int row) const { return m_rows.at(static_cast<std::size_t>(row)).edit; }
    QComboBox* ChoiceList(int row) const { return m_rows.at(static_cast<std::size_t>(row)).list; }
    QLabel* UnitLabel(int row) const { return m_rows.at(static_cast<std::size_t>(row)).unit; }
    QLabel* RefusedLabel() const { return m_pRefused; }

private:
    struct Row {
        QLabel* caption = nullptr;
        QLineEdit* edit = nullptr;
        QComboBox* list = nullptr;
        QLabel* unit = nullptr;
    };

    // Building the form (CSimulatorViewForm.cpp).
    void CreateControls();
    void CreateRow(int row);
    QRect FormRect(int x, int y, int width, int height) const;
    void NameRow(int row);

    // Filling it from the core at the first update.
    void ShowSettings();
    void ShowRow(int row);

    void OnModeClicked(int mode);
    void OnSend();
    void OnStop();
    void UpdateSendEnabled();
    void UpdateRefused();
    quelda::SimMode CurrentMode() const;
    std::vector<quelda::SimRowInput> RowInputs() const;

    void SetChanged(int flag);
    void SetChecksumChanged();
    void ClearChanged();
    // Paints a control as changed or not.
    static void Mark(QWidget* widget, bool changed);

    bool SendLine(const std::string& text) override;
    void SetSimulatorPrefix(const std::string& prefix) override;

    CViewTimerHost* m_pTimers = nullptr;
    CViewPromptHost* m_pPrompts = nullptr;
    quelda::CSimulator m_simulator;

    std::array<QRadioButton*, 3> m_pMode{};
    QLineEdit* m_pPeriod = nullptr;
    QLineEdit* m_pReception = nullptr;
    QGroupBox* m_pGroup = nullptr;
    QLineEdit* m_pHeader = nullptr;
    std::array<Row, quelda::kSimRows> m_rows{};
    QPushButton* m_pSend = nullptr;
    QPushButton* m_pStop = nullptr;
    QCheckBox* m_pChecksum = nullptr;
    QLabel* m_pRefused = nullptr;

    std::array<bool, quelda::kSimRows + 1> m_bChanged{};
    bool m_bChecksumChanged = false;
};
