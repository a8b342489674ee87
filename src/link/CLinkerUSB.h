#pragma once

#include "CLinker.h"
#include "libHidDevice.h"

// The instrument link over USB HID.
class CLinkerUSB : public CLinker
{
    Q_OBJECT
public:
    static constexpr int reportWaitMs = 50;
    static constexpr int pollLength = 12800;

    explicit CLinkerUSB(QObject *parent = nullptr) : CLinker(parent) {}

    // 0 on success, -1 when no such device could be opened.
    int Open(quint16 vendorId, quint16 productId);
    void Close() override;
    int ReadMessage(QByteArray &out, int timeoutMs, int expectedLength) override;
    int WriteMessage(QByteArray &frame, int timeoutMs) override;
    bool IsOpen() override { return hid_.IsOpen(); }
    bool IsRemoved() override { return hid_.IsRemoved(); }

private:
    int poll(QByteArray &out);
    int collectReply(QByteArray &out, int timeoutMs, int expectedLength);
    int appendRead(QByteArray &out, int length);

    libHidDevice hid_;
};
