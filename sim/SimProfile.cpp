#include "SimProfile.h"

std::optional<SimProfile> SimProfile::byName(const QString &name)
{
    const QString key = name.trimmed().toLower();
    SimProfile p;
    if (key.isEmpty() || key == QLatin1String("tq310"))
        return p;
    if (key == QLatin1String("tq320") || key == QLatin1String("tq320e")) {
        const bool e = key.endsWith(QLatin1Char('e'));
        p.model = QStringLiteral("TQ320");
        p.deviceType = e ? 2 : 1;
        p.meterNumber = e ? 320002 : 320001;
        p.serialNumber = e ? 23200231 : 23200118;
        p.firmwareVersion = 110;
        p.displayParam = 3;
        return p;
    }
    if (key == QLatin1String("legacy")) {
        p.serialNumber = 19030042;
        p.firmwareVersion = 103;
        p.supportsDeviceInfo = false;
        p.manufactured = QDate(2019, 3, 8);
        return p;
    }
    return std::nullopt;
}
