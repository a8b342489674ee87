#include "MeterTable.h"

#include "DataPaths.h"
#include "ExcelEngine.h"

#include <QFileInfo>

#include <cmath>

namespace {

constexpr int kMeterNumberColumn = 0;
constexpr int kModelNameColumn = 1;
constexpr int kDeviceTypeColumn = 2;

// A cell that holds a whole number, as a number or as digits.
bool integerCell(const QVariant &cell, qint64 &number)
{
    if (cell.typeId() == QMetaType::Double) {
        const double value = cell.toDouble();
        // Out of range (1e300) or NaN, the conversion itself would be undefined.
        if (!std::isfinite(value) || std::fabs(value) >= 9e15)
            return false;
        number = qint64(value);
        return double(number) == value;
    }
    bool ok = false;
    number = cell.toString().trimmed().toLongLong(&ok);
    return ok;
}

} // namespace

QString MeterTable::defaultPath()
{
    const QString name = QStringLiteral("meterno.xls");
    const QString found = DataPaths::find(name);
    // None found: the name beside the program, so that the load reports it missing.
    return found.isEmpty() ? DataPaths::folders().constFirst() + u'/' + name : found;
}

QString MeterTable::unknownModelName()
{
    return tr("UnKnow");
}

MeterTableMessage MeterTable::load(const QString &path)
{
    rows_.clear();
    ExcelEngine engine(path);
    if (!engine.openForReading(1))
        return {tr("Error："), tr("Can't open file！")};
    if (engine.rowCount() <= 1)
        return {tr("Error："), tr("Failed to read excel file！")};
    engine.readAll(rows_);
    return {};
}

MeterLookup MeterTable::lookup(quint32 meterNumber, QString &modelName, int &deviceType) const
{
    modelName = unknownModelName();
    if (rows_.size() <= 1)
        return {};
    for (qsizetype r = 1; r < rows_.size(); ++r) {
        const QList<QVariant> &row = rows_[r];
        qint64 number = 0, type = 0;
        if (row.size() > kDeviceTypeColumn && integerCell(row[kMeterNumberColumn], number) && number == meterNumber) {
            modelName = row[kModelNameColumn].toString();
            deviceType = integerCell(row[kDeviceTypeColumn], type) ? int(type) : 0;
            return {true, {}};
        }
    }
    return {false, {tr("Error"), tr("Read MeterNo Fail!")}};
}
