#include "SpectralRecordModel.h"

#include <QCoreApplication>

namespace {

QString pageTr(const char *text)
{
    return QCoreApplication::translate("MeterPageFor310", text);
}

} // namespace

int SpectralRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + count();
}

int SpectralRecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString SpectralRecordModel::text(int row, int column) const
{
    if (row == 0) {
        if (column == NumberColumn)
            return pageTr("No");
        if (column == NameColumn)
            return pageTr("Name");
        if (column == CurveColumn)
            return pageTr("Curve");
        if (column == OperationColumn)
            return pageTr("Operation");
        return QStringLiteral("%1nm").arg(400 + 10 * (column - FirstValueColumn));
    }
    const int k = row - 1;
    if (column == NumberColumn)
        return QString::number(numbers_.at(k));
    if (column == NameColumn)
        return names_.at(k);
    if (column == CurveColumn)
        return {};
    if (column == OperationColumn)
        return pageTr("Delete");
    return QString::number(records_.at(k).values[column - FirstValueColumn], 'g', 6);
}

QVariant SpectralRecordModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() > count())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(row, column);
    case Qt::TextAlignmentRole:
        return row > 0 && column == NameColumn ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    case Qt::CheckStateRole:
        if (column != CurveColumn)
            return {};
        return (row == 0 ? allVisible_ : records_.at(row - 1).visible) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool SpectralRecordModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() < 0 || index.row() > count())
        return false;
    if (role == Qt::CheckStateRole && index.column() == CurveColumn) {
        setVisible(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
    if (role == Qt::EditRole && index.column() == NameColumn && index.row() > 0) {
        names_[index.row() - 1] = value.toString();
        emit dataChanged(index, index);
        return true;
    }
    return false;
}

Qt::ItemFlags SpectralRecordModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == CurveColumn)
        flags |= Qt::ItemIsUserCheckable;
    if (index.column() == NameColumn && index.row() > 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

void SpectralRecordModel::append(const SpectralRecord &record, const QString &name)
{
    append(QList<SpectralRecord>{record}, QStringList{name});
}

void SpectralRecordModel::append(const QList<SpectralRecord> &records, const QStringList &names)
{
    if (records.isEmpty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(records.size()) - 1);
    for (int k = 0; k < records.size(); ++k) {
        const QString name = names.value(k);
        numbers_.append(first + k);
        names_.append(name.isEmpty() ? QStringLiteral("spec%1").arg(nameCounter_++) : name);
        records_.append(records[k]);
    }
    endInsertRows();
    emit curvesChanged();
}

void SpectralRecordModel::remove(int record)
{
    if (record < 0 || record >= count())
        return;
    beginRemoveRows({}, record + 1, record + 1);
    records_.removeAt(record);
    names_.removeAt(record);
    numbers_.removeAt(record);
    endRemoveRows();
    emit curvesChanged();
}

void SpectralRecordModel::clear()
{
    beginResetModel();
    records_.clear();
    names_.clear();
    numbers_.clear();
    endResetModel();
    emit curvesChanged();
}

void SpectralRecordModel::restore(const QList<SpectralRecord> &records, const QStringList &names,
                                  const QList<int> &numbers, int nameCounter)
{
    beginResetModel();
    records_ = records;
    names_ = names;
    numbers_ = numbers;
    nameCounter_ = nameCounter;
    endResetModel();
    emit curvesChanged();
}

void SpectralRecordModel::setVisible(int row, bool visible)
{
    if (row == 0) {
        allVisible_ = visible;
        for (SpectralRecord &record : records_)
            record.visible = visible;
        emit dataChanged(index(0, CurveColumn), index(count(), CurveColumn), {Qt::CheckStateRole});
    } else if (row >= 1 && row <= count()) {
        records_[row - 1].visible = visible;
        emit dataChanged(index(row, CurveColumn), index(row, CurveColumn), {Qt::CheckStateRole});
        // Checking a row again never re-checks the all-curves box.
        if (!visible && allVisible_) {
            allVisible_ = false;
            emit dataChanged(index(0, CurveColumn), index(0, CurveColumn), {Qt::CheckStateRole});
        }
    }
    emit curvesChanged();
}

QList<QStringList> SpectralRecordModel::exportRows() const
{
    QList<QStringList> rows;
    rows.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        QStringList &cells = rows.emplace_back();
        for (int column = 0; column < ExportedColumns; ++column)
            cells << text(row, column);
    }
    return rows;
}
