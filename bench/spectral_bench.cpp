// The spectral page shown at 1600 x 900:
//  - repainting it with 1000 curves, next to the chart alone painting the same curves into an
//    image of the chart's size (target for the chart: <= 50 ms);
//  - downloading the instrument's 100 stored spectra through the simulator: speed over the time
//    its reports would take at USB full speed, >= 20x as for the comparison records.
#include "BenchSummary.h"
#include "CLinkerUSB.h"
#include "CountingTransport.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MeterPageFor310.h"
#include "MyThread.h"
#include "PageBench.h"
#include "SimulatedInstrument.h"
#include "SpectralChart.h"

#include <QImage>
#include <QPainter>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cmath>

using namespace PageBench;
using BenchSummary::Goal;

namespace {

constexpr int Curves = 1000;
constexpr int StoredSpectra = 100;

QList<SpectralRecord> curves(int n)
{
    QList<SpectralRecord> records(n);
    for (int k = 0; k < n; ++k) {
        for (int i = 0; i < SpectralRecord::valueCount; ++i)
            records[k].values[i] = 20 + 30 * std::sin(0.1 * i + 0.01 * k);
    }
    return records;
}

void BM_PageRepaint1000Curves(benchmark::State &state)
{
    LinkPort port;
    MeterPageFor310 page(port, 0);
    const QList<SpectralRecord> records = curves(Curves);
    page.session().records().append(records, QStringList(Curves, QString()));
    QStringList names;
    for (int k = 0; k < Curves; ++k)
        names.append(page.session().records().name(k));
    showAtBenchSize(page);
    QImage image(Width, Height / 2, QImage::Format_ARGB32_Premultiplied); // the chart's share of the page
    double ours = 0, chart = 0;
    for (auto _ : state) {
        const double s = seconds([&] { page.repaint(); });
        state.SetIterationTime(s);
        ours += s;
        chart += seconds([&] {
            image.fill(Qt::white);
            QPainter painter(&image);
            SpectralChart::paint(painter, QRectF(image.rect()), records, names, 0);
        });
    }
    const double n = double(state.iterations());
    state.counters["chart_ms"] = chart / n * 1e3;
    state.counters["page_vs_chart"] = ours / chart;
    BenchSummary::target("Chart of 1000 curves painted alone", chart / n * 1e3, Goal::AtMost, 50, "ms",
                         "the shown page's whole repaint, table included, takes " + BenchSummary::number(ours / n * 1e3)
                             + " ms: " + BenchSummary::times(ours / chart) + " the chart alone");
}
BENCHMARK(BM_PageRepaint1000Curves)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The instrument's whole spectral region through the real link, its worker and the lock.
void BM_Download100StoredSpectra(benchmark::State &state)
{
    SimulatedInstrument sim;
    sim.preload(0, StoredSpectra);
    std::atomic<long> reports{0};
    setTransportFactory([&] { return std::make_unique<CountingTransport>(sim.makeTransport(), reports); });
    LinkPort port;
    port.setLink(InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
    port.current()->startWorker();
    double ours = 0, withoutWorker = 0;
    long reportCount = 0;
    {
        BoxAnswerer boxes;
        MeterPageFor310 page(port, 0);
        showAtBenchSize(page);
        // Clicks spread evenly over the worker's poll cycle, as a user's land (see the comparison download).
        constexpr int PollCycleMs = CLinkerUSB::reportWaitMs + MyThread::pauseMs;
        const int iterations = int(state.max_iterations);
        int iteration = 0;
        for (auto _ : state) {
            port.current()->stopWorker();
            port.current()->startWorker();
            QThread::msleep(ulong(PollCycleMs * iteration++ / iterations));
            reports = 0;
            bool painted = false;
            const double s = seconds([&] {
                painted = untilPainted(recordViewport(page), [&] { page.on_pushButton_spectralHistory_clicked(); });
            });
            const QStringList said = boxes.takeTexts();
            if (page.session().records().count() != StoredSpectra || !said.isEmpty() || !painted) {
                state.SkipWithError(qPrintable(QStringLiteral("download incomplete: %1").arg(said.join(u'|'))));
                break;
            }
            state.SetIterationTime(s);
            ours += s;
            reportCount += reports;
            page.session().records().clear();
            settle();
            // The same with the polling worker stopped: the download's own time.
            port.current()->stopWorker();
            withoutWorker += seconds([&] {
                untilPainted(recordViewport(page), [&] { page.on_pushButton_spectralHistory_clicked(); });
            });
            page.session().records().clear();
            settle();
        }
    }
    port.current()->close();
    port.setLink(nullptr);
    setTransportFactory({});
    if (state.iterations() == 0 || ours <= 0)
        return;
    const double n = double(state.iterations());
    const double limit = usbFullSpeedSeconds(double(reportCount) / n);
    state.counters["reports"] = double(reportCount) / n;
    state.counters["usb_limit_ms"] = limit * 1e3;
    state.counters["faster_than_usb"] = limit / (ours / n);
    state.counters["worker_stopped_ms"] = withoutWorker / n * 1e3;
    BenchSummary::target("Download of 100 stored spectra to the shown page, speed over the USB full-speed limit",
                         limit / (ours / n), Goal::AtLeast, 20, "x",
                         BenchSummary::number(ours / n * 1e3) + " ms; " + std::to_string(reportCount / state.iterations())
                             + " reports would take " + BenchSummary::number(limit * 1e3) + " ms at 1 ms each; "
                             + BenchSummary::number(withoutWorker / n * 1e3) + " ms with the polling worker stopped");
}
BENCHMARK(BM_Download100StoredSpectra)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
