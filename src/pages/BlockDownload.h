#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class CDeviceCommands;
class QWidget;

// Reads instrument memory regions in 256-byte blocks behind a window-modal progress dialog.
// The caller holds the link lock of commands' link for the whole series.
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

// The progress runs from 0 to the total block count; after each block it shows that block's
// index over all regions. Cancelling stops after the block in progress.
Result read(CDeviceCommands &commands, const QList<Region> &regions, QWidget *parent, const QString &label,
            const QString &cancelText);

} // namespace BlockDownload
