#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <atomic>
#include <memory>

class CLinker;
class MyThread;
class QThread;

// The link lock and the number of commands waiting for it.
struct LinkLockState
{
    QMutex mutex;
    std::atomic<int> waiting{0};
};

// One opened instrument: its CLinker, the link lock, the polling worker.
class InstrumentLink : public QObject
{
    Q_OBJECT
public:
    explicit InstrumentLink(std::unique_ptr<CLinker> link);
    ~InstrumentLink() override; // stops the worker, closes the link

    // The USB meter (vendor/product ids); null when none could be opened. refused, when given,
    // tells whether the meter is attached but this user may not open it.
    static std::shared_ptr<InstrumentLink> openUsb(quint16 vendorId, quint16 productId, bool *refused = nullptr);

    // Appends the frame check (low byte first) and writes the frame; bytes written, or -1 when
    // the link is closed or not open.
    int sendFrame(QByteArray &frame, int timeoutMs);
    // Collects a reply of expectedLength bytes starting at the start byte; time-out 0 polls once.
    // Its byte count, 0 when too little came, -1 once closed or when a tested frame check fails.
    int receiveFrame(QByteArray &out, int timeoutMs, int expectedLength, bool testFrameCheck);
    bool isOpen() const; // false after close() or when the CLinker is not open
    bool isRemoved();    // the CLinker's IsRemoved

    // A fresh MyThread on its own QThread; a running one is stopped first. None once closed.
    void startWorker();
    // Returns once the worker left its loop; never waits on the lock the caller may hold.
    void stopWorker();
    bool workerRunning() const;

    // Stops the worker and closes the CLinker. The object stays valid (shared owners may still
    // hold it): every later sendFrame/receiveFrame fails (-1), so a command series that outlives
    // an unplug fails with result code -1 instead of talking through another connection's lock.
    void close();

    LinkLockState &lockState() { return lock_; } // one per connection

signals:
    // The bytes of one poll, delivered on this object's thread in the order they were read.
    void senddata(const QByteArray &baData);

private:
    std::unique_ptr<CLinker> link_;
    std::atomic<bool> closed_{false};
    LinkLockState lock_;
    QThread *thread_ = nullptr;
    std::unique_ptr<MyThread> worker_;
};

// Holds the link lock of one InstrumentLink for one command or a series. Keeps the link alive
// while held. A null link locks nothing.
class LinkLock
{
public:
    explicit LinkLock(const std::shared_ptr<InstrumentLink> &link);
    ~LinkLock();
    LinkLock(const LinkLock &) = delete;
    LinkLock &operator=(const LinkLock &) = delete;

private:
    std::shared_ptr<InstrumentLink> link_;
};
