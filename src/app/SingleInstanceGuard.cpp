#include "SingleInstanceGuard.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
QString lockPath(const QString &key)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + key + QStringLiteral(".lock");
}
} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString &key, QObject *parent)
    : QObject(parent), serverName_(key), lock_(lockPath(key))
{
    lock_.setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
    primary_ = lock_.tryLock(0);
    if (!primary_)
        return;
    // We hold the lock, so any socket of that name is a crashed instance's leftover.
    QLocalServer::removeServer(serverName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(serverName_);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptConnection);
}

bool SingleInstanceGuard::sendMessage(const QString &message, int timeoutMs)
{
    if (primary_)
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(message.toUtf8());
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return written;
}

void SingleInstanceGuard::acceptConnection()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            emit messageReceived(QString::fromUtf8(socket->readAll()));
        });
    }
}
