#include "CLinkerUSB.h"
#include "DeviceCommands.h"
#include "LinkPort.h"
#include "MyThread.h"
#include "ScriptedDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace {

int osThreadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class WorkerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        installScriptedDevice(device);
        ASSERT_EQ(link.Open(0x2047, 0x0301), 0);
        LinkPort::setLink(&link);
    }
    void TearDown() override
    {
        owner.stop();
        LinkPort::setLink(nullptr);
        setTransportFactory({});
        flushDeferredDeletes();
    }

    static QByteArray pushedFrame()
    {
        return registerReply("AB44200000001800", hex("FF000A 9600 2823").leftJustified(22, '\0'));
    }

    std::shared_ptr<ScriptedDevice> device = std::make_shared<ScriptedDevice>();
    CLinkerUSB link;
    LinkWorker owner;
};

TEST_F(WorkerTest, ACommandUnderTheLinkLockGetsItsReplyWhileTheWorkerPolls)
{
    device->setResponder([](ScriptedDevice &d, const QByteArray &payload) {
        if (payload.startsWith(hex("AB400F03")))
            d.queuePayload(registerReply("AB400F0300000800", hex("9600 2823 0F00")));
    });
    QSignalSpy pushed(&owner, &LinkWorker::senddata);
    owner.start();
    for (int i = 0; i < 6; ++i) {
        QTest::qWait(15 * i); // meet the worker at different points of its pass
        int haze = 0, t = 0, threshold = 0;
        const LinkLock lock(owner.worker());
        ASSERT_EQ(CDeviceCommands::readTolerance(haze, t, threshold), CmdOk) << "pass " << i;
    }
    QTest::qWait(100);
    EXPECT_EQ(pushed.count(), 0);
}

TEST_F(WorkerTest, PushedChunksReachTheReceiverOnceAndInOrder)
{
    QSignalSpy pushed(&owner, &LinkWorker::senddata);
    owner.start();
    const QByteArray frame = pushedFrame();
    device->queuePayload(frame.left(20));
    ASSERT_TRUE(pushed.wait(2000));
    device->queuePayload(frame.mid(20), 120); // after the poll that took the first part
    QTest::qWait(400);
    ASSERT_EQ(pushed.count(), 2);
    EXPECT_EQ(pushed[0][0].toByteArray(), frame.left(20));
    EXPECT_EQ(pushed[1][0].toByteArray(), frame.mid(20));
}

TEST_F(WorkerTest, EveryConnectionGetsAFreshWorkerAndLeavesNoThreadBehind)
{
    const int threadsBefore = osThreadCount();
    for (int connection = 0; connection < 4; ++connection) {
        owner.start();
        ASSERT_TRUE(owner.isRunning());
        QPointer<MyThread> worker = owner.worker();
        QPointer<QThread> thread = worker->thread();
        QTest::qWait(40);
        owner.stop();
        EXPECT_FALSE(owner.isRunning());
        EXPECT_EQ(owner.worker(), nullptr);
        EXPECT_TRUE(worker.isNull());
        flushDeferredDeletes();
        EXPECT_TRUE(thread.isNull());
    }
    QElapsedTimer settle;
    settle.start();
    while (osThreadCount() > threadsBefore && settle.elapsed() < 2000)
        QThread::msleep(10);
    EXPECT_LE(osThreadCount(), threadsBefore); // threads Qt itself may end meanwhile are no leak
}

// A command series may hold the lock inside a nested event loop that delivers the removal,
// or another thread may hold it: either way the worker must still leave.
TEST_F(WorkerTest, StoppingWhileTheLockIsHeldDoesNotDeadlock)
{
    owner.start();
    QTest::qWait(40);
    {
        const LinkLock lock(owner.worker());
        owner.stop();
        EXPECT_FALSE(owner.isRunning());
    }
    owner.start();
    std::atomic<bool> held{false};
    std::thread holder([worker = owner.worker(), &held] {
        const LinkLock lock(worker);
        held = true;
        QThread::msleep(500);
    });
    while (!held)
        QThread::msleep(1);
    QElapsedTimer elapsed;
    elapsed.start();
    owner.stop();
    EXPECT_LT(elapsed.elapsed(), 400);
    holder.join(); // releases the lock it took, after the worker is gone
}

TEST(MyThreadTest, LeavesTheLockFreeWhenItStops)
{
    MyThread worker;
    QThread thread;
    worker.moveToThread(&thread);
    QObject::connect(&thread, &QThread::started, &worker, &MyThread::startThreadSlot);
    thread.start();
    QTest::qWait(50);
    worker.requestStop();
    thread.quit();
    ASSERT_TRUE(thread.wait(2000));
    ASSERT_TRUE(worker.linkMutex().tryLock());
    worker.linkMutex().unlock();
}

} // namespace
