#include "CellWidgetTable.h"
#include "FirstPageFor310.h"
#include "MeterPageFor310.h"
#include "ModalCatcher.h"
#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// The page with its protected comparison-table helpers reachable from the tests.
class TestPage : public FirstPageFor310
{
public:
    using FirstPageFor310::comparisonText;
    using FirstPageFor310::setComparisonText;
    using FirstPageFor310::showResultLabel;
};

class ComparisonPage : public ::testing::Test
{
protected:
    ComparisonPage()
    {
        page.resize(1200, 800);
        page.show();
        QCoreApplication::processEvents();
    }

    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return page.findChild<T *>(QLatin1String(name));
    }
    QTableWidget *list() const { return child<QTableWidget>("tableWidget_data"); }
    QTableWidget *comparison() const { return child<QTableWidget>("tableWidget_colorDiff"); }
    QString cell(int row, int column) const { return list()->item(row, column)->text(); }
    QPushButton *button(int row, int column) const
    {
        return qobject_cast<QPushButton *>(child<CellWidgetTable>("tableWidget_data")->ensureCellWidget(row, column));
    }
    QStringList counterTexts() const
    {
        return {child<QLineEdit>("lineEdit_unqualNum")->text(), child<QLineEdit>("lineEdit_qualNum")->text(),
                child<QLineEdit>("lineEdit_totalNum")->text()};
    }

    // A judged sample: counted first, so its number is the new total.
    void appendJudged(double deltaHaze, bool pass)
    {
        page.counters().add(pass);
        RecordFields fields;
        fields.number = page.counters().total();
        fields.name = page.counters().nextTestName();
        fields.time = ComparisonRecord::timeText(QDateTime::currentDateTime());
        fields.standard.values = {10, 90, 50, 10, 10, 50, 14.14, 45, 20, 0.3, 0.3};
        fields.sample = fields.standard;
        fields.sample.values[Quantity::Haze] += deltaHaze;
        fields.sample.values[Quantity::L] += 2;
        fields.deltaHaze = deltaHaze;
        fields.deltaE = 2;
        fields.result = pass ? RecordResult::Pass : RecordResult::Ng;
        page.appendRecord(fields);
        page.showCounters();
    }

    ModalCatcher catcher; // the meter table may be missing beside the test program
    TestPage page;
};

TEST_F(ComparisonPage, StartsWithHazeAndTransmittanceAndAnEmptyComparison)
{
    EXPECT_TRUE(child<QRadioButton>("radioButton_hazeT")->isChecked());
    EXPECT_EQ(page.state().resultKind(), int(ResultHazeT));
    EXPECT_EQ(page.state().measurementMode, int(MeasureStandard));
    EXPECT_EQ(counterTexts(), QStringList({"0", "0", "0"}));
    EXPECT_FALSE(child("companyinfoLab")->isVisible() || child("companywetLab")->isVisible());

    ASSERT_EQ(comparison()->rowCount(), 13);
    ASSERT_EQ(comparison()->columnCount(), 5);
    EXPECT_EQ(page.comparisonText(0, 1), QStringLiteral("Standard"));
    EXPECT_EQ(page.comparisonText(0, 2), QStringLiteral("Sample"));
    EXPECT_EQ(page.comparisonText(0, 3), QStringLiteral("△"));
    const QStringList rowNames{"Haze", "Transmittance", "L*", "a*", "b*", "L*", "C*", "h", "Y", "x", "y", "△E"};
    for (int row = 1; row <= 12; ++row) {
        EXPECT_EQ(page.comparisonText(row, 0), rowNames[row - 1]);
        for (int column = 1; column <= 4; ++column)
            EXPECT_EQ(page.comparisonText(row, column), QStringLiteral("-----")) << row << "," << column;
    }
    for (int row = 1; row <= 11; ++row) {
        auto *edit = qobject_cast<QLineEdit *>(comparison()->cellWidget(row, 1));
        ASSERT_NE(edit, nullptr) << row; // the user may type a standard
        EXPECT_FALSE(edit->isReadOnly());
    }
}

TEST_F(ComparisonPage, RecordListHasItsMergedHeader)
{
    ASSERT_EQ(list()->columnCount(), 36);
    auto *header = qobject_cast<RbTableHeaderView *>(list()->horizontalHeader());
    ASSERT_NE(header, nullptr);
    const auto text = [header](int row, int column) {
        return header->headerModel()->index(row, column).data(Qt::DisplayRole).toString();
    };
    const struct
    {
        int row;
        int column;
        const char *text;
    } headings[] = {{0, 0, "NO"},  {0, 2, "DateTime"},  {0, 3, "Standard"}, {1, 13, "y"},
                    {0, 14, "Sample"}, {1, 16, "L*"}, {0, 25, "△Haze"}, {0, 28, "Pass or not"}};
    for (const auto &h : headings)
        EXPECT_EQ(text(h.row, h.column), QString::fromUtf8(h.text)) << h.row << "," << h.column;
    EXPECT_EQ(header->sizeHint().height(), 60);
    for (int column = 31; column < 36; ++column)
        EXPECT_TRUE(list()->isColumnHidden(column)) << column;
}

struct KindCase
{
    int kind;
    QList<int> rows;    // comparison rows shown among 1-12
    QList<int> columns; // record columns shown among 3-27
    int widthCount;
};

class ResultKindViews : public ComparisonPage, public ::testing::WithParamInterface<KindCase>
{
};

TEST_P(ResultKindViews, ShowOnlyWhatTheKindMeasures)
{
    const KindCase c = GetParam();
    page.state().setResultKind(c.kind);
    page.applyResultKindView();
    appendJudged(0.1, true);
    for (int row = 1; row <= 12; ++row)
        EXPECT_EQ(!comparison()->isRowHidden(row), c.rows.contains(row)) << "row " << row;
    for (int column = 3; column <= 27; ++column)
        EXPECT_EQ(!list()->isColumnHidden(column), c.columns.contains(column)) << "column " << column;
    // The width rule: a unit of the desktop's width per counted column.
    const double unit = double(QGuiApplication::primaryScreen()->availableGeometry().width()) / (c.widthCount + 5);
    EXPECT_EQ(list()->columnWidth(c.columns.first()), int(unit));
    EXPECT_EQ(list()->columnWidth(1), int(2 * unit));
    EXPECT_EQ(list()->columnWidth(28), int(unit + 15));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ResultKindViews,
                         ::testing::Values(KindCase{0, {1, 2}, {3, 4, 14, 15, 25, 26}, 11},
                                           KindCase{1, {1}, {3, 14, 25}, 8}, KindCase{2, {2}, {4, 15, 26}, 8},
                                           KindCase{3, {3, 4, 5, 12}, {5, 6, 7, 16, 17, 18, 27}, 11},
                                           KindCase{4, {6, 7, 8, 12}, {8, 9, 10, 19, 20, 21, 27}, 11},
                                           KindCase{5, {9, 10, 11, 12}, {11, 12, 13, 22, 23, 24, 27}, 11}));

TEST_F(ComparisonPage, ResultKindButtonsShowTheirToleranceFields)
{
    const struct
    {
        int id;
        bool haze, transmittance, threshold;
    } cases[] = {{1, true, false, false}, {2, false, true, false}, {3, false, false, true}, {6, false, false, true},
                 {-1, false, false, true}, {5, false, false, true}, {0, true, true, false}};
    for (const auto &c : cases) {
        if (c.id == 6 || c.id == -1)
            page.onButtonClicked(c.id); // outside 0-5: nothing changes
        else
            child<QRadioButton>(std::array{"radioButton_hazeT", "radioButton_haze", "radioButton_t", "radioButton_Lab",
                                           "radioButton_LCh", "radioButton_Yxy"}[c.id])
                ->click();
        for (const char *name : {"label_hazeTolerance", "lineEdit_hazeTolerance", "label_hazeTolerancePercentage"})
            EXPECT_EQ(child(name)->isVisibleTo(&page), c.haze) << c.id << " " << name;
        for (const char *name : {"label_tTolerance", "lineEdit_tTolerance", "label_tTolerancePercentage"})
            EXPECT_EQ(child(name)->isVisibleTo(&page), c.transmittance) << c.id << " " << name;
        for (const char *name : {"label_eThresholds", "lineEdit_eThresholds"})
            EXPECT_EQ(child(name)->isVisibleTo(&page), c.threshold) << c.id << " " << name;
    }
}

TEST_F(ComparisonPage, DeleteTakesTheRightRowAndKeepsTheNumbers)
{
    appendJudged(0.1, true);
    appendJudged(2.0, false);
    appendJudged(0.1, true);
    appendJudged(2.0, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(list()->item(0, 28)->background().color(), QColor(Qt::darkGreen));
    EXPECT_EQ(list()->item(1, 28)->background().color(), QColor(Qt::red));
    EXPECT_EQ(button(1, 30)->styleSheet(), QStringLiteral("min-height:12px;padding:0px;"));
    QSignalSpy report(&page, &FirstPageFor310::reportRequested);
    button(2, 30)->click();
    EXPECT_EQ(report.value(0).value(0).toInt(), 2);

    button(1, 29)->click(); // the NG record Comp2
    EXPECT_EQ(counterTexts(), QStringList({"1", "2", "3"}));
    // No layout pass in between: the remaining buttons still sit where they were.
    button(2, 29)->click(); // now the row of Comp4, also NG
    EXPECT_EQ(counterTexts(), QStringList({"0", "2", "2"}));
    ASSERT_EQ(list()->rowCount(), 2);
    EXPECT_EQ(cell(0, 1), QStringLiteral("Comp1"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("Comp3"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("3"));
    EXPECT_EQ(page.records().at(1).text(RecordColumn::Name), QStringLiteral("Comp3"));

    appendJudged(0.1, true);
    EXPECT_EQ(cell(2, 1), QStringLiteral("Comp5"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("3"));
}

TEST_F(ComparisonPage, DoubleClickEditsOnlyTheName)
{
    appendJudged(0.1, true);
    QWidget *viewport = list()->viewport();
    const auto openEditor = [viewport]() -> QLineEdit * {
        for (QLineEdit *edit : viewport->findChildren<QLineEdit *>()) {
            if (edit->isVisible())
                return edit;
        }
        return nullptr;
    };
    // The table's own double-click signal, as a double click on the cell emits it.
    emit list()->cellDoubleClicked(0, 2);
    EXPECT_EQ(openEditor(), nullptr);

    emit list()->cellDoubleClicked(0, 1);
    QLineEdit *editor = openEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Batch 7"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits queued
    EXPECT_EQ(cell(0, 1), QStringLiteral("Batch 7"));
    EXPECT_EQ(page.records().at(0).text(RecordColumn::Name), QStringLiteral("Batch 7"));
}

class ClearButton : public ComparisonPage, public ::testing::WithParamInterface<int>
{
};

TEST_P(ClearButton, ResetsTableSwatchesCountersAndList)
{
    for (int i = 0; i < GetParam(); ++i)
        appendJudged(0.1 * i, i % 2 == 0);
    page.setComparisonText(3, 1, QStringLiteral("51.20"));
    page.setComparisonText(3, 2, QStringLiteral("52.00"));
    page.setComparisonText(3, 4, QStringLiteral("Slight white"));
    child("groupBox_standardMeasurement")->setStyleSheet(QStringLiteral("background-color: rgb(1, 2, 3);"));
    child("groupBox_sampleMeasurement")->setStyleSheet(QStringLiteral("background-color: rgb(4, 5, 6);"));
    page.showResultLabel(false);
    page.state().standardMeasured = page.state().sampleMeasured = true;
    page.state().measurementMode = MeasureSample;

    child<QPushButton>("pushButton_clear")->click();

    for (int row = 1; row <= 12; ++row)
        for (int column = 1; column <= 4; ++column)
            EXPECT_EQ(page.comparisonText(row, column), QStringLiteral("-----")) << row << "," << column;
    EXPECT_EQ(comparison()->cellWidget(3, 1)->styleSheet(), QStringLiteral("color: rgb(0, 0, 255);"));
    EXPECT_EQ(child("groupBox_standardMeasurement")->styleSheet(), QStringLiteral(" background-color: rgb(180, 180, 180);"));
    EXPECT_EQ(child("groupBox_sampleMeasurement")->styleSheet(), QStringLiteral(" background-color: rgb(180, 180, 180);"));
    EXPECT_EQ(child("pushButton_standardMeasurement")->styleSheet(),
              QStringLiteral("color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);"));
    EXPECT_EQ(child("pushButton_sampleMeasurement")->styleSheet(),
              QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);"));
    EXPECT_EQ(counterTexts(), QStringList({"0", "0", "0"}));
    EXPECT_EQ(child<QLabel>("label_result")->text(), QString());
    EXPECT_EQ(child("label_result")->styleSheet(), QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}"));
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_TRUE(page.records().isEmpty());
    EXPECT_FALSE(page.state().standardMeasured || page.state().sampleMeasured);
    EXPECT_EQ(page.state().measurementMode, int(MeasureStandard));
    EXPECT_EQ(page.counters().nextTestName(), QStringLiteral("Comp1"));
}

INSTANTIATE_TEST_SUITE_P(RecordCounts, ClearButton, ::testing::Values(0, 3));

TEST_F(ComparisonPage, InstrumentRemovalClearsDeviceFieldsButKeepsRecords)
{
    appendJudged(0.1, false);
    for (const char *name : {"lineEdit_serialNo", "lineEdit_firmwareVersion", "lineEdit_hazeTolerance",
                             "lineEdit_tTolerance", "lineEdit_eThresholds"})
        child<QLineEdit>(name)->setText(QStringLiteral("12"));
    page.setComparisonText(1, 2, QStringLiteral("3.00%"));
    page.state().judgement.hazeTolerance = 0.5;
    page.state().sampleMeasured = true;
    page.showResultLabel(true);

    EXPECT_TRUE(page.clear());

    for (const char *name : {"lineEdit_serialNo", "lineEdit_firmwareVersion", "lineEdit_hazeTolerance",
                             "lineEdit_tTolerance", "lineEdit_eThresholds"})
        EXPECT_TRUE(child<QLineEdit>(name)->text().isEmpty()) << name;
    EXPECT_EQ(page.comparisonText(1, 2), QStringLiteral("-----"));
    const JudgementSettings &judgement = page.state().judgement;
    EXPECT_EQ(QList<double>({judgement.hazeTolerance, judgement.transmittanceTolerance, judgement.workingThreshold}),
              QList<double>({-1, -1, -1}));
    EXPECT_FALSE(page.state().sampleMeasured);
    EXPECT_EQ(child<QLabel>("label_result")->text(), QString());
    EXPECT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(counterTexts(), QStringList({"1", "0", "1"}));
}

TEST_F(ComparisonPage, LanguageSwitchRewordsEverythingWithRecordsPresent)
{
    appendJudged(0.1, true);
    appendJudged(2.0, false);
    child<QLineEdit>("lineEdit_serialNo")->setText(QStringLiteral("320001"));
    page.showResultLabel(true);
    page.setComparisonText(3, 3, QStringLiteral("5"));
    QPushButton *oldDelete = button(0, 29);

    QTranslator chinese;
    ASSERT_TRUE(chinese.load(QStringLiteral(LUMIVEX_BINARY_DIR "/Lumivex_zh.qm")));
    QCoreApplication::installTranslator(&chinese);
    QCoreApplication::processEvents();

    EXPECT_EQ(child<QLabel>("label_result")->text(), QStringLiteral("合格"));
    EXPECT_EQ(child<QLineEdit>("lineEdit_serialNo")->text(), QStringLiteral("320001"));
    EXPECT_EQ(child<QPushButton>("pushButton_clear")->text(), QStringLiteral("清空"));
    EXPECT_EQ(page.comparisonText(1, 0), QStringLiteral("雾度"));
    EXPECT_EQ(page.comparisonText(3, 4), QStringLiteral("明显偏白"));
    auto *header = qobject_cast<RbTableHeaderView *>(list()->horizontalHeader());
    EXPECT_EQ(header->headerModel()->index(0, 0).data().toString(), QStringLiteral("序号"));
    EXPECT_EQ(header->headerModel()->index(1, 14).data().toString(), QStringLiteral("雾度"));
    EXPECT_EQ(header->headerModel()->index(0, 25).data().toString(), QStringLiteral("△雾度"));
    EXPECT_EQ(cell(0, 28), QStringLiteral("合格"));
    EXPECT_EQ(cell(1, 28), QStringLiteral("不合格"));
    EXPECT_NE(button(0, 29), oldDelete);
    EXPECT_EQ(button(0, 29)->text(), QStringLiteral("删除"));
    EXPECT_EQ(button(0, 30)->text(), QStringLiteral("报告"));

    button(1, 29)->click(); // the NG record, worded in Chinese now
    EXPECT_EQ(counterTexts(), QStringList({"0", "1", "1"}));

    QCoreApplication::removeTranslator(&chinese);
    QCoreApplication::processEvents();
    EXPECT_EQ(child<QLabel>("label_result")->text(), QStringLiteral("PASS"));
    EXPECT_EQ(cell(0, 28), QStringLiteral("PASS"));
    EXPECT_EQ(button(0, 29)->text(), QStringLiteral("Delete"));
    EXPECT_EQ(page.comparisonText(3, 4), QStringLiteral("More white"));
}

TEST_F(ComparisonPage, SpectralButtonOpensTheSpectralPageModally)
{
    QString opened;
    QTimer::singleShot(0, [&opened] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            opened = QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
        }
    });
    child<QPushButton>("pushButton_spectralTransmittance")->click();
    EXPECT_EQ(opened, QStringLiteral("MeterPageFor310"));
}

} // namespace
