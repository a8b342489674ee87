#pragma once

#include <QtGlobal>
#include <array>

// Index of each value in SimMeasurement::values (the display order).
enum SimValue { SimHaze, SimT, SimLStar, SimAStar, SimBStar, SimL, SimC, SimH, SimY, SimX, SimSmallY };

// One measurement as the instrument holds it.
struct SimMeasurement
{
    std::array<double, 11> values{};
    int red = 0;
    int green = 0;
    int blue = 0;

    // Derives L, C*, h, Y, x, y and the display colour (D65, sRGB) from L*a*b*.
    static SimMeasurement fromHazeTLab(double haze, double t, double lStar, double aStar, double bStar);
    // The nth measurement of a series around base: small, repeatable deviations.
    static SimMeasurement varied(const SimMeasurement &base, quint32 n);
};

using SimSpectrum = std::array<double, 31>;

// A smooth transmittance curve; n varies it a little, shape selects one of several families.
SimSpectrum simSpectrum(quint32 shape, quint32 n);
