#include "BenchSummary.h"
#include "Crc16.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "ReportTransport.h"
#include "ThreadCpu.h"

#include <benchmark/benchmark.h>
#include <deque>
#include <map>
#include <vector>

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

// Exchanges (one request report out, its reply in) and the reports they took, both ways.
struct Traffic
{
    long exchanges = 0;
    long reports = 0;
} traffic;

// An instrument with no latency and no cost: each request's reply reports are made once and
// are ready in the same call, so the figures are the link's own CPU.
class LoopbackTransport : public ReportTransport
{
public:
    bool open(quint16, quint16) override { return true; }
    void close() override {}
    int writeReport(const QByteArray &report, int) override
    {
        const QByteArray request = report.mid(2, quint8(report[1]));
        const QByteArray header = request.left(8);
        auto replies = replies_.find(header);
        if (replies == replies_.end()) {
            const int dataLength = quint8(header[6]) - 2; // fixed reads: data bytes plus the data check
            replies = replies_.emplace(header, reportsOf(resultFrame(header, dataLength))).first;
        }
        inbound_.insert(inbound_.end(), replies->second.begin(), replies->second.end());
        ++traffic.exchanges;
        ++traffic.reports;
        return int(report.size());
    }
    int readReport(QByteArray &report, int) override
    {
        if (inbound_.empty())
            return 0;
        report = inbound_.front();
        inbound_.pop_front();
        ++traffic.reports;
        return int(report.size());
    }
    bool isPresent() override { return true; }

private:
    static std::vector<QByteArray> reportsOf(const QByteArray &payload)
    {
        std::vector<QByteArray> reports;
        for (qsizetype at = 0; at < payload.size(); at += 62) {
            QByteArray report(64, '\0');
            const QByteArray chunk = payload.mid(at, 62);
            report[0] = 0x3F;
            report[1] = char(chunk.size());
            report.replace(2, chunk.size(), chunk);
            reports.push_back(report);
        }
        return reports;
    }

    std::map<QByteArray, std::vector<QByteArray>> replies_;
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

// Target: at most 50 us of CPU per exchange (request out, reply in, checked and decoded). The
// counters say how many exchanges and reports each command took, so the figure per exchange is
// not mistaken for one per report.
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
    // Runs the command per iteration and reports its CPU per exchange against the target.
    template<typename Command>
    void perExchange(benchmark::State &state, const std::string &name, Command &&command)
    {
        CDeviceCommands commands(link_);
        traffic = {};
        const double cpuBefore = threadCpuSeconds();
        for (auto _ : state) {
            if (command(commands) != CmdOk) {
                state.SkipWithError("exchange failed");
                return;
            }
        }
        const double cpu = threadCpuSeconds() - cpuBefore;
        if (traffic.exchanges == 0)
            return;
        const double us = cpu / double(traffic.exchanges) * 1e6;
        state.counters["exchanges"] = double(traffic.exchanges) / double(state.iterations());
        state.counters["reports_per_exchange"] = double(traffic.reports) / double(traffic.exchanges);
        state.counters["us_per_exchange"] = us;
        BenchSummary::target(name + " through the link, per exchange", us, BenchSummary::Goal::AtMost, 50, "us CPU");
    }

    std::shared_ptr<InstrumentLink> link_;
};

BENCHMARK_F(Exchange, ReadTolerance)(benchmark::State &state)
{
    perExchange(state, "readTolerance", [](CDeviceCommands &commands) {
        int haze = 0, t = 0, threshold = 0;
        const int result = commands.readTolerance(haze, t, threshold);
        benchmark::DoNotOptimize(threshold);
        return result;
    });
}

BENCHMARK_F(Exchange, ReadMeasureData)(benchmark::State &state)
{
    perExchange(state, "readMeasureData", [](CDeviceCommands &commands) {
        std::array<int, 21> raw{};
        const int result = commands.readMeasureData(raw);
        benchmark::DoNotOptimize(raw);
        return result;
    });
}

} // namespace
