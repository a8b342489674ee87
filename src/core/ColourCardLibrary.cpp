#include "ColourCardLibrary.h"

#include "Crc16.h"
#include "DeviceCommands.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

using Rows = QList<QList<QVariant>>;
using Check = ColourCardCheck;

constexpr int CardColumns = 5;   // A, B names; C rows; D value; E CRC
constexpr int ColourColumns = 4; // A name; B, C, D values
constexpr int MaxWord = 0xFFFF;

// An integral number within [low, high], stored as a number or typed as text.
std::optional<int> cellInteger(const QVariant &cell, int low, int high)
{
    double value = 0;
    if (cell.typeId() == QMetaType::Double) {
        value = cell.toDouble();
    } else if (cell.typeId() == QMetaType::QString) {
        bool ok = false;
        value = cell.toString().trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(value) || value != std::trunc(value) || value < low || value > high)
        return std::nullopt;
    return int(value);
}

QString collapsed(const QVariant &cell)
{
    return ColourCardLibrary::cellText(cell).simplified();
}

// The name's UTF-8 bytes padded with zeros to the field, or empty when it does not fit.
std::optional<QByteArray> nameField(const QString &name, int bytes)
{
    const QByteArray utf8 = name.toUtf8();
    if (utf8.size() > bytes)
        return std::nullopt;
    return utf8.leftJustified(bytes, '\0');
}

void appendLittleEndian(QByteArray &bytes, qint16 value)
{
    const auto word = quint16(value);
    bytes.append(char(word & 0xFF));
    bytes.append(char(word >> 8));
}

} // namespace

ColourCardCheck ColourCardLibrary::read(const Rows &rows, const QString &modelName)
{
    cards_.clear();
    stream_.clear();
    if (rows.isEmpty() || rows[0].isEmpty())
        return {Check::ReadFailed, 1};
    if (collapsed(rows[0][0]) != modelName)
        return {Check::WrongModel, 1};
    if (rows.size() < 2 || rows[1].size() < 2)
        return {Check::ReadFailed, 2};
    const std::optional<int> count = cellInteger(rows[1][0], 0, std::numeric_limits<int>::max());
    const std::optional<int> countCrc = cellInteger(rows[1][1], 0, MaxWord);
    if (!count || !countCrc)
        return {Check::ReadFailed, 2};
    // The card table must end before the colour rows and within the rows present.
    if (*count > MaxCards || rows.size() < *count + 2)
        return {Check::NotEnoughRows, 2};
    if (crc16Modbus(CDeviceCommands::stdColorCountData(*count)) != *countCrc)
        return {Check::WrongCountCrc, 2};
    countCrc_ = *countCrc;

    int colourRows = 0;
    if (const Check check = readCards(rows, *count, colourRows); !check.ok())
        return check;
    if (rows.size() < FirstColourRow - 1 + qint64(colourRows))
        return {Check::NotEnoughRows, int(rows.size())};
    return readColourRows(rows, colourRows);
}

ColourCardCheck ColourCardLibrary::readCards(const Rows &rows, int count, int &colourRows)
{
    for (int i = 0; i < count; ++i) {
        const int row = i + 3;
        const QList<QVariant> &cells = rows[row - 1];
        if (cells.size() < CardColumns)
            return {Check::ReadFailed, row};
        ColourCard card;
        card.name1 = collapsed(cells[0]);
        card.name2 = collapsed(cells[1]);
        if (!nameField(card.name1, CardNameBytes) || !nameField(card.name2, CardNameBytes))
            return {Check::NameTooLong, row};
        const std::optional<int> rowsOfCard = cellInteger(cells[2], 0, MaxWord);
        const std::optional<int> value2 = cellInteger(cells[3], 0, MaxWord);
        const std::optional<int> crc = cellInteger(cells[4], 0, MaxWord);
        if (!rowsOfCard || !value2 || !crc)
            return {Check::ReadFailed, row};
        card.colourRows = *rowsOfCard;
        card.value2 = *value2;
        card.crc = *crc;
        const QByteArray record = CDeviceCommands::stdColorInfoData(card.name1, card.name2, card.colourRows, card.value2);
        if (crc16Modbus(record) != card.crc)
            return {Check::WrongCardCrc, row};
        colourRows += card.colourRows;
        cards_.append(card);
    }
    return {};
}

ColourCardCheck ColourCardLibrary::readColourRows(const Rows &rows, int colourRows)
{
    QByteArray names;
    QByteArray values;
    names.reserve(qsizetype(colourRows) * ColourNameBytes);
    values.reserve(qsizetype(colourRows) * ColourValueBytes);
    for (int i = 0; i < colourRows; ++i) {
        const int row = FirstColourRow + i;
        const QList<QVariant> &cells = rows[row - 1];
        if (cells.size() < ColourColumns)
            return {Check::ReadFailed, row};
        const std::optional<QByteArray> name = nameField(collapsed(cells[0]), ColourNameBytes);
        if (!name)
            return {Check::NameTooLong, row};
        names.append(*name);
        for (int column = 1; column < ColourColumns; ++column) {
            const std::optional<qint16> value =
                cells[column].isValid() ? hundredths(cellText(cells[column])) : std::nullopt;
            if (!value)
                return {Check::ReadFailed, row};
            appendLittleEndian(values, *value);
        }
    }
    stream_ = names + values;
    return {};
}

std::optional<qint16> ColourCardLibrary::hundredths(const QString &text)
{
    // A sign, then a digit right away or after the point.
    static const QRegularExpression number(QStringLiteral("^([+-]?(?=\\.?\\d)\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch match = number.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    // Two fraction digits exactly: missing ones are zeros, further ones are cut.
    const QString fraction = (match.captured(2) + QStringLiteral("00")).left(2);
    bool ok = false;
    const int value = (match.captured(1) + fraction).toInt(&ok, 10);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(value);
}

QString ColourCardLibrary::cellText(const QVariant &cell)
{
    if (cell.typeId() == QMetaType::Double)
        return QString::number(cell.toDouble(), 'f', QLocale::FloatingPointShortest);
    return cell.toString();
}
