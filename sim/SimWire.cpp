#include "SimWire.h"

#include "Crc16.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace SimWire {

namespace {

constexpr std::array<double, 11> Scale{100, 100, 100, 100, 100, 100, 100, 10, 100, 10000, 10000};

bool isSigned(int valueIndex)
{
    return valueIndex == SimLStar || valueIndex == SimAStar || valueIndex == SimBStar;
}

QList<int> kindValues(int kind)
{
    switch (kind) {
    case 0: return {SimHaze, SimT};
    case 1: return {SimHaze};
    case 2: return {SimT};
    case 3: return {SimLStar, SimAStar, SimBStar};
    case 4: return {SimLStar, SimAStar, SimBStar, SimL, SimC, SimH};
    case 5: return {SimLStar, SimAStar, SimBStar, SimY, SimX, SimSmallY};
    default: return {};
    }
}

QByteArray withFrameCheck(QByteArray frame)
{
    appendCheck(frame);
    return frame;
}

} // namespace

void appendWord(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

void appendLong(QByteArray &bytes, quint32 value)
{
    appendWord(bytes, quint16(value & 0xFFFF));
    appendWord(bytes, quint16(value >> 16));
}

quint16 word(const QByteArray &bytes, int offset)
{
    return quint16(quint8(bytes[offset]) | quint8(bytes[offset + 1]) << 8);
}

quint32 longAt(const QByteArray &bytes, int offset)
{
    return word(bytes, offset) | quint32(word(bytes, offset + 2)) << 16;
}

void appendCheck(QByteArray &bytes)
{
    appendWord(bytes, crc16Modbus(bytes));
}

quint16 encodeValue(int valueIndex, double value)
{
    const double scaled = std::round(value * Scale[valueIndex]);
    if (isSigned(valueIndex))
        return quint16(qint16(std::clamp(scaled, -32768.0, 32767.0)));
    return quint16(std::clamp(scaled, 0.0, 65535.0));
}

QByteArray kindFields(int kind, const SimMeasurement &m)
{
    QByteArray bytes;
    for (int index : kindValues(kind))
        appendWord(bytes, encodeValue(index, m.values[index]));
    return bytes;
}

QByteArray kindBlock(int kind, const SimMeasurement &m)
{
    QByteArray block;
    block.append(char(m.red)).append(char(m.green)).append(char(m.blue));
    block.append(kindFields(kind, m));
    block.resize(22, '\0');
    return block;
}

QByteArray combinedBlock(const SimMeasurement &m)
{
    QByteArray block;
    for (int index : {SimLStar, SimAStar, SimBStar})
        appendWord(block, encodeValue(index, m.values[index]));
    block.append(6, '\0'); // three spare signed words
    for (int index : {SimL, SimC, SimH, SimY, SimX, SimSmallY})
        appendWord(block, encodeValue(index, m.values[index]));
    block.append(4, '\0'); // four spare bytes
    block.append(char(m.red)).append(char(m.green)).append(char(m.blue));
    appendWord(block, encodeValue(SimHaze, m.values[SimHaze]));
    appendWord(block, encodeValue(SimT, m.values[SimT]));
    block.resize(52, '\0');
    return block;
}

QByteArray registerReply(const QByteArray &header, const QByteArray &data)
{
    QByteArray frame = header.left(8) + data;
    appendWord(frame, crc16Modbus(data));
    return withFrameCheck(frame);
}

QByteArray blockReply(const QByteArray &header, const QByteArray &data)
{
    return withFrameCheck(header.left(8) + data);
}

QByteArray writeReply(const QByteArray &header)
{
    return withFrameCheck(header.left(8));
}

QByteArray systemReply(char subCode, const QByteArray &data)
{
    QByteArray frame;
    frame.append(StartByte).append(char(0x20)).append(subCode).append('\0');
    appendWord(frame, quint16(data.size()));
    return withFrameCheck(frame + data);
}

QByteArray refusal(char functionCode, char reason)
{
    QByteArray frame(8, '\0');
    frame[0] = StartByte;
    frame[1] = char(functionCode | 0x80);
    frame[2] = reason;
    return withFrameCheck(frame);
}

QByteArray notSupported(const QByteArray &request)
{
    const bool deviceInfoQuery = request.size() > 2 && request[1] == 0x20 && request[2] == 0x05;
    QByteArray frame(6, '\0');
    frame[0] = StartByte;
    frame[1] = char(deviceInfoQuery ? 0xA0 : 0xC7);
    frame[2] = char(deviceInfoQuery ? 0x04 : 0x08);
    return withFrameCheck(frame);
}

int dataCheckOffset(const QByteArray &reply)
{
    const char code = reply.size() > 8 ? reply[1] : 0;
    const bool withDataCheck = (code == 0x40 && longAt(reply, 2) < 0x10000) || code == 0x44;
    return withDataCheck ? int(word(reply, 6)) + 6 : -1;
}

int requestLength(const QByteArray &bytes)
{
    if (bytes.size() < 3)
        return 0;
    switch (quint8(bytes[1])) {
    case 0x20:
        return bytes[2] == 0x05 ? 10 : 8; // the device-information query carries a header check
    case 0x40:
        return 10;
    case 0x44:
        if (bytes.size() < 8)
            return 0;
        return longAt(bytes, 2) == 0 ? 12 : 10; // so does the combined-block read
    case 0x70:
    case 0x74:
        return bytes.size() < 8 ? 0 : 10 + word(bytes, 6);
    default:
        return -1;
    }
}

} // namespace SimWire
