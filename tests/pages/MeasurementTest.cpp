// Standard and sample measurement from the program and from the instrument's key, and the
// judgement the user sees, against the simulated instrument.
#include "MeasurementRig.h"

#include "ColourDifference.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using Seen = ModalCatcher::Seen;

constexpr int StandardColumn = 1;
constexpr int SampleColumn = 2;
constexpr int DifferenceColumn = 3;
constexpr int WordColumn = 4;
constexpr int DeltaERow = 12;

SimProfile profileNamed(const char *name, int displayParam)
{
    SimProfile profile = *SimProfile::byName(QLatin1String(name));
    profile.displayParam = displayParam;
    return profile;
}

// What the page can show of a value: the wire keeps 2 decimals (h 1, x and y 4).
QString shownValue(int quantity, double value)
{
    const double scale = quantity == Quantity::H ? 10 : (quantity == Quantity::X || quantity == Quantity::SmallY) ? 10000 : 100;
    return formatValue(quantity, std::round(value * scale) / scale);
}

QString swatchStyle(const SimMeasurement &m)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3);").arg(m.red).arg(m.green).arg(m.blue);
}

const SimMeasurement Standard = simMeasurement(1.00, 90.00, 50.00, 10.00, -5.00);
const SimMeasurement Sample = simMeasurement(1.20, 89.50, 51.00, 12.00, -9.50);

void measure(MeasurementRig &rig, const char *button, const SimMeasurement &next)
{
    rig.sim.setNextMeasurement(next);
    rig.click(button);
}

// Every visible value row of a column shows what the instrument measured.
void expectColumnShows(const MeasurementRig &rig, int column, const SimMeasurement &m)
{
    for (int quantity = 0; quantity < Quantity::Count; ++quantity) {
        if (rig.comparison()->isRowHidden(1 + quantity))
            continue;
        EXPECT_EQ(rig.cell(1 + quantity, column), shownValue(quantity, m.values[quantity])) << "row " << 1 + quantity;
    }
}

struct FlowCase
{
    const char *profile;
    int kind;
    int resultBlock; // block address of the result read: 0x20 + kind, or 0x00 combined
};

class MeasurementFlow : public ::testing::TestWithParam<FlowCase>
{
};

TEST_P(MeasurementFlow, ButtonsFetchStandardThenSampleAndAppendARecord)
{
    const FlowCase &c = GetParam();
    MeasurementRig rig(profileNamed(c.profile, c.kind));
    rig.readSettings();
    rig.sim.clearRequestLog();
    ModalCatcher catcher;
    measure(rig, "pushButton_standardMeasurement", Standard);
    expectColumnShows(rig, StandardColumn, Standard);
    EXPECT_EQ(rig.child<QGroupBox>("groupBox_standardMeasurement")->styleSheet(), swatchStyle(Standard));
    EXPECT_EQ(rig.list()->rowCount(), 0);

    measure(rig, "pushButton_sampleMeasurement", Sample);
    EXPECT_TRUE(catcher.seen().isEmpty()) << catcher.lastText().toStdString();
    expectColumnShows(rig, SampleColumn, Sample);
    EXPECT_EQ(rig.child<QGroupBox>("groupBox_sampleMeasurement")->styleSheet(), swatchStyle(Sample));
    EXPECT_EQ(rig.child<QPushButton>("pushButton_sampleMeasurement")->styleSheet(),
              QStringLiteral("color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);"));
    EXPECT_EQ(rig.child<QPushButton>("pushButton_standardMeasurement")->styleSheet(),
              QStringLiteral("color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);"));
    EXPECT_EQ(rig.resultReads(), (QList<int>{c.resultBlock, c.resultBlock}));
    ASSERT_EQ(rig.list()->rowCount(), 1);
    EXPECT_EQ(rig.record(0, RecordColumn::Number), QStringLiteral("1"));
    EXPECT_EQ(rig.record(0, RecordColumn::Name), QStringLiteral("Comp1"));
    EXPECT_EQ(rig.record(0, RecordColumn::Model), rig.sim.profile().model);
    EXPECT_EQ(rig.record(0, RecordColumn::SerialNumber), QString::number(rig.sim.profile().serialNumber));
    EXPECT_EQ(rig.record(0, RecordColumn::Result), rig.child<QLabel>("label_result")->text());
    EXPECT_EQ(rig.text("lineEdit_totalNum"), QStringLiteral("1"));
    EXPECT_TRUE(rig.lockIsFree());
}

INSTANTIATE_TEST_SUITE_P(DeviceTypesAndKinds, MeasurementFlow,
                         ::testing::Values(FlowCase{"tq310", ResultHazeT, 0x20}, FlowCase{"tq310", ResultLab, 0x23},
                                           FlowCase{"tq310", ResultYxy, 0x25}, FlowCase{"tq310", ResultHaze, 0x21},
                                           FlowCase{"tq320", ResultLCh, 0x00}, FlowCase{"tq320e", ResultLab, 0x00}));

TEST(Measurement, OnlyAPairJudgesAndEachNewResultJudgesAgain)
{
    MeasurementRig rig;
    rig.readSettings();
    ModalCatcher catcher;
    measure(rig, "pushButton_standardMeasurement", Standard);
    measure(rig, "pushButton_standardMeasurement", Standard);
    EXPECT_EQ(rig.list()->rowCount(), 0);
    measure(rig, "pushButton_sampleMeasurement", Sample);
    measure(rig, "pushButton_sampleMeasurement", Sample);
    measure(rig, "pushButton_standardMeasurement", Sample); // the old sample against the new standard
    ASSERT_EQ(rig.list()->rowCount(), 3);
    EXPECT_EQ(rig.record(2, RecordColumn::Name), QStringLiteral("Comp3"));
    EXPECT_EQ(rig.record(2, RecordColumn::DeltaHaze), QStringLiteral("0.00%"));
    EXPECT_TRUE(catcher.seen().isEmpty());
}

// ---- judgement

struct JudgementCase
{
    const char *profile;
    int kind;
    SimMeasurement sample;
    const char *result;
    int formulaInForce;
};

class Judgement : public ::testing::TestWithParam<JudgementCase>
{
};

TEST_P(Judgement, IsShownInTheTableTheLabelAndTheRecord)
{
    const JudgementCase &c = GetParam();
    MeasurementRig rig(profileNamed(c.profile, c.kind));
    rig.sim.setTolerance(20, 50, 30); // ±0.20 %, ±0.50 %, ΔE 3.0
    rig.sim.setDeltaEParam(DeltaE00, 30);
    rig.readSettings();
    measure(rig, "pushButton_standardMeasurement", Standard);
    measure(rig, "pushButton_sampleMeasurement", c.sample);
    ASSERT_EQ(rig.list()->rowCount(), 1);

    const QString result = QString::fromUtf8(c.result);
    const bool pass = result == QLatin1String("PASS");
    auto *label = rig.child<QLabel>("label_result");
    EXPECT_EQ(label->text(), result);
    EXPECT_EQ(label->styleSheet(), pass ? QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}")
                                        : QStringLiteral("QLabel{background:red;}"));
    EXPECT_EQ(rig.record(0, RecordColumn::Result), result);
    EXPECT_EQ(rig.list()->item(0, RecordColumn::Result)->background().color(), pass ? QColor(Qt::darkGreen) : QColor(Qt::red));
    EXPECT_EQ(rig.text(pass ? "lineEdit_qualNum" : "lineEdit_unqualNum"), QStringLiteral("1"));

    if (c.kind >= ResultLab) {
        const Lab standardLab{50, 10, -5};
        const Lab sampleLab{c.sample.values[SimLStar], c.sample.values[SimAStar], c.sample.values[SimBStar]};
        const QString deltaE = formatDeltaE(colorDifference(c.formulaInForce, standardLab, sampleLab));
        EXPECT_EQ(rig.cell(DeltaERow, DifferenceColumn), deltaE);
        EXPECT_EQ(rig.record(0, RecordColumn::DeltaE), deltaE);
    } else {
        EXPECT_EQ(rig.record(0, RecordColumn::HazeTolerance), QStringLiteral("±0.20%"));
        EXPECT_EQ(rig.record(0, RecordColumn::DeltaHaze),
                  ComparisonRecord::percentText(c.sample.values[SimHaze] - Standard.values[SimHaze]));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, Judgement,
    ::testing::Values(
        // A difference equal to its tolerance passes; a little more fails.
        JudgementCase{"tq310", ResultHazeT, simMeasurement(1.20, 90.50, 60, 30, 30), "PASS", DeltaEab},
        JudgementCase{"tq310", ResultHazeT, simMeasurement(1.21, 90.00, 50, 10, -5), "NG", DeltaEab},
        JudgementCase{"tq310", ResultHazeT, simMeasurement(1.00, 89.49, 50, 10, -5), "NG", DeltaEab},
        JudgementCase{"tq310", ResultLab, simMeasurement(9, 9, 50, 13, -5), "PASS", DeltaEab},
        JudgementCase{"tq310", ResultLab, simMeasurement(1, 90, 50, 13.01, -5), "NG", DeltaEab},
        // Type 1 judges with the instrument's formula, type 2 with ΔE*ab whatever it holds.
        JudgementCase{"tq320", ResultLab, simMeasurement(1, 90, 56, 16, -12), "NG", DeltaE00},
        JudgementCase{"tq320", ResultLab, simMeasurement(1, 90, 51, 11, -6), "PASS", DeltaE00},
        JudgementCase{"tq320e", ResultLab, simMeasurement(1, 90, 52, 12, -7), "NG", DeltaEab}));

TEST(Judgement, DeviationWordsFollowTheDifferences)
{
    MeasurementRig rig(profileNamed("tq310", ResultLab));
    rig.readSettings();
    measure(rig, "pushButton_standardMeasurement", Standard);
    measure(rig, "pushButton_sampleMeasurement", simMeasurement(1, 90, 54.00, 10.20, -10.00));
    EXPECT_EQ(rig.cell(3, DifferenceColumn), QStringLiteral("4"));
    EXPECT_EQ(rig.cell(3, WordColumn), QStringLiteral("Slight white"));
    EXPECT_EQ(rig.cell(4, WordColumn), QStringLiteral("Normal"));
    EXPECT_EQ(rig.cell(5, WordColumn), QStringLiteral("More Blue"));
}

TEST(Judgement, ChangedToleranceRejudgesThePairAndTheRecords)
{
    MeasurementRig rig;
    rig.sim.setTolerance(20, 50, 30);
    rig.readSettings();
    measure(rig, "pushButton_standardMeasurement", Standard);
    measure(rig, "pushButton_sampleMeasurement", simMeasurement(1.30, 90, 50, 10, -5));
    ASSERT_EQ(rig.record(0, RecordColumn::Result), QStringLiteral("NG"));
    ModalCatcher catcher;
    rig.type("lineEdit_hazeTolerance", QStringLiteral("0.3"));
    rig.click("pushButton_setTolerance");
    EXPECT_EQ(rig.child<QLabel>("label_result")->text(), QStringLiteral("PASS"));
    EXPECT_EQ(rig.record(0, RecordColumn::Result), QStringLiteral("PASS"));
    EXPECT_EQ(rig.list()->item(0, RecordColumn::Result)->background().color(), QColor(Qt::darkGreen));
    EXPECT_EQ(rig.record(0, RecordColumn::HazeTolerance), QStringLiteral("±0.30%"));
    EXPECT_EQ(rig.text("lineEdit_qualNum"), QStringLiteral("1"));
    EXPECT_EQ(rig.text("lineEdit_unqualNum"), QStringLiteral("0"));
}

TEST(Measurement, SwatchTakesTheColourInDecimal)
{
    MeasurementRig rig(profileNamed("tq320", ResultLab));
    rig.readSettings();
    SimMeasurement m = Standard;
    m.red = 255;
    m.green = 0;
    m.blue = 10;
    measure(rig, "pushButton_standardMeasurement", m);
    EXPECT_EQ(rig.child<QGroupBox>("groupBox_standardMeasurement")->styleSheet(),
              QStringLiteral("background-color: rgb(255, 0, 10);"));
}

// ---- failures

TEST(Measurement, FailedFetchKeepsTheColumnEmptyAndTheLinkUsable)
{
    for (const char *profile : {"tq310", "tq320"}) {
        MeasurementRig rig(profileNamed(profile, ResultLab));
        rig.readSettings();
        measure(rig, "pushButton_sampleMeasurement", Sample);
        ModalCatcher catcher;
        rig.sim.injectFault(SimFault::BadFrameCheck);
        measure(rig, "pushButton_standardMeasurement", Standard);
        EXPECT_EQ(catcher.seen(), (QList<Seen>{{"Error", "Failed to read measurement data!"}}));
        EXPECT_EQ(rig.cell(3, StandardColumn), QStringLiteral("-----"));
        EXPECT_FALSE(rig.page->state().standardMeasured);
        EXPECT_EQ(rig.list()->rowCount(), 0);
        EXPECT_TRUE(rig.lockIsFree());
        measure(rig, "pushButton_standardMeasurement", Standard);
        EXPECT_EQ(rig.list()->rowCount(), 1) << profile;
    }
}

TEST(Measurement, UnplugDuringAFetchClearsTheDeviceFieldsAndKeepsTheRecords)
{
    MeasurementRig rig;
    rig.readSettings();
    measure(rig, "pushButton_standardMeasurement", Standard);
    measure(rig, "pushButton_sampleMeasurement", Sample);
    ModalCatcher catcher;
    rig.sim.unplugAfterRequests(0);
    measure(rig, "pushButton_sampleMeasurement", Sample);
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Failed to read measurement data!"));
    // What the main window does when the instrument goes away.
    rig.page->closeThreadSlot();
    rig.disconnect();
    rig.page->clear();
    for (const char *field : {"lineEdit_serialNo", "lineEdit_firmwareVersion", "lineEdit_hazeTolerance"})
        EXPECT_TRUE(rig.text(field).isEmpty()) << field;
    ASSERT_EQ(rig.list()->rowCount(), 1);
    EXPECT_EQ(rig.record(0, RecordColumn::Name), QStringLiteral("Comp1"));
    EXPECT_EQ(rig.text("lineEdit_totalNum"), QStringLiteral("1"));
    catcher.clear();
    rig.click("pushButton_sampleMeasurement");
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Please connect the device first!"));
}

// ---- pushed results

bool waitForRecords(const MeasurementRig &rig, int count)
{
    return QTest::qWaitFor([&] { return rig.list()->rowCount() >= count; }, 3000);
}

bool waitForStandard(const MeasurementRig &rig)
{
    return QTest::qWaitFor([&] { return rig.page->state().standardMeasured; }, 3000);
}

class PushedResults : public ::testing::TestWithParam<FlowCase>
{
};

TEST_P(PushedResults, FillTheColumnOfTheModeAndJudge)
{
    const FlowCase &c = GetParam();
    MeasurementRig rig(profileNamed(c.profile, c.kind));
    rig.readSettings();
    ModalCatcher catcher;
    rig.sim.setNextMeasurement(Standard);
    rig.sim.pressMeasureKey();
    ASSERT_TRUE(waitForStandard(rig));
    expectColumnShows(rig, StandardColumn, Standard);
    measure(rig, "pushButton_sampleMeasurement", Standard);
    ASSERT_EQ(rig.list()->rowCount(), 1);

    rig.sim.setNextMeasurement(Sample);
    rig.sim.pressMeasureKey();
    ASSERT_TRUE(waitForRecords(rig, 2));
    expectColumnShows(rig, SampleColumn, Sample);
    EXPECT_EQ(rig.child<QGroupBox>("groupBox_sampleMeasurement")->styleSheet(), swatchStyle(Sample));
    EXPECT_EQ(rig.record(1, RecordColumn::Name), QStringLiteral("Comp2"));
    EXPECT_TRUE(catcher.seen().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(DeviceTypesAndKinds, PushedResults,
                         ::testing::Values(FlowCase{"tq310", ResultHazeT, 0x20}, FlowCase{"tq310", ResultLab, 0x23},
                                           FlowCase{"tq320", ResultLCh, 0x00}, FlowCase{"tq320e", ResultLab, 0x00}));

TEST(PushedResult, OfAnotherKindIsDroppedAndTheNextIsHandled)
{
    MeasurementRig rig(profileNamed("tq310", ResultHaze));
    rig.readSettings();
    rig.sim.setDisplayParam(ResultLab);
    rig.sim.pressMeasureKey();
    QTest::qWait(300);
    EXPECT_FALSE(rig.page->state().standardMeasured);
    EXPECT_TRUE(rig.page->state().receiveBuffer.isEmpty());
    rig.sim.setDisplayParam(ResultHaze);
    rig.sim.setNextMeasurement(Standard);
    rig.sim.pressMeasureKey();
    ASSERT_TRUE(waitForStandard(rig));
    EXPECT_EQ(rig.cell(1, StandardColumn), QStringLiteral("1.00%"));
}

struct PushedFault
{
    SimFault fault;
    const char *profile; // per-kind frames on the TQ310, combined ones on the TQ320
    bool handled;
};

class PushedFaults : public ::testing::TestWithParam<PushedFault>
{
};

TEST_P(PushedFaults, AreJoinedOrIgnoredWithoutAMessage)
{
    const PushedFault &c = GetParam();
    MeasurementRig rig(profileNamed(c.profile, ResultLab));
    rig.readSettings();
    ModalCatcher catcher;
    rig.sim.injectFault(c.fault);
    rig.sim.setNextMeasurement(Standard);
    rig.sim.pressMeasureKey();
    if (c.handled) {
        EXPECT_TRUE(waitForStandard(rig));
    } else {
        // A frame taken in would be shown within the poll rhythm and the 500 ms pause.
        QTest::qWait(400);
        EXPECT_FALSE(rig.page->state().standardMeasured);
        EXPECT_EQ(rig.cell(3, StandardColumn), QStringLiteral("-----"));
        rig.sim.setNextMeasurement(Standard);
        rig.sim.pressMeasureKey();
        EXPECT_TRUE(waitForStandard(rig));
    }
    EXPECT_EQ(rig.cell(3, StandardColumn), QStringLiteral("50.00"));
    EXPECT_TRUE(catcher.seen().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Frames, PushedFaults,
                         ::testing::Values(PushedFault{SimFault::SplitReply, "tq310", true},
                                           PushedFault{SimFault::GarbageBeforeStart, "tq320", true},
                                           PushedFault{SimFault::BadFrameCheck, "tq310", false},
                                           PushedFault{SimFault::BadFrameCheck, "tq320", false},
                                           PushedFault{SimFault::ShortReply, "tq320", false}));

} // namespace
