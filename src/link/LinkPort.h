#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>

class InstrumentLink;

// Knows the instrument link open now (null while none). The main window owns it; whoever runs
// a command series asks it for the current link every time, so a re-plug is followed.
class LinkPort : public QObject
{
    Q_OBJECT
public:
    explicit LinkPort(QObject *parent = nullptr) : QObject(parent) {}

    std::shared_ptr<InstrumentLink> current() const { return link_; }
    // Null: none. Pushed bytes of the new link reach senddata, the old link's no more.
    void setLink(std::shared_ptr<InstrumentLink> link);
    bool isDeviceOpen() const; // current() && current()->isOpen()
    // CRC-16/MODBUS over the first n bytes; 0xFFFF for n below 1.
    static quint16 CRC16(const QByteArray &data, int n);

signals:
    void senddata(const QByteArray &baData); // pushed bytes of whichever link is current
    void linkChanged();                      // after setLink

private:
    std::shared_ptr<InstrumentLink> link_;
    QMetaObject::Connection forwarding_;
};
