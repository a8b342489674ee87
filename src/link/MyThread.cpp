#include "MyThread.h"

#include "InstrumentLink.h"

#include <QThread>

namespace {

// The worker waits for the lock in slices so that a stop request reaches it even while
// a GUI-thread command series holds the lock inside a nested event loop.
constexpr int lockSliceMs = 5;

} // namespace

MyThread::MyThread(InstrumentLink &link, QObject *parent) : QObject(parent), link_(link) {}

void MyThread::startThreadSlot()
{
    QMutex &mutex = link_.lockState().mutex;
    while (lockUnlessStopped()) {
        const bool stopping = stop_;
        if (!stopping)
            pollOnce();
        mutex.unlock();
        if (stopping)
            return;
        letWaitingCommandsIn();
    }
}

// One HID read of whatever arrived, then the pause, all under the lock.
void MyThread::pollOnce()
{
    QByteArray data;
    if (link_.receiveFrame(data, 0, pollExpectedLength, false) > 0)
        emit senddata(data);
    QThread::msleep(pauseMs);
}

bool MyThread::lockUnlessStopped()
{
    while (!link_.lockState().mutex.tryLock(lockSliceMs)) {
        if (stop_)
            return false;
    }
    return true;
}

// A mutex is not fair: without this the worker could take it back before a waiting command wakes.
void MyThread::letWaitingCommandsIn()
{
    while (link_.lockState().waiting > 0 && !stop_)
        QThread::usleep(200);
}
