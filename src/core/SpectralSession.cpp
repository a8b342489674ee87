#include "SpectralSession.h"

#include "BlockDownload.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "DeviceProfile.h"
#include "RecordMemory.h"
#include "WorkbookExportOutcome.h"

namespace {

const ExportTexts SpectralExportTexts{"MeterPageFor310", "QObject"};

} // namespace

SpectralSession::SpectralSession(LinkPort &port, int deviceType, QObject *parent)
    : QObject(parent), port_(port), deviceType_(deviceType)
{
}

bool SpectralSession::isDeviceOpen() const
{
    return port_.isDeviceOpen();
}

Outcome SpectralSession::notConnected() const
{
    return Outcome::failure(trPage("Error"), trPage("Please connect the device first!"));
}

std::shared_ptr<InstrumentLink> SpectralSession::openLink() const
{
    std::shared_ptr<InstrumentLink> link = port_.current();
    return link && link->isOpen() ? link : nullptr;
}

Outcome SpectralSession::measure()
{
    if (records_.count() >= MaxMeasuredRecords)
        return Outcome::failure(
            trPage("Error"), trPage("Measurement exceeds the maximum quantity, please save the excel file before measuring!"));
    SpectralRecord record;
    int result = CmdNotSent;
    if (const std::shared_ptr<InstrumentLink> link = openLink()) {
        LinkLock lock(link);
        result = CDeviceCommands(*link).measureSpectrum(record.values);
    }
    if (result < 0)
        return Outcome::failure(trPage("Error"), trPage("Failed to read data information!"));
    records_.append(record);
    return Outcome::done();
}

// The lock is held across the count and every block; the records are added after it.
Outcome SpectralSession::downloadHistory(const Progress &progress)
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    int count = 0;
    BlockDownload::Result download;
    const DeviceProfile *profile = deviceProfile(deviceType_);
    {
        LinkLock lock(link);
        CDeviceCommands commands(*link);
        const int result = commands.readSpectralRecordCount(count, deviceType_);
        if (result == CmdBadData)
            return Outcome::failure(trPage("Error"), trPage("Spectral history data error, unable to export!"));
        if (result < 0)
            return Outcome::failure(trPage("Error"), trPage("Failed to read the number of spectral records!"));
        if (count <= 0)
            return Outcome::said(trPage("Info"), trPage("No spectral history!"));
        const int capacity = profile ? storedSpectraCapacity(*profile) : 0;
        if (count > capacity) {
            return Outcome::failure(trPage("Error"), trPage("The instrument reports %1 spectral records, more than its memory "
                                                    "holds (%2); nothing was read.")
                                                     .arg(count)
                                                     .arg(capacity));
        }
        download = BlockDownload::read(commands,
                                       {{profile->spectralValues, count * SpectrumValueSlot},
                                        {profile->spectralNames, count * SpectrumNameSlot}},
                                       progress);
    }
    switch (download.outcome) {
    case BlockDownload::Result::Failed:
        return Outcome::failure(trPage("Error"), download.failedRegion == 0 ? trPage("Reading spectral recording data failed!")
                                                                        : trPage("Failed to read spectral record name data!"));
    case BlockDownload::Result::Cancelled:
        return Outcome::said(trPage("Info"), trPage("Download cancelled; nothing was added."));
    case BlockDownload::Result::Done:
        break;
    }
    QList<SpectralRecord> records;
    QStringList names;
    for (const StoredSpectrum &stored : decodeStoredSpectra(download.buffers[0], download.buffers[1], count)) {
        SpectralRecord record;
        record.values = stored.values;
        records.append(record);
        names.append(stored.name);
    }
    records_.append(records, names);
    return Outcome::done();
}

Outcome SpectralSession::noDataToExport() const
{
    return SpectralExportTexts.noData();
}

Outcome SpectralSession::exportTo(const QString &fileName)
{
    if (records_.count() == 0)
        return noDataToExport();
    const SaveResult result = saveRowsVerified(fileName, records_.exportRows());
    if (result == SaveResult::Saved)
        records_.clear();
    return SpectralExportTexts.of(result);
}
