#include "ComparisonRecordModel.h"

#include "ColourDifference.h"

#include <QColor>

#include <algorithm>
#include <utility>

namespace {

Lab labFromColumns(const ComparisonRecord &record, int firstValueColumn)
{
    return {parseValueText(record.text(firstValueColumn + Quantity::L)),
            parseValueText(record.text(firstValueColumn + Quantity::A)),
            parseValueText(record.text(firstValueColumn + Quantity::B))};
}

QVariant resultBackground(RecordResult result)
{
    switch (result) {
    case RecordResult::Pass:
        return QColor(Qt::darkGreen);
    case RecordResult::Ng:
        return QColor(Qt::red);
    case RecordResult::Unknown:
        break;
    }
    return {};
}

} // namespace

int ComparisonRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int ComparisonRecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RecordColumn::Count;
}

QVariant ComparisonRecordModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == RecordColumn::DeleteButton)
            return ComparisonRecord::tr("Delete");
        if (column == RecordColumn::ReportButton)
            return ComparisonRecord::tr("Report");
        return records_.at(index.row()).text(column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        return column == RecordColumn::Result ? resultBackground(records_.at(index.row()).result()) : QVariant();
    default:
        return {};
    }
}

bool ComparisonRecordModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != RecordColumn::Name)
        return false;
    rename(index.row(), value.toString());
    return true;
}

Qt::ItemFlags ComparisonRecordModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.column() == RecordColumn::Name ? base | Qt::ItemIsEditable : base;
}

unsigned ComparisonRecordModel::countResult(bool pass)
{
    counters_.add(pass);
    return counters_.total();
}

void ComparisonRecordModel::append(const ComparisonRecord &record)
{
    append(QList<ComparisonRecord>{record});
}

void ComparisonRecordModel::append(const QList<ComparisonRecord> &records)
{
    if (records.isEmpty())
        return;
    beginInsertRows({}, count(), count() + int(records.size()) - 1);
    records_.append(records);
    endInsertRows();
    emit countersChanged();
}

void ComparisonRecordModel::appendCounting(const QList<ComparisonRecord> &records)
{
    for (const ComparisonRecord &record : records) {
        if (record.result() != RecordResult::Unknown)
            counters_.add(record.result() == RecordResult::Pass);
    }
    append(records);
}

bool ComparisonRecordModel::remove(int row)
{
    if (row < 0 || row >= count())
        return false;
    // A record that was never counted (an unknown imported result) takes nothing off.
    const RecordResult result = records_.at(row).result();
    if (result != RecordResult::Unknown)
        counters_.remove(result == RecordResult::Ng);
    beginRemoveRows({}, row, row);
    records_.removeAt(row);
    endRemoveRows();
    emit countersChanged();
    return true;
}

int ComparisonRecordModel::unsavedCount() const
{
    return int(std::count_if(records_.begin(), records_.end(), [](const ComparisonRecord &r) { return !r.isKept(); }));
}

void ComparisonRecordModel::rename(int row, const QString &name)
{
    if (row < 0 || row >= count())
        return;
    records_[row].setText(RecordColumn::Name, name);
    records_[row].setKept(false);
    emit dataChanged(index(row, RecordColumn::Name), index(row, RecordColumn::Name));
}

void ComparisonRecordModel::clear()
{
    beginResetModel();
    // Freeing thousands of records takes longer than showing the emptied list; they are freed
    // once the event loop has shown it.
    QMetaObject::invokeMethod(this, [freed = std::exchange(records_, {})] {}, Qt::QueuedConnection);
    endResetModel();
    counters_.reset();
    emit countersChanged();
}

void ComparisonRecordModel::restore(const QList<ComparisonRecord> &records, const ComparisonCounters &counters)
{
    beginResetModel();
    records_ = records;
    endResetModel();
    restoreCounters(counters);
}

void ComparisonRecordModel::restoreCounters(const ComparisonCounters &counters)
{
    counters_ = counters;
    emit countersChanged();
}

void ComparisonRecordModel::rejudge(JudgementSettings &settings, const QString &model, const QString &serialNumber)
{
    if (records_.isEmpty())
        return;
    counters_.resetCounts();
    const QString hazeTolerance = ComparisonRecord::toleranceText(settings.hazeTolerance);
    const QString transmittanceTolerance = ComparisonRecord::toleranceText(settings.transmittanceTolerance);
    for (ComparisonRecord &record : records_) {
        const double deltaHaze = parseValueText(record.text(RecordColumn::DeltaHaze));
        const double deltaTransmittance = parseValueText(record.text(RecordColumn::DeltaTransmittance));
        const double deltaE = judgedDeltaE(settings, labFromColumns(record, RecordColumn::StandardFirst),
                                           labFromColumns(record, RecordColumn::SampleFirst));
        const bool pass = passes(settings, deltaHaze, deltaTransmittance, deltaE);
        counters_.add(pass);
        record.setText(RecordColumn::DeltaE, formatDeltaE(deltaE));
        record.setResult(pass ? RecordResult::Pass : RecordResult::Ng);
        record.setText(RecordColumn::HazeTolerance, hazeTolerance);
        record.setText(RecordColumn::TransmittanceTolerance, transmittanceTolerance);
        record.setText(RecordColumn::Threshold, formatThreshold(settings.workingThreshold));
        record.setText(RecordColumn::Model, model);
        record.setText(RecordColumn::SerialNumber, serialNumber);
    }
    emitRowsChanged(RecordColumn::DeltaE, RecordColumn::SerialNumber);
    emit countersChanged();
}

void ComparisonRecordModel::retranslate()
{
    for (ComparisonRecord &record : records_)
        record.retranslate();
    emitRowsChanged(RecordColumn::Result, RecordColumn::ReportButton);
}

void ComparisonRecordModel::emitRowsChanged(int firstColumn, int lastColumn)
{
    if (!records_.isEmpty())
        emit dataChanged(index(0, firstColumn), index(count() - 1, lastColumn));
}
