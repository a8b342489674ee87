// Targets: our .xlsx save, and the whole verified export of the same texts (write, read back,
// compare, rename), within 1.5× of raw libxlsxwriter writing the same cells; reading 10 000 rows
// back within 1 s; peak memory for such a sheet under 100 MB (peak_rss_MB).

#include "BenchSummary.h"
#include "ExcelEngine.h"
#include "WorkbookFile.h"
#include "WorkbookSave.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <xlsxwriter.h>

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 36;

// A comparison record row as the export hands it over: texts, numbers, percentages and,
// in column 2, the time.
QString recordText(int row, int column)
{
    if (column == 2)
        return QStringLiteral("2024/05/01  10:%1").arg(row % 60, 2, 10, QLatin1Char('0'));
    switch (column % 6) {
    case 0:
        return QString::number(row + 1);
    case 1:
        return QStringLiteral("样品 %1").arg(row);
    case 3:
        return QString::number(12.34 + row % 100 / 100.0, 'f', 2) + u'%';
    case 2:
    case 4:
        return QString::number(row * 0.01 - column, 'f', 2);
    default:
        return row % 3 ? QStringLiteral("PASS") : QStringLiteral("NG");
    }
}

Workbook makeRecords()
{
    Workbook book;
    Sheet &sheet = book.sheets.emplace_back(Sheet{QStringLiteral("Sheet1"), {}});
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            Cell cell = cellFromText(recordText(r, c));
            cell.centred = true;
            sheet.cells.emplace(CellPos{r + 1, c}, cell);
        }
    }
    return book;
}

const Workbook &records()
{
    static const Workbook workbook = makeRecords();
    return workbook;
}

// The same cells in libxlsxwriter's terms, prepared before timing.
struct RawCell
{
    int row, column;
    bool text;
    double number;
    QByteArray utf8;
    int format; // 0 general, 1 percent, 2 date-time
};

const std::vector<RawCell> &rawCells()
{
    static const std::vector<RawCell> cells = [] {
        std::vector<RawCell> list;
        for (const auto &[pos, cell] : records().sheets[0].cells) {
            const bool text = cell.value.typeId() == QMetaType::QString;
            const double number = cell.value.typeId() == QMetaType::QDateTime ? serialFromDateTime(cell.value.toDateTime())
                                                                               : cell.value.toDouble();
            list.push_back({pos.row, pos.column, text, number, text ? cell.value.toString().toUtf8() : QByteArray(),
                            int(cell.format)});
        }
        return list;
    }();
    return cells;
}

void writeRaw(const QString &path)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_format *formats[3];
    for (int f = 0; f < 3; ++f) {
        formats[f] = workbook_add_format(book);
        format_set_align(formats[f], LXW_ALIGN_CENTER);
    }
    format_set_num_format_index(formats[1], 10);
    format_set_num_format(formats[2], "yyyy/mm/dd hh:mm");
    for (const RawCell &cell : rawCells()) {
        if (cell.text)
            worksheet_write_string(sheet, cell.row, cell.column, cell.utf8.constData(), formats[cell.format]);
        else
            worksheet_write_number(sheet, cell.row, cell.column, cell.number, formats[cell.format]);
    }
    workbook_close(book);
}

double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_RawLibxlsxwriter(benchmark::State &state)
{
    QTemporaryDir folder;
    rawCells();
    for (auto _ : state)
        writeRaw(folder.filePath("raw.xlsx"));
}

// Times ours and raw libxlsxwriter alternately, so both see the same machine load.
void BM_SaveXlsxAgainstRaw(benchmark::State &state)
{
    QTemporaryDir folder;
    rawCells();
    qint64 ours = 0, raw = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QString error;
        if (!writeWorkbookFile(folder.filePath("ours.xlsx"), records(), WorkbookFormat::Xlsx, error))
            state.SkipWithError(error.toUtf8().constData());
        ours += clock.nsecsElapsed();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        clock.restart();
        writeRaw(folder.filePath("raw.xlsx"));
        raw += clock.nsecsElapsed();
    }
    state.counters["ours_vs_raw"] = double(ours) / double(raw);
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    BenchSummary::target("Workbook model saved as .xlsx, over raw libxlsxwriter", double(ours) / double(raw),
                         BenchSummary::Goal::AtMost, 1.5, "x");
}

// The export's input: a header row, then the records' texts.
QList<QStringList> recordTexts()
{
    QList<QStringList> rows(kRows);
    for (int r = 0; r < kRows; ++r) {
        rows[r].reserve(kColumns);
        for (int c = 0; c < kColumns; ++c)
            rows[r] << (r == 0 ? QStringLiteral("Header %1").arg(c) : recordText(r, c));
    }
    return rows;
}

void BM_SaveRowsVerifiedAgainstRaw(benchmark::State &state)
{
    QTemporaryDir folder;
    rawCells();
    const QList<QStringList> rows = recordTexts();
    qint64 ours = 0, raw = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (saveRowsVerified(folder.filePath("ours.xlsx"), rows) != SaveResult::Saved)
            state.SkipWithError("not saved");
        ours += clock.nsecsElapsed();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        clock.restart();
        writeRaw(folder.filePath("raw.xlsx"));
        raw += clock.nsecsElapsed();
    }
    state.counters["ours_vs_raw"] = double(ours) / double(raw);
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    BenchSummary::target("Rows saved verified as .xlsx, over raw libxlsxwriter", double(ours) / double(raw),
                         BenchSummary::Goal::AtMost, 1.5, "x");
}

void BM_SaveXls(benchmark::State &state)
{
    QTemporaryDir folder;
    records();
    for (auto _ : state) {
        QString error;
        if (!writeWorkbookFile(folder.filePath("ours.xls"), records(), WorkbookFormat::Xls, error))
            state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
}

// Opening and readAll of the 10 000 rows, as an import does.
void BM_ReadAll(benchmark::State &state, WorkbookFormat format)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(format == WorkbookFormat::Xls ? "in.xls" : "in.xlsx");
    QString error;
    if (!writeWorkbookFile(path, makeRecords(), format, error))
        state.SkipWithError(error.toUtf8().constData());
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        ExcelEngine engine(path);
        QList<QList<QVariant>> rows;
        if (!engine.openForReading(1))
            state.SkipWithError(engine.errorString().toUtf8().constData());
        engine.readAll(rows);
        if (rows.size() != kRows)
            state.SkipWithError("wrong row count");
        total += clock.nsecsElapsed() / 1e9;
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    if (state.iterations() > 0)
        BenchSummary::target(std::string("Reading 10000 rows of .") + (format == WorkbookFormat::Xls ? "xls" : "xlsx"),
                             total / double(state.iterations()), BenchSummary::Goal::AtMost, 1.0, "s",
                             "peak " + std::to_string(int(peakRssMegabytes())) + " MB, target < 100 MB");
}

} // namespace

// Reading first, before the writers' shared model exists, so peak_rss_MB bounds the reading.
BENCHMARK_CAPTURE(BM_ReadAll, xls, WorkbookFormat::Xls)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAll, xlsx, WorkbookFormat::Xlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveXls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawLibxlsxwriter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveXlsxAgainstRaw)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveRowsVerifiedAgainstRaw)->UseManualTime()->Unit(benchmark::kMillisecond);
