#pragma once

#include "RbHeaderCell.h"

#include <QAbstractTableModel>
#include <memory>

// The cells of a multi-row header. Counts are fixed at construction; cells appear on first access.
class RbTableHeaderModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum SpanRole {
        ColumnSpanRole = Qt::UserRole + 1, // sections covered, set on the merge's first cell only
        RowSpanRole = Qt::UserRole + 2,    // header rows covered
    };

    RbTableHeaderModel(int rows, int columns, QObject *parent = nullptr);
    ~RbTableHeaderModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // Spans are cut at the last row or column; spans of 0 or less are ignored.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    bool inRange(int row, int column) const;

    int rows_;
    int columns_;
    std::unique_ptr<RbHeaderCell> root_;
};
