#pragma once
// "Binary to Text Convert": turns monitor 3's binary log into CSV text at a
// chosen rate. The conversion runs on a thread of its own, so the dialog
// keeps painting and answering, and Cancel stops a conversion under way.
#include <QDialog>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "bintext/BinTextConverter.h"
#include "bintext/BinTextNames.h"

class IUserPrompt;
class QLineEdit;
class QProgressBar;
class QPushButton;

class CBinTextDlg : public QDialog {
    Q_OBJECT
public:
    // appDir: the program directory ending in "/" (status tables of the
    // definition are looked up there); binLengthFormat: 0 when a block's
    // length comes low byte first. names: what the three edits open with.
    CBinTextDlg(std::string appDir, int binLengthFormat, IUserPrompt& prompt,
                const quelda::BinTextNames& names = {}, QWidget* parent = nullptr);
    // Stops a conversion under way and waits for it.
    ~CBinTextDlg() override;

    bool IsConverting() const { return m_worker.joinable(); }

    QLineEdit* BinaryEdit() const { return m_pBinary; }
    QLineEdit* DefinitionEdit() const { return m_pDefinition; }
    QLineEdit* OutputEdit() const { return m_pOutput; }
    QLineEdit* RateEdit() const { return m_pRate; }
    QPushButton* BinaryRefButton() const { return m_pBinaryRef; }
    QPushButton* DefinitionRefButton() const { return m_pDefinitionRef; }
    QPushButton* OutputRefButton() const { return m_pOutputRef; }
    QPushButton* ConvertButton() const { return m_pConvert; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QProgressBar* ProgressBar() const { return m_pProgress; }

public slots:
    // Cancel, Escape and the close box: stop a conversion, else close.
    void reject() override;

private:
    struct FileField {
        QString caption;
        QString extension;  // given to a chosen name that has none
        QString filter;
        bool save;  // the output: a save dialog, which asks before overwriting
    };

    void BuildForm(const quelda::BinTextNames& names);
    QLineEdit* AddFileRow(class QGridLayout* grid, const FileField& field, const std::string& name,
                          QPushButton*& ref);
    void OnRef(QLineEdit* edit, const FileField& field);
    void OnConvert();
    void Run(quelda::BinTextRequest request);
    // On the dialog's thread: the progress bar and the end of a conversion.
    void ShowProgress(int value, int maximum);
    void OnFinished(const quelda::BinTextResult& result);
    void SetConverting(bool converting);

    std::string m_strAppDir;
    int m_nBinLengthFormat;
    IUserPrompt& m_prompt;
    QLineEdit* m_pBinary = nullptr;
    QLineEdit* m_pDefinition = nullptr;
    QLineEdit* m_pOutput = nullptr;
    QLineEdit* m_pRate = nullptr;
    QPushButton* m_pBinaryRef = nullptr;
    QPushButton* m_pDefinitionRef = nullptr;
    QPushButton* m_pOutputRef = nullptr;
    QPushButton* m_pConvert = nullptr;
    QPushButton* m_pCancel = nullptr;
    QProgressBar* m_pProgress = nullptr;
    std::atomic<bool> m_stop{false};  // set here, read by the conversion's threads
    std::thread m_worker;
};
