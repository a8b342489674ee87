#pragma once

#include <QtGlobal>

// Where the standard colour card library lives in the instrument: one record per card from
// CardAddress on, and the colour stream written in packets from StreamAddress on.
namespace ColourCardMemory {

constexpr quint32 CardAddress = 0x2000;
constexpr quint32 CardStride = 0x30;
constexpr quint32 StreamAddress = 0x40000;
constexpr int PacketSize = 256;

} // namespace ColourCardMemory
