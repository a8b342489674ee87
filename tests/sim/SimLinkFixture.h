#pragma once

#include "CLinkerUSB.h"
#include "LinkPort.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <memory>

// The real client link, opened on a simulated instrument and registered as the program's link.
class SimLink
{
public:
    explicit SimLink(const SimProfile &profile = {})
        : sim(profile)
    {
        setTransportFactory([this] { return sim.makeTransport(); });
        reopen();
    }

    ~SimLink()
    {
        LinkPort::setLink(nullptr);
        link.reset();
        setTransportFactory({});
    }

    // A new connection, as the main window makes one after an arrival.
    bool reopen()
    {
        LinkPort::setLink(nullptr);
        link = std::make_unique<CLinkerUSB>();
        const bool opened = link->Open(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId) == 0;
        LinkPort::setLink(link.get());
        return opened;
    }

    SimulatedInstrument sim;
    std::unique_ptr<CLinkerUSB> link;
};
