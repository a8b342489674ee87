// Time per command through the client link against the zero-latency simulated instrument,
// and a download of one whole comparison record region. Target: ≤ 50 µs CPU per 64-byte report.
#include "Crc16.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <atomic>
#include <functional>

namespace {

std::atomic<long> reports{0};

// Counts the reports that cross the transport in both directions.
class CountingTransport : public ReportTransport
{
public:
    explicit CountingTransport(std::unique_ptr<ReportTransport> inner) : inner_(std::move(inner)) {}
    bool open(quint16 vendorId, quint16 productId) override { return inner_->open(vendorId, productId); }
    void close() override { inner_->close(); }
    int writeReport(const QByteArray &report, int timeoutMs) override
    {
        ++reports;
        return inner_->writeReport(report, timeoutMs);
    }
    int readReport(QByteArray &report, int timeoutMs) override
    {
        const int n = inner_->readReport(report, timeoutMs);
        reports += n > 0;
        return n;
    }
    bool isPresent() override { return inner_->isPresent(); }

private:
    std::unique_ptr<ReportTransport> inner_;
};

struct Bench
{
    SimulatedInstrument sim;
    std::shared_ptr<InstrumentLink> link;

    Bench()
    {
        sim.preload(12, 8);
        setTransportFactory([this] { return std::make_unique<CountingTransport>(sim.makeTransport()); });
        link = InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId);
    }
    ~Bench()
    {
        link.reset();
        setTransportFactory({});
    }
};

Bench &bench()
{
    static Bench b;
    return b;
}

// Runs one command per iteration; reports the CPU time per command and per report.
using C = CDeviceCommands;

void runCommand(benchmark::State &state, const std::function<int(C &)> &command)
{
    Bench &b = bench();
    C c(b.link);
    reports = 0;
    for (auto _ : state) {
        if (command(c) != CmdOk) {
            state.SkipWithError("command failed");
            break;
        }
        b.sim.clearRequestLog();
    }
    state.counters["reports"] = benchmark::Counter(double(reports) / double(state.iterations()));
    state.counters["cpu_per_report"] = benchmark::Counter(double(reports), benchmark::Counter::kIsRate
                                                                               | benchmark::Counter::kInvert);
}

const QByteArray card = QByteArray("Red").leftJustified(16, '\0') + QByteArray("Deep").leftJustified(16, '\0')
    + QByteArray("\x0C\x00\x07\x00", 4);

const std::pair<const char *, std::function<int(C &)>> commands[] = {
    {"readDeviceInfo", [](C &c) { DeviceInfo i; return c.readDeviceInfo(i); }},
    {"readDeviceInfoOld", [](C &c) { DeviceInfo i; return c.readDeviceInfoOld(i); }},
    {"readSoftwareVersion", [](C &c) { int v; return c.readSoftwareVersion(v); }},
    {"readDisplayParam", [](C &c) { int k; return c.readDisplayParam(k); }},
    {"setDisplayParam", [](C &c) { return c.setDisplayParam(0); }},
    {"readTolerance", [](C &c) { int h, t, e; return c.readTolerance(h, t, e); }},
    {"setTolerance", [](C &c) { return c.setTolerance(50, 100, 10); }},
    {"readDeltaEParam", [](C &c) { int f, e; return c.readDeltaEParam(f, e); }},
    {"setDeltaEParam", [](C &c) { return c.setDeltaEParam(0, 10); }},
    {"readKindResult", [](C &c) { ResultValues v; return c.readKindResult(4, v); }},
    {"readMeasureData", [](C &c) { std::array<int, 21> raw; return c.readMeasureData(raw); }},
    {"readRecordCount", [](C &c) { int n; return c.readRecordCount(3, 0, n); }},
    {"readSpectralRecordCount", [](C &c) { int n; return c.readSpectralRecordCount(n, 0); }},
    {"readBlock256", [](C &c) { QByteArray d; return c.readBlock(0x400000, d, 256); }},
    {"writeStdColorCount", [](C &c) { return c.writeStdColorCount(3, crc16Modbus(QByteArray("\x03\x00", 2))); }},
    {"writeStdColorInfo",
     [](C &c) { return c.writeStdColorInfo(0x2000, "Red", "Deep", 12, 7, crc16Modbus(card)); }},
    {"writeBlock256",
     [](C &c) { return c.writeBlock(0x40000, QByteArray(256, 'x'), 256) > 0 ? int(CmdOk) : -1; }},
    {"writeBlockEmpty", [](C &c) { return c.writeBlock(0x40100, QByteArray(), 0); }},
    {"measureSpectrum", [](C &c) { std::array<double, 31> v; return c.measureSpectrum(v); }},
};

// The whole L*C*h values region, 0x40000 bytes in 256-byte blocks, as the record download reads it.
void regionDownload(benchmark::State &state)
{
    C c(bench().link);
    reports = 0;
    for (auto _ : state) {
        QByteArray region;
        for (quint32 at = 0; at < 0x40000; at += 256) {
            if (c.readBlock(0x600000 + at, region, 256) != CmdOk) {
                state.SkipWithError("block failed");
                return;
            }
        }
        benchmark::DoNotOptimize(region.data());
        bench().sim.clearRequestLog();
    }
    state.counters["reports"] = benchmark::Counter(double(reports) / double(state.iterations()));
    state.counters["cpu_per_report"] = benchmark::Counter(double(reports), benchmark::Counter::kIsRate
                                                                               | benchmark::Counter::kInvert);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The link's debug lines would drown the figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    for (const auto &[name, command] : commands)
        benchmark::RegisterBenchmark(name, [command = command](benchmark::State &s) { runCommand(s, command); })
            ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("regionDownload", regionDownload)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
