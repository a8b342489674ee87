#include "PowerHalf.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace {

std::uint64_t bitsOf(double x)
{
    return std::bit_cast<std::uint64_t>(x);
}

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
}

TEST(PowerHalf, MidpointCasesAndSpecialValues)
{
    // Inputs whose power 0.5 and square root differ in the last bit.
    for (double x : {12292.753274889807, 12433.00375922642, 34321.083141759358, 2673.1759919376641}) {
        ASSERT_NE(std::pow(x, 0.5), std::sqrt(x)) << x;
        EXPECT_EQ(bitsOf(powerHalf(x)), bitsOf(std::pow(x, 0.5))) << x;
    }
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {0.0, -0.0, 4.9e-324, 1e-300, 1e300, std::numeric_limits<double>::max(), inf})
        EXPECT_EQ(bitsOf(powerHalf(x)), bitsOf(std::pow(x, 0.5))) << x;
    EXPECT_TRUE(std::isnan(powerHalf(-1)));
    EXPECT_TRUE(std::isnan(powerHalf(std::nan(""))));
    EXPECT_EQ(powerHalf(-inf), inf); // as pow has it, unlike sqrt
}

} // namespace
