#pragma once

#include <QHash>
#include <QPointer>
#include <QTableWidget>

#include <functional>

// A table widget for thousands of rows with cell widgets. Qt places and shows every cell
// widget on each layout pass and row insertion; here only the rows on screen are placed
// and shown, the others stay hidden until they scroll into view. Columns with a widget
// maker get their widgets only when a row first comes on screen, so a long list costs
// no widgets for the rows nobody looked at.
class CellWidgetTable : public QTableWidget
{
    Q_OBJECT

public:
    using WidgetMaker = std::function<QWidget *()>;
    using QTableWidget::QTableWidget;

    // As QTableWidget::setCellWidget; the widget shows once its row is on screen.
    void setCellWidget(int row, int column, QWidget *widget);
    // Every cell of the column gets a widget from `make` when its row first shows.
    void setColumnWidgetMaker(int column, WidgetMaker make);
    // The cell's widget, made now if its column has a maker and it has none yet.
    QWidget *ensureCellWidget(int row, int column);
    // Drops the made widgets; they are made again as their rows show (after a language change).
    void remakeColumnWidgets();

protected slots:
    void updateEditorGeometries() override;

protected:
    void scrollContentsBy(int dx, int dy) override;

private:
    void hideOffScreen(QWidget *widget);

    QList<QPointer<QWidget>> m_shown;
    QHash<int, WidgetMaker> m_makers;
};
