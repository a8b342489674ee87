#include "SimTransport.h"

#include "SimulatedInstrument.h"

SimTransport::SimTransport(SimulatedInstrument &instrument)
    : instrument_(instrument)
{
}

bool SimTransport::open(quint16 vendorId, quint16 productId)
{
    session_ = instrument_.openSession(vendorId, productId);
    return session_ != 0;
}

void SimTransport::close()
{
    session_ = 0;
}

int SimTransport::writeReport(const QByteArray &report, int)
{
    return instrument_.acceptReport(session_, report);
}

int SimTransport::readReport(QByteArray &report, int timeoutMs)
{
    return instrument_.deliverReport(session_, report, timeoutMs);
}

bool SimTransport::isPresent()
{
    return instrument_.isLive(session_);
}
