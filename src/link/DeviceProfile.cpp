#include "DeviceProfile.h"

#include <QCoreApplication>

namespace {

constexpr DeviceProfile profiles[] = {
    {0, true, false, false, {true, true, true, true, true, true}, 0x020000, 0x021900, DeviceProfile::Counters::First,
     QT_TRANSLATE_NOOP("MeterPageFor310", "Transmittance(%)"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Spectral transmittance")},
    {1, false, true, true, {false, false, false, true, true, false}, 0x140000, 0x141900,
     DeviceProfile::Counters::Moved, QT_TRANSLATE_NOOP("MeterPageFor310", "Reflectance(%)"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Spectral reflectance")},
    {2, false, false, false, {false, false, false, true, false, false}, 0x140000, 0x141900,
     DeviceProfile::Counters::Moved, QT_TRANSLATE_NOOP("MeterPageFor310", "Reflectance(%)"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Spectral reflectance")},
};

} // namespace

const DeviceProfile *deviceProfile(int type)
{
    for (const DeviceProfile &profile : profiles) {
        if (profile.type == type)
            return &profile;
    }
    return nullptr;
}
