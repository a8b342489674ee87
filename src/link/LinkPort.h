#pragma once

#include <QByteArray>

class CLinker;

// The program's one instrument link and the frame operations every command goes through.
// The main window owns the link and registers it here; the command set and the worker
// reach it without knowing the window.
namespace LinkPort {

CLinker *link();
// Not owning. Null while no instrument is open. Waits until a frame operation still running
// on the old link (the worker's poll) has ended, so the old link may be deleted afterwards.
void setLink(CLinker *link);

// Appends the frame check (low byte first) and writes the frame; bytes written, or -1 without an open link.
int sendFrame(QByteArray &frame, int timeoutMs);
// Collects a reply of expectedLength bytes starting at 0xAB; its byte count, or 0 / -1 on failure.
int receiveFrame(QByteArray &out, int timeoutMs, int expectedLength, bool testFrameCheck);
bool isDeviceOpen();
// CRC-16/MODBUS over the first n bytes; 0xFFFF for n below 1.
quint16 CRC16(const QByteArray &data, int n);

} // namespace LinkPort
