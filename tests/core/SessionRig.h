#pragma once

#include "ColourDifference.h"
#include "ComparisonSession.h"
#include "SimRequests.h"
#include "SimWire.h"
#include "SimulatedLink.h"
#include "SpectralSession.h"

#include <QTest>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Texts print as text when an expectation fails.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// "title / text" of what an operation tells the user; empty when it says nothing.
inline std::string shown(const Outcome &outcome)
{
    return outcome.hasMessage() ? (outcome.title + QStringLiteral(" / ") + outcome.text).toStdString() : std::string();
}

inline std::vector<std::string> shown(const Outcomes &outcomes)
{
    std::vector<std::string> texts;
    for (const Outcome &outcome : outcomes)
        if (outcome.hasMessage())
            texts.push_back(shown(outcome));
    return texts;
}

inline bool waitFor(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, 5000);
}

inline SimProfile profileNamed(const char *name, int displayParam = -1)
{
    SimProfile profile = *SimProfile::byName(QLatin1String(name));
    if (displayParam >= 0)
        profile.displayParam = displayParam;
    return profile;
}

inline SimMeasurement measured(double haze, double t, double L, double a, double b)
{
    return SimMeasurement::fromHazeTLab(haze, t, L, a, b);
}

inline const SimMeasurement Standard = measured(1.00, 90.00, 50.00, 10.00, -5.00);
inline const SimMeasurement Sample = measured(1.20, 89.50, 51.00, 12.00, -9.50);

inline std::array<unsigned, 3> countsOf(const ComparisonCounters &c)
{
    return {c.unqualified(), c.qualified(), c.total()};
}

// A result frame as the instrument pushes it: the per-kind block of kind, or the combined block.
inline QByteArray pushedFrame(const SimMeasurement &m, int kind = -1)
{
    QByteArray header = QByteArray::fromHex(kind < 0 ? "ab44000000003600" : "ab44200000001800");
    if (kind >= 0)
        header[2] = char(0x20 + kind);
    return SimWire::registerReply(header, kind < 0 ? SimWire::combinedBlock(m) : SimWire::kindBlock(kind, m));
}

// A judged record: the standard's values, the sample's differing in haze and L*, ΔE 1.5.
inline RecordFields fieldsOf(const QString &name, double standardHaze, double sampleHaze, RecordResult result)
{
    RecordFields f;
    f.name = name;
    f.time = QStringLiteral("2026/12/06  21:15");
    f.standard.values = {standardHaze, 88.5, 50.25, 10.5, -3.25, 50.75, 11.0, 342.8, 18.42, 0.3127, 0.329};
    f.sample = f.standard;
    f.sample.values[Quantity::Haze] = sampleHaze;
    f.sample.values[Quantity::L] = 51.75;
    f.deltaHaze = sampleHaze - standardHaze;
    f.deltaE = 1.5;
    f.result = result;
    f.hazeTolerance = 0.5;
    f.transmittanceTolerance = 1.0;
    f.threshold = 2.0;
    f.model = QStringLiteral("TQ320");
    f.serialNumber = QStringLiteral("23200118");
    return f;
}

// Both sessions on one simulated instrument with its polling worker and the meter table, as the window wires them.
struct SessionRig : SimulatedLink
{
    explicit SessionRig(const SimProfile &profile = {}) : SimulatedLink(profile)
    {
        EXPECT_EQ(shown(session.loadMeterTable(MeterTable::defaultPath())), "");
        QObject::connect(&port, &LinkPort::senddata, &session, &ComparisonSession::receivePushed);
        link()->startWorker();
    }
    // Identity and settings read as on connection; the requests so far forgotten.
    Outcomes connect()
    {
        const Outcomes said = session.readDeviceSettings();
        sim.clearRequestLog();
        return said;
    }
    Outcome measure(int mode, const SimMeasurement &next)
    {
        sim.setNextMeasurement(next);
        return session.measure(mode);
    }
    // Unplugged and plugged again: the old connection closed, a new one current with its worker.
    void replug()
    {
        reopen();
        link()->startWorker();
    }
    QString text(int row, int column) const { return session.records().at(row).text(column); }
    bool lockIsFree() const { return ::lockIsFree(link()); }

    ComparisonSession session{port};
    SpectralSession spectral{port, sim.profile().deviceType};
};
