// What the user waits for on the comparison page, shown at 1600 x 900, each next to a peer timed in
// the same run:
//  - importing 10 000 records from .xlsx: <= 1.0 s; ratio to openpyxl read-only parsing the same
//    file (and from .xls to xlrd), python's own start-up subtracted;
//  - exporting them to .xlsx as the button does (dialog answered, written, read back and compared,
//    renamed, page emptied): <= 1.5x a plain libxlsxwriter program writing the same cells;
//  - downloading 2000 stored records through the simulator: >= 20x faster than the reports it
//    exchanges would take at USB full speed (one 64-byte report per millisecond).
#include "BenchSummary.h"
#include "ComparisonRecords.h"
#include "CLinkerUSB.h"
#include "CountingTransport.h"
#include "FileChooser.h"
#include "FirstPageFor310.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MyThread.h"
#include "PageBench.h"
#include "ReportTransport.h"
#include "SessionJournal.h"
#include "SimulatedInstrument.h"
#include "Workbook.h"

#include <QFile>
#include <QThread>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>


using namespace PageBench;
using BenchSummary::Goal;

namespace {

constexpr int WorkbookRecords = 10000;
constexpr int StoredRecords = 2000;

// ---- Python peers ----

// Seconds /usr/bin/python3 takes for the script over path; its printed row count must reach minRows.
double pythonSeconds(const char *script, const QString &path = {}, int minRows = 0)
{
    QProcess python;
    QStringList arguments{QStringLiteral("-c"), QString::fromLatin1(script)};
    if (!path.isEmpty())
        arguments << path;
    QElapsedTimer clock;
    clock.start();
    python.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!python.waitForFinished(-1) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0)
        return -1;
    const double elapsed = clock.nsecsElapsed() / 1e9;
    return python.readAllStandardOutput().trimmed().toInt() >= minRows ? elapsed : -1;
}

const char EmptyScript[] = "pass";
const char OpenpyxlScript[] = "import sys, openpyxl\n"
                              "book = openpyxl.load_workbook(sys.argv[1], read_only=True)\n"
                              "n = 0\n"
                              "for row in book.worksheets[0].iter_rows(values_only=True):\n"
                              "    n += any(v is not None for v in row)\n"
                              "print(n)\n";
const char XlrdScript[] = "import sys, xlrd\n"
                          "sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                          "print(sum(1 for r in range(sheet.nrows) if any(v != '' for v in sheet.row_values(r))))\n";

// ---- The comparison page with 10 000 records ----

struct WorkbookRig
{
    explicit WorkbookRig(const char *suffix) : path(folder.filePath(QStringLiteral("records.") + QLatin1String(suffix)))
    {
        // The save dialog leaves the filter of the file's suffix selected.
        FileChooser::setAnswer([this](const FileChooser::Request &request) {
            if (request.selectedFilter) {
                const QStringList filters = request.filters.split(QStringLiteral(";;"));
                for (const QString &filter : filters) {
                    if (filter.contains(QStringLiteral("*.") + QFileInfo(path).suffix() + u')'))
                        *request.selectedFilter = filter;
                }
            }
            return path;
        });
        showAtBenchSize(page);
    }
    ~WorkbookRig() { FileChooser::setAnswer({}); }

    void fill()
    {
        ComparisonRecordModel &model = page.session().records();
        model.append(judgedRecords(model, WorkbookRecords));
        settle();
    }
    int count() { return page.session().records().count(); }
    QWidget *list() { return recordViewport(page); }

    QTemporaryDir folder;
    QString path;
    BoxAnswerer boxes;
    LinkPort port;
    FirstPageFor310 page{port};
};

void importInto(benchmark::State &state, const char *suffix, const char *peerScript, const char *peerName)
{
    WorkbookRig rig(suffix);
    rig.fill();
    if (!rig.page.session().exportTo(rig.path).succeeded() || rig.count() != 0) {
        state.SkipWithError("the file to import could not be made");
        return;
    }
    settle();
    rig.boxes.takeTexts();
    double ours = 0, peer = 0;
    for (auto _ : state) {
        // The list is empty, so the page asks nothing before the file dialog.
        bool painted = false;
        const double s = seconds([&] {
            painted = untilPainted(rig.list(), [&] { rig.page.on_ImportExcelBtn_clicked(); });
        });
        const QStringList said = rig.boxes.takeTexts();
        if (rig.count() != WorkbookRecords || !said.isEmpty() || !painted) {
            state.SkipWithError(qPrintable(QStringLiteral("import incomplete: %1").arg(said.join(u'|'))));
            break;
        }
        state.SetIterationTime(s);
        ours += s;
        rig.page.session().clearPage();
        settle();
        const double parse = pythonSeconds(peerScript, rig.path, WorkbookRecords);
        const double startUp = pythonSeconds(EmptyScript);
        if (parse < 0 || startUp < 0) {
            state.SkipWithError("python peer failed");
            break;
        }
        peer += parse - startUp;
    }
    if (state.iterations() == 0 || ours <= 0 || peer <= 0)
        return;
    const double n = double(state.iterations());
    state.counters["peer_s"] = peer / n;
    state.counters["ours_vs_peer"] = ours / peer;
    BenchSummary::target(std::string("Import of 10000 records from .") + suffix + " into the shown list", ours / n,
                         Goal::AtMost, 1.0, "s",
                         BenchSummary::times(ours / peer) + " the " + BenchSummary::number(peer / n) + " s of " + peerName
                             + ", python start-up subtracted");
}

void BM_ImportXlsx10000(benchmark::State &state)
{
    importInto(state, "xlsx", OpenpyxlScript, "openpyxl read-only parsing the same file");
}
BENCHMARK(BM_ImportXlsx10000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ImportXls10000(benchmark::State &state)
{
    importInto(state, "xls", XlrdScript, "xlrd parsing the same file");
}
BENCHMARK(BM_ImportXls10000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// ---- Raw libxlsxwriter: the same cells, converted beforehand ----

struct RawCell
{
    lxw_row_t row;
    lxw_col_t column;
    NumberFormat format;
    bool text;
    double number;
    QByteArray utf8;
};

// The cells the export's rows make: header on sheet row 2, every one centred.
std::vector<RawCell> rawCells(const QList<QStringList> &rows)
{
    std::vector<RawCell> cells;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const Cell cell = cellFromText(rows[r][c]);
            if (cell.isEmpty())
                continue;
            const bool text = cell.value.typeId() == QMetaType::QString;
            const double number = cell.value.typeId() == QMetaType::QDateTime
                ? serialFromDateTime(cell.value.toDateTime())
                : cell.value.toDouble();
            cells.push_back({lxw_row_t(1 + r), lxw_col_t(c), cell.format, text, number,
                             text ? cell.value.toString().toUtf8() : QByteArray()});
        }
    }
    return cells;
}

bool writeRaw(const QString &path, const std::vector<RawCell> &cells)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_format *formats[3];
    for (lxw_format *&format : formats) {
        format = workbook_add_format(book);
        format_set_align(format, LXW_ALIGN_CENTER);
    }
    format_set_num_format_index(formats[int(NumberFormat::Percent)], 10);
    format_set_num_format(formats[int(NumberFormat::DateTime)], "yyyy/mm/dd hh:mm");
    for (const RawCell &cell : cells) {
        if (cell.text)
            worksheet_write_string(sheet, cell.row, cell.column, cell.utf8.constData(), formats[int(cell.format)]);
        else
            worksheet_write_number(sheet, cell.row, cell.column, cell.number, formats[int(cell.format)]);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}

void BM_ExportXlsx10000(benchmark::State &state)
{
    WorkbookRig rig("xlsx");
    rig.fill();
    const std::vector<RawCell> cells = rawCells(rig.page.session().exportRows());
    const QString rawPath = rig.folder.filePath(QStringLiteral("raw.xlsx"));
    rig.boxes.takeTexts();
    double ours = 0, raw = 0;
    for (auto _ : state) {
        if (rig.count() == 0)
            rig.fill();
        QFile::remove(rig.path);
        bool saved = false;
        bool painted = false;
        const double s = seconds([&] {
            painted = untilPainted(rig.list(), [&] { saved = rig.page.on_pushButton_exportExcel_clicked(); });
        });
        // One box: the success message.
        const QStringList said = rig.boxes.takeTexts();
        if (!saved || rig.count() != 0 || said.size() != 1 || !painted) {
            state.SkipWithError(qPrintable(QStringLiteral("export failed: %1").arg(said.join(u'|'))));
            break;
        }
        state.SetIterationTime(s);
        ours += s;
        QFile::remove(rawPath);
        raw += seconds([&] {
            if (!writeRaw(rawPath, cells))
                state.SkipWithError("raw libxlsxwriter failed");
        });
    }
    if (state.iterations() == 0 || raw <= 0)
        return;
    const double n = double(state.iterations());
    state.counters["raw_s"] = raw / n;
    state.counters["ours_vs_raw"] = ours / raw;
    BenchSummary::target("Export of 10000 records to .xlsx from the shown page, over raw libxlsxwriter", ours / raw,
                         Goal::AtMost, 1.5, "x",
                         BenchSummary::number(ours / n) + " s against " + BenchSummary::number(raw / n) + " s");
}
BENCHMARK(BM_ExportXlsx10000)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// ---- Download of stored records through the simulator ----

// The zero-latency simulator holding stored Yxy records (the largest, 24 bytes), on the real link
// with its polling worker, the page shown and set up from the instrument as on connection.
struct DownloadRig
{
    DownloadRig()
    {
        sim.preload(StoredRecords, 0);
        sim.setDisplayParam(ResultYxy);
        setTransportFactory([this] { return std::make_unique<CountingTransport>(sim.makeTransport(), reports); });
        port.setLink(InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
        page = std::make_unique<FirstPageFor310>(port);
        showAtBenchSize(*page);
        page->openThreadSlot();
        page->readDeviceSettings();
        settle();
    }
    ~DownloadRig()
    {
        page->closeThreadSlot();
        page.reset();
        if (port.current())
            port.current()->close();
        port.setLink(nullptr);
        setTransportFactory({});
    }
    SimulatedInstrument sim;
    std::atomic<long> reports{0};
    BoxAnswerer boxes;
    LinkPort port;
    std::unique_ptr<FirstPageFor310> page;
};

void BM_Download2000Stored(benchmark::State &state)
{
    DownloadRig rig;
    if (rig.page->session().state().resultKind() != ResultYxy) {
        state.SkipWithError("the page did not take the instrument's result kind");
        return;
    }
    rig.boxes.takeTexts();
    double ours = 0, withoutWorker = 0, withJournal = 0;
    long reports = 0, exchanges = 0, journalKept = 0;
    // The worker holds the link for a whole poll: a read that waits for a report, then its pause.
    // A user clicks at any moment of that cycle, so the clicks are spread evenly over it.
    constexpr int PollCycleMs = CLinkerUSB::reportWaitMs + MyThread::pauseMs;
    const int iterations = int(state.max_iterations);
    int iteration = 0;
    const auto startWorkerAtPhase = [&](int phase) {
        rig.page->closeThreadSlot();
        rig.page->openThreadSlot();
        QThread::msleep(ulong(PollCycleMs * phase / iterations));
    };
    for (auto _ : state) {
        const int phase = iteration++;
        startWorkerAtPhase(phase);
        rig.reports = 0;
        rig.sim.clearRequestLog();
        bool painted = false;
        const double s = seconds([&] {
            painted = untilPainted(recordViewport(*rig.page),
                                   [&] { rig.page->on_pushButton_readComparisonRecord_clicked(); });
        });
        const QStringList said = rig.boxes.takeTexts();
        if (rig.page->session().records().count() != StoredRecords || !said.isEmpty() || !painted) {
            state.SkipWithError(qPrintable(QStringLiteral("download incomplete: %1").arg(said.join(u'|'))));
            break;
        }
        state.SetIterationTime(s);
        ours += s;
        reports += rig.reports;
        exchanges += rig.sim.requestLog().size();
        rig.page->session().clearPage();
        settle();
        // The same with the session journal keeping the records as they come.
        {
            QTemporaryDir folder;
            SessionJournal journal(folder.filePath(QStringLiteral("bench.journal")));
            journal.open();
            journal.follow(rig.page->session().records());
            startWorkerAtPhase(phase);
            withJournal += seconds([&] {
                untilPainted(recordViewport(*rig.page), [&] { rig.page->on_pushButton_readComparisonRecord_clicked(); });
            });
            journal.flush();
            SessionJournal reread(folder.filePath(QStringLiteral("bench.journal")));
            reread.open();
            journalKept += reread.previous().records.size() == StoredRecords;
            rig.page->session().clearPage();
            settle();
        }
        // The same with the polling worker stopped: what is left is the download's own time,
        // the rest was spent waiting for the worker to let go of the link.
        rig.page->closeThreadSlot();
        withoutWorker += seconds([&] {
            untilPainted(recordViewport(*rig.page), [&] { rig.page->on_pushButton_readComparisonRecord_clicked(); });
        });
        rig.page->session().clearPage();
        settle();
    }
    if (state.iterations() == 0 || ours <= 0)
        return;
    const double n = double(state.iterations());
    const double limit = usbFullSpeedSeconds(double(reports) / n);
    state.counters["reports"] = double(reports) / n;
    state.counters["exchanges"] = double(exchanges) / n;
    state.counters["usb_limit_s"] = limit;
    state.counters["faster_than_usb"] = limit / (ours / n);
    state.counters["worker_stopped_ms"] = withoutWorker / n * 1e3;
    BenchSummary::target("Download of 2000 stored records to the shown page, speed over the USB full-speed limit",
                         limit / (ours / n), Goal::AtLeast, 20, "x",
                         BenchSummary::number(ours / n) + " s; " + std::to_string(reports / state.iterations())
                             + " reports in " + std::to_string(exchanges / state.iterations())
                             + " exchanges would take " + BenchSummary::number(limit) + " s at 1 ms each; "
                             + BenchSummary::number(withoutWorker / n) + " s with the polling worker stopped");
    if (journalKept == state.iterations())
        BenchSummary::target("Download of 2000 stored records with the session journal, over without it", withJournal / ours,
                             Goal::AtMost, 1.10, "x", BenchSummary::number(withJournal / n) + " s with the journal");
}
BENCHMARK(BM_Download2000Stored)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
