#pragma once

#include <QDateTime>
#include <QString>

#include <array>

// The quantities a test report can show, as the record holds them.
struct ReportValues
{
    double haze = 0, transmittance = 0;
    double L = 0, a = 0, b = 0;
    double C = 0, h = 0;
    double Y = 0, x = 0, y = 0;
};

// Everything a test report shows, copied from one comparison record and the page.
struct ReportInputs
{
    QString sampleName;
    QString testTime;
    QString device; // model name
    QString serialNumber;
    QString company;
    QString tester;
    QString auditor;
    ReportValues standard;
    ReportValues sample;
    QString hazeTolerance;          // as the record holds it, e.g. "±0.50%"
    QString transmittanceTolerance; // likewise
    QString threshold;              // ΔE threshold, 1 decimal
    QString formulaName;            // "△E*ab" ... as shown to the user
    double deltaE = 0;
    QString result; // the record's PASS or NG word
    // Haze and T, haze, T, L*a*b*, L*C*h, Yxy: exactly one set.
    std::array<bool, 6> resultKinds{true, false, false, false, false, false};
    int deviceType = 0; // 1 adds the ΔE formula line

    // The first result kind set, -1 when none is.
    int resultKind() const;
};

// The report as one HTML document; builtAt gives the title "Report_yyyyMMddhhmmss".
// Labels are translated in the "ReportPageFor310" context, the △ texts in "Colorimeter".
QString buildReportHtml(const ReportInputs &inputs, const QDateTime &builtAt = QDateTime::currentDateTime());
