#pragma once

#include "SimMeasurement.h"
#include "SimMemory.h"
#include "SimProfile.h"

#include <QByteArray>
#include <QList>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class ReportTransport;

// How the next frame the instrument sends (a reply or a pushed result) goes wrong.
enum class SimFault {
    None,
    NoReply,            // nothing is sent
    BadFrameCheck,      // last byte flipped
    BadDataCheck,       // data check flipped, frame check still right
    GarbageBeforeStart, // 00 13 ahead of the start byte
    SplitReply,         // reports of 3 payload bytes
    LateReply,          // held back for the given delay
    WrongEcho,          // echo bytes 1, 2, 4 and 6 changed, frame check still right
    ShortReply,         // last 4 bytes missing
    NotSupported,       // the short not-supported frame instead
    UnplugMidReply,     // half the frame, then the instrument is pulled
};
enum class SimFaultScope { NextFrame, EveryFrame };
enum class SimResultForm { PerKind, Combined };

// The device side of the instrument protocol: a small memory-mapped device that reassembles
// request frames from output reports and queues its replies as 64-byte input reports.
// Thread-safe: the link's worker thread reads while the GUI thread writes and tests poke state.
// Every transport it makes must be destroyed before the instrument.
class SimulatedInstrument
{
public:
    static constexpr quint16 VendorId = 0x2047;
    static constexpr quint16 ProductId = 0x0301;

    explicit SimulatedInstrument(const SimProfile &profile = {});
    ~SimulatedInstrument();

    std::unique_ptr<ReportTransport> makeTransport();

    // Presence. An unplug ends every open transport; after plug() the link must open anew.
    // The callback runs on the thread that caused the change, with no lock held.
    void plug();
    void unplug();
    bool isPlugged() const;
    void setPresenceCallback(std::function<void(bool plugged)> callback);

    SimProfile profile() const;
    int displayParam() const;
    void setDisplayParam(int kind);
    // Wire integers: haze and T tolerance x100, ΔE threshold x10.
    std::array<int, 3> tolerance() const;
    void setTolerance(int hazeTolerance, int tTolerance, int threshold);
    int deltaEFormula() const;
    int deltaEThreshold() const;
    void setDeltaEParam(int formula, int threshold);
    void setEmptyPacketAccepted(bool accepted);
    // Default: per-kind for firmware below 106 on TQ310 and TQ320, combined otherwise.
    SimResultForm pushedResultForm() const;
    void setPushedResultForm(SimResultForm form);

    // Every result read and every key press takes a new measurement around the base,
    // unless setNextMeasurement fixed the next one.
    void setBaseMeasurement(const SimMeasurement &base);
    void setNextMeasurement(const SimMeasurement &next);
    SimMeasurement latestMeasurement() const;
    void setNextSpectrum(const SimSpectrum &next);
    SimSpectrum latestSpectrum() const;
    // Measures and pushes the result unasked, as the instrument's key does.
    void pressMeasureKey();

    // Stored records; false when the region is full.
    bool addComparisonRecord(int kind, const SimMeasurement &standard, const SimMeasurement &sample,
                             const QByteArray &name);
    int comparisonRecordCount(int kind) const;
    bool addSpectrum(const SimSpectrum &values, const QByteArray &name);
    int spectrumCount() const;
    // Replaces the stored records by recordsPerKind records of every kind and the given number
    // of spectra, named "S-001" / "SP-001" and so on, every fourth name empty.
    void preload(int recordsPerKind, int spectra);

    QByteArray readMemory(quint32 address, int length) const;
    void writeMemory(quint32 address, const QByteArray &bytes);
    int colourCardCount() const;
    QByteArray colourCardRecord(int index) const;
    // The bulk stream written from 0x40000, and where its acknowledged empty packet was addressed.
    QByteArray colourStream() const;
    std::optional<quint32> bulkClosedAt() const;

    void injectFault(SimFault fault, SimFaultScope scope = SimFaultScope::NextFrame, int delayMs = 0);
    void clearFaults();
    // Serves n more request frames, then the instrument is pulled as the next one arrives.
    void unplugAfterRequests(int n);

    // The latest request frames received (up to RequestLogLimit), frame check included.
    static constexpr int RequestLogLimit = 10000;
    QList<QByteArray> requestLog() const;
    void clearRequestLog();

private:
    friend class SimTransport;
    using Clock = std::chrono::steady_clock;
    using Lock = std::unique_lock<std::mutex>;

    struct Outgoing
    {
        QByteArray report; // empty: the instrument is pulled here
        Clock::time_point due;
    };
    struct ActiveFault
    {
        SimFault fault = SimFault::None;
        SimFaultScope scope = SimFaultScope::NextFrame;
        int delayMs = 0;
    };

    // Transport side; a session is the plug generation the transport opened in.
    quint64 openSession(quint16 vendorId, quint16 productId);
    bool isLive(quint64 session) const;
    int acceptReport(quint64 session, const QByteArray &report);
    int deliverReport(quint64 session, QByteArray &report, int timeoutMs);

    // The rest runs with mutex_ held.
    void setPlugged(Lock &lock, bool plugged);
    void consumeRequests();
    std::optional<QByteArray> answer(const QByteArray &frame);
    QByteArray answerSystem(const QByteArray &frame);
    QByteArray answerRead(const QByteArray &frame);
    QByteArray answerResult(const QByteArray &frame);
    QByteArray answerWrite(const QByteArray &frame);
    std::optional<QByteArray> answerBulk(const QByteArray &frame);
    bool acceptsWrite(quint32 address, const QByteArray &data) const;
    void transmit(QByteArray frame);
    void queueReports(const QByteArray &bytes, int perReport, Clock::time_point due);
    SimMeasurement takeMeasurement();
    bool storeComparison(int kind, const QByteArray &values, const QByteArray &name);
    bool storeSpectrum(const SimSpectrum &values, const QByteArray &name);

    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    const SimProfile profile_;
    SimMemory memory_;
    QByteArray received_; // request bytes not yet forming a whole frame
    std::deque<Outgoing> outgoing_;
    QList<QByteArray> requestLog_;
    bool plugged_ = true;
    quint64 generation_ = 1;
    std::function<void(bool)> presenceCallback_;
    SimMeasurement base_;
    SimMeasurement latest_;
    std::optional<SimMeasurement> next_;
    quint32 measurements_ = 0;
    SimSpectrum latestSpectrum_{};
    std::optional<SimSpectrum> nextSpectrum_;
    quint32 spectra_ = 0;
    SimResultForm pushedForm_;
    bool emptyPacketAccepted_ = true;
    ActiveFault fault_;
    std::optional<int> requestsBeforeUnplug_;
    quint32 bulkEnd_ = 0;
    std::optional<quint32> bulkClosedAt_;
};
