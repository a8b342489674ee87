#pragma once

#include "MeasurementValues.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

struct DeviceProfile;

// The instrument's stored comparison records: for each result kind a values region (standard
// then sample, 16-bit values each) and a names region of 16-byte slots right after it.
struct StoredComparisonLayout
{
    quint32 valuesAddress;
    quint32 namesAddress;
    int bytesPerRecord;
    int capacity; // records the regions hold
};

constexpr int ComparisonNameSlot = 16;

struct StoredComparison
{
    QString name;
    MeasurementValues standard;
    MeasurementValues sample;
};

// Null for kinds other than 0-5.
const StoredComparisonLayout *storedComparisonLayout(int kind);
// At most count records, never more than values and names hold; none for an unknown kind.
QList<StoredComparison> decodeStoredComparisons(int kind, const QByteArray &values, const QByteArray &names,
                                                int count);

// Stored spectra: 31 values of 0.01 % packed in 62 bytes per record, read as 64-byte slots,
// and 16-byte names. The regions depend on the device type.
constexpr int SpectrumValueBytes = 62;
constexpr int SpectrumValueSlot = 64;
constexpr int SpectrumNameSlot = 16;

struct StoredSpectrum
{
    QString name;
    std::array<double, 31> values{};
};

// The values region ends where the names begin.
int storedSpectraCapacity(const DeviceProfile &profile);
// At most count records, never more than values and names hold.
QList<StoredSpectrum> decodeStoredSpectra(const QByteArray &values, const QByteArray &names, int count);
