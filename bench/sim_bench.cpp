// Every command through the client link against the zero-latency simulated instrument (its CPU
// counted too: it answers in the caller's thread), and a download of one whole record region.
// Target: <= 50 us CPU per exchange, an exchange being one request frame and its reply (if any), whatever
// number of 64-byte reports they fill. Reports per exchange are shown beside it.
#include "BenchSummary.h"
#include "CountingTransport.h"
#include "Crc16.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "SimulatedInstrument.h"
#include "ThreadCpu.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <map>

namespace {

constexpr double TargetMicroseconds = 50;

std::atomic<long> reports{0};

struct Bench
{
    SimulatedInstrument sim;
    std::shared_ptr<InstrumentLink> link;

    Bench()
    {
        sim.preload(12, 8);
        setTransportFactory([this] { return std::make_unique<CountingTransport>(sim.makeTransport(), reports); });
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

// The latest figure of each command, for the summary's slowest (a benchmark's first, one-iteration
// run is replaced by its measured one).
std::map<std::string, double> microsecondsPerExchange;

void summariseSlowest()
{
    const auto slowest = std::max_element(microsecondsPerExchange.begin(), microsecondsPerExchange.end(),
                                          [](const auto &a, const auto &b) { return a.second < b.second; });
    BenchSummary::target("Slowest command per exchange", slowest->second, BenchSummary::Goal::AtMost,
                         TargetMicroseconds, "us CPU", slowest->first);
}

// Runs f once per iteration (false: it failed). Its exchanges are counted by one call before the
// timing, from the request frames the simulator received; every call makes the same ones.
void perExchange(benchmark::State &state, const std::string &name, const std::function<bool()> &f)
{
    Bench &b = bench();
    b.sim.clearRequestLog();
    if (!f()) {
        state.SkipWithError("command failed");
        return;
    }
    const long exchangesPerCall = long(b.sim.requestLog().size());
    reports = 0;
    const double cpuBefore = threadCpuSeconds();
    for (auto _ : state) {
        if (!f()) {
            state.SkipWithError("command failed");
            return;
        }
        b.sim.clearRequestLog();
    }
    const double cpu = threadCpuSeconds() - cpuBefore;
    const double exchanges = double(exchangesPerCall) * double(state.iterations());
    if (exchanges <= 0)
        return;
    const double us = cpu / exchanges * 1e6;
    state.counters["exchanges"] = double(exchangesPerCall);
    state.counters["reports_per_exchange"] = double(reports) / exchanges;
    state.counters["us_per_exchange"] = us;
    microsecondsPerExchange[name] = us;
    summariseSlowest();
}

using C = CDeviceCommands;

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
    // A bulk data packet is a request frame with no reply; the empty packet closing the bulk has one.
    {"writeBlock256",
     [](C &c) { return c.writeBlock(0x40000, QByteArray(256, 'x'), 256) > 0 ? int(CmdOk) : -1; }},
    {"writeBlockEmpty", [](C &c) { return c.writeBlock(0x40100, QByteArray(), 0); }},
    {"measureSpectrum", [](C &c) { std::array<double, 31> v; return c.measureSpectrum(v); }},
};

// The whole L*C*h values region, 0x40000 bytes in 256-byte blocks, as the record download reads it;
// its speed over the time its reports would take at USB full speed.
void regionDownload(benchmark::State &state)
{
    C c(bench().link);
    perExchange(state, "regionDownload", [&] {
        QByteArray region;
        for (quint32 at = 0; at < 0x40000; at += 256) {
            if (c.readBlock(0x600000 + at, region, 256) != CmdOk)
                return false;
        }
        benchmark::DoNotOptimize(region.data());
        return true;
    });
    if (state.iterations() > 0)
        state.counters["usb_limit_ms"] = usbFullSpeedSeconds(double(reports) / double(state.iterations())) * 1e3;
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
    for (const auto &[name, command] : commands) {
        benchmark::RegisterBenchmark(name, [name = std::string(name), command = command](benchmark::State &s) {
            C c(bench().link);
            perExchange(s, name, [&] { return command(c) == CmdOk; });
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("regionDownload", regionDownload)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    BenchSummary::print();
    benchmark::Shutdown();
    return 0;
}
