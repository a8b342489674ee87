#pragma once

#include "FrameBytes.h"
#include "ReportTransport.h"

#include <QByteArray>
#include <QStringList>

// A frame written as "header data", or "header : data" with the data followed by its data check.
inline QByteArray frameOf(const QString &text)
{
    const QStringList parts = text.split(':');
    return withCheck(QByteArray::fromHex(parts[0].toLatin1())
                     + (parts.size() > 1 ? withCheck(QByteArray::fromHex(parts[1].toLatin1())) : QByteArray()));
}

// Waits up to waitMs for a first report, then takes what is queued; the payloads joined.
struct Received
{
    QByteArray bytes;
    int reports = 0;
    int lastResult = 0;
};

inline Received drain(ReportTransport &transport, int waitMs = 0)
{
    Received got;
    QByteArray report;
    while ((got.lastResult = transport.readReport(report, got.reports == 0 ? waitMs : 0)) > 0) {
        got.bytes.append(report.mid(2, quint8(report[1])));
        ++got.reports;
    }
    return got;
}

// Sends a frame, its check appended, in reports of perReport payload bytes; -1 if a write failed.
inline int send(ReportTransport &transport, const QByteArray &frameWithoutCheck, int perReport = 62)
{
    for (const QByteArray &report : asReports(withCheck(frameWithoutCheck), perReport))
        if (transport.writeReport(report, 50) != 64)
            return -1;
    return 0;
}

inline QByteArray exchange(ReportTransport &transport, const QByteArray &frameWithoutCheck)
{
    send(transport, frameWithoutCheck);
    return drain(transport).bytes;
}
