#pragma once

#include "CLinkerUSB.h"
#include "LinkPort.h"
#include "MyThread.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <memory>
#include <thread>

// The real link opened on a simulated instrument, as the main window opens it on connection.
// Pages built on it are destroyed first, so their workers stop before the link closes.
struct SimulatedLink
{
    explicit SimulatedLink(const SimProfile &profile) : sim(profile)
    {
        setTransportFactory([this] { return sim.makeTransport(); });
        link.Open(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId);
        LinkPort::setLink(&link);
    }
    ~SimulatedLink()
    {
        LinkPort::setLink(nullptr);
        link.Close();
        setTransportFactory({});
    }

    SimulatedInstrument sim;
    CLinkerUSB link;
};

// The lock is free once a series has ended: another thread can take it.
inline bool lockIsFree(MyThread *worker)
{
    auto taken = std::make_shared<std::atomic<bool>>(false);
    std::thread([worker, taken] {
        LinkLock lock(worker);
        *taken = true;
    }).detach();
    QElapsedTimer waited;
    waited.start();
    while (!*taken && waited.elapsed() < 3000)
        QThread::msleep(5);
    return *taken;
}
