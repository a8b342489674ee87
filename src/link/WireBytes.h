#pragma once

#include <QByteArray>

// Little-endian fields of a frame. Reading past the end of a short frame yields 0 instead of
// undefined bytes, so a truncated frame decodes to zeros rather than garbage.
namespace WireBytes {

inline quint8 u8(const QByteArray &frame, qsizetype position)
{
    return position >= 0 && position < frame.size() ? quint8(frame[position]) : 0;
}

inline quint16 u16(const QByteArray &frame, qsizetype position)
{
    return quint16(u8(frame, position) | u8(frame, position + 1) << 8);
}

inline quint32 u32(const QByteArray &frame, qsizetype position)
{
    return quint32(u16(frame, position)) | quint32(u16(frame, position + 2)) << 16;
}

inline void appendU16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

} // namespace WireBytes
