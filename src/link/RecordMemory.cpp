#include "RecordMemory.h"

#include "DeviceProfile.h"

#include <QtEndian>
#include <algorithm>

namespace {

constexpr int NameLength = 13; // the last three bytes of a comparison name slot are not used

// One stored 16-bit value of a measurement: which quantity, its sign and its scale.
struct StoredField
{
    int quantity;
    bool isSigned;
    double scale;
};

struct ComparisonRegion
{
    StoredComparisonLayout layout;
    QList<StoredField> fields; // of the standard; the sample's follow in the same order
};

// L*, a*, b* (signed) ahead of what the colour kind adds.
QList<StoredField> colour(std::initializer_list<StoredField> extra)
{
    using namespace Quantity;
    return QList<StoredField>{{L, true, 100}, {A, true, 100}, {B, true, 100}} + QList<StoredField>(extra);
}

ComparisonRegion region(quint32 valuesAddress, quint32 namesAddress, const QList<StoredField> &fields)
{
    const int bytesPerRecord = 2 * 2 * int(fields.size());
    // Each region ends where the next begins; names regions are as large as values regions.
    const int capacity = int(namesAddress - valuesAddress) / std::max(bytesPerRecord, ComparisonNameSlot);
    return {{valuesAddress, namesAddress, bytesPerRecord, capacity}, fields};
}

const ComparisonRegion *comparisonRegion(int kind)
{
    using namespace Quantity;
    static const ComparisonRegion regions[] = {
        region(0x400000, 0x440000, {{Haze, false, 100}, {Transmittance, false, 100}}),
        region(0x480000, 0x4C0000, {{Haze, false, 100}}),
        region(0x500000, 0x540000, {{Transmittance, false, 100}}),
        region(0x580000, 0x5C0000, colour({})),
        region(0x600000, 0x640000, colour({{LchL, false, 100}, {C, false, 100}, {H, false, 10}})),
        region(0x680000, 0x6C0000, colour({{Y, false, 100}, {X, false, 10000}, {SmallY, false, 10000}})),
    };
    return kind >= 0 && kind < int(std::size(regions)) ? &regions[kind] : nullptr;
}

// Reads the measurement's fields from bytes and advances past them.
MeasurementValues decodeMeasurement(const QList<StoredField> &fields, const char *&bytes)
{
    MeasurementValues measurement;
    for (const StoredField &field : fields) {
        const double raw =
            field.isSigned ? double(qFromLittleEndian<qint16>(bytes)) : double(qFromLittleEndian<quint16>(bytes));
        measurement.values[field.quantity] = raw / field.scale;
        bytes += 2;
    }
    return measurement;
}

QString decodeName(const char *slot, int length)
{
    return QString::fromLocal8Bit(slot, qsizetype(qstrnlen(slot, size_t(length))));
}

} // namespace

const StoredComparisonLayout *storedComparisonLayout(int kind)
{
    const ComparisonRegion *region = comparisonRegion(kind);
    return region ? &region->layout : nullptr;
}

QList<StoredComparison> decodeStoredComparisons(int kind, const QByteArray &values, const QByteArray &names,
                                                int count)
{
    const ComparisonRegion *region = comparisonRegion(kind);
    if (!region)
        return {};
    count = std::min({count, int(values.size() / region->layout.bytesPerRecord),
                      int(names.size() / ComparisonNameSlot)});
    QList<StoredComparison> records;
    records.reserve(std::max(count, 0));
    const char *valueBytes = values.constData();
    for (int k = 0; k < count; ++k) {
        StoredComparison &record = records.emplace_back();
        record.name = decodeName(names.constData() + ComparisonNameSlot * k, NameLength);
        record.standard = decodeMeasurement(region->fields, valueBytes);
        record.sample = decodeMeasurement(region->fields, valueBytes);
    }
    return records;
}

int storedSpectraCapacity(const DeviceProfile &profile)
{
    return int(profile.spectralNames - profile.spectralValues) / SpectrumValueSlot;
}

QList<StoredSpectrum> decodeStoredSpectra(const QByteArray &values, const QByteArray &names, int count)
{
    count = std::min({count, int(values.size() / SpectrumValueBytes), int(names.size() / SpectrumNameSlot)});
    QList<StoredSpectrum> records;
    records.reserve(std::max(count, 0));
    for (int k = 0; k < count; ++k) {
        StoredSpectrum &record = records.emplace_back();
        const char *bytes = values.constData() + SpectrumValueBytes * k;
        for (int i = 0; i < int(record.values.size()); ++i)
            record.values[i] = qFromLittleEndian<qint16>(bytes + 2 * i) / 100.0;
        record.name = decodeName(names.constData() + SpectrumNameSlot * k, SpectrumNameSlot);
    }
    return records;
}
