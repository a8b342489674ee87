#include "ColourDifference.h"

#include "MeasurementValues.h"
#include "PowerHalf.h"

#include <QCoreApplication>

#include <cmath>

namespace {

constexpr double degreesToRadians = 0.0174532;
constexpr double twentyFiveToTheSeventh = 6103515625.0;

double square(double x)
{
    return x * x;
}

double seventhPower(double x)
{
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}

double deltaEab(const Lab &standard, const Lab &sample)
{
    return powerHalf(square(sample.L - standard.L) + square(sample.a - standard.a) + square(sample.b - standard.b));
}

double deltaEuv(const Lab &standard, const Lab &sample)
{
    const Luv s = labToLuv(standard.L, standard.a, standard.b);
    const Luv t = labToLuv(sample.L, sample.a, sample.b);
    return powerHalf(square(sample.L - standard.L) + square(t.u - s.u) + square(t.v - s.v));
}

struct ChromaDifference
{
    double C1, C2, dC, dH;
};

// ΔH from the remainder of Δa² + Δb² after ΔC²; 0 where rounding leaves it negative.
ChromaDifference chromaDifference(const Lab &standard, const Lab &sample)
{
    const double C1 = chroma(standard.a, standard.b);
    const double C2 = chroma(sample.a, sample.b);
    const double dC = C2 - C1;
    const double q = square(sample.a - standard.a) + square(sample.b - standard.b);
    const double dH = q >= dC * dC ? powerHalf(q - dC * dC) : 0;
    return {C1, C2, dC, dH};
}

double deltaE94(const Lab &standard, const Lab &sample)
{
    const ChromaDifference d = chromaDifference(standard, sample);
    const double Cg = powerHalf(d.C1 * d.C2);
    const double SC = 1 + 0.045 * Cg;
    const double SH = 1 + 0.015 * Cg;
    return powerHalf(square(sample.L - standard.L) + square(d.dC / SC) + square(d.dH / SH));
}

// Hue weight T of CMC; 164° and 345° both belong to the blue-green band.
double cmcHueWeight(double hue)
{
    if (hue >= 164 && hue <= 345)
        return 0.56 + std::fabs(0.2 * std::cos((hue + 168) * degreesToRadians));
    return 0.36 + std::fabs(0.4 * std::cos((hue + 35) * degreesToRadians));
}

double deltaECmc(double lightnessWeight, const Lab &standard, const Lab &sample)
{
    const ChromaDifference d = chromaDifference(standard, sample);
    const double L1 = standard.L;
    const double SL = L1 >= 16 ? 0.040975 * L1 / (1 + 0.01765 * L1) : 0.511;
    const double SC = 0.0638 * d.C1 / (1 + 0.0131 * d.C1) + 0.638;
    const double C1Fourth = square(square(d.C1));
    const double F = powerHalf(C1Fourth / (C1Fourth + 1900));
    const double T = cmcHueWeight(hueAngle(standard.a, standard.b));
    const double SH = SC * (F * T + 1 - F);
    return powerHalf(square((sample.L - L1) / (lightnessWeight * SL)) + square(d.dC / SC) + square(d.dH / SH));
}

double hueDifference00(double h1, double h2, double chromaProduct)
{
    if (chromaProduct == 0)
        return 0;
    const double d = h2 - h1;
    if (d > 180)
        return d - 360;
    if (d < -180)
        return d + 360;
    return d;
}

double meanHue00(double h1, double h2, double chromaProduct)
{
    const double sum = h1 + h2;
    if (chromaProduct == 0)
        return sum;
    if (std::fabs(h1 - h2) <= 180)
        return sum / 2;
    return sum < 360 ? (sum + 360) / 2 : (sum - 360) / 2;
}

double deltaE00(const Lab &standard, const Lab &sample)
{
    const double meanC = (chroma(standard.a, standard.b) + chroma(sample.a, sample.b)) / 2;
    const double meanC7 = seventhPower(meanC);
    const double G = 0.5 * (1 - powerHalf(meanC7 / (meanC7 + twentyFiveToTheSeventh)));
    const double a1 = standard.a * (1 + G);
    const double a2 = sample.a * (1 + G);
    const double C1 = chroma(a1, standard.b);
    const double C2 = chroma(a2, sample.b);
    const double h1 = hueAngle(a1, standard.b);
    const double h2 = hueAngle(a2, sample.b);

    const double dL = sample.L - standard.L;
    const double dC = C2 - C1;
    const double chromaProduct = C1 * C2;
    const double dh = hueDifference00(h1, h2, chromaProduct);
    const double dH = 2 * powerHalf(chromaProduct) * std::sin(dh / 2 * degreesToRadians);

    const double meanL = (standard.L + sample.L) / 2;
    const double meanCPrime = (C1 + C2) / 2;
    const double H = meanHue00(h1, h2, chromaProduct);
    const double T = 1 - 0.17 * std::cos((H - 30) * degreesToRadians) + 0.24 * std::cos(2 * H * degreesToRadians)
                     + 0.32 * std::cos((3 * H + 6) * degreesToRadians) - 0.20 * std::cos((4 * H - 63) * degreesToRadians);
    const double dTheta = 30 * std::exp(-square((H - 275) / 25));
    const double meanCPrime7 = seventhPower(meanCPrime);
    const double RC = 2 * powerHalf(meanCPrime7 / (meanCPrime7 + twentyFiveToTheSeventh));
    const double lightnessOffset = square(meanL - 50);
    const double SL = 1 + 0.015 * lightnessOffset / powerHalf(20 + lightnessOffset);
    const double SC = 1 + 0.045 * meanCPrime;
    const double SH = 1 + 0.015 * meanCPrime * T;
    // Below 2^-26 sin y rounds to y itself; far from 275° the rotation is that small.
    const double rotation = 2 * dTheta * degreesToRadians;
    const double RT = -(rotation < 0x1p-26 ? rotation : std::sin(rotation)) * RC;

    const double lightness = dL / SL;
    const double chromaTerm = dC / SC;
    const double hueTerm = dH / SH;
    return powerHalf(square(lightness) + square(chromaTerm) + square(hueTerm) + RT * chromaTerm * hueTerm);
}

const char *const formulaNames[DeltaEFormulaCount] = {
    QT_TRANSLATE_NOOP("Colorimeter", "△E*ab"),       QT_TRANSLATE_NOOP("Colorimeter", "△E*uv"),
    QT_TRANSLATE_NOOP("Colorimeter", "△E*94"),       QT_TRANSLATE_NOOP("Colorimeter", "△E*cmc(2:1)"),
    QT_TRANSLATE_NOOP("Colorimeter", "△E*cmc(1:1)"), QT_TRANSLATE_NOOP("Colorimeter", "△E*00"),
};

bool isFormula(int formula)
{
    return formula >= 0 && formula < DeltaEFormulaCount;
}

} // namespace

Lab labOf(const MeasurementValues &measurement)
{
    const auto &v = measurement.values;
    return {v[Quantity::L], v[Quantity::A], v[Quantity::B]};
}

double colorDifference(int formula, const Lab &standard, const Lab &sample)
{
    switch (formula) {
    case DeltaEuv:
        return deltaEuv(standard, sample);
    case DeltaE94:
        return deltaE94(standard, sample);
    case DeltaECmc21:
        return deltaECmc(2, standard, sample);
    case DeltaECmc11:
        return deltaECmc(1, standard, sample);
    case DeltaE00:
        return deltaE00(standard, sample);
    default:
        return deltaEab(standard, sample);
    }
}

QString formulaName(int formula)
{
    return isFormula(formula) ? QString::fromUtf8(formulaNames[formula]) : QString();
}

int formulaInForce(int deviceType, int formula)
{
    return deviceType == 1 && isFormula(formula) ? formula : DeltaEab;
}
