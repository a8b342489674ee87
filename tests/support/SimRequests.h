#pragma once

#include "SimulatedInstrument.h"

#include <QtEndian>
#include <ostream>

// A request the simulated instrument received, by its address and length fields (bytes 2-7).
struct SimRequest
{
    quint32 address = 0;
    int length = 0;
    bool operator==(const SimRequest &) const = default;
};

inline void PrintTo(const SimRequest &r, std::ostream *os)
{
    *os << std::hex << "0x" << r.address << std::dec << "/" << r.length;
}

// The requests of one function code (0x40 read, 0x44 result, 0x70 write, 0x74 bulk), in order,
// at or above the address `from`.
inline QList<SimRequest> simRequests(const SimulatedInstrument &sim, quint8 function, quint32 from = 0)
{
    QList<SimRequest> found;
    for (const QByteArray &frame : sim.requestLog()) {
        const quint32 address = qFromLittleEndian<quint32>(frame.constData() + 2);
        if (quint8(frame[1]) == function && address >= from)
            found.append({address, qFromLittleEndian<quint16>(frame.constData() + 6)});
    }
    return found;
}

// The data bytes of every register write (0x70): after the header, before data and frame check.
inline QList<QByteArray> simWrites(const SimulatedInstrument &sim)
{
    QList<QByteArray> data;
    for (const QByteArray &frame : sim.requestLog())
        if (quint8(frame[1]) == 0x70)
            data.append(frame.mid(8, frame.size() - 12));
    return data;
}
