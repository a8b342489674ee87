#include "CellWidgetTable.h"

#include <QApplication>
#include <QSet>

void CellWidgetTable::setCellWidget(int row, int column, QWidget *widget)
{
    QTableWidget::setCellWidget(row, column, widget);
    // The next layout pass shows it if its row is on screen.
    if (widget)
        widget->hide();
}

void CellWidgetTable::setColumnWidgetMaker(int column, WidgetMaker make)
{
    m_makers.insert(column, std::move(make));
    scheduleDelayedItemsLayout();
}

QWidget *CellWidgetTable::ensureCellWidget(int row, int column)
{
    QWidget *widget = cellWidget(row, column);
    if (widget || row < 0 || row >= rowCount())
        return widget;
    const auto maker = m_makers.constFind(column);
    if (maker == m_makers.constEnd())
        return nullptr;
    widget = (*maker)();
    setCellWidget(row, column, widget);
    return widget;
}

void CellWidgetTable::remakeColumnWidgets()
{
    for (auto maker = m_makers.cbegin(); maker != m_makers.cend(); ++maker) {
        for (int row = 0; row < rowCount(); ++row)
            removeCellWidget(row, maker.key());
    }
    scheduleDelayedItemsLayout();
}

void CellWidgetTable::updateEditorGeometries()
{
    QSet<QWidget *> placed;
    const int first = rowAt(0);
    const int bottom = rowAt(viewport()->height() - 1);
    const int last = bottom < 0 ? rowCount() - 1 : bottom;
    if (first >= 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        for (int row = first; row <= last; ++row) {
            for (int column = 0; column < columnCount(); ++column) {
                const QModelIndex index = model()->index(row, column);
                option.rect = visualRect(index);
                if (!option.rect.isValid())
                    continue;
                QWidget *widget = ensureCellWidget(row, column);
                if (!widget)
                    continue;
                itemDelegateForIndex(index)->updateEditorGeometry(widget, option, index);
                widget->show();
                placed.insert(widget);
            }
        }
    }
    for (const QPointer<QWidget> &widget : std::as_const(m_shown)) {
        if (widget && !placed.contains(widget))
            hideOffScreen(widget);
    }
    m_shown.clear();
    for (QWidget *widget : std::as_const(placed))
        m_shown.append(widget);
}

void CellWidgetTable::hideOffScreen(QWidget *widget)
{
    // Focus would move on to the next cell widget, and the view would scroll back to it.
    if (widget->isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    widget->hide();
}

void CellWidgetTable::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    updateEditorGeometries();
}
