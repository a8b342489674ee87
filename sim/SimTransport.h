#pragma once

#include "ReportTransport.h"

class SimulatedInstrument;

// A report channel to one simulated instrument, with no latency of its own.
class SimTransport : public ReportTransport
{
public:
    explicit SimTransport(SimulatedInstrument &instrument);

    bool open(quint16 vendorId, quint16 productId) override;
    void close() override;
    int writeReport(const QByteArray &report, int timeoutMs) override;
    // Waits on the instrument for up to timeoutMs.
    int readReport(QByteArray &report, int timeoutMs) override;
    bool isPresent() override;

private:
    SimulatedInstrument &instrument_;
    quint64 session_ = 0; // the plug generation it opened in; 0 while closed
};
