#include "MeasurementValues.h"

#include "PowerHalf.h"

#include <QCoreApplication>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

constexpr double radiansToDegrees = 57.2957805;

bool carriesPercent(int quantity)
{
    return quantity == Quantity::Haze || quantity == Quantity::Transmittance;
}

int decimalsOf(int quantity)
{
    switch (quantity) {
    case Quantity::H:
        return 1;
    case Quantity::X:
    case Quantity::SmallY:
        return 4;
    default:
        return 2;
    }
}

QString withUnit(int quantity, QString text)
{
    return carriesPercent(quantity) ? text + QLatin1Char('%') : text;
}

// Thousands of records are formatted per download, and QString::number's locale machinery cost
// more than the rest of a record. std::to_chars gives the same digits except where Qt's rules
// differ: an exact tie (0.125 to 0.13, where to_chars rounds to even) and zero's sign; those few
// go through Qt.
QString fixedText(double value, int decimals, const char *unit = "")
{
    char text[48];
    auto [end, error] = std::to_chars(text, text + sizeof text - 2, value, std::chars_format::fixed, decimals + 1);
    if (error == std::errc() && value != 0 && end[-1] != '5') {
        end = std::to_chars(text, text + sizeof text - 2, value, std::chars_format::fixed, decimals).ptr;
        for (; *unit; ++unit)
            *end++ = *unit;
        return QString::fromLatin1(text, end - text);
    }
    return QString::number(value, 'f', decimals) + QLatin1String(unit);
}

// Inverse companding; the linear branch stops at zero instead of going negative.
double inverseCompanding(double t)
{
    if (t > 0.2068966)
        return std::pow(t, 3);
    if (t > 0.137931)
        return (t - 0.137931) / 7.787037;
    return 0;
}

} // namespace

QString formatValue(int quantity, double value)
{
    return fixedText(value, decimalsOf(quantity), carriesPercent(quantity) ? "%" : "");
}

QString formatDifference(int quantity, double difference)
{
    return withUnit(quantity, QString::number(difference, 'g', 6));
}

QString formatDeltaE(double deltaE)
{
    return fixedText(deltaE, 2);
}

QString formatThreshold(double threshold)
{
    return fixedText(threshold, 1);
}

QString quantityName(int quantity)
{
    static const char *const names[Quantity::Count] = {
        QT_TRANSLATE_NOOP("FirstPageFor310", "Haze"), QT_TRANSLATE_NOOP("FirstPageFor310", "Transmittance"),
        QT_TRANSLATE_NOOP("FirstPageFor310", "L*"),   QT_TRANSLATE_NOOP("FirstPageFor310", "a*"),
        QT_TRANSLATE_NOOP("FirstPageFor310", "b*"),   QT_TRANSLATE_NOOP("FirstPageFor310", "L*"),
        QT_TRANSLATE_NOOP("FirstPageFor310", "C*"),   QT_TRANSLATE_NOOP("FirstPageFor310", "h"),
        QT_TRANSLATE_NOOP("FirstPageFor310", "Y"),    QT_TRANSLATE_NOOP("FirstPageFor310", "x"),
        QT_TRANSLATE_NOOP("FirstPageFor310", "y"),
    };
    return QCoreApplication::translate("FirstPageFor310", names[quantity]);
}

QString placeholder()
{
    return QStringLiteral("-----");
}

bool isPlaceholder(const QString &text)
{
    return text == placeholder();
}

namespace {

// The record list's own texts are plain decimals ("-12.34", "5.00%"), read here without QString's
// general number parser, which costs as much as the rest of a rejudging. Any other shape (typed
// text with spaces, a plus sign, an exponent) is left to that parser. Both round correctly, so a
// plain decimal reads the same either way.
std::optional<double> plainDecimal(const QString &text)
{
    char digits[32];
    int n = 0;
    int point = -1;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'%')
            continue;
        const bool digit = u >= u'0' && u <= u'9';
        const bool sign = u == u'-' && n == 0;
        const bool dot = u == u'.' && point < 0 && n > 0 && digits[n - 1] != '-';
        if (!(digit || sign || dot) || n == int(sizeof digits))
            return std::nullopt;
        if (dot)
            point = n;
        digits[n++] = char(u);
    }
    if (n == 0 || digits[n - 1] < '0' || digits[n - 1] > '9')
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(digits, digits + n, value);
    if (error != std::errc() || end != digits + n)
        return std::nullopt;
    return value;
}

} // namespace

double parseValueText(const QString &text)
{
    if (const std::optional<double> value = plainDecimal(text))
        return std::isfinite(*value) ? *value : 0;
    bool ok = false;
    const double value = QString(text).remove(QLatin1Char('%')).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

double hueAngle(double a, double b)
{
    if (a == 0)
        return b > 0 ? 90 : (b < 0 ? 270 : 0);
    if (b == 0)
        return a > 0 ? 0 : 180;
    // One-argument arctangent; the quadrant comes from the signs.
    const double angle = std::atan(b / a) * radiansToDegrees;
    const double turned = a < 0 ? angle + 180 : (b < 0 ? angle + 360 : angle);
    return std::clamp(turned, 0.0, 360.0);
}

double chroma(double a, double b)
{
    return powerHalf(a * a + b * b);
}

Luv labToLuv(double L, double a, double b)
{
    const double fy = (L + 16) / 116;
    const double X = inverseCompanding(a / 500 + fy) * 94.81;
    const double Y = inverseCompanding(fy) * 100;
    const double Z = inverseCompanding(fy - b / 200) * 107.32;
    if (X == 0 && Y == 0 && Z == 0)
        return {};
    const double D = X + 15 * Y + 3 * Z;
    const double u = 13 * L * (4 * X / D - 0.1978537);
    const double v = 13 * L * (9 * Y / D - 0.4695399);
    return {std::clamp(u, -300.0, 300.0), std::clamp(v, -300.0, 300.0)};
}
