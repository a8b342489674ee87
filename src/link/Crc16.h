#pragma once

#include <QByteArray>

// CRC-16/MODBUS: polynomial 0xA001 (reflected), initial 0xFFFF, no final XOR.
// Frame checks, data checks and the colour card check values all use it.
quint16 crc16Modbus(const char *data, qsizetype length);

inline quint16 crc16Modbus(const QByteArray &data)
{
    return crc16Modbus(data.constData(), data.size());
}
