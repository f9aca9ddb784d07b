#pragma once
// The EEPROM editor: one page of 32 parameters at a time in two grids of 16
// rows, 32 page tabs, the four transfers, data files and page copy and paste.
// The transfer's logic is the core's CEepromTransfer; the view holds its
// lists' pages in the grids and answers its host calls.
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "app/CFormView.h"
#include "eeprom/EepromTransfer.h"

class CPGrid;
class CPageTabs;
class QAction;
class QLineEdit;
class QLabel;
class QPushButton;
class QTimer;

class CEepromView : public CFormView,
                    private quelda::IEepromTransferHost,
                    private quelda::ITimerHost,
                    private quelda::IPromptHost {
    Q_OBJECT
public:
    static constexpr int kPageRows = 32;
    static constexpr int kGridRows = 16;

    explicit CEepromView(IViewContext& context, QWidget* parent = nullptr);
    ~CEepromView() override;

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Eeprom; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;
    void OnConnectionChanged() override;
    bool CanClose() override;
    QSize sizeHint() const override;

    // The commands, as their buttons and menu items run them.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnCopyPage();
    void OnPastePage();

    // Grids to the selected tab's items, and back.
    void StorePage() override;
    void ShowPage() override;

    bool Modified() const { return m_bModified; }
    const std::string& DataPath() const { return m_strDataPath; }
    quelda::CEepromTransfer& Transfer() { return m_transfer; }
    CPGrid* Grid(int index) const { return index == 0 ? m_pLeft : m_pRight; }
    CPageTabs* Tabs() const { return m_pTabs; }
    QPushButton* Button(int id) const;
    QLineEdit* CheckField() const { return m_pCheck; }
    // The view's action of a File command (kFileNew ...).
    QAction* FileAction(int commandId) const;

private:
    // IEepromTransferHost
    bool SendCommand(const std::string& text) override;
    void ClearReplyWait() override;
    int ByteWord() const override;
    // ITimerHost
    void StartTimer(quelda::ITimerClient& owner, int id, int milliseconds) override;
    void KillTimer(quelda::ITimerClient& owner, int id) override;
    // IPromptHost
    void ShowPrompt(const quelda::Prompt& prompt, std::function<void(bool)> answer) override;

    void CreateControls();
    void CreateButtons();
    void CreateActions();
    void SetUpGrid(CPGrid& grid);
    void LoadTabs();
    void LoadData();
    void WriteHeaders();
    void SetDataPathTitle(const QString& path);
    bool SaveTo(const std::string& path);
    void Inform(const QString& text, const QString& caption = QString());
    bool Question(const QString& text, quelda::PromptButtons buttons,
                  const QString& caption = QString());
    // Page row (0..31) to its grid and the grid's row.
    CPGrid* GridOfRow(int pageRow, int& gridRow) const;
    QString CellText(int pageRow, int col) const;
    void SetCellText(int pageRow, int col, const QString& text);
    void UpdateCheck(const std::string& frameText);

    // Before the transfer, which kills its timer when it goes.
    std::map<int, QTimer*> m_timers;
    std::map<int, quelda::ITimerClient*> m_timerOwners;
    quelda::CEepromTransfer m_transfer;
    std::string m_strDataPath;
    bool m_bModified = false;

    CPageTabs* m_pTabs = nullptr;
    CPGrid* m_pLeft = nullptr;
    CPGrid* m_pRight = nullptr;
    std::map<int, QPushButton*> m_buttons;
    QLabel* m_pCheckLabel = nullptr;
    QLineEdit* m_pCheck = nullptr;
    std::map<int, QAction*> m_actions;
};
