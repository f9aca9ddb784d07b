#include "app/CSingleInstance.h"

#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");
const QByteArray kRaisedAnswer = QByteArrayLiteral("raised ");

// Where this instance's windows are: the X or Wayland display, else the platform.
QString DisplayName() {
    const QString platform = QGuiApplication::platformName();
    const char* variable = platform == QLatin1String("xcb")       ? "DISPLAY"
                           : platform == QLatin1String("wayland") ? "WAYLAND_DISPLAY"
                                                                  : nullptr;
    const QString display = variable ? qEnvironmentVariable(variable) : QString();
    return display.isEmpty() ? platform : display;
}

}  // namespace

CSingleInstance::CSingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_name(name) {}

bool CSingleInstance::AskRunningToRaise(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    // The request is taken once written; the answer only says where.
    while (!socket.canReadLine() && socket.waitForReadyRead(timeoutMs)) {
    }
    const QByteArray answer = socket.readLine(256).trimmed();
    if (answer.startsWith(kRaisedAnswer.trimmed())) {
        m_strRunningDisplay = QString::fromUtf8(answer.mid(kRaisedAnswer.size())).trimmed();
    }
    socket.disconnectFromServer();
    return true;
}

QString CSingleInstance::RaisedText() const {
    const QString where = m_strRunningDisplay.isEmpty()
                              ? QString()
                              : QStringLiteral(" on display %1").arg(m_strRunningDisplay);
    return QStringLiteral("quelda: already running%1; asked its window to come to the front")
        .arg(where);
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
            if (!socket->readAll().contains(kRaiseRequest.trimmed())) return;
            socket->write(kRaisedAnswer + DisplayName().toUtf8() + '\n');
            socket->flush();
            emit RaiseRequested();
        });
    }
}
