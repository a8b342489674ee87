#pragma once

#include "InstrumentLink.h"
#include "LinkPort.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <memory>
#include <thread>

// The real USB link opened on a simulated instrument and made current, as the main window opens
// it on connection. Pages built on it are destroyed first, so their workers stop before it closes.
struct SimulatedLink
{
    explicit SimulatedLink(const SimProfile &profile = {}) : sim(profile)
    {
        setTransportFactory([this] { return sim.makeTransport(); });
        reopen();
    }
    ~SimulatedLink()
    {
        disconnect();
        setTransportFactory({});
    }

    // A new connection, as the main window makes one after an arrival.
    bool reopen()
    {
        disconnect();
        port.setLink(InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
        return port.isDeviceOpen();
    }
    // What the main window does when the instrument goes away.
    void disconnect()
    {
        if (const auto old = port.current())
            old->close();
        port.setLink(nullptr);
    }
    std::shared_ptr<InstrumentLink> link() const { return port.current(); }

    SimulatedInstrument sim;
    LinkPort port;
};

// The lock is free once a series has ended: another thread can take it.
inline bool lockIsFree(const std::shared_ptr<InstrumentLink> &link)
{
    auto taken = std::make_shared<std::atomic<bool>>(false);
    std::thread([link, taken] {
        LinkLock lock(link);
        *taken = true;
    }).detach();
    QElapsedTimer waited;
    waited.start();
    while (!*taken && waited.elapsed() < 3000)
        QThread::msleep(5);
    return *taken;
}
