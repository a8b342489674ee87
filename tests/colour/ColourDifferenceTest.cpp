#include "ColourDifference.h"
#include "MeasurementValues.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

struct WorkedCase { const char *what; int formula; Lab standard, sample; double deltaE; };
using WorkedValues = testing::TestWithParam<WorkedCase>;

TEST_P(WorkedValues, ToFourDecimals)
{
    const WorkedCase &c = GetParam();
    EXPECT_NEAR(colorDifference(c.formula, c.standard, c.sample), c.deltaE, 5e-5) << c.what;
}

// Standards of chroma 30 whose hue angle is exactly a CMC band edge (164 = 180 - 16, 345 = 360 - 15),
// built from the program's own degree constant.
const Lab hue164{50, -30, -30 * std::tan(-16 / 57.2957805)}, hue345{50, 30, 30 * std::tan(-15 / 57.2957805)};
const Lab pairS{50, 10, 10}, pairT{52, 12, 8};

// CMC edge expectations come from a separate Python rendering; the other band would
// give 1.3319 at 164° and 1.3163 at 345°.
INSTANTIATE_TEST_SUITE_P(Formulas, WorkedValues, testing::Values(
    WorkedCase{"ab", DeltaEab, pairS, pairT, 3.4641}, WorkedCase{"uv", DeltaEuv, pairS, pairT, 3.8495},
    WorkedCase{"94 geometric-mean chroma", DeltaE94, pairS, pairT, 3.0663},
    WorkedCase{"cmc 2:1", DeltaECmc21, pairS, pairT, 4.6415}, WorkedCase{"cmc 1:1", DeltaECmc11, pairS, pairT, 4.9067},
    WorkedCase{"00", DeltaE00, pairS, pairT, 3.3674},
    WorkedCase{"00 published pair", DeltaE00, {50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0424},
    WorkedCase{"00 distant pair", DeltaE00, {50, 2.5, 0}, {73, 25, -18}, 27.1492},
    WorkedCase{"00 across 0 degrees", DeltaE00, {50, 20, -1}, {50, 20, 1}, 1.3230},
    WorkedCase{"00 across 0 degrees, reversed", DeltaE00, {50, 20, 1}, {50, 20, -1}, 1.3230},
    WorkedCase{"cmc L1 = 16 uses the rational SL", DeltaECmc21, {16, 0, 0}, {17, 0, 0}, 0.978035},
    WorkedCase{"cmc L1 below 16 uses 0.511", DeltaECmc21, {15.999, 0, 0}, {16.999, 0, 0}, 0.978474},
    WorkedCase{"cmc 1:1 L1 = 16", DeltaECmc11, {16, 0, 0}, {17, 0, 0}, 1.956071},
    WorkedCase{"cmc hue 164 in the 0.56 band", DeltaECmc21, hue164, {50, hue164.a + 1.5, hue164.b + 1.5}, 1.334486},
    WorkedCase{"cmc hue 345 in the 0.56 band", DeltaECmc21, hue345, {50, hue345.a + 1.5, hue345.b + 1.5}, 1.312887},
    WorkedCase{"outside 0-5 falls back to ab", 9, pairS, pairT, 3.4641}, WorkedCase{"so does -1", -1, pairS, pairT, 3.4641}));

TEST(ColourDifference, IdenticalColoursAndPureChromaChangeGiveNoHueDifference)
{
    ASSERT_EQ(hueAngle(hue164.a, hue164.b), 164.0); // the band edges above are exact
    ASSERT_EQ(hueAngle(hue345.a, hue345.b), 345.0);
    for (int formula = 0; formula < DeltaEFormulaCount; ++formula) {
        for (const Lab &c : {Lab{50, 10, 10}, Lab{0, 0, 0}, Lab{100, -80, 90}, Lab{16, 0, 0}})
            EXPECT_EQ(colorDifference(formula, c, c), 0) << formulaName(formula).toStdString();
    }
    // Same hue, chroma only: this pair leaves Δa² + Δb² 1e-16 below ΔC²; ΔH must be 0, not NaN.
    for (int formula : {DeltaE94, DeltaECmc21, DeltaECmc11}) {
        const double dE = colorDifference(formula, {50, 0.1, 0.3}, {50, 0.1 * 3.1, 0.3 * 3.1});
        EXPECT_TRUE(std::isfinite(dE) && dE > 0) << formula;
    }
}

TEST(ColourDifference, FormulaNames)
{
    const char *names[] = {"△E*ab", "△E*uv", "△E*94", "△E*cmc(2:1)", "△E*cmc(1:1)", "△E*00", "", ""};
    for (int formula = -1; formula <= DeltaEFormulaCount; ++formula)
        EXPECT_EQ(formulaName(formula), QString::fromUtf8(names[formula < 0 ? 7 : formula]));
}

// Independent oracles over random pairs. Little CMS uses π-derived angles, ours the instrument's
// 0.0174532 and 57.2957805: that moves CIEDE2000 by under 3e-4 relative and CMC by under 5e-5,
// far less than a wrong weight, branch or sign would. cmsCIE94DeltaE weighs 0.048/0.014, not
// 0.045/0.015, so ΔE*94 is checked against a textbook rendering taking ΔH from the hue angles.
struct Pair { Lab standard, sample; cmsCIELab lcmsStandard, lcmsSample; };

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
    return std::hypot(t.L - s.L, (C2 - C1) / (1 + 0.045 * Cg), 2 * Cg * std::sin(dh / 2) / (1 + 0.015 * Cg));
}

struct OracleCase { const char *what; int formula; double relativeTolerance; double (*oracle)(const Pair &); };
using Oracle = testing::TestWithParam<OracleCase>;

TEST_P(Oracle, AgreesOverRandomPairs)
{
    const OracleCase &c = GetParam();
    double worst = 0;
    for (const Pair &p : randomPairs()) {
        const double theirs = c.oracle(p);
        worst = std::max(worst, std::fabs(colorDifference(c.formula, p.standard, p.sample) - theirs) / theirs);
    }
    EXPECT_LE(worst, c.relativeTolerance) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Formulas, Oracle, testing::Values(
    OracleCase{"lcms2 ab", DeltaEab, 1e-12, [](const Pair &p) { return cmsDeltaE(&p.lcmsStandard, &p.lcmsSample); }},
    OracleCase{"textbook 94", DeltaE94, 1e-9, textbookDeltaE94},
    OracleCase{"lcms2 cmc 2:1", DeltaECmc21, 5e-5,
               [](const Pair &p) { return cmsCMCdeltaE(&p.lcmsStandard, &p.lcmsSample, 2, 1); }},
    OracleCase{"lcms2 cmc 1:1", DeltaECmc11, 5e-5,
               [](const Pair &p) { return cmsCMCdeltaE(&p.lcmsStandard, &p.lcmsSample, 1, 1); }},
    OracleCase{"lcms2 00", DeltaE00, 3e-4,
               [](const Pair &p) { return cmsCIE2000DeltaE(&p.lcmsStandard, &p.lcmsSample, 1, 1, 1); }}));

} // namespace
