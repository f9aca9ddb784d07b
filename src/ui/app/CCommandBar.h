#pragma once
// The main frame's command bar: two rows of ten command buttons, each with
// its ">" button that edits the button's record.
#include <QToolBar>
#include <QVector>

class QToolButton;

class CCommandBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kButtons = 20;
    static constexpr int kPerRow = 10;

    explicit CCommandBar(QWidget* parent = nullptr);

    QToolButton* CommandButton(int index) const { return m_commands.value(index); }
    QToolButton* EditButton(int index) const { return m_edits.value(index); }
    void SetCaption(int index, const QString& caption);
    // Shows or hides button index and its ">" button.
    void SetButtonShown(int index, bool shown);
    // Command buttons work only while connected; ">" buttons always.
    void SetConnected(bool connected);

signals:
    void SendClicked(int index);
    void EditClicked(int index);

private:
    QVector<QToolButton*> m_commands;
    QVector<QToolButton*> m_edits;
};
