#pragma once

#include <QObject>
#include <memory>

// Where the main window hears that USB devices came or went. The program listens to udev;
// tests and the simulated instrument feed the same two signals.
class HotplugSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void deviceArrived();
    void deviceRemoved();
};

// Watches udev's hidraw and usb events for the meter's vendor and product id.
// Returns null when udev cannot be reached (arrivals and removals then go unnoticed).
std::unique_ptr<HotplugSource> createUdevHotplugSource(quint16 vendorId, quint16 productId);
