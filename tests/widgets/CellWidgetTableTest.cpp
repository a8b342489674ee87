#include "CellWidgetTable.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// Rows whose cell widget is shown, and whether each shown one sits on its cell.
struct Shown
{
    QList<int> rows;
    bool onTheirCells = true;
};

Shown shownRows(CellWidgetTable &table, int column)
{
    Shown shown;
    for (int row = 0; row < table.rowCount(); ++row) {
        QWidget *widget = table.cellWidget(row, column);
        if (!widget || !widget->isVisible())
            continue;
        shown.rows.append(row);
        shown.onTheirCells = shown.onTheirCells && widget->geometry() == table.visualRect(table.model()->index(row, column));
    }
    return shown;
}

class CellWidgetTableTest : public ::testing::Test
{
protected:
    CellWidgetTableTest()
    {
        table.resize(400, 300);
        table.show();
        for (int row = 0; row < 500; ++row) {
            table.insertRow(row);
            table.setItem(row, 0, new QTableWidgetItem(QString::number(row)));
            table.setCellWidget(row, 1, new QPushButton(QStringLiteral("Delete")));
        }
        QCoreApplication::processEvents();
    }
    int visibleRows() { return table.rowAt(table.viewport()->height() - 1) - table.rowAt(0) + 1; }

    CellWidgetTable table{0, 2};
};

TEST_F(CellWidgetTableTest, ShowsOnlyTheWidgetsOfRowsOnScreen)
{
    const struct
    {
        const char *what;
        int scrollTo; // -1: the end
    } cases[] = {{"top", 0}, {"middle", 250}, {"end", -1}, {"back to the top", 0}};
    for (const auto &c : cases) {
        QScrollBar *bar = table.verticalScrollBar();
        bar->setValue(c.scrollTo < 0 ? bar->maximum() : c.scrollTo);
        QCoreApplication::processEvents();
        const Shown shown = shownRows(table, 1);
        const int first = table.rowAt(0);
        ASSERT_FALSE(shown.rows.isEmpty()) << c.what;
        EXPECT_EQ(shown.rows.first(), first) << c.what;
        EXPECT_EQ(shown.rows.size(), visibleRows()) << c.what;
        EXPECT_TRUE(shown.onTheirCells) << c.what;
    }
}

TEST_F(CellWidgetTableTest, FollowsRemovedRowsAndHiddenColumns)
{
    QWidget *third = table.cellWidget(2, 1);
    table.removeRow(0);
    table.removeRow(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(table.cellWidget(0, 1), third);
    const Shown shown = shownRows(table, 1);
    EXPECT_EQ(shown.rows.size(), visibleRows());
    EXPECT_TRUE(shown.onTheirCells);

    table.setColumnHidden(1, true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(shownRows(table, 1).rows.isEmpty());
}

TEST_F(CellWidgetTableTest, MakesColumnWidgetsOnlyForRowsThatCameOnScreen)
{
    table.setColumnCount(3);
    int made = 0;
    table.setColumnWidgetMaker(2, [&made] {
        ++made;
        return new QPushButton(QStringLiteral("Report"));
    });
    QCoreApplication::processEvents();
    const int onScreen = visibleRows();
    EXPECT_EQ(made, onScreen);
    EXPECT_EQ(shownRows(table, 2).rows.size(), onScreen);
    EXPECT_EQ(table.cellWidget(400, 2), nullptr);

    QWidget *far = table.ensureCellWidget(400, 2);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(table.ensureCellWidget(400, 2), far);
    EXPECT_EQ(made, onScreen + 1);

    table.remakeColumnWidgets();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(table.cellWidget(400, 2), nullptr);
    EXPECT_EQ(table.viewport()->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly).size(),
              500 + onScreen) << "the dropped widgets are gone";
    EXPECT_EQ(made, 2 * onScreen + 1);
    EXPECT_TRUE(shownRows(table, 2).onTheirCells);
}

} // namespace
