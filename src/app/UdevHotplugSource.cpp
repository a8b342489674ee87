#include "AppLog.h"
#include "HotplugSource.h"

#include <QSocketNotifier>
#include <libudev.h>

namespace {

QString property(udev_device *device, const char *name)
{
    return QString::fromLatin1(udev_device_get_property_value(device, name));
}

// True when the event names another vendor/product; unknown ids pass, since the
// open attempt and the removal check test the device themselves.
bool namesOtherDevice(udev_device *device, quint16 vendorId, quint16 productId)
{
    const QString vendor = property(device, "ID_VENDOR_ID");
    const QString model = property(device, "ID_MODEL_ID");
    if (!vendor.isEmpty() && !model.isEmpty())
        return vendor.toUShort(nullptr, 16) != vendorId || model.toUShort(nullptr, 16) != productId;

    // usb events carry PRODUCT=vendor/product/bcd in hex without padding.
    const QStringList product = property(device, "PRODUCT").split(u'/');
    if (product.size() >= 2)
        return product[0].toUShort(nullptr, 16) != vendorId || product[1].toUShort(nullptr, 16) != productId;

    // hidraw events: the parent hid device has HID_ID=bus:vendor:product.
    if (udev_device *hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr)) {
        const QStringList id = property(hid, "HID_ID").split(u':');
        if (id.size() == 3)
            return id[1].toUInt(nullptr, 16) != vendorId || id[2].toUInt(nullptr, 16) != productId;
    }
    return false;
}

class UdevHotplugSource : public HotplugSource
{
public:
    UdevHotplugSource(udev *context, udev_monitor *monitor, quint16 vendorId, quint16 productId)
        : context_(context), monitor_(monitor), vendorId_(vendorId), productId_(productId),
          notifier_(udev_monitor_get_fd(monitor), QSocketNotifier::Read)
    {
        connect(&notifier_, &QSocketNotifier::activated, this, &UdevHotplugSource::readEvent);
    }

    ~UdevHotplugSource() override
    {
        udev_monitor_unref(monitor_);
        udev_unref(context_);
    }

private:
    void readEvent()
    {
        udev_device *device = udev_monitor_receive_device(monitor_);
        if (!device)
            return;
        const QByteArray action = udev_device_get_action(device);
        const bool ours = !namesOtherDevice(device, vendorId_, productId_);
        udev_device_unref(device);
        if (!ours)
            return;
        qCDebug(lumivexApp) << "收到事件 " << action;
        if (action == "add")
            emit deviceArrived();
        else if (action == "remove")
            emit deviceRemoved();
    }

    udev *context_;
    udev_monitor *monitor_;
    quint16 vendorId_;
    quint16 productId_;
    QSocketNotifier notifier_;
};

} // namespace

std::unique_ptr<HotplugSource> createUdevHotplugSource(quint16 vendorId, quint16 productId)
{
    udev *context = udev_new();
    if (!context)
        return nullptr;
    udev_monitor *monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0
        || udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor)
            udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::make_unique<UdevHotplugSource>(context, monitor, vendorId, productId);
}
