#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QList>

class CDeviceCommands;

// Reads instrument memory regions in 256-byte blocks. The caller holds the link lock for the
// whole series.
namespace BlockDownload {

constexpr int blockSize = 256;

struct Region
{
    quint32 address = 0;
    int byteCount = 0;
};

struct Result
{
    enum Outcome { Done, Failed, Cancelled };
    Outcome outcome = Done;
    int failedRegion = -1;     // index into the regions when Failed
    QList<QByteArray> buffers; // one per region, filled only when Done
};

int blockCount(int byteCount);

// Progress runs from 0 to the total block count; after each block it is told that block's
// index over all regions, and a false answer stops the download there.
Result read(CDeviceCommands &commands, const QList<Region> &regions, const Progress &progress);

} // namespace BlockDownload
