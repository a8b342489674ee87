#include "PushedFrames.h"

#include "Crc16.h"
#include "Protocol.h"
#include "WireBytes.h"

#include <QElapsedTimer>

namespace {

// A pushed result has the layout of a result read's reply: start byte, function, block address
// (0x20 + result kind, or 0x00 for the combined block), 0x00, and its length field in byte 6.
constexpr quint8 FirstKindBlock = 0x20;
constexpr int KindByte = 2;

struct PushedForm
{
    quint8 lengthField;
    int frameLength;
};
constexpr PushedForm KindForm{0x18, kindFrameLength};
constexpr PushedForm CombinedForm{0x36, measureFrameLength};

enum class HeaderMatch { No, Partial, Whole };

HeaderMatch matchHeader(const QByteArray &buffer, qsizetype start, quint8 lengthField)
{
    const struct
    {
        int offset;
        quint8 value;
    } fixed[] = {{0, Protocol::StartByte}, {1, Protocol::ReadResult}, {3, 0x00}, {6, lengthField}};
    for (const auto &f : fixed) {
        if (start + f.offset >= buffer.size())
            return HeaderMatch::Partial;
        if (quint8(buffer[start + f.offset]) != f.value)
            return HeaderMatch::No;
    }
    return HeaderMatch::Whole;
}

bool hasValidFrameCheck(const QByteArray &frame)
{
    const qsizetype body = frame.size() - 2;
    return crc16Modbus(frame.constData(), body) == WireBytes::u16(frame, body);
}

} // namespace

bool takePushedResult(QByteArray &buffer, bool perKind, int resultKind, ResultValues &values)
{
    const PushedForm form = perKind ? KindForm : CombinedForm;
    qsizetype start = 0;
    while (start < buffer.size()) {
        const HeaderMatch match = matchHeader(buffer, start, form.lengthField);
        if (match == HeaderMatch::No) {
            ++start;
            continue;
        }
        if (match == HeaderMatch::Partial || buffer.size() - start < form.frameLength)
            break; // the rest of the frame is still on its way
        const QByteArray frame = buffer.mid(start, form.frameLength);
        // A damaged frame is never half-applied; a real frame may still start inside it.
        if (!hasValidFrameCheck(frame)) {
            ++start;
            continue;
        }
        buffer.remove(0, start + form.frameLength);
        start = 0;
        if (!perKind) {
            values = valuesFromMeasureData(decodeMeasureBlock(frame, 0));
            return true;
        }
        // A result of another kind than the one displayed is dropped.
        if (resultKind >= 0 && quint8(frame[KindByte]) == FirstKindBlock + resultKind) {
            values = decodeKindBlock(frame, 0, resultKind);
            return true;
        }
    }
    buffer.remove(0, start);
    return false;
}

void delayMs(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() <= ms) {
    }
}
