#include "LinkPort.h"

#include "Crc16.h"
#include "InstrumentLink.h"

void LinkPort::setLink(std::shared_ptr<InstrumentLink> link)
{
    disconnect(forwarding_);
    link_ = std::move(link);
    if (link_)
        forwarding_ = connect(link_.get(), &InstrumentLink::senddata, this, &LinkPort::senddata);
    emit linkChanged();
}

bool LinkPort::isDeviceOpen() const
{
    return link_ && link_->isOpen();
}

quint16 LinkPort::CRC16(const QByteArray &data, int n)
{
    if (n < 1)
        return 0xFFFF;
    return crc16Modbus(data.constData(), qMin<qsizetype>(n, data.size()));
}
