#pragma once

#include "ReportTransport.h"

#include <atomic>
#include <memory>

// Counts the 64-byte reports that cross the transport, both ways; polls that find nothing are not reports.
class CountingTransport : public ReportTransport
{
public:
    CountingTransport(std::unique_ptr<ReportTransport> inner, std::atomic<long> &reports)
        : inner_(std::move(inner)), reports_(reports)
    {
    }
    bool open(quint16 vendorId, quint16 productId) override { return inner_->open(vendorId, productId); }
    void close() override { inner_->close(); }
    int writeReport(const QByteArray &report, int timeoutMs) override
    {
        const int n = inner_->writeReport(report, timeoutMs);
        reports_ += n > 0;
        return n;
    }
    int readReport(QByteArray &report, int timeoutMs) override
    {
        const int n = inner_->readReport(report, timeoutMs);
        reports_ += n > 0;
        return n;
    }
    bool isPresent() override { return inner_->isPresent(); }

private:
    std::unique_ptr<ReportTransport> inner_;
    std::atomic<long> &reports_;
};

// USB full speed carries one 64-byte interrupt report per 1 ms frame in each direction; a report
// costs at least that frame.
inline double usbFullSpeedSeconds(double reports)
{
    return reports * 1e-3;
}
