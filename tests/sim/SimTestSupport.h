#pragma once

#include "Crc16.h"
#include "ReportTransport.h"

#include <QByteArray>
#include <QList>

// Frames written by hand, as a host would put them on the wire.
inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

inline QByteArray le16(quint16 value)
{
    QByteArray bytes;
    bytes.append(char(value & 0xFF)).append(char(value >> 8));
    return bytes;
}

inline QByteArray withCheck(const QByteArray &bytes)
{
    return bytes + le16(crc16Modbus(bytes));
}

inline QList<QByteArray> asReports(const QByteArray &frame, int perReport = 62)
{
    QList<QByteArray> reports;
    for (qsizetype at = 0; at < frame.size(); at += perReport) {
        const QByteArray chunk = frame.mid(at, perReport);
        QByteArray report(64, '\0');
        report[0] = 0x3F;
        report[1] = char(chunk.size());
        report.replace(2, chunk.size(), chunk);
        reports.append(report);
    }
    return reports;
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
