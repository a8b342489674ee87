#include "ColourDifference.h"
#include "ComparisonRecordList.h"

#include <gtest/gtest.h>

namespace {

MeasurementValues measurement(double haze, double transmittance, double L, double a, double b)
{
    MeasurementValues m;
    m.values = {haze, transmittance, L, a, b, L, 14.14, 45.0, 20.5, 0.31234, 0.32991};
    return m;
}

RecordFields judgedFields(unsigned number, double deltaHaze, RecordResult result)
{
    RecordFields f;
    f.number = number;
    f.name = QStringLiteral("Comp%1").arg(number);
    f.time = ComparisonRecord::timeText(QDateTime(QDate(2024, 3, 5), QTime(9, 7)));
    f.standard = measurement(10, 90, 50, 10, 10);
    f.sample = measurement(10 + deltaHaze, 89.5, 52, 12, 8);
    f.deltaHaze = deltaHaze;
    f.deltaTransmittance = -0.5;
    f.deltaE = 3.4641;
    f.result = result;
    f.hazeTolerance = 0.5;
    f.transmittanceTolerance = 1;
    f.threshold = 2;
    f.model = QStringLiteral("TQ310");
    f.serialNumber = QStringLiteral("123456");
    return f;
}

TEST(ComparisonRecord, ColumnsCarryTheListFormats)
{
    const ComparisonRecord record = ComparisonRecord::fromFields(judgedFields(3, 0.456, RecordResult::Ng));
    const struct
    {
        int column;
        const char *text;
    } expected[] = {{RecordColumn::Number, "3"},
                    {RecordColumn::Name, "Comp3"},
                    {RecordColumn::Time, "2024/03/05  09:07"},
                    {RecordColumn::StandardFirst, "10.00%"},
                    {RecordColumn::StandardFirst + 1, "90.00%"},
                    {RecordColumn::StandardFirst + Quantity::A, "10.00"},
                    {RecordColumn::StandardFirst + Quantity::H, "45.0"},
                    {RecordColumn::StandardFirst + Quantity::X, "0.3123"},
                    {RecordColumn::SampleFirst, "10.46%"},
                    {RecordColumn::SampleFirst + Quantity::SmallY, "0.3299"},
                    {RecordColumn::DeltaHaze, "0.46%"},
                    {RecordColumn::DeltaTransmittance, "-0.50%"},
                    {RecordColumn::DeltaE, "3.46"},
                    {RecordColumn::Result, "NG"},
                    {RecordColumn::DeleteButton, ""},
                    {RecordColumn::ReportButton, ""},
                    {RecordColumn::HazeTolerance, "±0.50%"},
                    {RecordColumn::TransmittanceTolerance, "±1.00%"},
                    {RecordColumn::Threshold, "2.0"},
                    {RecordColumn::Model, "TQ310"},
                    {RecordColumn::SerialNumber, "123456"}};
    for (const auto &e : expected)
        EXPECT_EQ(record.text(e.column).toStdString(), std::string(e.text)) << "column " << e.column;
}

TEST(ComparisonRecord, ImportedTextsKeepTheirForms)
{
    EXPECT_EQ(ComparisonRecord::numberText(1234567), QStringLiteral("1.23457e+06"));
    // Texts that already carry the sign are not decorated twice.
    EXPECT_EQ(ComparisonRecord::toleranceText(QStringLiteral("±0.30%")), QStringLiteral("±0.30%"));
    ComparisonRecord imported;
    imported.setText(RecordColumn::Result, QStringLiteral("----"));
    EXPECT_EQ(imported.result(), RecordResult::Unknown);
    EXPECT_EQ(imported.text(RecordColumn::Result), QStringLiteral("----"));
}

struct RemoveCase
{
    const char *what;
    std::vector<RecordResult> results;
    int row;
    bool removed;
    unsigned unqualified, qualified, total;
};

class RecordRemoval : public ::testing::TestWithParam<RemoveCase>
{
};

TEST_P(RecordRemoval, TakesTheRecordOffItsCounter)
{
    const RemoveCase c = GetParam();
    ComparisonRecordList list;
    for (RecordResult result : c.results) {
        if (result != RecordResult::Unknown)
            list.counters().add(result == RecordResult::Pass);
        list.append(ComparisonRecord::fromFields(judgedFields(list.counters().total(), 0.1, result)));
    }
    EXPECT_EQ(list.remove(c.row), c.removed) << c.what;
    EXPECT_EQ(list.counters().unqualified(), c.unqualified) << c.what;
    EXPECT_EQ(list.counters().qualified(), c.qualified) << c.what;
    EXPECT_EQ(list.counters().total(), c.total) << c.what;
    EXPECT_EQ(list.count(), int(c.results.size()) - (c.removed ? 1 : 0)) << c.what;
}

using R = RecordResult;
INSTANTIATE_TEST_SUITE_P(Cases, RecordRemoval,
                         ::testing::Values(RemoveCase{"NG record", {R::Pass, R::Ng, R::Pass}, 1, true, 0, 2, 2},
                                           RemoveCase{"PASS record", {R::Pass, R::Ng, R::Pass}, 2, true, 1, 1, 2},
                                           RemoveCase{"uncounted import", {R::Pass, R::Unknown}, 1, true, 0, 1, 1},
                                           RemoveCase{"row past the end", {R::Ng}, 1, false, 1, 0, 1},
                                           RemoveCase{"no row", {R::Ng}, -1, false, 1, 0, 1}));

struct RejudgeCase
{
    const char *what;
    int kind;
    int deviceType;
    double hazeTolerance;
    double workingThreshold;
    std::vector<RecordResult> expected; // records with ΔHaze 0.3, 0.6 and 0.9
    const char *deltaE;                 // of every record: standard (50, 10, 10), sample (52, 12, 8)
    const char *threshold;
};

class Rejudging : public ::testing::TestWithParam<RejudgeCase>
{
};

TEST_P(Rejudging, DecidesEveryRecordWithTheCurrentSettings)
{
    const RejudgeCase c = GetParam();
    ComparisonRecordList list;
    for (double deltaHaze : {0.3, 0.6, 0.9}) {
        list.counters().add(false);
        list.append(ComparisonRecord::fromFields(judgedFields(list.counters().total(), deltaHaze, R::Ng)));
    }
    JudgementSettings settings;
    settings.resultKinds.fill(false);
    settings.resultKinds[c.kind] = true;
    settings.deviceType = c.deviceType;
    settings.formula = DeltaE00;
    settings.hazeTolerance = c.hazeTolerance;
    settings.transmittanceTolerance = 0.5;
    settings.workingThreshold = c.workingThreshold;
    settings.parameterThreshold = 3.4;
    list.rejudge(settings, QStringLiteral("TQ320"), QStringLiteral("42"));

    unsigned passed = 0;
    for (int row = 0; row < list.count(); ++row) {
        const ComparisonRecord &record = list.at(row);
        EXPECT_EQ(record.result(), c.expected[row]) << c.what << " row " << row;
        EXPECT_EQ(record.text(RecordColumn::DeltaE).toStdString(), c.deltaE) << c.what;
        EXPECT_EQ(record.text(RecordColumn::Threshold).toStdString(), c.threshold) << c.what;
        EXPECT_EQ(record.text(RecordColumn::Model), QStringLiteral("TQ320"));
        EXPECT_EQ(record.text(RecordColumn::SerialNumber), QStringLiteral("42"));
        EXPECT_EQ(record.text(RecordColumn::TransmittanceTolerance), QStringLiteral("±0.50%"));
        passed += record.result() == R::Pass;
    }
    EXPECT_EQ(list.counters().qualified(), passed) << c.what;
    EXPECT_EQ(list.counters().unqualified(), 3 - passed) << c.what;
    EXPECT_EQ(list.counters().total(), 3u) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rejudging,
    ::testing::Values(RejudgeCase{"haze, bound inclusive", ResultHaze, 0, 0.6, 1, {R::Pass, R::Pass, R::Ng}, "3.46", "1.0"},
                      RejudgeCase{"L*a*b*, ΔE*ab too large", ResultLab, 2, 1, 3.4, {R::Ng, R::Ng, R::Ng}, "3.46", "3.4"},
                      // Device type 1 judges with its formula and the ΔE-parameter threshold.
                      RejudgeCase{"device type 1, ΔE*00", ResultLCh, 1, 0, 9, {R::Pass, R::Pass, R::Pass}, "3.37", "3.4"}));

} // namespace
