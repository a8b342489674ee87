#include "BlockDownload.h"

#include "DeviceCommands.h"

#include <algorithm>

namespace BlockDownload {

int blockCount(int byteCount)
{
    return (byteCount + blockSize - 1) / blockSize;
}

Result read(CDeviceCommands &commands, const QList<Region> &regions, const Progress &progress)
{
    int total = 0;
    for (const Region &region : regions)
        total += blockCount(region.byteCount);
    if (progress)
        progress(0, total);

    Result result;
    QList<QByteArray> buffers;
    int done = 0;
    for (int r = 0; r < regions.size(); ++r) {
        const Region &region = regions[r];
        QByteArray &buffer = buffers.emplace_back();
        buffer.reserve(region.byteCount);
        for (int offset = 0; offset < region.byteCount; offset += blockSize) {
            const int length = std::min(blockSize, region.byteCount - offset);
            if (commands.readBlock(region.address + quint32(offset), buffer, length) < 0) {
                result.outcome = Result::Failed;
                result.failedRegion = r;
                return result;
            }
            if (progress && !progress(done++, total)) {
                result.outcome = Result::Cancelled;
                return result;
            }
        }
    }
    result.buffers = std::move(buffers);
    return result;
}

} // namespace BlockDownload
