#pragma once

#include "ReportTransport.h"

#include <QByteArray>
#include <QMutex>
#include <atomic>
#include <memory>

// One opened instrument: its report channel, the time-outs of the last calls and the
// payload of a report that the previous Read did not consume.
struct HidDeviceContext
{
    std::unique_ptr<ReportTransport> transport;
    int readTimeoutMs = 50;
    int writeTimeoutMs = 50;
    int inputReportLength = 64;
    int outputReportLength = 64;
    QByteArray report;
    QByteArray leftover;
};

// The instrument as a HID device: payload bytes in and out of 0x3F reports.
class libHidDevice
{
public:
    static constexpr char reportId = 0x3F;
    static constexpr int maxPayload = 62;

    libHidDevice() = default;
    virtual ~libHidDevice();
    libHidDevice(const libHidDevice &) = delete;
    libHidDevice &operator=(const libHidDevice &) = delete;

    // 0 when a device with these ids was opened, -1 otherwise.
    int Open(quint16 vendorId, quint16 productId);
    virtual void Close();
    // Exactly length payload bytes; fewer when a report wait timed out after some arrived; 0 on failure.
    virtual int Read(char *buffer, int length, int timeoutMs);
    // length when every report was written; 0 when one failed (no later report is sent).
    virtual int Write(const char *buffer, int length, int timeoutMs);
    // True when the opened device is gone (or none is open).
    virtual bool IsRemoved();
    bool IsOpen() const { return opened_; }

private:
    int takeLeftover(char *buffer, int length);
    int takeReport(char *buffer, int wanted);

    std::atomic<bool> opened_{false};
    std::unique_ptr<HidDeviceContext> context_;
    // The GUI thread may close the device while the worker thread is inside a poll.
    QMutex mutex_;
};
