#include "MeasurementValues.h"
#include "PowerHalf.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <random>

namespace {

struct FormatCase { int quantity; double value; const char *asValue, *asDifference; };
using Formats = testing::TestWithParam<FormatCase>;

TEST_P(Formats, ValueAndDifferenceTexts)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(formatValue(c.quantity, c.value), QString::fromUtf8(c.asValue));
    EXPECT_EQ(formatDifference(c.quantity, c.value), QString::fromUtf8(c.asDifference));
}

INSTANTIATE_TEST_SUITE_P(Quantities, Formats, testing::Values(
    FormatCase{Quantity::Haze, 12.3456, "12.35%", "12.3456%"}, FormatCase{Quantity::Transmittance, 91.2, "91.20%", "91.2%"},
    FormatCase{Quantity::L, -0.5, "-0.50", "-0.5"}, FormatCase{Quantity::B, 1234567.0, "1234567.00", "1.23457e+06"},
    FormatCase{Quantity::H, 123.456, "123.5", "123.456"}, FormatCase{Quantity::X, 0.312345, "0.3123", "0.312345"},
    FormatCase{Quantity::SmallY, 0.0001234, "0.0001", "0.0001234"},
    // Exact ties round away from zero, and zero has no sign; small negatives keep theirs.
    FormatCase{Quantity::Haze, 0.125, "0.13%", "0.125%"}, FormatCase{Quantity::L, -113.25, "-113.25", "-113.25"},
    FormatCase{Quantity::H, -113.25, "-113.3", "-113.25"}, FormatCase{Quantity::A, -0.0, "0.00", "0"},
    FormatCase{Quantity::A, -0.001, "-0.00", "-0.001"}));

TEST(Formats, DeltaEThresholdPlaceholderAndParsing)
{
    EXPECT_EQ(formatDeltaE(3.4641), "3.46");
    EXPECT_EQ(formatThreshold(2.04), "2.0");
    EXPECT_EQ(placeholder(), "-----");
    EXPECT_TRUE(isPlaceholder("-----") && !isPlaceholder("----"));
    // The percent sign goes; what is no finite number reads as zero.
    const std::pair<const char *, double> cases[] = {{"12.35%", 12.35}, {" -3.5 ", -3.5}, {"0.3123", 0.3123},
                                                     {"-----", 0}, {"abc", 0}, {"", 0}, {"nan", 0}, {"1e999", 0}};
    for (const auto &[text, expected] : cases)
        EXPECT_DOUBLE_EQ(parseValueText(text), expected) << text;
}

TEST(HueAngle, CaseTableWithTheProgramsDegreeConstant)
{
    struct Case { double a, b, degrees, within; };
    const Case cases[] = {{0, 0, 0, 0},    {0, 5, 90, 0},   {0, -5, 270, 0}, {5, 0, 0, 0}, {-5, 0, 180, 0},
                          {1, 1, 45.0000008, 5e-8},   {1, -1, 314.9999992, 5e-8}, {3, 4, 53.13010, 5e-6},
                          {-1, 1, 134.9999992, 5e-8}, {-1, -1, 225.0000008, 5e-8}};
    for (const Case &c : cases)
        EXPECT_NEAR(hueAngle(c.a, c.b), c.degrees, c.within) << c.a << ", " << c.b;
}

// Expected values from a separate Python rendering of the same conversion.
TEST(LabToLuv, BranchesAndClamping)
{
    struct Case { double L, a, b, u, v; };
    const Case cases[] = {
        {50, -400, 0, -128.604905, 15.881855}, // X = 0: linear branch clamped at zero
        {5, -30, 20, -12.860490, 8.479906},     // fx in the zero branch, fy in the linear one
        {50, 20, -30, 4.781380, -47.022905}, {80, -60, 90, -50.710175, 100.418158}, {95, -200, 150, -183.688083, 150.434558},
        {90, 300, 0, 300, -81.983310}, // u* of 663.87 clamped
        {50, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {-1, 0, 0, 0, 0}}; // white point, up to rounding of its constants; black; no light
    for (const Case &c : cases) {
        const Luv luv = labToLuv(c.L, c.a, c.b);
        EXPECT_NEAR(luv.u, c.u, 5e-5) << c.L << ", " << c.a << ", " << c.b;
        EXPECT_NEAR(luv.v, c.v, 5e-5) << c.L << ", " << c.a << ", " << c.b;
    }
    EXPECT_EQ(labToLuv(90, 300, 0).u, 300);
    EXPECT_EQ(labToLuv(90, 0, -600).v, -300); // v* of -510.2
}

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

TEST(PowerHalf, SameBitsAsPowOverManyMagnitudes)
{
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> exponent(-40, 40);
    int differFromSqrt = 0;
    for (int i = 0; i < 2'000'000; ++i) {
        const double x = std::exp2(exponent(random));
        ASSERT_EQ(bitsOf(powerHalf(x)), bitsOf(std::pow(x, 0.5))) << x;
        differFromSqrt += std::pow(x, 0.5) != std::sqrt(x);
    }
    EXPECT_GT(differFromSqrt, 0); // the cases where a plain square root would be wrong were met

    // Midpoint cases where power 0.5 and square root differ in the last bit, and special values.
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {12292.753274889807, 12433.00375922642, 34321.083141759358, 2673.1759919376641, 0.0, -0.0,
                     4.9e-324, 1e-300, 1e300, std::numeric_limits<double>::max(), inf})
        EXPECT_EQ(bitsOf(powerHalf(x)), bitsOf(std::pow(x, 0.5))) << x;
    EXPECT_TRUE(std::isnan(powerHalf(-1)) && std::isnan(powerHalf(std::nan(""))));
    EXPECT_EQ(powerHalf(-inf), inf); // as pow has it, unlike sqrt
}

} // namespace
