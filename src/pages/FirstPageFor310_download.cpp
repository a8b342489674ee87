#include "FirstPageFor310.h"
#include "ui_FirstPageFor310.h"

#include "BlockDownload.h"
#include "ColourDifference.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "RecordMemory.h"

#include <QDateTime>
#include <QMessageBox>
#include <algorithm>

void FirstPageFor310::on_pushButton_readComparisonRecord_clicked()
{
    if (!isDeviceOpen()) {
        QMessageBox::information(this, tr("Error"), tr("Please connect the device first!"));
        return;
    }
    const auto &kinds = state_.judgement.resultKinds;
    if (std::count(kinds.begin(), kinds.end(), true) != 1) {
        QMessageBox::information(this, tr("Error"),
                                 tr("Choose one display parameter before reading the comparison records."));
        return;
    }
    if (!offerExportBeforeDownload())
        return;
    const DownloadNotice notice = downloadComparisonRecords(state_.resultKind());
    if (!notice.text.isEmpty())
        QMessageBox::information(this, notice.title, notice.text);
}

// More than two records are saved or discarded first; one or two stay and are continued.
bool FirstPageFor310::offerExportBeforeDownload()
{
    if (ui->tableWidget_data->rowCount() <= 2)
        return true;
    const auto answer = QMessageBox::question(this, tr("Colorimeter"),
                                              tr("Data import willempty the list, to save data first?"),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No) {
        on_pushButton_clear_clicked();
        return true;
    }
    return on_pushButton_exportExcel_clicked();
}

// The lock is held from the count until the last record is appended; the caller shows the
// notice once it is released.
FirstPageFor310::DownloadNotice FirstPageFor310::downloadComparisonRecords(int kind)
{
    const auto link = currentLink();
    LinkLock lock(link);
    CDeviceCommands commands(link);
    int count = 0;
    const int result = commands.readRecordCount(kind, state_.judgement.deviceType, count);
    if (result == CmdBadData)
        return {tr("Error"), tr("difference history data error, unable to export!")};
    if (result < 0)
        return {tr("Error"), tr("Failed to read the number of color difference records!")};
    if (count <= 0)
        return {tr("Info"), tr("No comparison record!")};
    const StoredComparisonLayout &layout = *storedComparisonLayout(kind);
    if (count > layout.capacity) {
        return {tr("Error"), tr("The instrument reports %1 comparison records, more than its memory holds (%2); "
                                "nothing was read.")
                                 .arg(count)
                                 .arg(layout.capacity)};
    }
    const BlockDownload::Result download = BlockDownload::read(
        commands, {{layout.valuesAddress, count * layout.bytesPerRecord}, {layout.namesAddress, count * ComparisonNameSlot}},
        this, tr("Storing data,please wait..."), tr("cancel"));
    switch (download.outcome) {
    case BlockDownload::Result::Failed:
        return {tr("Error"), download.failedRegion == 0 ? tr("Reading difference recording lab data failed!")
                                                        : tr("Failed to read color difference record name data!")};
    case BlockDownload::Result::Cancelled:
        return {tr("Info"), tr("Download cancelled; nothing was added.")};
    case BlockDownload::Result::Done:
        break;
    }
    appendStoredComparisons(kind, download.buffers[0], download.buffers[1], count);
    return {};
}

// Judged again with the page's settings; stored records always use ΔE*ab.
void FirstPageFor310::appendStoredComparisons(int kind, const QByteArray &values, const QByteArray &names, int count)
{
    const QString time = ComparisonRecord::timeText(QDateTime::currentDateTime());
    for (const StoredComparison &stored : decodeStoredComparisons(kind, values, names, count)) {
        RecordFields record;
        record.name = stored.name;
        record.time = time;
        record.standard = stored.standard;
        record.sample = stored.sample;
        const auto &standard = record.standard.values;
        const auto &sample = record.sample.values;
        record.deltaHaze = sample[Quantity::Haze] - standard[Quantity::Haze];
        record.deltaTransmittance = sample[Quantity::Transmittance] - standard[Quantity::Transmittance];
        record.deltaE = colorDifference(DeltaEab, labOf(record.standard), labOf(record.sample));
        const bool pass = passes(state_.judgement, record.deltaHaze, record.deltaTransmittance, record.deltaE);
        counters().add(pass);
        record.number = counters().total();
        record.result = pass ? RecordResult::Pass : RecordResult::Ng;
        record.hazeTolerance = state_.judgement.hazeTolerance;
        record.transmittanceTolerance = state_.judgement.transmittanceTolerance;
        record.threshold = state_.judgement.workingThreshold;
        record.model = state_.modelName;
        record.serialNumber = ui->lineEdit_serialNo->text();
        appendRecord(record);
    }
    showCounters();
}
