#include "app/CSingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");

}  // namespace

CSingleInstance::CSingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_name(name) {}

bool CSingleInstance::AskRunningToRaise(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen() {
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    if (m_pServer->listen(m_name)) return true;
    // Nobody answered before we got here, so the name is a stale leftover.
    QLocalServer::removeServer(m_name);
    return m_pServer->listen(m_name);
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kRaiseRequest.trimmed())) emit RaiseRequested();
        });
    }
}
