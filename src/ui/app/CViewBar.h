#pragma once
// The main frame's view bar: a button per window kind, "COM", and the
// communication log's name and switch.
#include <QHash>
#include <QToolBar>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;

class CViewBar : public QToolBar {
    Q_OBJECT
public:
    explicit CViewBar(QWidget* parent = nullptr);

    QLineEdit* LogNameEdit() const { return m_pLogName; }
    QCheckBox* SaveBox() const { return m_pSave; }
    // The button of a command id (32777-32785), or nullptr.
    QWidget* Button(int commandId) const;
    void SetButtonShown(int commandId, bool shown);
    bool IsButtonShown(int commandId) const;
    // Puts a proposed log name into the edit, selected, caret in view.
    void ProposeLogName(const QString& name);

signals:
    void CommandTriggered(int commandId);
    // The user clicked the "Save" box.
    void SaveClicked(bool checked);

private:
    void AddButton(QHBoxLayout* row, int commandId, const QString& caption);

    QHash<int, QWidget*> m_buttons;
    QLineEdit* m_pLogName = nullptr;
    QCheckBox* m_pSave = nullptr;
};
