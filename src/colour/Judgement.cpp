#include "Judgement.h"

#include "ColourDifference.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// Values arrive as decimals (2.14 − 1.14); without a little slack a difference that is
// equal to its bound on screen would land just beyond it in binary.
constexpr double slack = 1e-9;

bool atMost(double value, double bound)
{
    return value <= bound + slack;
}

bool within(double difference, double tolerance)
{
    return atMost(std::fabs(difference), tolerance);
}

// Words per axis, from "much less" to "much more"; "More Blue" keeps its capital.
const char *const deviationWords[3][5] = {
    {QT_TRANSLATE_NOOP("FirstPageFor310", "More black"), QT_TRANSLATE_NOOP("FirstPageFor310", "Slight black"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Normal"), QT_TRANSLATE_NOOP("FirstPageFor310", "Slight white"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "More white")},
    {QT_TRANSLATE_NOOP("FirstPageFor310", "More green"), QT_TRANSLATE_NOOP("FirstPageFor310", "Slight green"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Normal"), QT_TRANSLATE_NOOP("FirstPageFor310", "Slight red"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "More red")},
    {QT_TRANSLATE_NOOP("FirstPageFor310", "More Blue"), QT_TRANSLATE_NOOP("FirstPageFor310", "Slight blue"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Normal"), QT_TRANSLATE_NOOP("FirstPageFor310", "Slight yellow"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "More yellow")},
};

int deviationBand(double d)
{
    if (d < -4 - slack)
        return 0;
    if (d < -0.2 - slack)
        return 1;
    if (atMost(d, 0.2))
        return 2;
    return atMost(d, 4) ? 3 : 4;
}

} // namespace

double judgedDeltaE(JudgementSettings &settings, const Lab &standard, const Lab &sample)
{
    if (settings.deviceType == 1)
        settings.workingThreshold = settings.parameterThreshold;
    return colorDifference(formulaInForce(settings.deviceType, settings.formula), standard, sample);
}

bool passes(const JudgementSettings &settings, double deltaHaze, double deltaTransmittance, double deltaE)
{
    const auto &kind = settings.resultKinds;
    const bool hazeOk = within(deltaHaze, settings.hazeTolerance);
    const bool transmittanceOk = within(deltaTransmittance, settings.transmittanceTolerance);
    bool pass = true;
    if (kind[ResultHazeT])
        pass = pass && hazeOk && transmittanceOk;
    if (kind[ResultHaze])
        pass = pass && hazeOk;
    if (kind[ResultT])
        pass = pass && transmittanceOk;
    if (kind[ResultLab] || kind[ResultLCh] || kind[ResultYxy])
        pass = pass && atMost(deltaE, settings.workingThreshold);
    return pass;
}

const char *resultText(bool pass)
{
    return pass ? QT_TRANSLATE_NOOP("FirstPageFor310", "PASS") : QT_TRANSLATE_NOOP("FirstPageFor310", "NG");
}

const char *deviationWord(int axis, double difference)
{
    if (axis < AxisL || axis > AxisB)
        return "";
    return deviationWords[axis][deviationBand(difference)];
}

ComparisonCounters ComparisonCounters::restored(unsigned unqualified, unsigned qualified, unsigned total, int sequence)
{
    ComparisonCounters counters;
    counters.unqualified_ = unqualified;
    counters.qualified_ = qualified;
    counters.total_ = total;
    counters.sequence_ = sequence;
    return counters;
}

void ComparisonCounters::add(bool pass)
{
    ++(pass ? qualified_ : unqualified_);
    ++total_;
}

void ComparisonCounters::remove(bool wasNg)
{
    unsigned &count = wasNg ? unqualified_ : qualified_;
    if (count > 0)
        --count;
    if (total_ > 0)
        --total_;
}

void ComparisonCounters::reset()
{
    resetCounts();
    sequence_ = 0;
}

void ComparisonCounters::resetCounts()
{
    unqualified_ = qualified_ = total_ = 0;
}

QString ComparisonCounters::nextTestName()
{
    return QStringLiteral("Comp%1").arg(++sequence_);
}
