#include "ResultDecoding.h"

#include "WireBytes.h"

#include <QList>

using namespace WireBytes;

namespace {

// Values in display order, their wire scale and which of them are signed.
enum Value { Haze, Trans, LStar, AStar, BStar, LValue, Chroma, Hue, YValue, XChroma, YChroma, ValueCount };
constexpr double wireScale[ValueCount] = {100, 100, 100, 100, 100, 100, 100, 10, 100, 10000, 10000};

double wireValue(const QByteArray &frame, int position, Value value)
{
    const bool isSigned = value == LStar || value == AStar || value == BStar;
    const quint16 raw = u16(frame, position);
    return (isSigned ? double(qint16(raw)) : double(raw)) / wireScale[value];
}

struct Field
{
    Value value;
    int position; // from the frame's start byte
};

const QList<Field> &kindFields(int kind)
{
    static const QList<Field> fields[6] = {
        {{Haze, 11}, {Trans, 13}},
        {{Haze, 11}},
        {{Trans, 11}},
        {{LStar, 11}, {AStar, 13}, {BStar, 15}},
        {{LStar, 11}, {AStar, 13}, {BStar, 15}, {LValue, 17}, {Chroma, 19}, {Hue, 21}},
        {{LStar, 11}, {AStar, 13}, {BStar, 15}, {YValue, 17}, {XChroma, 19}, {YChroma, 21}},
    };
    return fields[kind];
}

} // namespace

ResultValues decodeKindBlock(const QByteArray &frame, int offset, int kind)
{
    ResultValues result;
    result.red = u8(frame, offset + 8);
    result.green = u8(frame, offset + 9);
    result.blue = u8(frame, offset + 10);
    if (kind < 0 || kind > 5)
        return result;
    for (const Field &field : kindFields(kind))
        result.values[field.value] = wireValue(frame, offset + field.position, field.value);
    return result;
}

std::array<int, 21> decodeMeasureBlock(const QByteArray &frame, int offset)
{
    const int data = offset + 8;
    std::array<int, 21> raw{};
    for (int i = 0; i < 6; ++i) {
        raw[i] = qint16(u16(frame, data + 2 * i));
        raw[6 + i] = u16(frame, data + 12 + 2 * i);
    }
    for (int i = 0; i < 7; ++i)
        raw[12 + i] = u8(frame, data + 24 + i);
    raw[19] = u16(frame, data + 31);
    raw[20] = u16(frame, data + 33);
    return raw;
}

ResultValues valuesFromMeasureData(const std::array<int, 21> &raw)
{
    // Which raw output carries each display value: haze and T last, the spare words skipped.
    constexpr int rawIndex[ValueCount] = {19, 20, 0, 1, 2, 6, 7, 8, 9, 10, 11};
    ResultValues result;
    for (int v = 0; v < ValueCount; ++v)
        result.values[v] = raw[rawIndex[v]] / wireScale[v];
    result.red = raw[16];
    result.green = raw[17];
    result.blue = raw[18];
    return result;
}
