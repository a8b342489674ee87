#include "ReportTransport.h"

#include "HidapiTransport.h"
#include "ProtocolTrace.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex factoryMutex;
TransportFactory installedFactory;

} // namespace

// An empty factory restores the hidapi default.
void setTransportFactory(TransportFactory factory)
{
    const QMutexLocker locker(&factoryMutex);
    installedFactory = std::move(factory);
}

std::unique_ptr<ReportTransport> createTransport()
{
    TransportFactory factory;
    {
        const QMutexLocker locker(&factoryMutex);
        factory = installedFactory;
    }
    // Called outside the lock: a factory may itself swap factories.
    if (factory)
        return ProtocolTrace::traced(factory());
    return ProtocolTrace::traced(std::make_unique<HidapiTransport>());
}
