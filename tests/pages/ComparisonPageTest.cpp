// The comparison page's wiring: buttons reach the session, outcomes reach message boxes, the
// record model reaches its view, and its delegates and double-click reach their slots.
#include "BatchPanel.h"
#include "FileChooser.h"
#include "FirstPageFor310.h"
#include "ModalCatcher.h"
#include "ReportPageFor310.h"
#include "SimulatedLink.h"
#include "TrendChartView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// The page on a simulated instrument with its polling worker, shown, as the main window has it.
struct PageRig : SimulatedLink
{
    explicit PageRig(const char *profile = "tq310") : SimulatedLink(*SimProfile::byName(QLatin1String(profile)))
    {
        page->resize(1600, 900);
        page->QWidget::show();
        page->openThreadSlot();
        ModalCatcher swallow;
        page->readDeviceSettings();
    }
    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return page->findChild<T *>(QLatin1String(name));
    }
    void click(const char *button) const { child<QAbstractButton>(button)->click(); }
    QTableView *list() const { return child<QTableView>("tableWidget_data"); }
    QString cell(int row, int column) const
    {
        auto *table = child<QTableWidget>("tableWidget_colorDiff");
        auto *edit = qobject_cast<QLineEdit *>(table->cellWidget(row, column));
        return edit ? edit->text() : table->item(row, column)->text();
    }
    void measure(const char *button, const SimMeasurement &next)
    {
        sim.setNextMeasurement(next);
        click(button);
    }
    // A pair measured with the buttons: one record; every further result judges again.
    void measurePair(const SimMeasurement &standard, const SimMeasurement &sample)
    {
        measure("pushButton_standardMeasurement", standard);
        measure("pushButton_sampleMeasurement", sample);
    }
    // A mouse click in the middle of a record list cell, as the user clicks a drawn button.
    void clickCell(int row, int column) const
    {
        const QModelIndex index = list()->model()->index(row, column);
        list()->scrollTo(index);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(index).center());
    }

    std::unique_ptr<FirstPageFor310> page = std::make_unique<FirstPageFor310>(port);
};

const SimMeasurement Standard = SimMeasurement::fromHazeTLab(1.00, 90.00, 50.00, 10.00, -5.00);
const SimMeasurement Sample = SimMeasurement::fromHazeTLab(1.20, 89.50, 54.00, 10.20, -10.00);

// The last result fills the table, label and swatch; the records and their texts follow the language.
TEST(ComparisonPage, MeasurementButtonsFillTheTableLabelSwatchAndListInEitherLanguage)
{
    PageRig rig("tq320");
    ModalCatcher catcher;
    rig.measurePair(Standard, Standard);
    rig.measure("pushButton_sampleMeasurement", Sample);
    EXPECT_TRUE(catcher.seen().isEmpty()) << catcher.lastText().toStdString();
    // Rows 3-5 hold L*, a*, b*; columns standard, sample, difference, deviation word.
    EXPECT_EQ((QStringList{rig.cell(3, 1), rig.cell(3, 2), rig.cell(3, 3), rig.cell(3, 4), rig.cell(5, 4)}),
              (QStringList{"50.00", "54.00", "4", "Slight white", "More Blue"}));
    EXPECT_EQ(rig.child<QLabel>("label_result")->text(), rig.page->session().records().at(1).text(RecordColumn::Result));
    EXPECT_EQ(rig.child("groupBox_sampleMeasurement")->styleSheet(),
              QStringLiteral("background-color: rgb(%1, %2, %3);").arg(Sample.red).arg(Sample.green).arg(Sample.blue));
    EXPECT_EQ(rig.list()->model(), &rig.page->session().records());
    EXPECT_TRUE(rig.list()->visualRect(rig.list()->model()->index(0, RecordColumn::Name)).isValid());
    EXPECT_EQ(rig.child<QLineEdit>("lineEdit_totalNum")->text(), QStringLiteral("2"));

    QTranslator chinese;
    ASSERT_TRUE(chinese.load(QStringLiteral(LUMIVEX_BINARY_DIR "/Lumivex_zh.qm")));
    QCoreApplication::installTranslator(&chinese);
    QCoreApplication::processEvents(); // the language change is posted to the windows
    auto restore = qScopeGuard([&] { QCoreApplication::removeTranslator(&chinese); });
    const auto shown = [&](int row, int column) { return rig.list()->model()->index(row, column).data().toString(); };
    EXPECT_EQ(shown(0, RecordColumn::Result) + shown(1, RecordColumn::Result), QStringLiteral("合格不合格"));
    EXPECT_EQ(shown(0, RecordColumn::DeleteButton), QStringLiteral("删除"));
    EXPECT_EQ(rig.child<QLabel>("label_result")->text(), QStringLiteral("不合格"));
    EXPECT_EQ(rig.cell(3, 4), QStringLiteral("轻微偏白"));
    restore.dismiss();
    QCoreApplication::removeTranslator(&chinese);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(1, RecordColumn::Result), QStringLiteral("NG"));
    EXPECT_EQ(rig.cell(3, 4), QStringLiteral("Slight white"));
}

// Escape on each question keeps the list, kind and files; No on importing keeps it while no file is chosen.
TEST(ComparisonPage, ConnectionFieldsQuestionsOnTheListAndTheKindsRowsAndColumns)
{
    PageRig rig;
    QStringList fields;
    for (const char *name : {"lineEdit_serialNo", "lineEdit_firmwareVersion", "lineEdit_hazeTolerance",
                             "lineEdit_tTolerance", "lineEdit_eThresholds"})
        fields << rig.child<QLineEdit>(name)->text();
    EXPECT_EQ(fields, (QStringList{"23100017", "105", "0.50", "1.00", "1.0"}));
    rig.measurePair(Standard, Sample);
    rig.measurePair(Standard, Sample); // each further result is judged again: three records
    int fileDialogs = 0;
    FileChooser::setAnswer([&](const FileChooser::Request &) { ++fileDialogs; return QString(); });
    const auto reset = qScopeGuard([] { FileChooser::setAnswer({}); });
    ModalCatcher catcher;
    rig.click("radioButton_Lab");
    for (const char *button : {"pushButton_clear", "ImportExcelBtn", "pushButton_readComparisonRecord",
                               "pushButton_setDisplayParameter"}) {
        catcher.answerNext(QMessageBox::Escape);
        rig.click(button);
    }
    EXPECT_EQ(fileDialogs, 0);
    EXPECT_EQ(rig.sim.displayParam(), int(ResultHazeT));
    EXPECT_TRUE(rig.child<QRadioButton>("radioButton_hazeT")->isChecked()) << "the kind in force is shown";
    catcher.answerNext(QMessageBox::No);
    rig.click("ImportExcelBtn");
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(rig.list()->model()->rowCount(), 3);
    catcher.answerNext(QMessageBox::Yes);
    rig.click("pushButton_clear");
    EXPECT_EQ(rig.list()->model()->rowCount(), 0);
    const QString clear = QStringLiteral("3 records in the list were never exported. Clear them anyway?");
    const QString saveFirst = QStringLiteral("Data import willempty the list, to save data first?");
    EXPECT_EQ(catcher.texts(), (QStringList{clear, saveFirst, saveFirst,
                                            "The comparison measurement record list data will be cleared. Do you want "
                                            "to continue saving the parameter settings?",
                                            saveFirst, clear}));

    // A written display parameter shows only its comparison rows and record columns.
    using namespace RecordColumn;
    const struct
    {
        const char *radio;
        QList<int> rows;    // comparison rows shown among 1-12
        QList<int> columns; // record columns shown among 3-27
    } kinds[] = {{"radioButton_hazeT", {1, 2}, {3, 4, 14, 15, DeltaHaze, DeltaTransmittance}},
                 {"radioButton_haze", {1}, {3, 14, DeltaHaze}},
                 {"radioButton_t", {2}, {4, 15, DeltaTransmittance}},
                 {"radioButton_Lab", {3, 4, 5, 12}, {5, 6, 7, 16, 17, 18, DeltaE}},
                 {"radioButton_LCh", {6, 7, 8, 12}, {8, 9, 10, 19, 20, 21, DeltaE}},
                 {"radioButton_Yxy", {9, 10, 11, 12}, {11, 12, 13, 22, 23, 24, DeltaE}}};
    for (const auto &kind : kinds) {
        rig.click(kind.radio);
        rig.click("pushButton_setDisplayParameter");
        QList<int> rows, columns;
        for (int row = 1; row <= 12; ++row)
            if (!rig.child<QTableWidget>("tableWidget_colorDiff")->isRowHidden(row))
                rows << row;
        for (int column = StandardFirst; column <= DeltaE; ++column)
            if (!rig.list()->isColumnHidden(column))
                columns << column;
        EXPECT_EQ(rows, kind.rows) << kind.radio;
        EXPECT_EQ(columns, kind.columns) << kind.radio;
    }
}

// The delete and report buttons drawn in the list, a double click on a name, which alone edits, and export.
TEST(ComparisonPage, RecordListAnswersTheMouseAndIsExported)
{
    PageRig rig;
    rig.measurePair(Standard, Sample);
    rig.measure("pushButton_sampleMeasurement", Standard);
    rig.measure("pushButton_sampleMeasurement", Sample);
    ASSERT_EQ(rig.list()->model()->rowCount(), 3);
    rig.clickCell(1, RecordColumn::DeleteButton);
    ASSERT_EQ(rig.list()->model()->rowCount(), 2);
    EXPECT_EQ(rig.page->session().records().at(1).text(RecordColumn::Name), QStringLiteral("Comp3"));
    EXPECT_EQ(rig.child<QLineEdit>("lineEdit_totalNum")->text(), QStringLiteral("2"));

    rig.clickCell(0, RecordColumn::ReportButton);
    const auto reports = rig.page->findChildren<ReportPageFor310 *>();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0]->isVisible());
    EXPECT_EQ(reports[0]->inputs().sampleName, QStringLiteral("Comp1"));
    reports[0]->close();

    QWidget *viewport = rig.list()->viewport();
    const auto doubleClick = [&](int column) {
        const QPoint at = rig.list()->visualRect(rig.list()->model()->index(0, column)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at); // a double click starts as a click
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        return viewport->findChild<QLineEdit *>();
    };
    EXPECT_EQ(doubleClick(RecordColumn::Time), nullptr);
    QLineEdit *editor = doubleClick(RecordColumn::Name);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Batch 7"));
    QTest::keyClick(editor, Qt::Key_Return); // the delegate commits queued
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.page->session().records().at(0).text(RecordColumn::Name) == "Batch 7"; }));

    // The export button asks where, adds the suffix of the chosen filter, and the session saves there.
    QTemporaryDir folder;
    QString proposed;
    FileChooser::setAnswer([&](const FileChooser::Request &request) {
        proposed = request.proposed;
        *request.selectedFilter = QStringLiteral("excel file (*.xlsx)");
        return folder.filePath(QStringLiteral("chosen"));
    });
    const auto reset = qScopeGuard([] { FileChooser::setAnswer({}); });
    ModalCatcher catcher;
    rig.click("pushButton_exportExcel");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^CompareM\\d{12}$")).match(proposed).hasMatch()) << proposed.toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("chosen.xlsx"))));
    EXPECT_EQ(catcher.texts(), QStringList{"Data stored to file Success"});
}

// Runs action on the modal dialog of the class once it is shown.
void onDialog(const char *className, std::function<void(QDialog *)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, className, action] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->inherits(className))
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}

// Re-plugged while the dialog is open: OK writes through the new connection.
TEST(ComparisonPage, DeltaEParameterDialogWritesThroughTheConnectionOfTheMomentOfOk)
{
    PageRig rig("tq320");
    int result = -1;
    onDialog("setEParameterPageFor320", [&](QDialog *dialog) {
        rig.page->closeThreadSlot();
        rig.reopen();
        rig.page->openThreadSlot();
        rig.sim.clearRequestLog();
        dialog->findChild<QRadioButton *>(QStringLiteral("formulaBtn_2"))->click();
        dialog->findChild<QLineEdit *>(QStringLiteral("ThresholdsEdit"))->setText(QStringLiteral("2.5"));
        dialog->findChild<QPushButton *>(QStringLiteral("Okbtn"))->click();
        result = dialog->result();
    });
    ModalCatcher catcher;
    rig.click("pushButton_setParameter");
    EXPECT_EQ(result, int(QDialog::Accepted));
    EXPECT_TRUE(catcher.seen().isEmpty()) << catcher.lastText().toStdString();
    ASSERT_FALSE(rig.sim.requestLog().isEmpty());
    EXPECT_EQ(quint8(rig.sim.requestLog()[0][1]), 0x70) << "the write reached the new connection";
    EXPECT_EQ((std::array{rig.sim.deltaEFormula(), rig.sim.deltaEThreshold()}), (std::array{2, 25}));
    EXPECT_EQ(rig.child<QLineEdit>("lineEdit_thresholds")->text(), QStringLiteral("2.5"));
}

TEST(ComparisonPage, SpectralButtonOpensTheSpectralPageModally)
{
    PageRig rig;
    bool opened = false;
    onDialog("MeterPageFor310", [&](QDialog *dialog) { opened = true; dialog->reject(); });
    rig.click("pushButton_spectralTransmittance");
    EXPECT_TRUE(opened);
}

// ---- the batch buttons: the statistics window and "Report all"

struct BatchRig : PageRig
{
    BatchRig()
    {
        page->session().state().setResultKind(ResultLab);
        for (double deltaE : {0.5, 2.5, 1.0})
            addRecord(deltaE, deltaE < 2);
    }
    ComparisonRecordModel &records() { return page->session().records(); }
    void addRecord(double deltaE, bool pass)
    {
        RecordFields f;
        f.number = records().countResult(pass);
        f.name = QStringLiteral("Comp%1").arg(f.number);
        f.deltaE = deltaE;
        f.result = pass ? RecordResult::Pass : RecordResult::Ng;
        records().append(ComparisonRecord::fromFields(f));
    }
};

TEST(BatchPanel, FollowsTheListPicksRecordsFromTheChartAndReportsAll)
{
    BatchRig rig;
    rig.click("pushButton_statistics");
    BatchPanel *panel = rig.page->findChild<BatchPanel *>();
    ASSERT_TRUE(panel && panel->isVisible());
    EXPECT_EQ(panel->statistics().count, 3);
    rig.addRecord(4.0, false);
    QTRY_COMPARE(panel->statistics().count, 4);
    rig.page->deleteRecord(0);
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
    EXPECT_EQ(rig.page->findChildren<BatchPanel *>().size(), 1);

    // "Report all" writes the PDF the user named.
    QTemporaryDir dir;
    FileChooser::setAnswer([&](const FileChooser::Request &) { return dir.filePath(QStringLiteral("batch")); });
    const auto reset = qScopeGuard([] { FileChooser::setAnswer({}); });
    ModalCatcher catcher;
    rig.click("pushButton_reportAll");
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("batch.pdf"))));
    EXPECT_EQ(catcher.texts(), QStringList{"The report was saved to " + dir.filePath(QStringLiteral("batch.pdf")) + "."});
}

} // namespace
