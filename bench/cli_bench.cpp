// SPDX-License-Identifier: Apache-2.0
// lumivex-cli run in process against the zero-latency simulator holding 2000 records of one kind:
//  - `records` to .csv and to .xlsx: speed over the time its reports would take at USB full speed
//    (>= 20x);
//  - `records` with --trace against without: at most 1.05 times the time.
#include "BenchSummary.h"
#include "CountingTransport.h"
#include "MeterCommands.h"
#include "SimulatedInstrument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <benchmark/benchmark.h>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

using BenchSummary::Goal;

namespace {

constexpr int StoredRecords = 2000;

// The simulated meter on the default transport, as a USB meter would be: the command opens it
// as it opens hidapi, and every report is counted.
struct Rig
{
    Rig()
    {
        sim.preload(StoredRecords, 0);
        setTransportFactory([this] { return std::make_unique<CountingTransport>(sim.makeTransport(), reports); });
    }
    ~Rig() { setTransportFactory({}); }

    // One run with its progress lines kept off the figures; its exit status. What the command
    // left for the event loop (records freed after the export) runs too, as it would at exit.
    int run(const QStringList &arguments)
    {
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        const int status = MeterCommands::records(arguments);
        QCoreApplication::sendPostedEvents();
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(null);
        close(saved);
        return status;
    }

    SimulatedInstrument sim;
    std::atomic<long> reports{0};
    QTemporaryDir folder;
};

double seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) * 1e-9;
}

// Processor time of the whole program: the command, the link and the simulator all run on this
// thread, so a busy machine stretches the wall clock but not this.
double cpuSeconds(const std::function<void()> &work)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) * 1e-9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_Records2000(benchmark::State &state)
{
    Rig rig;
    const std::string suffix = state.range(0) == 0 ? ".csv" : ".xlsx";
    const QStringList arguments{"--kind", "0", "-o", rig.folder.filePath(QString::fromStdString("records" + suffix))};
    double ours = 0, processor = 0;
    long reports = 0;
    for (auto _ : state) {
        rig.reports = 0;
        int status = -1;
        double s = 0;
        processor += cpuSeconds([&] { s = seconds([&] { status = rig.run(arguments); }); });
        if (status != 0) {
            state.SkipWithError("records failed");
            return;
        }
        state.SetIterationTime(s);
        ours += s;
        reports += rig.reports;
    }
    const double n = double(state.iterations());
    const double limit = usbFullSpeedSeconds(double(reports) / n);
    state.counters["reports"] = double(reports) / n;
    state.counters["usb_limit_s"] = limit;
    state.counters["processor_s"] = processor / n;
    BenchSummary::target("lumivex-cli records of 2000 stored records to " + suffix + ", speed over the USB full-speed limit",
                         limit / (ours / n), Goal::AtLeast, 20, "x",
                         BenchSummary::number(ours / n) + " s; " + std::to_string(reports / state.iterations())
                             + " reports would take " + BenchSummary::number(limit) + " s at 1 ms each; "
                             + BenchSummary::number(processor / n) + " s of processor time");
}
BENCHMARK(BM_Records2000)->Arg(0)->Arg(1)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Runs with and without the trace alternate, so a busy moment of the machine hits both alike; they
// are compared by processor time, which the machine's other work does not stretch.
void BM_RecordsTraced(benchmark::State &state)
{
    Rig rig;
    const QStringList arguments{"--kind", "0", "-o", rig.folder.filePath("records.csv")};
    const QStringList traced = arguments + QStringList{"--trace", rig.folder.filePath("trace.txt")};
    std::vector<double> on, off;
    for (auto _ : state) {
        int status = 0;
        off.push_back(cpuSeconds([&] { status |= rig.run(arguments); }));
        const double s = cpuSeconds([&] { status |= rig.run(traced); });
        if (status != 0) {
            state.SkipWithError("records failed");
            return;
        }
        on.push_back(s);
        state.SetIterationTime(s);
    }
    const double ratio = median(on) / median(off);
    state.counters["trace_on_over_off"] = ratio;
    BenchSummary::target("lumivex-cli records of 2000 stored records with --trace, over without (median processor time)", ratio,
                         Goal::AtMost, 1.05, "x",
                         BenchSummary::number(median(on)) + " s traced, " + BenchSummary::number(median(off))
                             + " s not; trace of " + std::to_string(QFileInfo(rig.folder.filePath("trace.txt")).size() / 1024)
                             + " KiB");
}
BENCHMARK(BM_RecordsTraced)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

} // namespace
