#include "Workbook.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

const QDate kBase1900(1899, 12, 30);
const QDate kBase1904(1904, 1, 1);
constexpr qint64 kMsPerDay = 86'400'000;
// Day numbers beyond year 9999 are not dates a spreadsheet shows.
constexpr double kLastSerial = 2'958'465.0;
// A double keeps 15 significant digits; longer digit strings (serial numbers) stay text.
constexpr int kExactDigits = 15;

bool parseNumber(const QString &text, double &number)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    number = c.toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        return false;
    static const QRegularExpression longInteger(QStringLiteral("^[+-]?0*[1-9][0-9]{%1,}$").arg(kExactDigits));
    return !longInteger.match(text).hasMatch();
}

bool parseDateTime(const QString &text, QDateTime &dateTime)
{
    static const QRegularExpression parts(QStringLiteral("^(\\d{4}/\\d{1,2}/\\d{1,2})(?: {1,2}(\\d{1,2}:\\d{2}(?::\\d{2})?))?$"));
    const QRegularExpressionMatch match = parts.match(text);
    if (!match.hasMatch())
        return false;
    const QDate date = QDate::fromString(match.captured(1), QStringLiteral("yyyy/M/d"));
    const QString timeText = match.captured(2);
    const QTime time = timeText.isEmpty() ? QTime(0, 0)
                       : QTime::fromString(timeText, timeText.count(u':') == 2 ? QStringLiteral("h:mm:ss")
                                                                                : QStringLiteral("h:mm"));
    if (!date.isValid() || !time.isValid())
        return false;
    dateTime = QDateTime(date, time, Qt::UTC);
    return true;
}

} // namespace

UsedRange Sheet::usedRange() const
{
    int firstRow = -1, lastRow = -1, firstColumn = -1, lastColumn = -1;
    for (const auto &[pos, cell] : cells) {
        if (cell.isEmpty())
            continue;
        if (firstRow < 0)
            firstRow = pos.row;
        lastRow = pos.row;
        firstColumn = firstColumn < 0 ? pos.column : std::min(firstColumn, pos.column);
        lastColumn = std::max(lastColumn, pos.column);
    }
    if (firstRow < 0)
        return {};
    return {firstRow, firstColumn, lastRow - firstRow + 1, lastColumn - firstColumn + 1};
}

const Cell *Sheet::cell(CellPos pos) const
{
    const auto found = cells.find(pos);
    return found == cells.end() ? nullptr : &found->second;
}

SheetLimits sheetLimits(WorkbookFormat format)
{
    return format == WorkbookFormat::Xls ? SheetLimits{65536, 256} : SheetLimits{1048576, 16384};
}

double serialFromDateTime(const QDateTime &dateTime)
{
    return double(kBase1900.daysTo(dateTime.date())) + double(dateTime.time().msecsSinceStartOfDay()) / kMsPerDay;
}

QDateTime dateTimeFromSerial(double serial, bool base1904)
{
    if (!std::isfinite(serial) || std::fabs(serial) > kLastSerial)
        return {};
    const qint64 ms = std::llround(serial * kMsPerDay);
    const qint64 days = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    const QDate base = base1904 ? kBase1904 : kBase1900;
    return QDateTime(base.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms - days * kMsPerDay)), Qt::UTC);
}

Cell cellFromText(const QString &text)
{
    Cell cell;
    if (text.isEmpty())
        return cell;
    const QString trimmed = text.trimmed();
    double number = 0;
    QDateTime dateTime;
    if (parseNumber(trimmed, number)) {
        cell.value = number;
    } else if (trimmed.endsWith(u'%') && parseNumber(trimmed.chopped(1).trimmed(), number)) {
        cell.value = number / 100;
        cell.format = NumberFormat::Percent;
    } else if (parseDateTime(trimmed, dateTime)) {
        cell.value = dateTime;
        cell.format = NumberFormat::DateTime;
    } else {
        cell.value = text;
    }
    return cell;
}

bool cellFromValue(const QVariant &value, Cell &cell)
{
    cell = Cell();
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        cell.value = value.toDouble();
        return std::isfinite(cell.value.toDouble());
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDateTime local = value.toDateTime();
        cell.value = QDateTime(local.date(), local.time(), Qt::UTC);
        cell.format = NumberFormat::DateTime;
        return local.isValid();
    }
    default: {
        const QString text = value.toString();
        cell = cellFromText(text);
        return text.size() <= kMaxTextLength;
    }
    }
}
