#pragma once

#include "Crc16.h"

#include <QByteArray>
#include <QList>

// Frames written by hand, as a host or the instrument would put them on the wire.
inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

inline QByteArray le16(quint16 value)
{
    QByteArray bytes;
    return bytes.append(char(value & 0xFF)).append(char(value >> 8));
}

// The check of every frame and data block: CRC-16/MODBUS, low byte first.
inline QByteArray withCheck(const QByteArray &bytes)
{
    return bytes + le16(crc16Modbus(bytes));
}

// A register read reply: the echoed header, the data with its data check, then the frame check.
inline QByteArray registerReply(const char *header, const QByteArray &data)
{
    return withCheck(hex(header) + withCheck(data));
}

// One 64-byte HID report: its id, the payload's length, the payload, zero padding.
inline QByteArray reportOf(const QByteArray &payload, char id = 0x3F)
{
    QByteArray report(64, '\0');
    report[0] = id;
    report[1] = char(payload.size());
    return report.replace(2, payload.size(), payload);
}

// A frame in reports of at most perReport payload bytes, as the instrument and the host send it.
inline QList<QByteArray> asReports(const QByteArray &frame, int perReport = 62)
{
    QList<QByteArray> reports;
    for (qsizetype at = 0; at < frame.size(); at += perReport)
        reports.append(reportOf(frame.mid(at, perReport)));
    return reports;
}
