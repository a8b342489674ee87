#include "RbTableHeaderView.h"

#include "RbTableHeaderModel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <qdrawutil.h>

namespace {
constexpr int DefaultCellHeight = 20;
constexpr int DefaultCellWidth = 50;

bool toBrush(const QVariant &value, QBrush &brush)
{
    if (value.userType() == QMetaType::QColor) {
        brush = QBrush(value.value<QColor>());
        return true;
    }
    if (value.userType() == QMetaType::QBrush) {
        brush = value.value<QBrush>();
        return true;
    }
    return false;
}
} // namespace

RbTableHeaderView::RbTableHeaderView(Qt::Orientation orientation, int rows, int columns, QWidget *parent)
    : QHeaderView(orientation, parent), model_(new RbTableHeaderModel(rows, columns, this))
{
    const QSize hint = horizontal() ? QSize(defaultSectionSize(), DefaultCellHeight)
                                    : QSize(DefaultCellWidth, defaultSectionSize());
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            model_->setData(model_->index(row, column), hint, Qt::SizeHintRole);
    setModel(model_);
    // Texts, spans and sizes change after construction; the header must show them.
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this] { headerDataChanged(this->orientation(), 0, count() - 1); });
    connect(this, &QHeaderView::sectionResized, this, &RbTableHeaderView::onSectionResized);
}

void RbTableHeaderView::setCellSpan(int row, int column, int rowSpanCount, int columnSpanCount)
{
    const QModelIndex cell = model_->index(row, column);
    if (rowSpanCount > 0)
        model_->setData(cell, rowSpanCount, RbTableHeaderModel::RowSpanRole);
    if (columnSpanCount != 0)
        model_->setData(cell, columnSpanCount, RbTableHeaderModel::ColumnSpanRole);
}

void RbTableHeaderView::setHeaderRowHeight(int row, int height)
{
    for (int column = 0; column < model_->columnCount(); ++column) {
        const QModelIndex cell = model_->index(row, column);
        QSize size = cellSize(cell);
        size.setHeight(height);
        model_->setData(cell, size, Qt::SizeHintRole);
    }
    if (!horizontal())
        resizeSection(row, height);
}

void RbTableHeaderView::setCellBackground(const QModelIndex &index, const QColor &colour)
{
    model_->setData(index, colour, Qt::BackgroundRole);
}

QModelIndex RbTableHeaderView::spanOriginForColumn(const QModelIndex &index) const
{
    for (int column = index.column(); column >= 0; --column) {
        const QModelIndex cell = model_->index(index.row(), column);
        const int span = cell.data(RbTableHeaderModel::ColumnSpanRole).toInt();
        if (span > 0 && column + span - 1 >= index.column())
            return cell;
    }
    return {};
}

QModelIndex RbTableHeaderView::spanOriginForRow(const QModelIndex &index) const
{
    for (int row = index.row(); row >= 0; --row) {
        const QModelIndex cell = model_->index(row, index.column());
        const int span = cell.data(RbTableHeaderModel::RowSpanRole).toInt();
        if (span > 0 && row + span - 1 >= index.row())
            return cell;
    }
    return {};
}

int RbTableHeaderView::spannedWidth(int row, int firstColumn, int count) const
{
    int width = 0;
    for (int column = firstColumn; column < firstColumn + count; ++column)
        width += cellSize(model_->index(row, column)).width();
    return width;
}

int RbTableHeaderView::spannedHeight(int column, int firstRow, int count) const
{
    int height = 0;
    for (int row = firstRow; row < firstRow + count; ++row)
        height += cellSize(model_->index(row, column)).height();
    return height;
}

int RbTableHeaderView::mergedSectionRange(QModelIndex &index, int &first, int &last) const
{
    // A range exists only where the merge origin spans sections: always for a merge along
    // them, for a merge across header levels only when its origin spans sections too.
    const auto rangeOf = [&](const QModelIndex &origin) {
        const int span = sectionSpan(origin);
        if (!origin.isValid() || span <= 0)
            return 0;
        first = horizontal() ? origin.column() : origin.row();
        last = first + span - 1;
        index = origin;
        return span;
    };
    if (const int span = rangeOf(spanOriginForColumn(index)))
        return span;
    return rangeOf(spanOriginForRow(index));
}

QModelIndex RbTableHeaderView::indexAt(const QPoint &point) const
{
    const int section = logicalIndexAt(point);
    if (section < 0)
        return {};
    const int depth = horizontal() ? point.y() : point.x();
    int edge = 0;
    for (int level = 0; level < levelCount(); ++level) {
        const QModelIndex cell = cellAt(level, section);
        edge += horizontal() ? cellSize(cell).height() : cellSize(cell).width();
        if (depth < edge)
            return cell;
    }
    return {};
}

void RbTableHeaderView::onSectionResized(int logicalIndex, int, int newSize)
{
    for (int level = 0; level < levelCount(); ++level) {
        const QModelIndex cell = cellAt(level, logicalIndex);
        QSize size = cellSize(cell);
        (horizontal() ? size.rwidth() : size.rheight()) = newSize;
        model_->setData(cell, size, Qt::SizeHintRole);

        const CellPlacement placement = placeCell(level, logicalIndex, sectionViewportPosition(logicalIndex));
        const QPoint corner = placement.rect.topLeft();
        viewport()->update(QRect(corner, QPoint(viewport()->width(), viewport()->height())));
    }
}

void RbTableHeaderView::mousePressEvent(QMouseEvent *event)
{
    QHeaderView::mousePressEvent(event);
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (!pressed.isValid())
        return;
    int first = -1;
    int last = -1;
    QModelIndex merged = pressed;
    if (mergedSectionRange(merged, first, last) > 0) {
        emit sectionPressed(first, last);
        return;
    }
    // A label under a heading: report the heading that also covers the pressed header row,
    // else the last heading found over this section.
    const int section = horizontal() ? pressed.column() : pressed.row();
    const int pressedLevel = horizontal() ? pressed.row() : pressed.column();
    for (int level = 0; level < levelCount(); ++level) {
        QModelIndex cell = cellAt(level, section);
        int from = -1;
        int to = -1;
        if (mergedSectionRange(cell, from, to) <= 0 || section < from || section > to)
            continue;
        first = from;
        last = to;
        const int originLevel = horizontal() ? cell.row() : cell.column();
        if (pressedLevel >= originLevel && pressedLevel < originLevel + levelSpan(cell)) {
            emit sectionPressed(first, last);
            return;
        }
    }
    emit sectionPressed(first, last);
}

void RbTableHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const int sectionStart = horizontal() ? rect.left() : rect.top();
    for (int level = 0; level < levelCount(); ++level) {
        const CellPlacement placement = placeCell(level, logicalIndex, sectionStart);
        level = placement.lastLevel;

        QStyleOptionHeader option;
        initStyleOption(&option);
        option.textAlignment = Qt::AlignCenter;
        option.iconAlignment = Qt::AlignVCenter;
        option.section = logicalIndex;
        option.text = placement.drawn.data(Qt::DisplayRole).toString();
        option.rect = placement.rect;
        QBrush brush;
        if (toBrush(placement.drawn.data(Qt::BackgroundRole), brush)) {
            option.palette.setBrush(QPalette::Button, brush);
            option.palette.setBrush(QPalette::Window, brush);
        }
        if (toBrush(placement.drawn.data(Qt::ForegroundRole), brush))
            option.palette.setBrush(QPalette::ButtonText, brush);

        painter->save();
        const QBrush fill = option.palette.brush(QPalette::Button);
        qDrawShadePanel(painter, option.rect, option.palette, false, 1, &fill);
        style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
        painter->restore();
    }
}

QSize RbTableHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    for (int level = 0; level < levelCount(); ++level) {
        const CellPlacement placement = placeCell(level, logicalIndex, 0);
        level = placement.lastLevel;
        size = placement.rect.size();
    }
    return size;
}

int RbTableHeaderView::levelCount() const
{
    return horizontal() ? model_->rowCount() : model_->columnCount();
}

QModelIndex RbTableHeaderView::cellAt(int level, int section) const
{
    return horizontal() ? model_->index(level, section) : model_->index(section, level);
}

QSize RbTableHeaderView::cellSize(const QModelIndex &cell) const
{
    return cell.data(Qt::SizeHintRole).toSize();
}

int RbTableHeaderView::sectionSpan(const QModelIndex &cell) const
{
    return cell.data(horizontal() ? RbTableHeaderModel::ColumnSpanRole : RbTableHeaderModel::RowSpanRole).toInt();
}

int RbTableHeaderView::levelSpan(const QModelIndex &cell) const
{
    return cell.data(horizontal() ? RbTableHeaderModel::RowSpanRole : RbTableHeaderModel::ColumnSpanRole).toInt();
}

QModelIndex RbTableHeaderView::sectionMergeOrigin(const QModelIndex &cell) const
{
    return horizontal() ? spanOriginForColumn(cell) : spanOriginForRow(cell);
}

QModelIndex RbTableHeaderView::levelMergeOrigin(const QModelIndex &cell) const
{
    return horizontal() ? spanOriginForRow(cell) : spanOriginForColumn(cell);
}

int RbTableHeaderView::spannedAlong(int level, int firstSection, int count) const
{
    return horizontal() ? spannedWidth(level, firstSection, count) : spannedHeight(level, firstSection, count);
}

int RbTableHeaderView::spannedAcross(int section, int firstLevel, int count) const
{
    return horizontal() ? spannedHeight(section, firstLevel, count) : spannedWidth(section, firstLevel, count);
}

RbTableHeaderView::CellPlacement RbTableHeaderView::placeCell(int level, int section, int sectionStart) const
{
    // Computed along the sections and across the header levels, then turned for the orientation.
    const QModelIndex cell = cellAt(level, section);
    const QSize own = cellSize(cell);
    int alongStart = sectionStart;
    int alongLength = horizontal() ? own.width() : own.height();
    int acrossStart = spannedAcross(section, 0, level);
    int acrossLength = horizontal() ? own.height() : own.width();
    int lastLevel = level;
    QModelIndex drawn = cell;

    const auto spanLevels = [&](const QModelIndex &origin) {
        const int span = levelSpan(origin);
        if (span <= 0)
            return;
        const int originSection = horizontal() ? origin.column() : origin.row();
        const int originLevel = horizontal() ? origin.row() : origin.column();
        acrossStart = spannedAcross(originSection, 0, originLevel);
        acrossLength = spannedAcross(originSection, originLevel, span);
        lastLevel = originLevel + span - 1;
    };
    const auto spanSections = [&](const QModelIndex &origin) {
        const int span = sectionSpan(origin);
        if (span <= 0)
            return;
        const int originSection = horizontal() ? origin.column() : origin.row();
        const int originLevel = horizontal() ? origin.row() : origin.column();
        alongStart = sectionViewportPosition(originSection);
        alongLength = spannedAlong(originLevel, originSection, span);
    };

    if (const QModelIndex origin = sectionMergeOrigin(cell); origin.isValid()) {
        spanSections(origin);
        spanLevels(origin);
        drawn = origin;
    } else if (const QModelIndex origin = levelMergeOrigin(cell); origin.isValid()) {
        spanLevels(origin);
        spanSections(origin);
        drawn = origin;
    }
    const QRect rect = horizontal() ? QRect(alongStart, acrossStart, alongLength, acrossLength)
                                    : QRect(acrossStart, alongStart, acrossLength, alongLength);
    return {drawn, rect, lastLevel};
}
