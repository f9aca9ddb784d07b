#pragma once
// The terminal's window: the view below a bar with the command line (its
// list is the history), "Send" and "FastDisp".
#include <QByteArray>
#include <string>

#include "app/CQueldaChildFrame.h"

class CTERMView;
class QAction;
class QCheckBox;
class QComboBox;
class QPushButton;

class CTermChildFrame : public CQueldaChildFrame {
    Q_OBJECT
public:
    static constexpr int kMaxCommandLength = 256;

    explicit CTermChildFrame(IViewContext& context, QWidget* parent = nullptr);
    ~CTermChildFrame() override;

    CTERMView* TermView() const { return m_pTermView; }
    QComboBox* CommandLine() const { return m_pCommandLine; }
    QPushButton* SendButton() const { return m_pSend; }
    QCheckBox* FastDispBox() const { return m_pFastDisp; }

    void FocusCommandLine();
    void OnActivated() override { FocusCommandLine(); }
    QAction* CommandAction(int commandId) override;

public slots:
    // "Send" (32773), also Enter while the window is active.
    void SendCommandLine();

private:
    void BuildBar();
    void CreateActions();
    void LoadHistory();
    // Appends the text unless the list holds it in any letter case.
    void Remember(const QString& text);
    // The bytes to send: those of the history entry shown, else UTF-8.
    std::string BytesOf(const QString& text) const;
    void OnConnectionChanged(bool connected);

    CTERMView* m_pTermView = nullptr;
    QComboBox* m_pCommandLine = nullptr;
    QPushButton* m_pSend = nullptr;
    QCheckBox* m_pFastDisp = nullptr;
    QAction* m_pSendAction = nullptr;
    QAction* m_pPrint = nullptr;
    QAction* m_pPrintDirect = nullptr;
    QAction* m_pPrintPreview = nullptr;
};
