#pragma once

#include "FrameBytes.h"
#include "InstrumentLink.h"
#include "ReportTransport.h"

#include <QList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>

// An instrument scripted at the report level, shared by the test and the transports it hands
// out: input reports queued by the test (optionally due later), output reports recorded, and an
// optional responder called with each written report's payload. Safe across threads.
class ScriptedDevice
{
public:
    using Clock = std::chrono::steady_clock;
    using Responder = std::function<void(ScriptedDevice &, const QByteArray &payload)>;

    void queueReport(const QByteArray &r, int delayMs = 0)
    {
        const std::lock_guard lock(mutex_);
        inbound_.push_back({r, Clock::now() + std::chrono::milliseconds(delayMs)});
        arrived_.notify_all();
    }

    void queuePayload(const QByteArray &payload, int delayMs = 0)
    {
        for (const QByteArray &r : asReports(payload))
            queueReport(r, delayMs);
    }

    QList<QByteArray> written()
    {
        const std::lock_guard lock(mutex_);
        return written_;
    }

    QByteArray writtenPayload()
    {
        QByteArray payload;
        for (const QByteArray &r : written())
            payload += r.mid(2, quint8(r[1]));
        return payload;
    }

    void setResponder(Responder responder) { responder_ = std::move(responder); } // before the link opens
    void failWritesAfter(int reports) { writesLeft_ = reports; }
    void unplug()
    {
        const std::lock_guard lock(mutex_);
        present_ = false;
        arrived_.notify_all();
    }
    bool present() const { return present_; }
    int reads() const { return reads_; } // report reads begun, the worker's polls among them

    int write(const QByteArray &r)
    {
        {
            const std::lock_guard lock(mutex_);
            if (!present_ || writesLeft_ == 0)
                return -1;
            if (writesLeft_ > 0)
                --writesLeft_;
            written_.append(r);
        }
        if (responder_)
            responder_(*this, r.mid(2, quint8(r[1])));
        return int(r.size());
    }

    int read(QByteArray &r, int timeoutMs)
    {
        ++reads_;
        std::unique_lock lock(mutex_);
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (present_) {
            const auto now = Clock::now();
            if (!inbound_.empty() && inbound_.front().due <= now) {
                r = inbound_.front().report;
                inbound_.pop_front();
                return int(r.size());
            }
            if (now >= deadline)
                return 0;
            arrived_.wait_until(lock, inbound_.empty() ? deadline : std::min(deadline, inbound_.front().due));
        }
        return -1;
    }

private:
    struct Pending
    {
        QByteArray report;
        Clock::time_point due;
    };
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Pending> inbound_;
    QList<QByteArray> written_;
    Responder responder_;
    std::atomic<int> writesLeft_{-1}; // negative: never fails
    std::atomic<bool> present_{true};
    std::atomic<int> reads_{0};
};

class ScriptedTransport : public ReportTransport
{
public:
    explicit ScriptedTransport(std::shared_ptr<ScriptedDevice> device) : device_(std::move(device)) {}
    bool open(quint16 vid, quint16 pid) override { return vid == 0x2047 && pid == 0x0301 && device_->present(); }
    void close() override {}
    int writeReport(const QByteArray &report, int) override { return device_->write(report); }
    int readReport(QByteArray &report, int timeoutMs) override { return device_->read(report, timeoutMs); }
    bool isPresent() override { return device_->present(); }

private:
    std::shared_ptr<ScriptedDevice> device_;
};

// A link opened on a scripted device, as a connection opens it.
class ScriptedLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setTransportFactory([device = device] { return std::make_unique<ScriptedTransport>(device); });
        link = InstrumentLink::openUsb(0x2047, 0x0301);
        ASSERT_TRUE(link);
    }
    void TearDown() override
    {
        link.reset();
        setTransportFactory({});
    }

    std::shared_ptr<ScriptedDevice> device = std::make_shared<ScriptedDevice>();
    std::shared_ptr<InstrumentLink> link;
};
