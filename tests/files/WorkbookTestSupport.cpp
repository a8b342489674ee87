#include "WorkbookTestSupport.h"
#include "ProcessRun.h"

#include <QFile>

#include <string>

#include <gtest/gtest.h>

QString runPython(const QString &script, const QStringList &arguments)
{
    const ProcessResult python =
        runProcess(QStringLiteral(PYTHON3_WITH_SPREADSHEETS), QStringList{QStringLiteral("-c"), script} + arguments);
    EXPECT_EQ(python.exitCode, 0) << python.err.toStdString();
    return python.out;
}

QString canonicalCell(const Cell &cell, bool withFormats)
{
    QString text;
    if (cell.value.typeId() == QMetaType::Double)
        text = (withFormats && cell.format == NumberFormat::Percent ? QStringLiteral("p:") : QStringLiteral("n:"))
               + QString::number(cell.value.toDouble(), 'g', QLocale::FloatingPointShortest);
    else if (cell.value.typeId() == QMetaType::QDateTime)
        text = QStringLiteral("d:") + cell.value.toDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
    else if (cell.value.typeId() == QMetaType::QString)
        text = QStringLiteral("s:") + cell.value.toString();
    return withFormats && cell.centred && !cell.isEmpty() ? text + u'^' : text;
}

QString canonicalSheet(const Sheet &sheet, bool withFormats)
{
    const UsedRange range = sheet.usedRange();
    QString text;
    for (int r = 0; r < range.firstRow + range.rowCount; ++r) {
        QStringList fields;
        for (int c = 0; c < range.firstColumn + range.columnCount; ++c) {
            const Cell *cell = sheet.cell({r, c});
            fields << (cell ? canonicalCell(*cell, withFormats) : QString());
        }
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}

// Both dumps define field(cell) and rows of fields between these two parts, and print columns up to
// the last non-empty one, rows up to the last non-empty one.
namespace {
const std::string dumpStart = R"(
import sys, datetime, xlrd, openpyxl
def number(v):
    t = repr(float(v))
    return t[:-2] if t.endswith('.0') else t
)";
const std::string dumpEnd = R"(
width = max([i + 1 for row in rows for i, f in enumerate(row) if f] or [0])
while rows and not any(rows[-1]):
    rows.pop()
sys.stdout.buffer.write(''.join('\t'.join(row[:width]) + '\n' for row in rows).encode('utf-8'))
)";
const std::string xlrdDump = dumpStart + R"(
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheet = book.sheet_by_index(0)
def field(cell):
    xf = book.xf_list[cell.xf_index]
    fmt = book.format_map[xf.format_key].format_str
    centred = '^' if xf.alignment.hor_align == 2 else ''
    if cell.ctype == xlrd.XL_CELL_DATE:
        return 'd:' + xlrd.xldate.xldate_as_datetime(cell.value, book.datemode).isoformat() + centred
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        return ('p:' if '%' in fmt else 'n:') + number(cell.value) + centred
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return 's:' + cell.value + centred
    return ''
rows = [[field(sheet.cell(r, c)) for c in range(sheet.ncols)] for r in range(sheet.nrows)]
)" + dumpEnd;
const std::string openpyxlDump = dumpStart + R"(
sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
def field(cell):
    centred = '^' if cell.alignment.horizontal == 'center' else ''
    v = cell.value
    if v is None:
        return ''
    if isinstance(v, datetime.datetime):
        return 'd:' + v.isoformat() + centred
    if isinstance(v, (int, float)) and not isinstance(v, bool):
        return ('p:' if '%' in cell.number_format else 'n:') + number(v) + centred
    return 's:' + str(v) + centred
rows = [[field(c) for c in row] for row in sheet.iter_rows(min_row=1, min_col=1)]
)" + dumpEnd;
} // namespace

const char *const kXlrdDump = xlrdDump.c_str();
const char *const kOpenpyxlDump = openpyxlDump.c_str();

Sheet sampleSheet()
{
    Sheet sheet{QStringLiteral("样品 Sheet"), {}};
    const auto put = [&sheet](int row, int column, QVariant value, NumberFormat format, bool centred) {
        sheet.cells.insert_or_assign(CellPos{row, column}, Cell{value, format, centred});
    };
    const QDateTime time(QDate(2024, 5, 1), QTime(10, 30), Qt::UTC);
    put(1, 0, QStringLiteral("NO"), NumberFormat::General, true);
    put(1, 1, QStringLiteral("名称"), NumberFormat::General, true);
    put(1, 2, QStringLiteral("Time"), NumberFormat::General, false);
    put(1, 4, 0.1234, NumberFormat::Percent, true);
    put(2, 0, 1.0, NumberFormat::General, true);
    put(2, 1, QStringLiteral("合格 PASS"), NumberFormat::General, false);
    put(2, 2, time, NumberFormat::DateTime, true);
    put(2, 3, -12.75, NumberFormat::General, false);
    put(3, 1, QString(5000, QChar(0x4E2D)) + QStringLiteral("end"), NumberFormat::General, true); // 10 kB of UTF-16
    put(3, 2, QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), Qt::UTC), NumberFormat::DateTime, false);
    put(4, 5, QStringLiteral("NO"), NumberFormat::General, false); // a repeated shared string
    put(4, 35, QStringLiteral("AJ"), NumberFormat::General, false); // past Z, where the record list ends
    put(5, 3, QVariant(), NumberFormat::General, true);           // a formatted blank outside the used range
    return sheet;
}

Workbook workbookOf(Sheet sheet)
{
    return Workbook{{std::move(sheet)}};
}

QString writeSample(const QString &path, WorkbookFormat format, const Workbook &workbook)
{
    QString error;
    EXPECT_TRUE(writeWorkbookFile(path, workbook, format, error)) << error.toStdString();
    return path;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool putContents(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
