// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ModalCatcher.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <memory>

// A simulated TQ310 that every main window opens as its instrument, and the message boxes shown.
struct InstrumentRig
{
    InstrumentRig() { setTransportFactory([this] { return instrument->makeTransport(); }); }
    ~InstrumentRig() { setTransportFactory({}); }

    std::shared_ptr<SimulatedInstrument> instrument =
        std::make_shared<SimulatedInstrument>(*SimProfile::byName(QStringLiteral("tq310")));
    ModalCatcher catcher;
};
