// SPDX-License-Identifier: Apache-2.0
// The batch buttons' wiring: the statistics window follows the record list, its chart picks
// records, and "Report all" writes the PDF the user named.
#include "BatchPanel.h"
#include "FileChooser.h"
#include "FirstPageFor310.h"
#include "LinkPort.h"
#include "ModalCatcher.h"
#include "TrendChartView.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void addRecord(ComparisonRecordModel &model, double deltaE, bool pass)
{
    RecordFields f;
    f.number = model.countResult(pass);
    f.name = QStringLiteral("Comp%1").arg(f.number);
    f.deltaE = deltaE;
    f.result = pass ? RecordResult::Pass : RecordResult::Ng;
    model.append(ComparisonRecord::fromFields(f));
}

struct BatchRig
{
    BatchRig()
    {
        page.session().state().setResultKind(ResultLab);
        page.resize(1280, 720);
        page.show();
        for (double deltaE : {0.5, 2.5, 1.0})
            addRecord(records(), deltaE, deltaE < 2);
    }
    ComparisonRecordModel &records() { return page.session().records(); }
    QTableView *list() { return page.findChild<QTableView *>(QStringLiteral("tableWidget_data")); }
    void click(const char *button) { page.findChild<QPushButton *>(QLatin1String(button))->click(); }

    LinkPort port;
    FirstPageFor310 page{port};
};

TEST(BatchPanel, FollowsTheListAndPicksRecordsFromTheChart)
{
    BatchRig rig;
    rig.click("pushButton_statistics");
    BatchPanel *panel = rig.page.findChild<BatchPanel *>();
    ASSERT_TRUE(panel && panel->isVisible());
    EXPECT_EQ(panel->statistics().count, 3);
    addRecord(rig.records(), 4.0, false);
    QTRY_COMPARE(panel->statistics().count, 4);
    rig.page.deleteRecord(0);
    QTRY_COMPARE(panel->statistics().count, 3);

    // Only the selected records, when asked.
    panel->selectedOnly()->setChecked(true);
    rig.list()->selectRow(2);
    QTRY_COMPARE(panel->statistics().count, 1);
    EXPECT_DOUBLE_EQ(panel->statistics().quantities[0].mean, 4.0);

    // A click on the first point selects the first record.
    TrendChartView *chart = panel->chartView();
    const QPoint first = chart->chart().point(QRectF(chart->rect()), 0, 0).toPoint();
    QTest::mouseClick(chart, Qt::LeftButton, {}, first);
    EXPECT_EQ(rig.list()->currentIndex().row(), 0);
    EXPECT_TRUE(rig.list()->selectionModel()->isRowSelected(0));

    rig.click("pushButton_statistics"); // the one window comes forward again
    EXPECT_EQ(rig.page.findChildren<BatchPanel *>().size(), 1);
}

TEST(BatchPanel, ReportAllWritesTheNamedPdf)
{
    BatchRig rig;
    QTemporaryDir dir;
    FileChooser::setAnswer([&](const FileChooser::Request &) { return dir.filePath(QStringLiteral("batch")); });
    const auto reset = qScopeGuard([] { FileChooser::setAnswer({}); });
    ModalCatcher catcher;
    rig.click("pushButton_reportAll");
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("batch.pdf"))));
    EXPECT_TRUE(catcher.seen().isEmpty()) << catcher.lastText().toStdString();
}

} // namespace
