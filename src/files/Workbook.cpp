#include "Workbook.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const QDate kBase1900(1899, 12, 30);
const QDate kBase1904(1904, 1, 1);
constexpr qint64 kMsPerDay = 86'400'000;
// Day numbers beyond year 9999 are not dates a spreadsheet shows.
constexpr double kLastSerial = 2'958'465.0;
// A double keeps 15 significant digits; longer digit strings (serial numbers) stay text.
constexpr int kExactDigits = 15;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// More significant digits than a double keeps, with nothing but a sign before them.
bool isLongInteger(QStringView text)
{
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.mid(1);
    while (text.startsWith(u'0'))
        text = text.mid(1);
    return text.size() > kExactDigits && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

// A decimal number as the C locale writes it: optional sign, digits, point, exponent;
// no group separators, no hexadecimal, nothing around it.
bool parseNumber(QStringView text, double &number)
{
    QVarLengthArray<char, 64> bytes;
    for (QChar c : text) {
        if (!isAsciiDigit(c) && c != u'.' && c != u'+' && c != u'-' && c != u'e' && c != u'E')
            return false;
        bytes.append(char(c.unicode()));
    }
    const char *begin = bytes.cbegin();
    const char *end = bytes.cend();
    if (begin != end && *begin == '+' && ++begin != end && *begin == '-')
        return false;
    const auto [stop, error] = std::from_chars(begin, end, number);
    return error == std::errc() && stop == end && std::isfinite(number) && !isLongInteger(text);
}

// Reads minDigits to maxDigits ASCII digits at pos, as many as there are.
bool readDigits(QStringView text, qsizetype &pos, int minDigits, int maxDigits, int &value)
{
    value = 0;
    int count = 0;
    for (; count < maxDigits && pos < text.size() && isAsciiDigit(text[pos]); ++count, ++pos)
        value = value * 10 + (text[pos].unicode() - u'0');
    return count >= minDigits;
}

bool skip(QStringView text, qsizetype &pos, char16_t c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

// "yyyy/M/d", then optionally one or two spaces and "h:mm" or "h:mm:ss"; nothing else.
bool parseDateTime(QStringView text, QDateTime &dateTime)
{
    qsizetype pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!readDigits(text, pos, 4, 4, year) || !skip(text, pos, u'/') || !readDigits(text, pos, 1, 2, month)
        || !skip(text, pos, u'/') || !readDigits(text, pos, 1, 2, day))
        return false;
    if (pos < text.size()) {
        if (!skip(text, pos, u' '))
            return false;
        skip(text, pos, u' ');
        if (!readDigits(text, pos, 1, 2, hour) || !skip(text, pos, u':') || !readDigits(text, pos, 2, 2, minute))
            return false;
        if (pos < text.size() && (!skip(text, pos, u':') || !readDigits(text, pos, 2, 2, second)))
            return false;
        if (pos < text.size())
            return false;
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
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
    const QStringView trimmed = QStringView(text).trimmed();
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
