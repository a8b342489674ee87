#pragma once

#include <QDate>
#include <QString>
#include <optional>

// What kind of instrument the simulator plays. The defaults are the "tq310" profile.
struct SimProfile
{
    QString model = QStringLiteral("TQ310");
    int deviceType = 0;
    quint32 meterNumber = 310000;
    quint32 serialNumber = 23100017;
    int firmwareVersion = 105;
    bool supportsDeviceInfo = true; // older models answer 0x20 0x05 as unknown
    int displayParam = 0;
    QDate manufactured = QDate(2023, 5, 17);

    // "tq310" (also for an empty name), "tq320", "tq320e", "legacy"; case is ignored.
    static std::optional<SimProfile> byName(const QString &name);
};
