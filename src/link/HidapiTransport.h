#pragma once

#include "ReportTransport.h"

#include <QByteArray>

struct hid_device_;

// The instrument on the Linux hidraw backend of hidapi.
class HidapiTransport : public ReportTransport
{
public:
    HidapiTransport() = default;
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport &) = delete;
    HidapiTransport &operator=(const HidapiTransport &) = delete;

    bool open(quint16 vendorId, quint16 productId) override;
    void close() override;
    int writeReport(const QByteArray &report, int timeoutMs) override;
    int readReport(QByteArray &report, int timeoutMs) override;
    bool isPresent() override;

    // True when the last open found the meter but the system refused to open it (no udev rule
    // gives this user access); asking clears it.
    static bool takeOpenRefused();

private:
    hid_device_ *device_ = nullptr;
    QByteArray path_;
    quint16 vendorId_ = 0;
    quint16 productId_ = 0;
};
