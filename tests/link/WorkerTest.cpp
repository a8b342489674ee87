#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "ScriptedDevice.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <future>
#include <thread>

namespace {

int osThreadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// The device answers the tolerance read.
class WorkerTest : public ScriptedLinkTest
{
protected:
    void SetUp() override
    {
        device->setResponder([](ScriptedDevice &d, const QByteArray &payload) {
            if (payload.startsWith(hex("AB400F03")))
                d.queuePayload(registerReply("AB400F0300000800", hex("9600 2823 0F00")));
        });
        ScriptedLinkTest::SetUp();
    }

    // Waits until the worker has begun n more polls.
    bool polled(int n = 1)
    {
        const int target = device->reads() + n;
        return QTest::qWaitFor([&] { return device->reads() >= target; }, 2000);
    }

    static int readTolerance(CDeviceCommands &commands)
    {
        int haze = 0, t = 0, threshold = 0;
        return commands.readTolerance(haze, t, threshold);
    }
};

TEST_F(WorkerTest, ACommandUnderTheLinkLockGetsItsReplyWhileTheWorkerPolls)
{
    QSignalSpy pushed(link.get(), &InstrumentLink::senddata);
    link->startWorker();
    CDeviceCommands commands(*link);
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(polled(i % 3)); // meet the worker at different points of its pass
        const LinkLock lock(link);
        ASSERT_EQ(readTolerance(commands), CmdOk) << "pass " << i;
    }
    ASSERT_TRUE(polled(2));
    EXPECT_EQ(pushed.count(), 0);
}

TEST_F(WorkerTest, PushedChunksReachTheReceiverOnceAndInOrder)
{
    QSignalSpy pushed(link.get(), &InstrumentLink::senddata);
    link->startWorker();
    const QByteArray frame = registerReply("AB44200000001800", hex("FF000A 9600 2823").leftJustified(22, '\0'));
    device->queuePayload(frame.left(20));
    ASSERT_TRUE(pushed.wait(2000));
    device->queuePayload(frame.mid(20)); // after the poll that took the first part
    EXPECT_TRUE(QTest::qWaitFor([&] { return pushed.count() == 2; }, 2000));
    ASSERT_TRUE(polled(2));
    ASSERT_EQ(pushed.count(), 2);
    EXPECT_EQ(pushed[0][0].toByteArray(), frame.left(20));
    EXPECT_EQ(pushed[1][0].toByteArray(), frame.mid(20));
}

TEST_F(WorkerTest, EveryConnectionGetsAFreshWorkerAndLeavesNoThreadOrLockBehind)
{
    const int threadsBefore = osThreadCount();
    for (int connection = 0; connection < 4; ++connection) {
        link->startWorker();
        ASSERT_TRUE(link->workerRunning());
        ASSERT_TRUE(polled());
        link->stopWorker();
        EXPECT_FALSE(link->workerRunning());
        ASSERT_TRUE(link->lockState().mutex.tryLock());
        link->lockState().mutex.unlock();
    }
    // Threads Qt itself may end meanwhile are no leak.
    EXPECT_TRUE(QTest::qWaitFor([&] { return osThreadCount() <= threadsBefore; }, 2000));
}

// A command series may hold the lock inside a nested event loop that delivers the removal,
// or another thread may hold it: either way the worker must still leave.
TEST_F(WorkerTest, StoppingWhileTheLockIsHeldDoesNotDeadlock)
{
    link->startWorker();
    ASSERT_TRUE(polled());
    {
        const LinkLock lock(link);
        link->stopWorker();
        EXPECT_FALSE(link->workerRunning());
    }
    link->startWorker();
    std::atomic<bool> held{false}, released{false};
    std::promise<void> stopped;
    std::thread holder([this, &held, &released, done = stopped.get_future()] {
        const LinkLock lock(link);
        held = true;
        done.wait_for(std::chrono::seconds(5));
        released = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return held.load(); }, 2000));
    link->stopWorker();
    EXPECT_FALSE(link->workerRunning());
    EXPECT_FALSE(released) << "the worker waited for the lock to be given back";
    stopped.set_value();
    holder.join();
}

// The instrument is pulled while a series holds the lock of its link, and plugged again: the next
// connection polls with a worker of its own. The series fails on its closed link and never
// reaches the next connection.
TEST_F(WorkerTest, ASeriesThatOutlivesItsLinkFailsWithoutReachingTheNextConnection)
{
    link->startWorker();
    const LinkLock series(link);
    CDeviceCommands commands(*link);
    ASSERT_EQ(readTolerance(commands), CmdOk);

    link->close();
    const auto next = InstrumentLink::openUsb(0x2047, 0x0301);
    ASSERT_TRUE(next);
    QSignalSpy pushed(next.get(), &InstrumentLink::senddata);
    next->startWorker();
    const qsizetype written = device->written().size();
    EXPECT_EQ(readTolerance(commands), CmdNotSent);
    EXPECT_EQ(device->written().size(), written);

    device->queuePayload("pushed");
    ASSERT_TRUE(pushed.wait(2000));
    EXPECT_EQ(pushed[0][0].toByteArray(), QByteArray("pushed"));
    EXPECT_TRUE(next->workerRunning());
    CDeviceCommands nextCommands(*next);
    const LinkLock nextLock(next);
    EXPECT_EQ(readTolerance(nextCommands), CmdOk);
}

} // namespace
