#pragma once

#include <QPointer>
#include <QTableWidget>

// A table widget for thousands of rows with cell widgets. Qt places and shows every cell
// widget on each layout pass and row insertion; here only the rows on screen are placed
// and shown, the others stay hidden until they scroll into view.
class CellWidgetTable : public QTableWidget
{
    Q_OBJECT

public:
    using QTableWidget::QTableWidget;

    // As QTableWidget::setCellWidget; the widget shows once its row is on screen.
    void setCellWidget(int row, int column, QWidget *widget);

protected slots:
    void updateEditorGeometries() override;

protected:
    void scrollContentsBy(int dx, int dy) override;

private:
    void hideOffScreen(QWidget *widget);

    QList<QPointer<QWidget>> m_shown;
};
