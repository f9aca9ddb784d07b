#pragma once
// The command buttons of a window's bar (Cmd1/Cmd2 of a monitor, Req of the
// status window): each sends one command record and has a ">" partner that
// edits it. The sending button works only while connected; its caption is
// the record's title, or the bar's own caption while there is no record.
#include <QObject>
#include <QVector>

class IViewContext;
class QToolButton;
class QToolBar;

class CRecordButtons : public QObject {
    Q_OBJECT
public:
    CRecordButtons(IViewContext& context, QObject* parent);

    // Adds the button pair for a record to the bar.
    void Add(QToolBar* bar, int recordIndex, const QString& caption);
    QToolButton* SendButton(int slot) const;
    QToolButton* EditButton(int slot) const;

private:
    struct Pair {
        int record;
        QString caption;
        QToolButton* send;
        QToolButton* edit;
    };
    void RefreshCaption(const Pair& pair);
    void OnRecordChanged(int index);
    void OnConnectionChanged(bool connected);

    IViewContext& m_context;
    QVector<Pair> m_pairs;
};
