#include "RbHeaderCell.h"

RbHeaderCell::RbHeaderCell(int row, int column, RbHeaderCell *parent)
    : m_row(row), m_column(column), m_parent(parent)
{
}

RbHeaderCell::~RbHeaderCell()
{
    qDeleteAll(m_children);
}

RbHeaderCell *RbHeaderCell::child(int row, int column)
{
    RbHeaderCell *&cell = m_children[qMakePair(row, column)];
    if (!cell)
        cell = new RbHeaderCell(row, column, this);
    return cell;
}
