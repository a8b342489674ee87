#pragma once

#include <QHeaderView>

class RbTableHeaderModel;

// A header of several rows (horizontal) or several columns (vertical) whose cells can be
// merged across sections and across header rows. It creates and owns its cell model.
class RbTableHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    RbTableHeaderView(Qt::Orientation orientation, int rows, int columns, QWidget *parent = nullptr);

    RbTableHeaderModel *headerModel() const { return model_; }

    void setCellSpan(int row, int column, int rowSpanCount, int columnSpanCount);
    void setHeaderRowHeight(int row, int height);
    void setCellBackground(const QModelIndex &index, const QColor &colour);

    QModelIndex spanOriginForColumn(const QModelIndex &index) const;
    QModelIndex spanOriginForRow(const QModelIndex &index) const;
    int spannedWidth(int row, int firstColumn, int count) const;
    int spannedHeight(int column, int firstRow, int count) const;
    // Sections covered by the merge holding index; the span count, or 0 (first and last untouched).
    // When a range is found, index becomes the merge's origin.
    int mergedSectionRange(QModelIndex &index, int &first, int &last) const;

    QModelIndex indexAt(const QPoint &point) const override;

signals:
    void sectionPressed(int from, int to);

protected slots:
    void onSectionResized(int logicalIndex, int oldSize, int newSize);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    // Where one header cell is drawn: the merge origin (or the cell) and its rectangle.
    struct CellPlacement
    {
        QModelIndex drawn;
        QRect rect;
        int lastLevel; // header row (column, when vertical) the placement ends on
    };

    bool horizontal() const { return orientation() == Qt::Horizontal; }
    int levelCount() const;
    QModelIndex cellAt(int level, int section) const;
    QSize cellSize(const QModelIndex &cell) const;
    // Sections are columns for a horizontal header; levels are its header rows.
    int sectionSpan(const QModelIndex &cell) const;
    int levelSpan(const QModelIndex &cell) const;
    QModelIndex sectionMergeOrigin(const QModelIndex &cell) const;
    QModelIndex levelMergeOrigin(const QModelIndex &cell) const;
    int spannedAlong(int level, int firstSection, int count) const;
    int spannedAcross(int section, int firstLevel, int count) const;
    CellPlacement placeCell(int level, int section, int sectionStart) const;

    RbTableHeaderModel *model_;
};
