#include "ColourDifference.h"
#include "MeasurementValues.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>
#include <numbers>
#include <random>
#include <sstream>
#include <vector>

namespace {

struct WorkedCase
{
    const char *what;
    int formula;
    Lab standard, sample;
    double deltaE;
};

void PrintTo(const WorkedCase &c, std::ostream *out)
{
    *out << c.what;
}

class WorkedValues : public testing::TestWithParam<WorkedCase>
{
};

TEST_P(WorkedValues, ToFourDecimals)
{
    const WorkedCase &c = GetParam();
    EXPECT_NEAR(colorDifference(c.formula, c.standard, c.sample), c.deltaE, 5e-5);
}

// A standard of chroma 30 whose hue angle is exactly the given CMC band edge
// (164 = 180 - 16, 345 = 360 - 15), built from the program's own degree constant.
Lab standardAtHueEdge(double degreesBelowAxis, double aSign)
{
    const double slope = std::tan(-degreesBelowAxis / 57.2957805);
    return {50, 30 * aSign, 30 * slope * aSign};
}

const Lab hue164 = standardAtHueEdge(16, -1);
const Lab hue345 = standardAtHueEdge(15, 1);

// CMC edge expectations come from a separate Python rendering; the other band would
// give 1.3319 at 164° and 1.3163 at 345°.
INSTANTIATE_TEST_SUITE_P(
    Formulas, WorkedValues,
    testing::Values(
        WorkedCase{"ab", DeltaEab, {50, 10, 10}, {52, 12, 8}, 3.4641},
        WorkedCase{"uv", DeltaEuv, {50, 10, 10}, {52, 12, 8}, 3.8495},
        WorkedCase{"94 geometric-mean chroma", DeltaE94, {50, 10, 10}, {52, 12, 8}, 3.0663},
        WorkedCase{"cmc 2:1", DeltaECmc21, {50, 10, 10}, {52, 12, 8}, 4.6415},
        WorkedCase{"cmc 1:1", DeltaECmc11, {50, 10, 10}, {52, 12, 8}, 4.9067},
        WorkedCase{"00", DeltaE00, {50, 10, 10}, {52, 12, 8}, 3.3674},
        WorkedCase{"00 published pair", DeltaE00, {50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0424},
        WorkedCase{"00 distant pair", DeltaE00, {50, 2.5, 0}, {73, 25, -18}, 27.1492},
        WorkedCase{"00 hues across 0 degrees", DeltaE00, {50, 20, -1}, {50, 20, 1}, 1.3230},
        WorkedCase{"00 hues across 0 degrees, reversed", DeltaE00, {50, 20, 1}, {50, 20, -1}, 1.3230},
        WorkedCase{"cmc L1 = 16 uses the rational SL", DeltaECmc21, {16, 0, 0}, {17, 0, 0}, 0.978035},
        WorkedCase{"cmc L1 below 16 uses 0.511", DeltaECmc21, {15.999, 0, 0}, {16.999, 0, 0}, 0.978474},
        WorkedCase{"cmc 1:1 L1 = 16", DeltaECmc11, {16, 0, 0}, {17, 0, 0}, 1.956071},
        WorkedCase{"cmc hue 164 in the 0.56 band", DeltaECmc21, hue164, {50, hue164.a + 1.5, hue164.b + 1.5}, 1.334486},
        WorkedCase{"cmc hue 345 in the 0.56 band", DeltaECmc21, hue345, {50, hue345.a + 1.5, hue345.b + 1.5}, 1.312887},
        WorkedCase{"outside 0-5 falls back to ab", 9, {50, 10, 10}, {52, 12, 8}, 3.4641},
        WorkedCase{"negative index falls back to ab", -1, {50, 10, 10}, {52, 12, 8}, 3.4641}));

TEST(ColourDifference, HueEdgesAreExact)
{
    ASSERT_EQ(hueAngle(hue164.a, hue164.b), 164.0);
    ASSERT_EQ(hueAngle(hue345.a, hue345.b), 345.0);
}

TEST(ColourDifference, IdenticalColoursAndPureChromaChangeGiveNoHueDifference)
{
    const Lab colours[] = {{50, 10, 10}, {0, 0, 0}, {100, -80, 90}, {16, 0, 0}};
    for (int formula = 0; formula < DeltaEFormulaCount; ++formula) {
        for (const Lab &c : colours)
            EXPECT_EQ(colorDifference(formula, c, c), 0) << formulaName(formula).toStdString();
    }
    // Same hue, chroma only: this pair leaves Δa² + Δb² 1e-16 below ΔC²; ΔH must be 0, not NaN.
    const Lab standard{50, 0.1, 0.3}, sample{50, 0.1 * 3.1, 0.3 * 3.1};
    for (int formula : {DeltaE94, DeltaECmc21, DeltaECmc11}) {
        const double dE = colorDifference(formula, standard, sample);
        EXPECT_TRUE(std::isfinite(dE)) << formula;
        EXPECT_GT(dE, 0) << formula;
    }
}

TEST(ColourDifference, NamesAndFormulaInForce)
{
    const char *names[] = {"△E*ab", "△E*uv", "△E*94", "△E*cmc(2:1)", "△E*cmc(1:1)", "△E*00"};
    for (int formula = 0; formula < DeltaEFormulaCount; ++formula)
        EXPECT_EQ(formulaName(formula), QString::fromUtf8(names[formula]));
    EXPECT_TRUE(formulaName(6).isEmpty());
    EXPECT_TRUE(formulaName(-1).isEmpty());

    struct Case
    {
        int deviceType, formula, inForce;
    };
    const Case cases[] = {{1, 5, 5}, {1, 0, 0}, {1, 3, 3}, {1, 6, 0}, {1, -1, 0}, {0, 5, 0}, {2, 5, 0}, {2, 2, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(formulaInForce(c.deviceType, c.formula), c.inForce) << c.deviceType << "/" << c.formula;
}

// --- Independent oracles over random pairs ---------------------------------------------
//
// Little CMS computes ΔE*ab, CMC(l:c) and CIEDE2000 with π-derived angles; ours use the
// instrument's 0.0174532 (5.3e-6 short of π/180) and 57.2957805. The angle error reaches
// 1.3e-4 rad in cos(4H̄' − 63°), which moves CIEDE2000's T by at most 8e-5 and its SH, and
// so ΔE, by under 3e-4 relative; CMC's largest argument (h + 168° ≤ 513°) keeps it below
// 5e-5. A wrong weight, branch or sign moves ΔE by far more than either bound.
// cmsCIE94DeltaE uses the geometric-mean chroma too, but with weights 0.048 and 0.014
// instead of 0.045 and 0.015, so ΔE*94 is checked against a textbook rendering that takes
// ΔH from the hue angles (2·√(C1·C2)·sin(Δh/2)) rather than from the chroma remainder.

struct Pair
{
    Lab standard, sample;
    cmsCIELab lcmsStandard, lcmsSample;
};

std::vector<Pair> randomPairs()
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> lightness(1, 100), axis(-90, 90), step(-8, 8);
    std::vector<Pair> pairs;
    for (int i = 0; i < 4000; ++i) {
        const Lab s{lightness(random), axis(random), axis(random)};
        const Lab near{s.L + step(random), s.a + step(random), s.b + step(random)};
        const Lab far{lightness(random), axis(random), axis(random)};
        const Lab t = i % 2 ? near : far;
        pairs.push_back({s, t, {s.L, s.a, s.b}, {t.L, t.a, t.b}});
    }
    return pairs;
}

double textbookDeltaE94(const Pair &p)
{
    const Lab &s = p.standard, &t = p.sample;
    const double C1 = std::hypot(s.a, s.b), C2 = std::hypot(t.a, t.b), Cg = std::sqrt(C1 * C2);
    const double dh = std::remainder(std::atan2(t.b, t.a) - std::atan2(s.b, s.a), 2 * std::numbers::pi);
    const double dH = 2 * Cg * std::sin(dh / 2);
    return std::hypot(t.L - s.L, (C2 - C1) / (1 + 0.045 * Cg), dH / (1 + 0.015 * Cg));
}

struct OracleCase
{
    const char *what;
    int formula;
    double relativeTolerance;
    double (*oracle)(const Pair &);
};

void PrintTo(const OracleCase &c, std::ostream *out)
{
    *out << c.what;
}

class Oracle : public testing::TestWithParam<OracleCase>
{
};

TEST_P(Oracle, AgreesOverRandomPairs)
{
    const OracleCase &c = GetParam();
    double worst = 0;
    for (const Pair &p : randomPairs()) {
        const double theirs = c.oracle(p);
        worst = std::max(worst, std::fabs(colorDifference(c.formula, p.standard, p.sample) - theirs) / theirs);
    }
    EXPECT_LE(worst, c.relativeTolerance);
    RecordProperty("worst_relative_difference", (std::ostringstream() << worst).str());
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, Oracle,
    testing::Values(
        OracleCase{"lcms2 ab", DeltaEab, 1e-12, [](const Pair &p) { return cmsDeltaE(&p.lcmsStandard, &p.lcmsSample); }},
        OracleCase{"textbook 94", DeltaE94, 1e-9, textbookDeltaE94},
        OracleCase{"lcms2 cmc 2:1", DeltaECmc21, 5e-5,
                   [](const Pair &p) { return cmsCMCdeltaE(&p.lcmsStandard, &p.lcmsSample, 2, 1); }},
        OracleCase{"lcms2 cmc 1:1", DeltaECmc11, 5e-5,
                   [](const Pair &p) { return cmsCMCdeltaE(&p.lcmsStandard, &p.lcmsSample, 1, 1); }},
        OracleCase{"lcms2 00", DeltaE00, 3e-4,
                   [](const Pair &p) { return cmsCIE2000DeltaE(&p.lcmsStandard, &p.lcmsSample, 1, 1, 1); }}));

} // namespace
