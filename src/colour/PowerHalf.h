#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

// x to the power 0.5, bit for bit what std::pow(x, 0.5) returns (the colour values are
// defined by that power, which rounds differently from a square root about once in 1200
// cases), at close to the cost of std::sqrt. glibc's pow is within 0.54 ulp of the exact
// value; when the exact root lies within 0.45 ulp of the rounded square root s, every
// other double is more than 0.55 ulp away, so pow must return s as well. Only near a
// rounding midpoint, and for extreme or invalid x, is pow itself asked.
inline double powerHalf(double x)
{
    if (!(x > 0x1p-960 && x < 0x1p960))
        return std::pow(x, 0.5);
    const double s = std::sqrt(x);
    const double remainder = std::fma(-s, s, x); // exactly x − s²
    const double ulp = std::bit_cast<double>(std::bit_cast<std::uint64_t>(s) & 0x7ff0000000000000u) * 0x1p-52;
    // The exact root is s + remainder / (2s) to far better than the margin needs.
    if (std::fabs(remainder) <= 0.9 * s * ulp)
        return s;
    return std::pow(x, 0.5);
}
