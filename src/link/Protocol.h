#pragma once

#include <QtGlobal>

// The instrument's frame: start byte, function code, then the function's header and data,
// closed by the frame check (CRC-16/MODBUS, low byte first).
namespace Protocol {

constexpr quint8 StartByte = 0xAB;

enum Function : quint8 {
    Query = 0x20,         // identity, firmware version, spectrum measurement
    ReadRegister = 0x40,  // settings, record counters, memory blocks
    ReadResult = 0x44,    // result blocks, asked for or pushed by the measure key
    WriteRegister = 0x70, // settings and colour card records
    BulkWrite = 0x74,     // colour stream packets and the empty packet that closes them
};

} // namespace Protocol
