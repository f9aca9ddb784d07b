#pragma once
// One running Quelda per user: the first start listens on a local socket
// named "Quelda"; a second start (or `quelda --raise`) connects to it and asks
// the running one to come to the front. The running one answers with the
// display its window is on, so the second start can say where to look.
#include <QObject>
#include <QString>

class QLocalServer;

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(const QString& name = QStringLiteral("Quelda"),
                             QObject* parent = nullptr);

    // Sends the restore request to a running instance; false when none answers.
    bool AskRunningToRaise(int timeoutMs = 2000);
    // After a request that was taken: the one line a second start prints.
    QString RaisedText() const;
    // Starts listening (a name left behind by a crashed instance is taken
    // over); false when the socket cannot be created.
    bool Listen();

signals:
    void RaiseRequested();

private:
    void OnNewConnection();

    QString m_name;
    QString m_strRunningDisplay;  // what the running instance answered, if anything
    QLocalServer* m_pServer = nullptr;
};
