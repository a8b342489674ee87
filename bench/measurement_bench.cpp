// Target: a result pushed by the instrument reaches the record list of the shown comparison page
// <= 100 ms after its frame reaches the transport, the worker's poll rhythm included. The page
// shows a pushed result only after the instrument's own pause, so the figure is its time beyond
// that pause, and the ratio is the whole wait over the pause.
#include "BenchSummary.h"
#include "FirstPageFor310.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "PageBench.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <QPushButton>
#include <benchmark/benchmark.h>

using namespace PageBench;

namespace {

constexpr double PauseMs = ComparisonSession::PushedResultPauseMs;

void pushedResultToRecord(benchmark::State &state, const char *profileName, const char *what)
{
    const SimProfile profile = *SimProfile::byName(QLatin1String(profileName));
    SimulatedInstrument sim(profile);
    setTransportFactory([&sim] { return sim.makeTransport(); });
    LinkPort port;
    port.setLink(InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
    {
        BoxAnswerer boxes;
        FirstPageFor310 page(port);
        showAtBenchSize(page);
        page.openThreadSlot();
        // As on connection: identity, firmware and result kind decide the pushed form.
        page.readDeviceSettings();
        page.findChild<QPushButton *>(QStringLiteral("pushButton_standardMeasurement"))->click();
        page.findChild<QPushButton *>(QStringLiteral("pushButton_sampleMeasurement"))->click();
        settle();
        boxes.takeTexts(); // what connecting said ("Read successful!" and the like)
        const ComparisonRecordModel &records = page.session().records();

        double totalMs = 0;
        for (auto _ : state) {
            const int before = records.count();
            QElapsedTimer elapsed;
            elapsed.start();
            sim.pressMeasureKey();
            while (records.count() == before && elapsed.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            settle();
            const double ms = elapsed.nsecsElapsed() / 1e6;
            if (records.count() == before) {
                state.SkipWithError("no record within 5 s");
                break;
            }
            totalMs += ms;
            state.SetIterationTime(ms / 1000);
        }
        const QStringList said = boxes.takeTexts();
        if (!said.isEmpty())
            state.SkipWithError(qPrintable(QStringLiteral("the page said: %1").arg(said.join(u'|'))));
        page.closeThreadSlot();
        if (said.isEmpty() && state.iterations() > 0 && totalMs > 0) {
            const double meanMs = totalMs / double(state.iterations());
            state.counters["beyond_pause_ms"] = meanMs - PauseMs;
            state.counters["wait_vs_pause"] = meanMs / PauseMs;
            BenchSummary::target(std::string("Pushed ") + what + " result to the shown record list, beyond the pause",
                                 meanMs - PauseMs, BenchSummary::Goal::AtMost, 100, "ms",
                                 "the whole wait is " + BenchSummary::times(meanMs / PauseMs) + " the instrument's "
                                     + std::to_string(int(PauseMs)) + " ms pause");
        }
    }
    port.current()->close();
    port.setLink(nullptr);
    setTransportFactory({});
}

void BM_PushedPerKindResultToRecord(benchmark::State &state)
{
    pushedResultToRecord(state, "tq310", "per-kind");
}
BENCHMARK(BM_PushedPerKindResultToRecord)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_PushedCombinedResultToRecord(benchmark::State &state)
{
    pushedResultToRecord(state, "tq320", "combined");
}
BENCHMARK(BM_PushedCombinedResultToRecord)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

} // namespace
