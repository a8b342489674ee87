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

    int row() const { return m_row; }
    int column() const { return m_column; }
    RbHeaderCell *parent() const { return m_parent; }

    // The child at (row, column), created on first use and owned by this cell.
    RbHeaderCell *child(int row, int column);

    QVariant data(int role) const { return m_roles.value(role); }
    void setData(int role, const QVariant &value) { m_roles.insert(role, value); }

private:
    int m_row;
    int m_column;
    RbHeaderCell *m_parent;
    QHash<QPair<int, int>, RbHeaderCell *> m_children;
    QHash<int, QVariant> m_roles;
};
