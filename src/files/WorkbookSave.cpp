#include "WorkbookSave.h"

#include "CsvFile.h"
#include "ExcelEngine.h"
#include "WorkbookFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QUuid>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// 1-based, as the engine counts; the row above stays as the template has it.
constexpr int kHeaderSheetRow = 2;

// A .csv export is kept as named too; CsvFile writes it.
bool isWorkbookSuffix(const QString &suffix)
{
    return suffix == QLatin1String("xls") || suffix == QLatin1String("xlsx") || suffix == QLatin1String("csv");
}

QString suffixOfFilter(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QString suffix = pattern.match(filter).captured(1).toLower();
    return isWorkbookSuffix(suffix) ? suffix : QStringLiteral("xls");
}

// Replacing means renaming over it, which needs the folder; a read-only file is taken as in use.
bool canReplace(const QFileInfo &target)
{
    if (!target.exists())
        return true;
    return target.isFile() && target.isWritable() && QFileInfo(target.absolutePath()).isWritable();
}

// In the target's folder, so the rename stays on one file system; with the suffix of the name
// the user chose (a link's, not its target's), so the engine writes the format that name asks for.
QString scratchNameBeside(const QFileInfo &target, const QString &suffix)
{
    const QString unique = QUuid::createUuid().toString(QUuid::Id128).left(12);
    return target.absoluteDir().filePath(QStringLiteral(".%1.%2.%3").arg(target.completeBaseName(), unique, suffix));
}

// Walks the sheet's cells once, row by row, and stops at the first difference. A cell the
// texts leave out must be empty in the file too.
bool holdsEveryRow(const QString &fileName, const QList<QStringList> &rows)
{
    Workbook workbook;
    WorkbookFormat format;
    QString error;
    if (!readWorkbookFile(fileName, workbook, format, error) || workbook.sheets.empty())
        return false;
    const std::map<CellPos, Cell> &cells = workbook.sheets.front().cells;
    auto it = cells.lower_bound(CellPos{kHeaderSheetRow - 1, 0});
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const int row = kHeaderSheetRow - 1 + int(r);
        const QStringList &texts = rows[r];
        qsizetype column = 0; // the first column not compared yet
        for (; it != cells.end() && it->first.row == row; ++it, ++column) {
            for (; column < it->first.column; ++column) {
                if (!texts.value(column).isEmpty())
                    return false;
            }
            if (!cellMatches(it->second.value, texts.value(column)))
                return false;
        }
        for (; column < texts.size(); ++column) {
            if (!texts[column].isEmpty())
                return false;
        }
    }
    return true;
}

// The scratch file's data is already on disk; the folder is synced so the rename is too.
bool renameOver(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return false;
    if (const int folder = ::open(QFile::encodeName(QFileInfo(to).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace

SaveResult saveRowsVerified(const QString &targetFile, const QList<QStringList> &rows)
{
    // Through a link the file it points to is replaced, and the link stays.
    const QString resolved = followedLinks(targetFile);
    if (resolved.isEmpty())
        return SaveResult::CantOverwrite;
    const QFileInfo target(resolved);
    if (!canReplace(target))
        return SaveResult::CantOverwrite;

    const QString scratch = scratchNameBeside(target, QFileInfo(targetFile).suffix());
    auto removeScratch = qScopeGuard([&scratch] { QFile::remove(scratch); });
    // A .csv takes the same road with its own writer.
    const bool csv = CsvFile::isCsvName(targetFile);
    if (const SaveResult written = csv ? CsvFile::writeChecked(scratch, rows) : SaveResult::Saved;
        written != SaveResult::Saved)
        return written;
    WorkbookFormat saved = WorkbookFormat::Xls;
    if (!csv) {
        ExcelEngine engine(scratch);
        if (!engine.open(1))
            return SaveResult::CantOpen;
        if (!engine.saveRows(rows, kHeaderSheetRow))
            return SaveResult::WriteFailed;
        saved = engine.format();
    }
    // Saving an .xlsx has already unpacked every part of the package and checked its size, CRC
    // and closing tag; an .xls, written by our own BIFF writer, is read back cell by cell.
    if (!csv && saved == WorkbookFormat::Xls && !holdsEveryRow(scratch, rows))
        return SaveResult::NotReadBack;
    if (target.exists())
        QFile::setPermissions(scratch, QFile::permissions(target.absoluteFilePath()));
    if (!renameOver(scratch, target.absoluteFilePath()))
        return SaveResult::CantOverwrite;
    removeScratch.dismiss();
    return SaveResult::Saved;
}

QString withWorkbookSuffix(const QString &fileName, const QString &selectedFilter)
{
    if (isWorkbookSuffix(QFileInfo(fileName).suffix().toLower()))
        return fileName;
    return fileName + u'.' + suffixOfFilter(selectedFilter);
}

bool cellMatches(const QVariant &stored, const QString &text)
{
    const QVariant expected = cellFromText(text).value;
    if (!expected.isValid() || !stored.isValid())
        return expected.isValid() == stored.isValid();
    if (expected.typeId() == QMetaType::Double && stored.typeId() == QMetaType::Double) {
        const double a = expected.toDouble(), b = stored.toDouble();
        return std::abs(a - b) <= 1e-12 * std::max(1.0, std::abs(a));
    }
    if (expected.typeId() == QMetaType::QDateTime && stored.typeId() == QMetaType::QDateTime)
        return std::abs(expected.toDateTime().msecsTo(stored.toDateTime())) < 1000;
    return expected.typeId() == stored.typeId() && expected.toString() == stored.toString();
}
