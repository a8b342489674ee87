#include "Crc16.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "ReportTransport.h"

#include <benchmark/benchmark.h>
#include <deque>

namespace {

QByteArray withCrc(QByteArray bytes)
{
    const quint16 crc = crc16Modbus(bytes);
    bytes.append(char(crc & 0xFF));
    bytes.append(char(crc >> 8));
    return bytes;
}

QByteArray resultFrame(const QByteArray &header, int dataLength)
{
    QByteArray data(dataLength, '\0');
    for (int i = 0; i < dataLength; ++i)
        data[i] = char(i * 7);
    return withCrc(header + withCrc(data));
}

// An instrument with no latency: each request's reply is ready in the same call.
class LoopbackTransport : public ReportTransport
{
public:
    bool open(quint16, quint16) override { return true; }
    void close() override {}
    int writeReport(const QByteArray &report, int) override
    {
        const QByteArray request = report.mid(2, quint8(report[1]));
        const QByteArray header = request.left(8);
        const int dataLength = quint8(header[6]) - 2; // fixed reads: data bytes plus the data check
        queuePayload(resultFrame(header, dataLength));
        return int(report.size());
    }
    int readReport(QByteArray &report, int) override
    {
        if (inbound_.empty())
            return 0;
        report = inbound_.front();
        inbound_.pop_front();
        return int(report.size());
    }
    bool isPresent() override { return true; }

private:
    void queuePayload(const QByteArray &payload)
    {
        for (qsizetype at = 0; at < payload.size(); at += 62) {
            QByteArray report(64, '\0');
            const QByteArray chunk = payload.mid(at, 62);
            report[0] = 0x3F;
            report[1] = char(chunk.size());
            report.replace(2, chunk.size(), chunk);
            inbound_.push_back(report);
        }
    }

    std::deque<QByteArray> inbound_;
};

void BM_ResultFrameEncodeCheckDecode(benchmark::State &state)
{
    const QByteArray header = QByteArray::fromHex("AB44230000001800");
    for (auto _ : state) {
        const QByteArray frame = resultFrame(header, 22);
        const bool checked = LinkPort::CRC16(frame, 32) == quint16(quint8(frame[32]) | quint8(frame[33]) << 8);
        ResultValues values = decodeKindBlock(frame, 0, 3);
        benchmark::DoNotOptimize(checked);
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK(BM_ResultFrameEncodeCheckDecode);

void BM_CombinedFrameEncodeCheckDecode(benchmark::State &state)
{
    const QByteArray header = QByteArray::fromHex("AB44000000003600");
    for (auto _ : state) {
        const QByteArray frame = resultFrame(header, 52);
        const bool checked = LinkPort::CRC16(frame, 62) == quint16(quint8(frame[62]) | quint8(frame[63]) << 8);
        ResultValues values = valuesFromMeasureData(decodeMeasureBlock(frame, 0));
        benchmark::DoNotOptimize(checked);
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK(BM_CombinedFrameEncodeCheckDecode);

// Target: at most 50 us of CPU per exchange (request out, reply in, checked and decoded).
class Exchange : public benchmark::Fixture
{
public:
    void SetUp(const benchmark::State &) override
    {
        setTransportFactory([] { return std::make_unique<LoopbackTransport>(); });
        link_ = InstrumentLink::openUsb(0x2047, 0x0301);
    }
    void TearDown(const benchmark::State &) override
    {
        link_.reset();
        setTransportFactory({});
    }

protected:
    std::shared_ptr<InstrumentLink> link_;
};

BENCHMARK_F(Exchange, ReadTolerance)(benchmark::State &state)
{
    CDeviceCommands commands(link_);
    for (auto _ : state) {
        int haze = 0, t = 0, threshold = 0;
        if (commands.readTolerance(haze, t, threshold) != CmdOk)
            state.SkipWithError("exchange failed");
        benchmark::DoNotOptimize(threshold);
    }
}

BENCHMARK_F(Exchange, ReadMeasureData)(benchmark::State &state)
{
    CDeviceCommands commands(link_);
    for (auto _ : state) {
        std::array<int, 21> raw{};
        if (commands.readMeasureData(raw) != CmdOk)
            state.SkipWithError("exchange failed");
        benchmark::DoNotOptimize(raw);
    }
}

} // namespace

BENCHMARK_MAIN();
