#pragma once

#include <QHash>
#include <QPair>
#include <QVariant>

// One cell of a multi-row header: its position, its role values and the cells below it.
class RbHeaderCell
{
public:
    RbHeaderCell(int row, int column, RbHeaderCell *parent);
    ~RbHeaderCell();
    RbHeaderCell(const RbHeaderCell &) = delete;
    RbHeaderCell &operator=(const RbHeaderCell &) = delete;

    int row() const { return row_; }
    int column() const { return column_; }
    RbHeaderCell *parent() const { return parent_; }

    // The child at (row, column), created on first use and owned by this cell.
    RbHeaderCell *child(int row, int column);

    QVariant data(int role) const { return roles_.value(role); }
    void setData(int role, const QVariant &value) { roles_.insert(role, value); }

private:
    int row_;
    int column_;
    RbHeaderCell *parent_;
    QHash<QPair<int, int>, RbHeaderCell *> children_;
    QHash<int, QVariant> roles_;
};
