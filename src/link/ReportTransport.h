#pragma once

#include <QByteArray>
#include <functional>
#include <memory>

// One HID report channel to an instrument. A report is the whole HID report buffer:
// byte 0 the report id (0x3F), byte 1 the payload count, then the payload and padding.
class ReportTransport
{
public:
    virtual ~ReportTransport() = default;

    // Opens the first attached device with these ids; false when there is none.
    virtual bool open(quint16 vendorId, quint16 productId) = 0;
    virtual void close() = 0;
    // Writes one output report; returns the bytes written, or -1 on failure.
    virtual int writeReport(const QByteArray &report, int timeoutMs) = 0;
    // Waits at most timeoutMs for one input report; returns its length, 0 on time-out, -1 when the device failed.
    virtual int readReport(QByteArray &report, int timeoutMs) = 0;
    // True while the opened device is still attached.
    virtual bool isPresent() = 0;

    virtual int inputReportLength() const { return 64; }
    virtual int outputReportLength() const { return 64; }
};

using TransportFactory = std::function<std::unique_ptr<ReportTransport>()>;

// The factory every new libHidDevice opens through: hidapi unless a test or --simulate installs another.
// Safe to call from any thread; an empty factory restores hidapi. A factory may return null (no device).
void setTransportFactory(TransportFactory factory);
std::unique_ptr<ReportTransport> createTransport();
