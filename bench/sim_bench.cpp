// Time per command through the client link against the zero-latency simulated instrument,
// and a download of one whole comparison record region. Target: ≤ 50 µs CPU per 64-byte report.
#include "CLinkerUSB.h"
#include "Crc16.h"
#include "DeviceCommands.h"
#include "LinkPort.h"
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
    CLinkerUSB link;

    Bench()
    {
        sim.preload(12, 8);
        setTransportFactory([this] { return std::make_unique<CountingTransport>(sim.makeTransport()); });
        link.Open(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId);
        LinkPort::setLink(&link);
    }
    ~Bench()
    {
        LinkPort::setLink(nullptr);
        link.Close();
        setTransportFactory({});
    }
};

Bench &bench()
{
    static Bench b;
    return b;
}

// Runs one command per iteration; reports the CPU time per command and per report.
void runCommand(benchmark::State &state, const std::function<int()> &command)
{
    Bench &b = bench();
    reports = 0;
    for (auto _ : state) {
        if (command() != CmdOk) {
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

const std::pair<const char *, std::function<int()>> commands[] = {
    {"readDeviceInfo", [] { DeviceInfo i; return CDeviceCommands::readDeviceInfo(i); }},
    {"readDeviceInfoOld", [] { DeviceInfo i; return CDeviceCommands::readDeviceInfoOld(i); }},
    {"readSoftwareVersion", [] { int v; return CDeviceCommands::readSoftwareVersion(v); }},
    {"readDisplayParam", [] { int k; return CDeviceCommands::readDisplayParam(k); }},
    {"setDisplayParam", [] { return CDeviceCommands::setDisplayParam(0); }},
    {"readTolerance", [] { int h, t, e; return CDeviceCommands::readTolerance(h, t, e); }},
    {"setTolerance", [] { return CDeviceCommands::setTolerance(50, 100, 10); }},
    {"readDeltaEParam", [] { int f, e; return CDeviceCommands::readDeltaEParam(f, e); }},
    {"setDeltaEParam", [] { return CDeviceCommands::setDeltaEParam(0, 10); }},
    {"readKindResult", [] { ResultValues v; return CDeviceCommands::readKindResult(4, v); }},
    {"readMeasureData", [] { std::array<int, 21> raw; return CDeviceCommands::readMeasureData(raw); }},
    {"readRecordCount", [] { int c; return CDeviceCommands::readRecordCount(3, 0, c); }},
    {"readSpectralRecordCount", [] { int c; return CDeviceCommands::readSpectralRecordCount(c, 0); }},
    {"readBlock256", [] { QByteArray d; return CDeviceCommands::readBlock(0x400000, d, 256); }},
    {"writeStdColorCount", [] { return CDeviceCommands::writeStdColorCount(3, crc16Modbus(QByteArray("\x03\x00", 2))); }},
    {"writeStdColorInfo",
     [] { return CDeviceCommands::writeStdColorInfo(0x2000, "Red", "Deep", 12, 7, crc16Modbus(card)); }},
    {"writeBlock256",
     [] { return CDeviceCommands::writeBlock(0x40000, QByteArray(256, 'x'), 256) > 0 ? int(CmdOk) : -1; }},
    {"writeBlockEmpty", [] { return CDeviceCommands::writeBlock(0x40100, QByteArray(), 0); }},
    {"measureSpectrum", [] { std::array<double, 31> v; return CDeviceCommands::measureSpectrum(v); }},
};

// The whole L*C*h values region, 0x40000 bytes in 256-byte blocks, as the record download reads it.
void regionDownload(benchmark::State &state)
{
    bench();
    reports = 0;
    for (auto _ : state) {
        QByteArray region;
        for (quint32 at = 0; at < 0x40000; at += 256) {
            if (CDeviceCommands::readBlock(0x600000 + at, region, 256) != CmdOk) {
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
