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

bool cellsFit(const Workbook &workbook, WorkbookFormat format, QString &reason)
{
    const SheetLimits limits = sheetLimits(format);
    for (const Sheet &sheet : workbook.sheets) {
        for (const auto &[pos, cell] : sheet.cells) {
            if (pos.row < limits.rows && pos.column < limits.columns)
                continue;
            reason = QCoreApplication::translate("Workbook",
                                                 "row %1, column %2 lies beyond the %3 rows and %4 columns "
                                                 "this format holds")
                         .arg(pos.row + 1)
                         .arg(pos.column + 1)
                         .arg(limits.rows)
                         .arg(limits.columns);
            return false;
        }
    }
    return true;
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

bool readWorkbookFile(const QString &path, Workbook &workbook, WorkbookFormat &format, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = readError(path, file.errorString());
        return false;
    }
    const QByteArray magic = file.read(kOle2Magic.size());
    file.close();

    Workbook read;
    QString reason;
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

bool writeWorkbookFile(const QString &path, const Workbook &workbook, WorkbookFormat format, QString &error)
{
    const QFileInfo given(path);
    const QFileInfo target(given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath());
    QString reason;
    if (!cellsFit(workbook, format, reason)) {
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
    const bool written = format == WorkbookFormat::Xls ? writeXls(temp.fileName(), workbook, reason)
                                                       : writeXlsx(temp.fileName(), workbook, reason);
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
