#include "ExcelEngine.h"

#include "WorkbookFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ExcelEngine::ExcelEngine(const QString &fileName, QObject *parent) : QObject(parent), fileName_(fileName) {}

ExcelEngine::~ExcelEngine()
{
    close();
}

bool ExcelEngine::prepareFile(const QString &fileName)
{
    if (QFileInfo::exists(fileName))
        return true;
    const QString templateFile = tr("./template.xls");
    if (QFile::exists(templateFile)) {
        QFile::copy(templateFile, fileName);
    } else {
        QFile created(fileName);
        created.open(QIODevice::WriteOnly);
    }
    QFile prepared(fileName);
    return prepared.open(QIODevice::ReadWrite);
}

bool ExcelEngine::open(int sheetIndex)
{
    return openSheet(sheetIndex, true);
}

bool ExcelEngine::openForReading(int sheetIndex)
{
    return openSheet(sheetIndex, false);
}

bool ExcelEngine::openSheet(int sheetIndex, bool createMissing)
{
    close();
    errorString_.clear();
    if (fileName_.isEmpty())
        return fail(tr("No workbook file name was given."));
    // A workbook made here takes the format its name asks for, also when it starts as a copy of
    // the template; a workbook the user already has keeps its own.
    const bool made = createMissing && !QFileInfo::exists(fileName_);
    if (createMissing && !prepareFile(fileName_))
        return fail(tr("Cannot create %1.").arg(QDir::toNativeSeparators(fileName_)));
    Workbook workbook;
    WorkbookFormat format;
    if (!readWorkbookFile(fileName_, workbook, format, errorString_))
        return false;
    if (sheetIndex < 1 || sheetIndex > int(workbook.sheets.size()))
        return fail(tr("%1 has no sheet %2.").arg(QDir::toNativeSeparators(fileName_)).arg(sheetIndex));
    workbook_ = std::move(workbook);
    format_ = made ? formatForExtension(fileName_) : format;
    sheetIndex_ = sheetIndex;
    isOpen_ = true;
    return true;
}

int ExcelEngine::rowCount() const
{
    return isOpen_ ? sheet()->usedRange().rowCount : 0;
}

int ExcelEngine::firstRow() const
{
    return isOpen_ ? sheet()->usedRange().firstRow + 1 : 0;
}

int ExcelEngine::columnCount() const
{
    return isOpen_ ? sheet()->usedRange().columnCount : 0;
}

bool ExcelEngine::setCellData(int row, int column, const QVariant &value)
{
    if (!isOpen_)
        return fail(tr("The workbook is not open."));
    if (!checkPlace(row, column))
        return false;
    Cell cell;
    if (!cellFromValue(value, cell))
        return failCannotHold(row, column);
    cell.centred = true;
    sheet()->cells.insert_or_assign(CellPos{row - 1, column - 1}, std::move(cell));
    return true;
}

bool ExcelEngine::saveRows(const QList<QStringList> &rows, int firstSheetRow)
{
    if (!isOpen_)
        return fail(tr("The workbook is not open."));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const int row = firstSheetRow + int(r);
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const int column = int(c) + 1;
            if (!checkPlace(row, column))
                return false;
            if (rows[r][c].size() > kMaxTextLength)
                return failCannotHold(row, column);
        }
    }
    // The writer lays the rows over the sheet as it goes, so no copy of them is built here.
    const RowsOverSheet over{std::size_t(sheetIndex_ - 1), firstSheetRow - 1, &rows};
    return writeWorkbookFile(fileName_, workbook_, format_, errorString_, &over);
}

void ExcelEngine::readAll(QList<QList<QVariant>> &rows)
{
    if (!isOpen_)
        return;
    const UsedRange range = sheet()->usedRange();
    const qsizetype first = rows.size();
    rows.reserve(first + range.rowCount);
    for (int r = 0; r < range.rowCount; ++r)
        rows.append(QList<QVariant>(range.columnCount));
    const auto &cells = sheet()->cells;
    const int lastRow = range.firstRow + range.rowCount - 1;
    for (auto it = cells.lower_bound({range.firstRow, 0}); it != cells.end() && it->first.row <= lastRow; ++it) {
        const int column = it->first.column - range.firstColumn;
        if (column >= 0 && column < range.columnCount)
            rows[first + it->first.row - range.firstRow][column] = it->second.value;
    }
}

bool ExcelEngine::save()
{
    if (!isOpen_)
        return fail(tr("The workbook is not open."));
    return writeWorkbookFile(fileName_, workbook_, format_, errorString_);
}

void ExcelEngine::close()
{
    isOpen_ = false;
    workbook_ = Workbook();
    sheetIndex_ = 0;
}

bool ExcelEngine::fail(const QString &message)
{
    errorString_ = message;
    return false;
}

bool ExcelEngine::checkPlace(int row, int column)
{
    const SheetLimits limits = sheetLimits(format_);
    if (row < 1 || column < 1 || row > limits.rows || column > limits.columns)
        return fail(tr("Row %1, column %2 lies outside the sheet.").arg(row).arg(column));
    return true;
}

bool ExcelEngine::failCannotHold(int row, int column)
{
    return fail(tr("Row %1, column %2 cannot hold this value.").arg(row).arg(column));
}

Sheet *ExcelEngine::sheet()
{
    return &workbook_.sheets[size_t(sheetIndex_ - 1)];
}

const Sheet *ExcelEngine::sheet() const
{
    return &workbook_.sheets[size_t(sheetIndex_ - 1)];
}
