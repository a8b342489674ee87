#include "BlockDownload.h"

#include "DeviceCommands.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace BlockDownload {

int blockCount(int byteCount)
{
    return (byteCount + blockSize - 1) / blockSize;
}

Result read(CDeviceCommands &commands, const QList<Region> &regions, QWidget *parent, const QString &label,
            const QString &cancelText)
{
    int total = 0;
    for (const Region &region : regions)
        total += blockCount(region.byteCount);

    QProgressDialog progress(label, cancelText, 0, total, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setValue(0);
    progress.show();

    Result result;
    QList<QByteArray> buffers;
    int done = 0;
    for (int r = 0; r < regions.size(); ++r) {
        const Region &region = regions[r];
        QByteArray &buffer = buffers.emplace_back();
        buffer.reserve(region.byteCount);
        for (int offset = 0; offset < region.byteCount; offset += blockSize) {
            const int length = std::min(blockSize, region.byteCount - offset);
            if (commands.readBlock(region.address + offset, buffer, length) < 0) {
                result.outcome = Result::Failed;
                result.failedRegion = r;
                return result;
            }
            progress.setValue(done++);
            // The only moment a cancel click can land: the lock stays ours meanwhile.
            QCoreApplication::processEvents();
            if (progress.wasCanceled()) {
                result.outcome = Result::Cancelled;
                return result;
            }
        }
    }
    result.buffers = std::move(buffers);
    return result;
}

} // namespace BlockDownload
