#include "MyThread.h"

#include "LinkPort.h"

#include <QDebug>
#include <QThread>

namespace {

// The worker waits for the lock in slices so that a stop request reaches it even while
// a GUI-thread command series holds the lock inside a nested event loop.
constexpr int lockSliceMs = 5;

} // namespace

MyThread::MyThread(QObject *parent) : QObject(parent), lock_(std::make_shared<LinkLockState>()) {}

void MyThread::startThreadSlot()
{
    while (lockUnlessStopped()) {
        const bool stopping = stop_;
        if (!stopping)
            pollOnce();
        lock_->mutex.unlock();
        if (stopping)
            return;
        letWaitingCommandsIn();
    }
}

// One HID read of whatever arrived, then the pause, all under the lock.
void MyThread::pollOnce()
{
    QByteArray data;
    if (LinkPort::receiveFrame(data, 0, pollExpectedLength, false) > 0)
        emit senddata(data);
    QThread::msleep(pauseMs);
}

bool MyThread::lockUnlessStopped()
{
    while (!lock_->mutex.tryLock(lockSliceMs)) {
        if (stop_)
            return false;
    }
    return true;
}

// A mutex is not fair: without this the worker could take it back before a waiting command wakes.
void MyThread::letWaitingCommandsIn()
{
    while (lock_->waiting > 0 && !stop_)
        QThread::usleep(200);
}

LinkLock::LinkLock(MyThread *worker) : state_(worker ? worker->lock_ : nullptr)
{
    if (!state_)
        return;
    ++state_->waiting;
    state_->mutex.lock();
    --state_->waiting;
}

LinkLock::~LinkLock()
{
    if (state_)
        state_->mutex.unlock();
}

LinkWorker::~LinkWorker()
{
    stop();
    delete thread_.data(); // its deleteLater may not run any more at shutdown
}

void LinkWorker::start()
{
    stop();
    qDebug("openThreadSlot");
    thread_ = new QThread;
    worker_ = std::make_unique<MyThread>();
    connect(worker_.get(), &MyThread::senddata, this, &LinkWorker::senddata, Qt::QueuedConnection);
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    connect(thread_, &QThread::started, worker_.get(), &MyThread::startThreadSlot);
    thread_->start();
    qDebug() << "mainWidget QThread::currentThreadId()==" << QThread::currentThreadId();
}

void LinkWorker::stop()
{
    if (!worker_)
        return;
    qDebug("closeThreadSlot");
    worker_->requestStop();
    if (thread_) {
        thread_->quit();
        thread_->wait();
    }
    worker_.reset();
}

bool LinkWorker::isRunning() const
{
    return thread_ && thread_->isRunning();
}
