// The spectral page's wiring: its buttons and delegates reach the session, its chart follows the model.
#include "MeterPageFor310.h"
#include "ModalCatcher.h"
#include "SimulatedLink.h"
#include "SpectralChart.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SpectralRig : SimulatedLink
{
    SpectralRig()
    {
        link()->startWorker();
        page.resize(1400, 800);
        page.QWidget::show();
    }
    SpectralRecordModel &model() { return page.session().records(); }
    QTableView *table() const { return page.findChild<QTableView *>(QStringLiteral("tableWidget_data")); }
    void clickCell(int row, int column) const
    {
        const QModelIndex index = table()->model()->index(row, column);
        table()->scrollTo(index);
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualRect(index).center());
    }

    MeterPageFor310 page{port, 0};
};

SpectralRecord flat(double value)
{
    SpectralRecord record;
    record.values.fill(value);
    return record;
}

// Closing the page (Escape, the title bar) with spectra asks first; Escape on the question keeps them.
TEST(SpectralPage, ButtonsAndClosingReachTheSessionAndItsOutcomes)
{
    SpectralRig rig;
    ModalCatcher catcher;
    rig.page.findChild<QPushButton *>(QStringLiteral("pushButton_spectralMeasurement"))->click();
    EXPECT_EQ(rig.table()->model()->rowCount(), 2);
    rig.page.findChild<QPushButton *>(QStringLiteral("pushButton_clearData"))->click();
    EXPECT_EQ(rig.model().count(), 0);
    rig.disconnect();
    rig.page.findChild<QPushButton *>(QStringLiteral("pushButton_spectralHistory"))->click();
    EXPECT_EQ(catcher.texts(), (QStringList{"1 records in the list were never exported. Clear them anyway?",
                                            "Please connect the device first!"}));

    rig.model().append(flat(10));
    catcher.answerNext(QMessageBox::Escape);
    QTest::keyClick(&rig.page, Qt::Key_Escape);
    EXPECT_TRUE(rig.page.isVisible());
    EXPECT_EQ(rig.model().count(), 1);
    catcher.answerNext(QMessageBox::Discard);
    rig.page.close();
    EXPECT_FALSE(rig.page.isVisible());
    EXPECT_EQ(catcher.lastText(), QStringLiteral("1 records in the list were never exported. Save them before closing?"));
}

// The delete and check box delegates, and a double click on a name opening its editor.
TEST(SpectralPage, RecordListAnswersTheMouse)
{
    SpectralRig rig;
    for (double value : {10.0, 20.0, 30.0})
        rig.model().append(flat(value));
    rig.clickCell(2, SpectralRecordModel::OperationColumn);
    ASSERT_EQ(rig.model().count(), 2);
    EXPECT_EQ(rig.model().records()[1].values[0], 30.0);
    rig.clickCell(0, SpectralRecordModel::OperationColumn); // the heading's cell is no button
    EXPECT_EQ(rig.model().count(), 2);

    QStyleOptionViewItem option; // a click on the check indicator of row 2
    option.rect = rig.table()->visualRect(rig.model().index(2, SpectralRecordModel::CurveColumn));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = rig.table()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, rig.table());
    QTest::mouseClick(rig.table()->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_FALSE(rig.model().records()[1].visible);

    QWidget *viewport = rig.table()->viewport();
    const QPoint at = rig.table()->visualRect(rig.model().index(1, SpectralRecordModel::NameColumn)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    auto *editor = viewport->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("renamed"));
    QTest::keyClick(editor, Qt::Key_Return); // the delegate commits queued
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.model().name(0) == QStringLiteral("renamed"); }));
}

// A model change repaints the chart: a curve appears in its colour and goes when hidden.
TEST(SpectralPage, ChartFollowsTheModel)
{
    SpectralRig rig;
    const QColor second = SpectralChart::curveColour(1);
    const auto drawn = [&] {
        const QImage shot = rig.page.grab().toImage();
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y) == second)
                    return true;
        return false;
    };
    int paints = 0;
    struct PaintCounter : QObject
    {
        int &count;
        explicit PaintCounter(int &c) : count(c) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    rig.page.installEventFilter(&counter);
    QCoreApplication::processEvents();
    const int before = paints;
    rig.model().append(flat(20));
    rig.model().append(flat(45));
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints > before; }, 3000)) << "no repaint after the model changed";
    EXPECT_TRUE(drawn());
    rig.model().setData(rig.model().index(2, SpectralRecordModel::CurveColumn), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(drawn());
}

} // namespace
