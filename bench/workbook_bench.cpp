// Targets: exporting 10 000 comparison records <= 1.5 s, importing them back <= 1.5 s; downloading
// 2000 stored records <= 1 s beyond the link's own time (BM_LinkOnly reads the same blocks).
#include "BlockDownload.h"
#include "FileChooser.h"
#include "FirstPageFor310.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int WorkbookRecords = 10000;
constexpr int StoredRecords = 2000;

// Answers every message box the page opens with its default button.
struct BoxCloser
{
    BoxCloser()
    {
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                    box->done(QMessageBox::Yes);
            }
        });
        timer.start();
    }
    QTimer timer;
};

void fill(FirstPageFor310 &page, int n)
{
    for (int k = 0; k < n; ++k) {
        const bool pass = k % 3 != 0;
        page.counters().add(pass);
        RecordFields fields;
        fields.number = page.counters().total();
        fields.name = QStringLiteral("样品%1").arg(k);
        fields.time = QStringLiteral("2026/03/04  09:%1").arg(k % 60, 2, 10, QChar('0'));
        fields.standard.values = {12.34, 88.5, 50.12, -1.5, 3.25, 50.12, 3.58, 114.8, 18.7, 0.3127, 0.329};
        fields.sample = fields.standard;
        fields.sample.values[Quantity::Haze] += 0.001 * k;
        fields.deltaHaze = 0.001 * k;
        fields.result = pass ? RecordResult::Pass : RecordResult::Ng;
        fields.hazeTolerance = 0.5;
        fields.transmittanceTolerance = 1;
        fields.threshold = 1.5;
        fields.model = QStringLiteral("TQ310");
        fields.serialNumber = QStringLiteral("SN-1");
        page.appendRecord(fields);
    }
}

struct WorkbookBench
{
    explicit WorkbookBench(const char *suffix) : path(folder.filePath(QStringLiteral("bench.") + QLatin1String(suffix)))
    {
        FileChooser::setAnswer([this](const FileChooser::Request &) { return path; });
    }
    ~WorkbookBench() { FileChooser::setAnswer({}); }
    QTemporaryDir folder;
    QString path;
    BoxCloser closer;
    FirstPageFor310 page;
};

void BM_Export10000(benchmark::State &state, const char *suffix)
{
    WorkbookBench bench(suffix);
    for (auto _ : state) {
        state.PauseTiming();
        fill(bench.page, WorkbookRecords);
        state.ResumeTiming();
        if (!bench.page.on_pushButton_exportExcel_clicked())
            state.SkipWithError("export failed");
    }
    state.SetLabel("target <= 1.5 s, verified read-back included");
}
BENCHMARK_CAPTURE(BM_Export10000, xls, "xls")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10000, xlsx, "xlsx")->Unit(benchmark::kMillisecond);

void BM_Import10000(benchmark::State &state, const char *suffix)
{
    WorkbookBench bench(suffix);
    fill(bench.page, WorkbookRecords);
    if (!bench.page.on_pushButton_exportExcel_clicked())
        state.SkipWithError("export failed");
    for (auto _ : state) {
        bench.page.on_ImportExcelBtn_clicked();
        state.PauseTiming();
        if (bench.page.records().count() != WorkbookRecords)
            state.SkipWithError("import incomplete");
        bench.page.on_pushButton_clear_clicked();
        state.ResumeTiming();
    }
    state.SetLabel("target <= 1.5 s");
}
BENCHMARK_CAPTURE(BM_Import10000, xls, "xls")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import10000, xlsx, "xlsx")->Unit(benchmark::kMillisecond);

// The zero-latency simulator holding 2000 records of every kind, on the real link with its worker.
struct StoredBench
{
    StoredBench()
    {
        sim.preload(StoredRecords, 0);
        setTransportFactory([this] { return sim.makeTransport(); });
        port.setLink(InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
        page = std::make_unique<FirstPageFor310>();
        page->setLinkPort(&port);
        page->openThreadSlot();
        page->state().setResultKind(ResultYxy); // the largest records: 24 bytes
    }
    ~StoredBench()
    {
        page->closeThreadSlot();
        page.reset();
        port.current()->close();
        port.setLink(nullptr);
        setTransportFactory({});
    }
    SimulatedInstrument sim;
    LinkPort port;
    BoxCloser closer;
    std::unique_ptr<FirstPageFor310> page;
};

void BM_Download2000(benchmark::State &state)
{
    StoredBench bench;
    for (auto _ : state) {
        bench.page->on_pushButton_readComparisonRecord_clicked();
        state.PauseTiming();
        if (bench.page->records().count() != StoredRecords)
            state.SkipWithError("download incomplete");
        bench.page->on_pushButton_clear_clicked();
        state.ResumeTiming();
    }
    state.SetLabel("target: <= 1 s more than BM_LinkOnly2000");
}
BENCHMARK(BM_Download2000)->Unit(benchmark::kMillisecond);

void BM_LinkOnly2000(benchmark::State &state)
{
    StoredBench bench;
    const QList<BlockDownload::Region> regions{{0x680000, StoredRecords * 24}, {0x6C0000, StoredRecords * 16}};
    for (auto _ : state) {
        const auto link = bench.port.current();
        LinkLock lock(link);
        CDeviceCommands commands(link);
        const BlockDownload::Result result =
            BlockDownload::read(commands, regions, bench.page.get(), QString(), QString());
        if (result.outcome != BlockDownload::Result::Done)
            state.SkipWithError("read failed");
    }
    state.SetLabel("the same blocks through the link, nothing decoded");
}
BENCHMARK(BM_LinkOnly2000)->Unit(benchmark::kMillisecond);

} // namespace
