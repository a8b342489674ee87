#include "SimMeasurement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double WhiteX = 95.047, WhiteY = 100.0, WhiteZ = 108.883;

double labInverse(double t)
{
    constexpr double delta = 6.0 / 29.0;
    return t > delta ? t * t * t : 3 * delta * delta * (t - 4.0 / 29.0);
}

int srgbByte(double linear)
{
    const double c = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return int(std::lround(std::clamp(c, 0.0, 1.0) * 255));
}

// Repeatable pseudo-random value in [-1, 1] for a seed.
double simJitter(quint32 seed)
{
    // splitmix32-style scrambling: stateless, so every series is repeatable from its index.
    quint32 z = seed * 0x9E3779B9u + 0x7F4A7C15u;
    z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
    z = (z ^ (z >> 13)) * 0xC2B2AE35u;
    z ^= z >> 16;
    return double(z % 20001) / 10000.0 - 1.0;
}

} // namespace

SimMeasurement SimMeasurement::fromHazeTLab(double haze, double t, double lStar, double aStar, double bStar)
{
    SimMeasurement m;
    auto &v = m.values;
    v[SimHaze] = haze;
    v[SimT] = t;
    v[SimLStar] = lStar;
    v[SimAStar] = aStar;
    v[SimBStar] = bStar;
    v[SimL] = lStar;
    v[SimC] = std::hypot(aStar, bStar);
    const double hue = std::atan2(bStar, aStar) * 180 / std::numbers::pi;
    v[SimH] = hue < 0 ? hue + 360 : hue;

    const double fy = (lStar + 16) / 116;
    const double x = WhiteX * labInverse(fy + aStar / 500);
    const double y = WhiteY * labInverse(fy);
    const double z = WhiteZ * labInverse(fy - bStar / 200);
    const double sum = x + y + z;
    v[SimY] = y;
    v[SimX] = sum > 0 ? x / sum : 0;
    v[SimSmallY] = sum > 0 ? y / sum : 0;

    m.red = srgbByte((3.2406 * x - 1.5372 * y - 0.4986 * z) / 100);
    m.green = srgbByte((-0.9689 * x + 1.8758 * y + 0.0415 * z) / 100);
    m.blue = srgbByte((0.0557 * x - 0.2040 * y + 1.0570 * z) / 100);
    return m;
}

SimMeasurement SimMeasurement::varied(const SimMeasurement &base, quint32 n)
{
    const auto &b = base.values;
    const quint32 seed = n * 8;
    return fromHazeTLab(std::max(0.0, b[SimHaze] + 0.05 * simJitter(seed)),
                        std::clamp(b[SimT] + 0.10 * simJitter(seed + 1), 0.0, 100.0),
                        std::clamp(b[SimLStar] + 0.30 * simJitter(seed + 2), 0.0, 100.0),
                        b[SimAStar] + 0.20 * simJitter(seed + 3),
                        b[SimBStar] + 0.20 * simJitter(seed + 4));
}

SimSpectrum simSpectrum(quint32 shape, quint32 n)
{
    SimSpectrum curve{};
    const double level = 45 + 25 * simJitter(shape * 3);
    const double swing = 20 + 10 * simJitter(shape * 3 + 1);
    const double phase = 3 * simJitter(shape * 3 + 2);
    for (int i = 0; i < int(curve.size()); ++i) {
        const double smooth = level + swing * std::sin(i / 9.0 + phase);
        curve[i] = std::clamp(smooth + 0.3 * simJitter(n * 64 + i), 0.0, 100.0);
    }
    return curve;
}
