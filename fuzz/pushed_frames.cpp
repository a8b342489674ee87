// SPDX-License-Identifier: Apache-2.0
// What the polling worker reads, through the HID layer, as the comparison page takes results
// out of it.
#include "InstrumentLink.h"
#include "PushedFrames.h"
#include "ReportTransport.h"

#include <cstddef>
#include <cstdint>

namespace {

// Input reports from the fuzzer's bytes: a length byte, then that many bytes of the raw report
// (report id and count byte included); length 0 is a read that timed out, which ends one poll.
class InputReports : public ReportTransport
{
public:
    InputReports(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    bool open(quint16, quint16) override { return true; }
    void close() override {}
    int writeReport(const QByteArray &report, int) override { return int(report.size()); }
    bool isPresent() override { return true; }
    int readReport(QByteArray &report, int) override
    {
        if (at_ >= size_)
            return 0;
        const size_t length = std::min<size_t>(data_[at_], size_ - at_ - 1);
        ++at_;
        report = QByteArray(reinterpret_cast<const char *>(data_ + at_), qsizetype(length));
        at_ += length;
        return int(length);
    }
    bool done() const { return at_ >= size_; }

private:
    const uint8_t *data_;
    size_t size_;
    size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // First byte: per-kind frames or the combined block, and the current result kind (also 6, 7).
    const bool perKind = data[0] & 0x80;
    const int resultKind = data[0] & 0x07;
    InputReports *reports = nullptr;
    setTransportFactory([&] {
        auto transport = std::make_unique<InputReports>(data + 1, size - 1);
        reports = transport.get();
        return transport;
    });
    const std::shared_ptr<InstrumentLink> link = InstrumentLink::openUsb(0x2047, 0x0301);
    QByteArray buffer;
    ResultValues values;
    while (link && !reports->done()) {
        link->receiveFrame(buffer, 0, 0, false);
        while (takePushedResult(buffer, perKind, resultKind, values)) {
        }
    }
    return 0;
}
