#pragma once

#include "SimMeasurement.h"

#include <QByteArray>

// The instrument's side of the byte layouts: value encodings, result blocks and reply frames.
namespace SimWire {

constexpr char StartByte = char(0xAB);

void appendWord(QByteArray &bytes, quint16 value);
void appendLong(QByteArray &bytes, quint32 value);
quint16 word(const QByteArray &bytes, int offset);
quint32 longAt(const QByteArray &bytes, int offset);
// CRC-16/MODBUS, low byte first.
void appendCheck(QByteArray &bytes);

// A value's wire word: scaled (x100; x10 for h; x10000 for x, y), rounded, clamped to the
// word's range; L*, a*, b* as signed words.
quint16 encodeValue(int valueIndex, double value);
// The values a result kind carries, in wire order, as words.
QByteArray kindFields(int kind, const SimMeasurement &m);
// The 22 data bytes of a per-kind result block: R, G, B, the kind's values, zero padding.
QByteArray kindBlock(int kind, const SimMeasurement &m);
// The 52 data bytes of the combined result block.
QByteArray combinedBlock(const SimMeasurement &m);

// Reply frames. `header` is the request's 8-byte register header.
QByteArray registerReply(const QByteArray &header, const QByteArray &data); // data, data check, frame check
QByteArray blockReply(const QByteArray &header, const QByteArray &data);    // data, frame check
QByteArray writeReply(const QByteArray &header);                          // echo, frame check
QByteArray systemReply(char subCode, const QByteArray &data);             // 6-byte header, data, frame check
// A refusal: function code with the high bit, a reason code (1 bad data check, 2 bad value).
QByteArray refusal(char functionCode, char reason);
// The short frame of an unknown command (AB A0 04 ... for the 0x20 0x05 query, AB C7 08 ... otherwise).
QByteArray notSupported(const QByteArray &request);
// Where a reply's data check sits, or -1 when it has none.
int dataCheckOffset(const QByteArray &reply);

// Bytes the request at the front of bytes (starting with the start byte) needs: 0 while its
// header is incomplete, -1 when its function code is unknown.
int requestLength(const QByteArray &bytes);

} // namespace SimWire
