#pragma once

#include <QtGlobal>
#include <algorithm>
#include <array>

// Where the instrument keeps things. Registers live below BlockSpaceStart; from there on
// 0x40 reads are raw block reads and 0x74 packets land.
namespace SimMemoryMap {

constexpr quint32 DeviceInfo = 0x0000;      // 18 bytes, also served by the 0x20 0x05 command
constexpr int DeviceInfoSize = 18;
constexpr quint32 DisplayParam = 0x0300;    // one byte: the result kind
constexpr quint32 Tolerance = 0x030F;       // haze, T, ΔE threshold: three words
constexpr quint32 DeltaEParam = 0x0225;     // formula byte, threshold word
constexpr quint32 ColourCards = 0x2000;     // card i at ColourCards + ColourCardStride * i
constexpr quint32 ColourCardStride = 0x30;
constexpr int ColourCardSize = 36;
constexpr quint32 ColourCardCount = 0x2F00; // one word
constexpr quint32 BlockSpaceStart = 0x10000;
constexpr quint32 ColourStream = 0x40000;   // names then values of all colour rows

constexpr int ResultKinds = 6;
constexpr int NameSlotSize = 16;

// Comparison records: values packed without gaps, one 16-byte name slot per record.
constexpr std::array<int, ResultKinds> ComparisonRecordSize{8, 4, 4, 12, 24, 24};
constexpr quint32 ComparisonRegionSize = 0x40000;
// Records of a kind that fit both its values region and its names region.
constexpr int comparisonCapacity(int kind)
{
    return int(ComparisonRegionSize) / std::max(ComparisonRecordSize[kind], NameSlotSize);
}

constexpr quint32 comparisonValuesAddress(int kind) { return 0x400000 + 0x80000 * quint32(kind); }
constexpr quint32 comparisonNamesAddress(int kind) { return comparisonValuesAddress(kind) + ComparisonRegionSize; }
// Devices of types 1 and 2 count their L*a*b* and L*C*h records elsewhere.
constexpr quint32 comparisonCountAddress(int kind, int deviceType)
{
    if (deviceType != 0 && (kind == 3 || kind == 4))
        return 0x1600 + 4 * quint32(kind - 3);
    return 0x1200 + 4 * quint32(kind);
}

// Spectra: 31 signed words (62 bytes) packed one after another; a region of 100 records of 64 bytes.
constexpr int SpectrumValues = 31;
constexpr int SpectrumRecordSize = 62;
constexpr int SpectrumCapacity = 100;
constexpr quint32 spectraValuesAddress(int deviceType) { return deviceType == 0 ? 0x020000 : 0x140000; }
constexpr quint32 spectraNamesAddress(int deviceType) { return spectraValuesAddress(deviceType) + 0x1900; }
// A six-byte register; the count is its second word.
constexpr quint32 spectraCountRegister(int deviceType) { return deviceType == 0 ? 0x1020 : 0x1410; }
constexpr quint32 spectraCountAddress(int deviceType) { return spectraCountRegister(deviceType) + 2; }

} // namespace SimMemoryMap
