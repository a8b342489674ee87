#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <memory>

class QThread;

// The link lock and the number of commands waiting for it. Shared with every LinkLock,
// so a lock still held when its worker is deleted stays valid until it is released.
struct LinkLockState
{
    QMutex mutex;
    std::atomic<int> waiting{0};
};

// Polls the link for results the instrument pushes, on a thread of its own, and owns the
// link lock that every command series on the GUI thread takes.
class MyThread : public QObject
{
    Q_OBJECT
public:
    static constexpr int pollExpectedLength = 142090;
    static constexpr int pauseMs = 30;

    explicit MyThread(QObject *parent = nullptr);

    QMutex &linkMutex() { return lock_->mutex; }
    // Thread-safe; the loop leaves at its next check, even while waiting for the lock.
    void requestStop() { stop_ = true; }

signals:
    void senddata(const QByteArray &baData);

public slots:
    void startThreadSlot();

private:
    friend class LinkLock;

    bool lockUnlessStopped();
    void letWaitingCommandsIn();
    void pollOnce();

    std::shared_ptr<LinkLockState> lock_;
    std::atomic<bool> stop_{false};
};

// Holds the worker's link lock for one command or a whole series. A null worker locks nothing.
class LinkLock
{
public:
    explicit LinkLock(MyThread *worker);
    ~LinkLock();
    LinkLock(const LinkLock &) = delete;
    LinkLock &operator=(const LinkLock &) = delete;

private:
    std::shared_ptr<LinkLockState> state_;
};

// One polling worker per connection: started when the link opens, stopped when it closes.
class LinkWorker : public QObject
{
    Q_OBJECT
public:
    explicit LinkWorker(QObject *parent = nullptr) : QObject(parent) {}
    ~LinkWorker() override;

    // A fresh thread and worker; a running one is stopped first.
    void start();
    // Returns once the worker has left its loop; never waits on a lock the caller may hold.
    void stop();
    MyThread *worker() const { return worker_.get(); }
    bool isRunning() const;

signals:
    // The bytes of one poll, delivered on this object's thread in the order they were read.
    void senddata(const QByteArray &baData);

private:
    QPointer<QThread> thread_;
    std::unique_ptr<MyThread> worker_;
};
