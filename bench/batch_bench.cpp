// SPDX-License-Identifier: Apache-2.0
// Targets: the statistics of 10 000 records <= 20 ms, set beside rejudging the same records (the
// other pass that reads every record); the batch PDF of 1 000 records <= 3 s, set beside building
// its document alone (what the page layout and writing add).
#include "BatchReport.h"
#include "BatchStatistics.h"
#include "BenchSummary.h"
#include "ComparisonRecords.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

template<typename F>
double seconds(F &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() * 1e-9;
}

void BM_Statistics10000(benchmark::State &state)
{
    ComparisonRecordModel model;
    model.append(judgedRecords(model, 10000));
    JudgementSettings settings;
    settings.resultKinds = {false, false, false, true, false, false};
    settings.workingThreshold = 1.5;
    double ours = 0, peer = 0;
    for (auto _ : state) {
        int count = 0;
        const double s = seconds([&] { count = BatchStatistics::of(model, ResultLab).count; });
        if (count != 10000) {
            state.SkipWithError("not every record counted");
            break;
        }
        state.SetIterationTime(s);
        ours += s;
        peer += seconds([&] { model.rejudge(settings, QStringLiteral("TQ310"), QStringLiteral("SN-1")); });
    }
    if (state.iterations() == 0 || peer <= 0)
        return;
    const double n = double(state.iterations());
    state.counters["rejudge_ms"] = peer / n * 1e3;
    BenchSummary::target("Statistics of 10000 records", ours / n * 1e3, BenchSummary::Goal::AtMost, 20, "ms",
                         BenchSummary::times(ours / peer) + " the " + BenchSummary::number(peer / n * 1e3)
                             + " ms of rejudging them");
}
BENCHMARK(BM_Statistics10000)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_BatchPdf1000(benchmark::State &state)
{
    ComparisonRecordModel model;
    model.append(judgedRecords(model, 1000));
    BatchReportInputs inputs;
    inputs.company = QStringLiteral("Acme Films");
    inputs.resultKind = ResultLab;
    inputs.settings.workingThreshold = 1.5;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("batch.pdf"));
    double ours = 0, peer = 0;
    for (auto _ : state) {
        QFile::remove(path);
        bool written = false;
        const double s = seconds([&] { written = BatchReport::write(model, inputs, path).succeeded(); });
        if (!written || QFile(path).size() == 0) {
            state.SkipWithError("no PDF written");
            break;
        }
        state.SetIterationTime(s);
        ours += s;
        peer += seconds([&] { benchmark::DoNotOptimize(BatchReport::build(model, inputs)); });
    }
    if (state.iterations() == 0 || peer <= 0)
        return;
    const double n = double(state.iterations());
    state.counters["build_ms"] = peer / n * 1e3;
    state.counters["pdf_kB"] = QFile(path).size() / 1024.0;
    BenchSummary::target("Batch PDF of 1000 records", ours / n, BenchSummary::Goal::AtMost, 3, "s",
                         BenchSummary::times(ours / peer) + " the " + BenchSummary::number(peer / n * 1e3)
                             + " ms of building its document");
}
BENCHMARK(BM_BatchPdf1000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
