// The spectral page's table: names, numbering, curve boxes, editing, the measurement limit.
#include "SpectralTestSupport.h"

#include "ModalCatcher.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTranslator>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

SpectralRecord flat(double value)
{
    SpectralRecord record;
    record.values.fill(value);
    return record;
}

QStringList column(QTableWidget *table, int c)
{
    QStringList texts;
    for (int r = 0; r < table->rowCount(); ++r)
        texts << (table->item(r, c) ? table->item(r, c)->text() : QString());
    return texts;
}

class SpectralPage : public ::testing::Test
{
protected:
    // No instrument: the page with a null worker, as it can be opened while disconnected.
    MeterPageFor310 page{nullptr, 0};
    QTableWidget *table = page.findChild<QTableWidget *>(QStringLiteral("tableWidget_data"));

    void addStored(int n) { StoredSpectra stored(n); page.appendStoredRecords(stored.values, stored.names, n); }
};

TEST_F(SpectralPage, FormAndHeaderRow)
{
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Spectra"));
    for (const char *name : {"pushButton_spectralHistory", "pushButton_spectralMeasurement", "pushButton_clearData",
                             "pushButton_exportExcel", "widget_chart"})
        EXPECT_NE(page.findChild<QWidget *>(QString::fromLatin1(name)), nullptr) << name;
    ASSERT_EQ(table->columnCount(), 35);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_TRUE(table->horizontalHeader()->isHidden());
    EXPECT_TRUE(table->verticalHeader()->isHidden());
    const QStringList header = column(table, 0) + column(table, 1) + column(table, 2) + column(table, 32) +
                               column(table, 34);
    EXPECT_EQ(header, (QStringList{"No", "Name", "400nm", "700nm", "Operation"}));
    EXPECT_EQ(curveBox(table, 0)->text(), QStringLiteral("Curve"));
    EXPECT_TRUE(curveBox(table, 0)->isChecked());
}

TEST_F(SpectralPage, RowShowsValuesAndAutomaticNames)
{
    SpectralRecord record = flat(1.0);
    record.values[0] = 12.3456789;
    record.values[30] = 655.35;
    page.addSpectralRow(record, QString());
    page.addSpectralRow(record, QStringLiteral("mine"));
    page.addSpectralRow(record, QString());
    EXPECT_EQ(column(table, 1), (QStringList{"Name", "spec1", "mine", "spec2"}));
    EXPECT_EQ(table->item(1, 2)->text(), QStringLiteral("12.3457"));
    EXPECT_EQ(table->item(1, 32)->text(), QStringLiteral("655.35"));
    EXPECT_EQ(table->item(1, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(table->item(1, 2)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(deleteButton(table, 1)->text(), QStringLiteral("Delete"));
}

TEST_F(SpectralPage, CounterSurvivesClearAndRowsRestartAtOne)
{
    addStored(3);
    page.on_pushButton_clearData_clicked();
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_TRUE(page.records().isEmpty());
    addStored(1);
    EXPECT_EQ(column(table, 0), (QStringList{"No", "1"}));
    EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral("spec4"));
}

TEST_F(SpectralPage, DeleteLeavesGapsInTheNumbers)
{
    addStored(3);
    deleteButton(table, 2)->click();
    EXPECT_EQ(column(table, 0), (QStringList{"No", "1", "3"}));
    ASSERT_EQ(page.records().size(), 2);
    EXPECT_DOUBLE_EQ(page.records()[1].values[0], 20 / 100.0); // the third stored record
    deleteButton(table, 1)->click();
    EXPECT_EQ(column(table, 0), (QStringList{"No", "3"}));
}

TEST_F(SpectralPage, CurveBoxRules)
{
    addStored(3);
    QCheckBox *all = curveBox(table, 0);
    curveBox(table, 2)->click();
    EXPECT_FALSE(page.records()[1].visible);
    EXPECT_FALSE(all->isChecked());
    curveBox(table, 2)->click();
    EXPECT_TRUE(page.records()[1].visible);
    EXPECT_FALSE(all->isChecked()) << "checking a row never re-checks the all-curves box";

    for (bool state : {true, false, true}) {
        if (all->isChecked() != state)
            all->click();
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(curveBox(table, r)->isChecked(), state);
            EXPECT_EQ(page.records()[r - 1].visible, state);
        }
    }
    // After a deletion each box still drives its own record.
    deleteButton(table, 1)->click();
    curveBox(table, 2)->click();
    EXPECT_TRUE(page.records()[0].visible);
    EXPECT_FALSE(page.records()[1].visible);
}

TEST_F(SpectralPage, OnlyDataNamesAreEditable)
{
    addStored(2);
    struct Case
    {
        int row, column;
        bool edits;
    };
    for (const Case c : {Case{0, 1, false}, Case{1, 0, false}, Case{1, 5, false}, Case{2, 1, true}}) {
        page.slot_cellDoubleClicked(c.row, c.column);
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        EXPECT_EQ(editor != nullptr, c.edits) << c.row << "," << c.column;
        if (editor) {
            editor->setText(QStringLiteral("renamed"));
            QMetaObject::invokeMethod(table, "commitData", Q_ARG(QWidget *, static_cast<QWidget *>(editor)));
            EXPECT_EQ(table->item(c.row, 1)->text(), QStringLiteral("renamed"));
        }
    }
}

TEST_F(SpectralPage, MeasurementWithoutInstrumentFailsCleanly)
{
    ModalCatcher catcher;
    page.on_pushButton_spectralMeasurement_clicked();
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Failed to read data information!"));
    EXPECT_TRUE(page.records().isEmpty());
    page.on_pushButton_spectralHistory_clicked();
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Please connect the device first!"));
}

TEST_F(SpectralPage, StoredRecordsDecodeSignedValuesAndNames)
{
    StoredSpectra stored(3);
    qToLittleEndian<quint16>(0xFFFF, stored.values.data() + 62 * 1);
    stored.names.replace(0, 16, QByteArray("ABCDEFGHIJKLMNOP"));
    stored.names.replace(32, 4, QByteArray("x\0yz", 4));
    page.appendStoredRecords(stored.values, stored.names, 3);
    EXPECT_EQ(column(table, 1), (QStringList{"Name", "ABCDEFGHIJKLMNOP", "spec1", "x"}));
    EXPECT_DOUBLE_EQ(page.records()[1].values[0], -0.01);
    EXPECT_DOUBLE_EQ(page.records()[2].values[30], (20 + 30) / 100.0);
    EXPECT_TRUE(page.records()[2].visible);
    page.appendStoredRecords(stored.values.left(62), stored.names, 3);
    EXPECT_EQ(page.records().size(), 4) << "no more records than the buffers hold";
}

TEST(SpectralPageChinese, TextsComeTranslated)
{
    QTranslator chinese;
    ASSERT_TRUE(chinese.load(QStringLiteral("Lumivex_zh"), QStringLiteral(LUMIVEX_BINARY_DIR)));
    QCoreApplication::installTranslator(&chinese);
    const auto remove = qScopeGuard([&] { QCoreApplication::removeTranslator(&chinese); });
    MeterPageFor310 page(nullptr, 0);
    auto *table = page.findChild<QTableWidget *>(QStringLiteral("tableWidget_data"));
    EXPECT_EQ(page.windowTitle(), QStringLiteral("光谱"));
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("序号"));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("400nm"));
    ModalCatcher catcher;
    page.on_pushButton_exportExcel_clicked();
    ASSERT_EQ(catcher.seen().size(), 1);
    EXPECT_EQ(catcher.seen()[0].title, QStringLiteral("错误"));
    EXPECT_EQ(catcher.seen()[0].text, QStringLiteral("没有可存储到Excel的数据！"));
}

} // namespace
