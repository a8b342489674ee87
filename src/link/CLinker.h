#pragma once

#include <QByteArray>
#include <QObject>

// A link that carries whole protocol frames. The defaults describe a link that is not there.
class CLinker : public QObject
{
    Q_OBJECT
public:
    ~CLinker() override = default;

    virtual void Close() {}
    // Time-out 0: one poll, whatever arrived. Above 0: a reply of expectedLength bytes from 0xAB on.
    virtual int ReadMessage(QByteArray &out, int timeoutMs, int expectedLength);
    // The frame's length when all of it was written, -1 otherwise.
    virtual int WriteMessage(QByteArray &frame, int timeoutMs);
    virtual bool IsOpen() { return false; }
    virtual bool IsRemoved() { return true; }

protected:
    explicit CLinker(QObject *parent = nullptr) : QObject(parent) {}
};
