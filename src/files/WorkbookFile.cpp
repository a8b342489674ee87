#include "WorkbookFile.h"

#include "WorkbookCodecs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kOle2Magic("\xD0\xCF\x11\xE0", 4);
const QByteArray kZipMagic("PK\x03\x04", 4);

QString readError(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("Workbook", "Cannot read %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

QString saveError(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("Workbook", "Cannot save %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

bool usedRangesFit(const Workbook &workbook, QString &reason)
{
    for (const Sheet &sheet : workbook.sheets) {
        const UsedRange range = sheet.usedRange();
        if (qint64(range.rowCount) * range.columnCount > kMaxUsedCells) {
            reason = tooLargeReason(sheet.name);
            return false;
        }
    }
    return true;
}

QString beyondLimitsReason(CellPos pos, const SheetLimits &limits)
{
    return QCoreApplication::translate("Workbook",
                                       "row %1, column %2 lies beyond the %3 rows and %4 columns "
                                       "this format holds")
        .arg(pos.row + 1)
        .arg(pos.column + 1)
        .arg(limits.rows)
        .arg(limits.columns);
}

bool cellsFit(const Workbook &workbook, const RowsOverSheet *rows, WorkbookFormat format, QString &reason)
{
    const SheetLimits limits = sheetLimits(format);
    const auto fits = [&limits](CellPos pos) { return pos.row < limits.rows && pos.column < limits.columns; };
    for (const Sheet &sheet : workbook.sheets) {
        for (const auto &[pos, cell] : sheet.cells) {
            if (!fits(pos)) {
                reason = beyondLimitsReason(pos, limits);
                return false;
            }
        }
    }
    for (qsizetype r = 0; rows && r < rows->texts->size(); ++r) {
        const CellPos last{rows->firstRow + int(r), int(rows->texts->at(r).size()) - 1};
        if (last.column >= 0 && !fits(last)) {
            reason = beyondLimitsReason(last, limits);
            return false;
        }
    }
    return true;
}

// The workbook as it reads once the rows are laid over their sheet.
Workbook withRows(const Workbook &workbook, const RowsOverSheet &rows)
{
    Workbook merged;
    merged.sheets.reserve(workbook.sheets.size());
    for (std::size_t s = 0; s < workbook.sheets.size(); ++s) {
        const Sheet &sheet = workbook.sheets[s];
        if (s != rows.sheet) {
            merged.sheets.push_back(sheet);
            continue;
        }
        Sheet &target = merged.sheets.emplace_back(Sheet{sheet.name, {}});
        forEachCellWithRows<int>(sheet, *rows.texts, rows.firstRow, [&target](CellPos pos, const Cell &cell) {
            target.cells.emplace_hint(target.cells.end(), pos, cell);
            return 0;
        });
    }
    return merged;
}

// Makes the finished temporary file durable and gives it the target's permissions.
bool finishTemporary(const QString &tempPath, const QString &target, QString &reason)
{
    QFile temp(tempPath);
    const bool existed = QFile::exists(target);
    const QFile::Permissions permissions = existed ? QFile::permissions(target)
                                                   : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                         | QFile::ReadOther;
    if (!temp.open(QIODevice::ReadOnly) || ::fsync(temp.handle()) != 0 || !temp.setPermissions(permissions)) {
        reason = temp.errorString();
        return false;
    }
    return true;
}

} // namespace

QString damagedReason(const QString &detail)
{
    return QCoreApplication::translate("Workbook", "the workbook is damaged (%1)").arg(detail);
}

QString passwordReason()
{
    return QCoreApplication::translate("Workbook", "the workbook is password-protected");
}

QString tooLargeReason(const QString &sheetName)
{
    return QCoreApplication::translate("Workbook", "sheet \"%1\" is larger than %2 cells").arg(sheetName).arg(kMaxUsedCells);
}

WorkbookFormat formatForExtension(const QString &path)
{
    return path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ? WorkbookFormat::Xlsx : WorkbookFormat::Xls;
}

int openRegularFile(const QString &path, QString &reason)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        if (descriptor >= 0)
            ::close(descriptor);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        reason = QCoreApplication::translate("Workbook", "it is not a regular file");
        return -1;
    }
    return descriptor;
}

bool readWorkbookFile(const QString &path, Workbook &workbook, WorkbookFormat &format, QString &error)
{
    QString reason;
    const int descriptor = openRegularFile(path, reason);
    if (descriptor < 0) {
        error = readError(path, reason);
        return false;
    }
    char bytes[4];
    const ssize_t count = ::pread(descriptor, bytes, sizeof bytes, 0);
    ::close(descriptor);
    if (count < 0) {
        error = readError(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const QByteArray magic(bytes, int(count));

    Workbook read;
    bool ok = false;
    if (magic.isEmpty()) {
        format = formatForExtension(path);
        read.sheets.push_back(Sheet{QStringLiteral("Sheet1"), {}});
        ok = true;
    } else if (magic == kOle2Magic) {
        format = WorkbookFormat::Xls;
        ok = readXls(path, read, reason);
    } else if (magic == kZipMagic) {
        format = WorkbookFormat::Xlsx;
        ok = readXlsx(path, read, reason);
    } else {
        reason = QCoreApplication::translate("Workbook", "it is neither an .xls nor an .xlsx workbook");
    }
    if (!ok || !usedRangesFit(read, reason)) {
        error = readError(path, reason);
        return false;
    }
    workbook = std::move(read);
    return true;
}

QString followedLinks(const QString &fileName)
{
    QString path = QFileInfo(fileName).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QByteArray encoded = QFile::encodeName(path);
        QByteArray target(4096, '\0');
        const ssize_t size = ::readlink(encoded.constData(), target.data(), size_t(target.size()));
        if (size < 0)
            return path; // not a link (or nothing there yet): the file itself
        target.truncate(size);
        // A relative link is relative to the folder holding the link.
        path = QFileInfo(QFileInfo(path).absoluteDir(), QFile::decodeName(target)).absoluteFilePath();
    }
    return {};
}

bool writeWorkbookFile(const QString &path, const Workbook &workbook, WorkbookFormat format, QString &error,
                       const RowsOverSheet *rows)
{
    // Through a link the file it points to is replaced, and the link stays.
    const QString resolved = followedLinks(path);
    if (resolved.isEmpty()) {
        error = saveError(path, QString::fromLocal8Bit(std::strerror(ELOOP)));
        return false;
    }
    const QFileInfo target(resolved);
    QString reason;
    if (!cellsFit(workbook, rows, format, reason)) {
        error = saveError(path, reason);
        return false;
    }
    if (target.exists() && !target.isWritable()) {
        error = saveError(path, QCoreApplication::translate("Workbook", "the file is read-only"));
        return false;
    }
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open()) {
        error = saveError(path, temp.errorString());
        return false;
    }
    temp.close();
    bool written = false;
    if (format == WorkbookFormat::Xlsx)
        written = writeXlsx(temp.fileName(), workbook, reason, rows);
    else if (rows)
        written = writeXls(temp.fileName(), withRows(workbook, *rows), reason);
    else
        written = writeXls(temp.fileName(), workbook, reason);
    if (!written || !finishTemporary(temp.fileName(), target.absoluteFilePath(), reason)) {
        error = saveError(path, reason);
        return false;
    }
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        error = saveError(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}
