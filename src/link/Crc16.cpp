#include "Crc16.h"

#include <array>

namespace {

// One table lookup per byte instead of eight shifts: the worker and every command check frames.
constexpr std::array<quint16, 256> makeTable()
{
    std::array<quint16, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        quint16 crc = quint16(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
        table[byte] = crc;
    }
    return table;
}

constexpr std::array<quint16, 256> crcTable = makeTable();

} // namespace

quint16 crc16Modbus(const char *data, qsizetype length)
{
    quint16 crc = 0xFFFF;
    for (qsizetype i = 0; i < length; ++i)
        crc = quint16((crc >> 8) ^ crcTable[(crc ^ quint8(data[i])) & 0xFF]);
    return crc;
}
