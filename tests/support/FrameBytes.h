#pragma once

#include "Crc16.h"

#include <QByteArray>

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
