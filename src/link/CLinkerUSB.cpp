#include "CLinkerUSB.h"

#include "LinkLog.h"
#include "Protocol.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

// Resynchronisation: a reply starts at the start byte; anything before it is noise.
void dropUntilStartByte(QByteArray &out)
{
    const qsizetype start = out.indexOf(char(Protocol::StartByte));
    out.remove(0, start < 0 ? out.size() : start);
}

} // namespace

int CLinkerUSB::Open(quint16 vendorId, quint16 productId)
{
    if (hid_.Open(vendorId, productId) != 0) {
        qCDebug(lumivexLink, "hidDevice Open error!");
        return -1;
    }
    qCDebug(lumivexLink, "hidDevice Open success!");
    return 0;
}

void CLinkerUSB::Close()
{
    hid_.Close();
}

int CLinkerUSB::ReadMessage(QByteArray &out, int timeoutMs, int expectedLength)
{
    return timeoutMs == 0 ? poll(out) : collectReply(out, timeoutMs, expectedLength);
}

int CLinkerUSB::poll(QByteArray &out)
{
    const int n = appendRead(out, pollLength);
    qCDebug(lumivexLink, "%01d", n);
    return n < 1 ? n : int(out.size());
}

int CLinkerUSB::collectReply(QByteArray &out, int timeoutMs, int expectedLength)
{
    if (!hid_.IsOpen())
        return 0;
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        QElapsedTimer thisRead;
        thisRead.start();
        const int wanted = qBound(1, expectedLength - int(out.size()), pollLength);
        if (appendRead(out, wanted) > 0) {
            dropUntilStartByte(out);
            if (!out.isEmpty() && out.size() >= expectedLength)
                return int(out.size());
        } else {
            qCDebug(lumivexLink, "hidDevice ReadMessage error!");
            if (!hid_.IsOpen())
                return 0; // closed meanwhile: nothing more will come
            // A failing device answers at once; waiting out the report time keeps this loop from spinning.
            if (thisRead.elapsed() < reportWaitMs)
                QThread::msleep(ulong(reportWaitMs - thisRead.elapsed()));
        }
        if (elapsed.elapsed() > timeoutMs)
            return 0;
    }
}

int CLinkerUSB::appendRead(QByteArray &out, int length)
{
    const qsizetype had = out.size();
    out.resize(had + length);
    const int n = hid_.Read(out.data() + had, length, reportWaitMs);
    out.resize(had + qMax(n, 0));
    return n;
}

int CLinkerUSB::WriteMessage(QByteArray &frame, int timeoutMs)
{
    const int n = hid_.Write(frame.constData(), int(frame.size()), timeoutMs);
    if (n < frame.size()) {
        qCDebug(lumivexLink, "hidDevice WriteMessage error! ret = %d", n);
        return -1;
    }
    return int(frame.size());
}
