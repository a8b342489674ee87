#include "RbHeaderCell.h"

RbHeaderCell::RbHeaderCell(int row, int column, RbHeaderCell *parent)
    : row_(row), column_(column), parent_(parent)
{
}

RbHeaderCell::~RbHeaderCell()
{
    qDeleteAll(children_);
}

RbHeaderCell *RbHeaderCell::child(int row, int column)
{
    RbHeaderCell *&cell = children_[qMakePair(row, column)];
    if (!cell)
        cell = new RbHeaderCell(row, column, this);
    return cell;
}
