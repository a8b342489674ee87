#include "RbTableHeaderModel.h"

RbTableHeaderModel::RbTableHeaderModel(int rows, int columns, QObject *parent)
    : QAbstractTableModel(parent), rows_(rows), columns_(columns),
      root_(std::make_unique<RbHeaderCell>(-1, -1, nullptr))
{
}

RbTableHeaderModel::~RbTableHeaderModel() = default;

bool RbTableHeaderModel::inRange(int row, int column) const
{
    return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

QModelIndex RbTableHeaderModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!inRange(row, column))
        return {};
    RbHeaderCell *owner = parent.isValid() ? static_cast<RbHeaderCell *>(parent.internalPointer()) : root_.get();
    return createIndex(row, column, owner->child(row, column));
}

int RbTableHeaderModel::rowCount(const QModelIndex &) const
{
    return rows_;
}

int RbTableHeaderModel::columnCount(const QModelIndex &) const
{
    return columns_;
}

QVariant RbTableHeaderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !inRange(index.row(), index.column()))
        return {};
    return static_cast<RbHeaderCell *>(index.internalPointer())->data(role);
}

bool RbTableHeaderModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    auto *cell = static_cast<RbHeaderCell *>(index.internalPointer());
    QVariant stored = value;
    if (role == ColumnSpanRole || role == RowSpanRole) {
        const int span = value.toInt();
        if (span <= 0)
            return true;
        const int room = role == ColumnSpanRole ? columns_ - index.column() : rows_ - index.row();
        stored = qMin(span, room);
    }
    cell->setData(role, stored);
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags RbTableHeaderModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsEnabled;
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}
