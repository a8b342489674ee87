#include "HidapiTransport.h"

#include <hidapi/hidapi.h>

#include <atomic>
#include <cerrno>
#include <unistd.h>

namespace {

std::atomic<bool> openRefused{false};

// First enumerated path of a device with these ids; empty when none is attached.
QByteArray firstPath(quint16 vendorId, quint16 productId)
{
    hid_device_info *devices = hid_enumerate(vendorId, productId);
    const QByteArray path = devices && devices->path ? QByteArray(devices->path) : QByteArray();
    hid_free_enumeration(devices);
    return path;
}

bool stillEnumerated(quint16 vendorId, quint16 productId, const QByteArray &path)
{
    hid_device_info *devices = hid_enumerate(vendorId, productId);
    bool found = false;
    for (const hid_device_info *d = devices; d && !found; d = d->next)
        found = d->path && path == d->path;
    hid_free_enumeration(devices);
    return found;
}

} // namespace

HidapiTransport::~HidapiTransport()
{
    close();
}

bool HidapiTransport::open(quint16 vendorId, quint16 productId)
{
    close();
    openRefused = false;
    if (hid_init() != 0)
        return false;
    const QByteArray path = firstPath(vendorId, productId);
    if (path.isEmpty())
        return false;
    device_ = hid_open_path(path.constData());
    if (!device_) {
        // hidraw paths are device nodes: a permission error there means the udev rule is missing.
        openRefused = ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
        return false;
    }
    path_ = path;
    vendorId_ = vendorId;
    productId_ = productId;
    return true;
}

bool HidapiTransport::takeOpenRefused()
{
    return openRefused.exchange(false);
}

void HidapiTransport::close()
{
    if (device_)
        hid_close(device_);
    device_ = nullptr;
    path_.clear();
}

// hidraw writes block until the kernel takes the report; there is no time-out to apply.
int HidapiTransport::writeReport(const QByteArray &report, int)
{
    if (!device_)
        return -1;
    return hid_write(device_, reinterpret_cast<const unsigned char *>(report.constData()), size_t(report.size()));
}

int HidapiTransport::readReport(QByteArray &report, int timeoutMs)
{
    if (!device_)
        return -1;
    report.resize(inputReportLength());
    const int n = hid_read_timeout(device_, reinterpret_cast<unsigned char *>(report.data()), size_t(report.size()),
                                   timeoutMs);
    report.resize(qMax(n, 0));
    return n;
}

bool HidapiTransport::isPresent()
{
    return device_ && stillEnumerated(vendorId_, productId_, path_);
}
