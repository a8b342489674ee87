#include "LinkPort.h"

#include "CLinker.h"
#include "Crc16.h"

#include <QReadLocker>
#include <QReadWriteLock>
#include <QWriteLocker>
#include <atomic>

namespace {

// Set by the GUI thread, read by the worker's polls.
std::atomic<CLinker *> currentLink{nullptr};
// Frame operations hold it for reading, so a link is never replaced under a poll still using it.
QReadWriteLock linkInUse;

bool frameCheckPasses(const QByteArray &frame, int expectedLength)
{
    if (expectedLength < 2 || frame.size() < expectedLength)
        return false;
    const quint16 stored = quint16(quint8(frame[expectedLength - 2]) | quint8(frame[expectedLength - 1]) << 8);
    return LinkPort::CRC16(frame, expectedLength - 2) == stored;
}

} // namespace

CLinker *LinkPort::link()
{
    return currentLink.load();
}

void LinkPort::setLink(CLinker *link)
{
    const QWriteLocker locker(&linkInUse);
    currentLink.store(link);
}

int LinkPort::sendFrame(QByteArray &frame, int timeoutMs)
{
    const QReadLocker locker(&linkInUse);
    CLinker *link = currentLink.load();
    if (!link || !link->IsOpen())
        return -1;
    const quint16 check = crc16Modbus(frame);
    frame.append(char(check & 0xFF));
    frame.append(char(check >> 8));
    return link->WriteMessage(frame, timeoutMs);
}

int LinkPort::receiveFrame(QByteArray &out, int timeoutMs, int expectedLength, bool testFrameCheck)
{
    const QReadLocker locker(&linkInUse);
    CLinker *link = currentLink.load();
    if (!link)
        return -1;
    const int n = link->ReadMessage(out, timeoutMs, expectedLength);
    if (n <= 0 || !testFrameCheck)
        return n;
    return frameCheckPasses(out, expectedLength) ? n : -1;
}

bool LinkPort::isDeviceOpen()
{
    CLinker *link = currentLink.load();
    return link && link->IsOpen();
}

quint16 LinkPort::CRC16(const QByteArray &data, int n)
{
    if (n < 1)
        return 0xFFFF;
    return crc16Modbus(data.constData(), qMin<qsizetype>(n, data.size()));
}
