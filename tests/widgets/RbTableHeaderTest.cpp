#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"

#include <QImage>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int Span = RbTableHeaderModel::ColumnSpanRole, RowSpan = RbTableHeaderModel::RowSpanRole;

struct SpanCase { int row, column, role, value; QVariant stored; };
using SpanStorage = ::testing::TestWithParam<SpanCase>;

TEST_P(SpanStorage, IsCutAtTheEdgeAndIgnoresNonPositiveValues)
{
    const SpanCase c = GetParam();
    RbTableHeaderModel model(2, 36);
    const QModelIndex cell = model.index(c.row, c.column);
    EXPECT_TRUE(model.setData(cell, c.value, c.role));
    EXPECT_EQ(model.data(cell, c.role), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpanStorage, ::testing::Values(
    SpanCase{0, 30, Span, 10, 6}, SpanCase{0, 3, Span, 11, 11}, SpanCase{0, 35, Span, 1, 1}, SpanCase{0, 0, Span, 0, {}},
    SpanCase{0, 0, Span, -3, {}}, SpanCase{0, 0, RowSpan, 2, 2}, SpanCase{1, 4, RowSpan, 5, 1},
    SpanCase{1, 4, RowSpan, -1, {}}));

TEST(RbTableHeaderModel, IndexDataAndFlagsOutsideTheCells)
{
    RbTableHeaderModel model(2, 36);
    EXPECT_FALSE(model.index(2, 0).isValid() || model.index(0, 36).isValid());
    EXPECT_FALSE(model.setData(QModelIndex(), 1, Span));
    EXPECT_EQ(model.data(QModelIndex(), Qt::DisplayRole), QVariant());
    EXPECT_EQ(model.flags(QModelIndex()), Qt::ItemIsEnabled);
    EXPECT_TRUE(model.flags(model.index(1, 35)) & Qt::ItemIsEditable);

    EXPECT_TRUE(model.setData(model.index(1, 2), QStringLiteral("Haze"), Qt::DisplayRole));
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("Haze"));
}

// The record list's header: labels over both rows, two eleven-column headings over labels.
struct RecordHeader
{
    QTableWidget table{0, 36};
    RbTableHeaderView *header = new RbTableHeaderView(Qt::Horizontal, 2, 36, &table);

    RecordHeader()
    {
        for (int column : {0, 1, 2, 25, 26, 27, 28, 29, 30})
            header->setCellSpan(0, column, 2, 0);
        header->setCellSpan(0, 3, 1, 11);
        header->setCellSpan(0, 14, 1, 11);
        header->setHeaderRowHeight(0, 30);
        header->setHeaderRowHeight(1, 30);
        header->setSectionsClickable(true);
        table.setHorizontalHeader(header);
        table.resize(2000, 300);
        table.show();
        QCoreApplication::processEvents();
    }

    QPoint pointAt(int section, int y) const { return {header->sectionViewportPosition(section) + 5, y}; }
};

struct PressCase { const char *what; int section, y, first, last; };
constexpr int Nothing = -2; // no press reported
using HeaderPress = ::testing::TestWithParam<PressCase>;

TEST_P(HeaderPress, ReportsTheMergedRange)
{
    const PressCase c = GetParam();
    RecordHeader h;
    h.header->resize(h.header->width(), 100);
    QSignalSpy spy(h.header, qOverload<int, int>(&RbTableHeaderView::sectionPressed));
    QTest::mousePress(h.header->viewport(), Qt::LeftButton, {}, h.pointAt(c.section, c.y));
    const QList<QVariantList> expected = c.first == Nothing ? QList<QVariantList>() : QList<QVariantList>{{c.first, c.last}};
    EXPECT_EQ(QList<QVariantList>(spy), expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, HeaderPress, ::testing::Values(
    PressCase{"Standard heading", 5, 10, 3, 13}, PressCase{"label under Standard", 5, 45, 3, 13},
    PressCase{"label under Sample", 24, 45, 14, 24}, PressCase{"NO over both rows", 0, 10, -1, -1},
    PressCase{"NO, second row", 0, 45, -1, -1}, PressCase{"Pass or not", 28, 45, -1, -1},
    PressCase{"below the rows", 5, 70, Nothing, Nothing}));

TEST(RbTableHeaderView, IndexAtWalksDownTheRows)
{
    RecordHeader h;
    EXPECT_EQ(h.header->sizeHint().height(), 60);
    using Case = std::pair<int, int>; // y, header row there
    for (const auto &[y, row] : {Case{0, 0}, Case{29, 0}, Case{30, 1}, Case{59, 1}, Case{60, -1}, Case{500, -1}}) {
        const QModelIndex cell = h.header->indexAt(h.pointAt(7, y));
        EXPECT_EQ(cell.isValid() ? QPoint(cell.row(), cell.column()) : QPoint(-1, 7), QPoint(row, 7)) << "y " << y;
    }
}

TEST(RbTableHeaderView, VerticalHeaderSwapsRowsAndColumns)
{
    QTableWidget table(6, 2);
    auto *header = new RbTableHeaderView(Qt::Vertical, 6, 2, &table);
    header->setCellSpan(1, 0, 3, 1);
    table.setVerticalHeader(header);
    table.show();
    QModelIndex cell = header->headerModel()->index(2, 0);
    int first = -1, last = -1;
    EXPECT_EQ(header->mergedSectionRange(cell, first, last), 3);
    EXPECT_EQ(QPoint(first, last), QPoint(1, 3));
    EXPECT_EQ(header->indexAt({60, header->sectionViewportPosition(2) + 2}), header->headerModel()->index(2, 1));
    EXPECT_FALSE(header->indexAt({100, header->sectionViewportPosition(2) + 2}).isValid());
}

TEST(RbTableHeaderView, MergedHeadingIsPaintedWholeAfterAResize)
{
    RecordHeader h;
    h.header->setCellBackground(h.header->headerModel()->index(0, 3), QColor(Qt::red));
    h.header->resizeSection(5, 150);
    QCoreApplication::processEvents();
    EXPECT_EQ(h.header->spannedWidth(0, 3, 11), 10 * h.header->sectionSize(3) + 150);

    const QImage image = h.header->viewport()->grab().toImage();
    const int right = h.header->sectionViewportPosition(13) + h.header->sectionSize(13) - 4;
    for (int x : {h.header->sectionViewportPosition(3) + 4, h.header->sectionViewportPosition(9) + 4, right})
        EXPECT_EQ(image.pixelColor(x, 4), QColor(Qt::red)) << "x " << x;
    EXPECT_NE(image.pixelColor(h.header->sectionViewportPosition(3) + 4, 45), QColor(Qt::red));
}

} // namespace
