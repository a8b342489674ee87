#pragma once

#include <QString>

#include <array>

// Row index of each measured quantity (comparison table row − 1).
// Kept in a namespace so the one-letter names do not leak into every file.
namespace Quantity {
enum Index : int { Haze, Transmittance, L, A, B, LchL, C, H, Y, X, SmallY, Count };
}

// One measurement of a standard or a sample, as the instrument delivers it.
struct MeasurementValues
{
    std::array<double, Quantity::Count> values{};
    int red = 0, green = 0, blue = 0;
};

// Display texts: 2 decimals (h 1, x and y 4); haze and transmittance carry "%".
QString formatValue(int quantity, double value);
// Differences: 6 significant digits; haze and transmittance carry "%".
QString formatDifference(int quantity, double difference);
// Colour difference ΔE: 2 decimals. ΔE threshold: 1 decimal.
QString formatDeltaE(double deltaE);
QString formatThreshold(double threshold);

// The quantity's name as the comparison table and the record list head it, translated.
QString quantityName(int quantity);

// "-----": a value the current measurement does not deliver.
QString placeholder();
bool isPlaceholder(const QString &text);

// A cell text as a number: "%" removed; anything that is not a finite number reads as 0.
double parseValueText(const QString &text);

// Hue angle in degrees, 0 to 360, quadrant by case table (not atan2).
double hueAngle(double a, double b);
double chroma(double a, double b);

struct Luv
{
    double u = 0, v = 0;
};
// CIELAB to CIELUV under the instrument's white; u* and v* clamped to ±300.
Luv labToLuv(double L, double a, double b);
