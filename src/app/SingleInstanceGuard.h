#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

// Keeps one running instance per user. The first instance holds a lock file and listens on a
// local socket; later ones find the lock taken and hand their message to it. A lock left by a
// crashed instance is stale (its process is gone) and is taken over.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstanceGuard(const QString &key, QObject *parent = nullptr);

    bool isRunning() const { return !primary_; }
    // Sends message to the running instance; false when it could not be delivered in time.
    bool sendMessage(const QString &message, int timeoutMs);

signals:
    void messageReceived(const QString &message);

private:
    void acceptConnection();

    QString serverName_;
    QLockFile lock_;
    bool primary_ = false;
    std::unique_ptr<QLocalServer> server_;
};
