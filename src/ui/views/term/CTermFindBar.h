#pragma once
// The terminal's find bar: text, "Match case", next and previous, and what
// the last search found.
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

class CTermFindBar : public QWidget {
    Q_OBJECT
public:
    explicit CTermFindBar(QWidget* parent = nullptr);

    QString Text() const;
    bool MatchCase() const;
    QLineEdit* Edit() const { return m_pEdit; }
    QLabel* Result() const { return m_pResult; }
    // Shows the bar with its text selected, ready for typing.
    void Open();
    // "not found", or nothing after a match.
    void ShowFound(bool found);

signals:
    void FindRequested(bool forward);
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_pEdit = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QLabel* m_pResult = nullptr;
};
