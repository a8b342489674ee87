#include "ColourDifference.h"
#include "Judgement.h"
#include "MeasurementValues.h"

#include <gtest/gtest.h>

namespace {

JudgementSettings settingsFor(int kind)
{
    JudgementSettings settings{.hazeTolerance = 1.0, .transmittanceTolerance = 2.0, .workingThreshold = 1.5,
                               .resultKinds = {}};
    if (kind >= 0)
        settings.resultKinds[kind] = true;
    return settings;
}

struct DecisionCase { int kind; double dHaze, dT, dE; bool pass; }; // kind -1: none set
using Decision = testing::TestWithParam<DecisionCase>;

TEST_P(Decision, OnlyTheKindsOwnTolerancesCount)
{
    const DecisionCase &c = GetParam();
    EXPECT_EQ(passes(settingsFor(c.kind), c.dHaze, c.dT, c.dE), c.pass);
}

INSTANTIATE_TEST_SUITE_P(ResultKinds, Decision, testing::Values(
    DecisionCase{ResultHazeT, 1.0, -2.0, 99, true}, DecisionCase{ResultHazeT, 1.001, 0, 0, false},
    DecisionCase{ResultHazeT, 0, -2.001, 0, false}, DecisionCase{ResultHaze, -1.0, 50, 99, true},
    DecisionCase{ResultHaze, 1.001, 0, 0, false}, DecisionCase{ResultT, 50, 2.0, 99, true},
    DecisionCase{ResultT, 0, -2.001, 0, false}, DecisionCase{ResultLab, 50, 50, 1.5, true},
    DecisionCase{ResultLab, 0, 0, 1.501, false}, DecisionCase{ResultLCh, 50, 50, 1.5, true},
    DecisionCase{ResultLCh, 0, 0, 1.501, false}, DecisionCase{ResultYxy, 0, 0, 1.501, false},
    DecisionCase{-1, 50, 50, 50, true}));

TEST(Decision, DecimalValuesEqualToTheBoundOnScreenPass)
{
    // 2.14 − 1.14 is 1.0000000000000002 in binary; on screen it is the tolerance 1.00.
    const double dHaze = parseValueText("2.14%") - parseValueText("1.14%");
    ASSERT_GT(dHaze, 1.0);
    EXPECT_TRUE(passes(settingsFor(ResultHaze), dHaze, 0, 0));
    EXPECT_STREQ(deviationWord(AxisL, parseValueText("50.20") - parseValueText("50.00")), "Normal");
}

struct DeltaECase { int deviceType, formula; double deltaE, thresholdAfter; };
using JudgedDeltaE = testing::TestWithParam<DeltaECase>;

TEST_P(JudgedDeltaE, FormulaAndThresholdByDeviceType)
{
    const DeltaECase &c = GetParam();
    JudgementSettings settings = settingsFor(ResultLab);
    settings.parameterThreshold = 3.0;
    settings.deviceType = c.deviceType;
    settings.formula = c.formula;
    EXPECT_NEAR(judgedDeltaE(settings, {50, 10, 10}, {52, 12, 8}), c.deltaE, 5e-5);
    EXPECT_EQ(settings.workingThreshold, c.thresholdAfter);
}

// Only type 1 lets the user choose the formula; the others, and a choice out of range, use ΔE*ab.
INSTANTIATE_TEST_SUITE_P(DeviceTypes, JudgedDeltaE,
                         testing::Values(DeltaECase{0, DeltaE00, 3.4641, 1.5}, DeltaECase{1, DeltaE00, 3.3674, 3.0},
                                         DeltaECase{1, DeltaE94, 3.0663, 3.0}, DeltaECase{1, 6, 3.4641, 3.0},
                                         DeltaECase{1, -1, 3.4641, 3.0}, DeltaECase{1, DeltaEab, 3.4641, 3.0},
                                         DeltaECase{2, DeltaECmc21, 3.4641, 1.5}));

TEST(DeviationWord, BandsPerAxis)
{
    struct Case { int axis; double d; const char *word; };
    const Case cases[] = {
        {AxisL, -4.0001, "More black"}, {AxisL, -4, "Slight black"},  {AxisL, -0.2, "Normal"},
        {AxisL, 0.2, "Normal"},         {AxisL, 4, "Slight white"},   {AxisL, 4.0001, "More white"},
        {AxisL, -0.21, "Slight black"}, {AxisA, -5, "More green"},    {AxisA, -1, "Slight green"},
        {AxisA, 0, "Normal"},           {AxisA, 0.3, "Slight red"},   {AxisA, 5, "More red"},
        {AxisB, -5, "More Blue"},       {AxisB, -1, "Slight blue"},   {AxisB, 1, "Slight yellow"},
        {AxisB, 4.5, "More yellow"},    {3, 1, ""}};
    for (const Case &c : cases)
        EXPECT_STREQ(deviationWord(c.axis, c.d), c.word) << c.axis << " " << c.d;
    EXPECT_STREQ(resultText(true), "PASS");
    EXPECT_STREQ(resultText(false), "NG");
}

// Deleting keeps names and counts down, never below zero; rejudging rebuilds counts, not names.
TEST(ComparisonCounters, DeletingKeepsNamesAndCountsDown)
{
    ComparisonCounters counters;
    const auto state = [&counters] {
        return QStringLiteral("%1/%2/%3 ").arg(counters.unqualified()).arg(counters.qualified()).arg(counters.total())
               + counters.nextTestName();
    };
    counters.remove(true);
    counters.remove(false);
    EXPECT_EQ(state(), "0/0/0 Comp1");
    counters.add(true);
    counters.add(false);
    counters.remove(true); // the second record, an NG, is deleted
    EXPECT_EQ(state(), "0/1/1 Comp2");
    counters.add(true);
    EXPECT_EQ(counters.total(), 2u);
    counters.resetCounts();
    counters.add(false);
    EXPECT_EQ(state(), "1/0/1 Comp3");
    counters.reset();
    EXPECT_EQ(state(), "0/0/0 Comp1");
}

} // namespace
