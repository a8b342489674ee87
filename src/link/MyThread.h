#pragma once

#include <QByteArray>
#include <QObject>
#include <atomic>

class InstrumentLink;

// Polls its link for results the instrument pushes, on a thread of its own, under the link's
// lock, which every command series takes too.
class MyThread : public QObject
{
    Q_OBJECT
public:
    static constexpr int pollExpectedLength = 142090;
    static constexpr int pauseMs = 30;

    explicit MyThread(InstrumentLink &link, QObject *parent = nullptr);

    // Thread-safe; the loop leaves at its next check, even while waiting for the lock.
    void requestStop() { stop_ = true; }

signals:
    void senddata(const QByteArray &baData);

public slots:
    void startThreadSlot();

private:
    bool lockUnlessStopped();
    void letWaitingCommandsIn();
    void pollOnce();

    InstrumentLink &link_;
    std::atomic<bool> stop_{false};
};
