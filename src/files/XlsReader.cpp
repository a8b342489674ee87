// .xls through libfreexl.

#include "ReadBudget.h"
#include "WorkbookCodecs.h"
#include "XlsPrecheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QScopeGuard>

#include <freexl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

QString freexlReason(int code)
{
    return damagedReason(QStringLiteral("freexl %1").arg(code));
}

// Cells showing one shared string share its text (libfreexl hands out the same pointer), so a
// text repeated over many cells is held once, as the budget counted it.
using SharedTexts = QHash<const char *, QString>;

QVariant valueOf(const FreeXL_CellValue &cell, SharedTexts &shared)
{
    QString text;
    if (cell.type == FREEXL_CELL_SST_TEXT) {
        auto found = shared.find(cell.value.text_value);
        if (found == shared.end())
            found = shared.insert(cell.value.text_value, QString::fromUtf8(cell.value.text_value));
        text = *found;
    } else if (cell.type >= FREEXL_CELL_TEXT) {
        text = QString::fromUtf8(cell.value.text_value);
    }
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return double(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return cell.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return text;
    case FREEXL_CELL_DATE:
        return QDateTime(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")), QTime(0, 0), Qt::UTC);
    case FREEXL_CELL_DATETIME:
        return QDateTime(QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")),
                         QTime::fromString(text.mid(11), QStringLiteral("hh:mm:ss")), Qt::UTC);
    case FREEXL_CELL_TIME:
        return QDateTime(QDate(1899, 12, 30), QTime::fromString(text, QStringLiteral("hh:mm:ss")), Qt::UTC);
    default:
        return {};
    }
}

bool readSheet(const void *handle, unsigned short index, Sheet &sheet, SharedTexts &shared, ReadBudget &budget,
               QString &reason)
{
    const char *name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    int code = freexl_get_worksheet_name(handle, index, &name);
    if (code == FREEXL_OK)
        code = freexl_select_active_worksheet(handle, index);
    if (code == FREEXL_OK)
        code = freexl_worksheet_dimensions(handle, &rows, &columns);
    if (code != FREEXL_OK) {
        reason = freexlReason(code);
        return false;
    }
    sheet.name = QString::fromUtf8(name);
    if (qint64(rows) * columns > kMaxUsedCells) {
        reason = tooLargeReason(sheet.name);
        return false;
    }
    for (unsigned int row = 0; row < rows; ++row) {
        if (!budget.inTime()) {
            reason = budget.reason();
            return false;
        }
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, row, column, &cell) != FREEXL_OK || cell.type == FREEXL_CELL_NULL)
                continue;
            const QVariant value = valueOf(cell, shared);
            const bool isDateTime = value.typeId() == QMetaType::QDateTime;
            if (isDateTime && !value.toDateTime().isValid())
                continue;
            sheet.cells.emplace_hint(sheet.cells.end(), CellPos{int(row), int(column)},
                                     Cell{value, isDateTime ? NumberFormat::DateTime : NumberFormat::General, false});
        }
    }
    return true;
}

} // namespace

bool readXls(const QString &path, Workbook &workbook, QString &reason)
{
    ReadBudget budget;
    QByteArray bytes;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            reason = file.errorString();
            return false;
        }
        if (!budget.spend(file.size())) {
            reason = budget.reason();
            return false;
        }
        bytes = file.readAll();
    }
    if (!precheckXls(bytes, budget, reason))
        return false;
    // libfreexl opens by name: it gets the very bytes that were checked, in memory, so a file
    // changed after the check cannot reach it.
    const int checked = ::memfd_create("lumivex-xls", MFD_CLOEXEC);
    const auto closeChecked = qScopeGuard([checked] {
        if (checked >= 0)
            ::close(checked);
    });
    QFile copy;
    if (checked < 0 || !copy.open(checked, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)
        || copy.write(bytes) != bytes.size() || !copy.flush()) {
        reason = copy.errorString();
        return false;
    }
    budget.release(bytes.size());
    bytes.clear();
    bytes.squeeze();
    const void *handle = nullptr;
    const auto closeHandle = qScopeGuard([&handle] { freexl_close(handle); });
    const int opened = freexl_open(QStringLiteral("/proc/self/fd/%1").arg(checked).toLocal8Bit().constData(), &handle);
    if (opened != FREEXL_OK) {
        reason = freexlReason(opened);
        return false;
    }
    unsigned int password = 0, sheetCount = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED) {
        reason = passwordReason();
        return false;
    }
    const int counted = freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount);
    if (counted != FREEXL_OK) {
        reason = freexlReason(counted);
        return false;
    }
    SharedTexts shared;
    for (unsigned short i = 0; i < sheetCount; ++i) {
        if (!readSheet(handle, i, workbook.sheets.emplace_back(), shared, budget, reason))
            return false;
    }
    return true;
}
