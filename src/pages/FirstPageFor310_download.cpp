#include "FirstPageFor310.h"
#include "ui_FirstPageFor310.h"

#include "BlockDownload.h"
#include "ColourDifference.h"
#include "DeviceCommands.h"
#include "LinkPort.h"

#include <QDateTime>
#include <QMessageBox>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr int NameSlotSize = 16;
constexpr int NameLength = 13; // the last three bytes of a slot are not used

// One stored 16-bit value of a measurement: which quantity, its sign and its scale.
struct StoredField
{
    int quantity;
    bool isSigned;
    double scale;
};

struct StoredLayout
{
    quint32 valuesAddress;
    quint32 namesAddress;
    QList<StoredField> fields; // of the standard; the sample's follow in the same order

    int bytesPerRecord() const { return 2 * 2 * int(fields.size()); }
    // Each region ends where the next begins; names regions are as large as values regions.
    int capacity() const
    {
        const int regionSize = int(namesAddress - valuesAddress);
        return regionSize / std::max(bytesPerRecord(), NameSlotSize);
    }
};

// L*, a*, b* (signed) ahead of what the colour kind adds.
QList<StoredField> colour(std::initializer_list<StoredField> extra)
{
    using namespace Quantity;
    return QList<StoredField>{{L, true, 100}, {A, true, 100}, {B, true, 100}} + QList<StoredField>(extra);
}

const StoredLayout &storedLayout(int kind)
{
    using namespace Quantity;
    static const StoredLayout layouts[ResultKindCount] = {
        {0x400000, 0x440000, {{Haze, false, 100}, {Transmittance, false, 100}}},
        {0x480000, 0x4C0000, {{Haze, false, 100}}},
        {0x500000, 0x540000, {{Transmittance, false, 100}}},
        {0x580000, 0x5C0000, colour({})},
        {0x600000, 0x640000, colour({{LchL, false, 100}, {C, false, 100}, {H, false, 10}})},
        {0x680000, 0x6C0000, colour({{Y, false, 100}, {X, false, 10000}, {SmallY, false, 10000}})},
    };
    return layouts[kind];
}

// Reads the measurement's fields from bytes and advances past them.
MeasurementValues decodeMeasurement(const QList<StoredField> &fields, const char *&bytes)
{
    MeasurementValues measurement;
    for (const StoredField &field : fields) {
        const double raw = field.isSigned ? double(qFromLittleEndian<qint16>(bytes)) : double(qFromLittleEndian<quint16>(bytes));
        measurement.values[field.quantity] = raw / field.scale;
        bytes += 2;
    }
    return measurement;
}

QString decodeName(const char *slot)
{
    return QString::fromLocal8Bit(slot, qstrnlen(slot, NameLength));
}

} // namespace

void FirstPageFor310::on_pushButton_readComparisonRecord_clicked()
{
    if (!LinkPort::isDeviceOpen()) {
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
    LinkLock lock(worker());
    int count = 0;
    const int result = CDeviceCommands::readRecordCount(kind, state_.judgement.deviceType, count);
    if (result == CmdBadData)
        return {tr("Error"), tr("difference history data error, unable to export!")};
    if (result < 0)
        return {tr("Error"), tr("Failed to read the number of color difference records!")};
    if (count <= 0)
        return {tr("Info"), tr("No comparison record!")};
    const StoredLayout &layout = storedLayout(kind);
    if (count > layout.capacity()) {
        return {tr("Error"), tr("The instrument reports %1 comparison records, more than its memory holds (%2); "
                                "nothing was read.")
                                 .arg(count)
                                 .arg(layout.capacity())};
    }
    const BlockDownload::Result download = BlockDownload::read(
        {{layout.valuesAddress, count * layout.bytesPerRecord()}, {layout.namesAddress, count * NameSlotSize}}, this,
        tr("Storing data,please wait..."), tr("cancel"));
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
    const QList<StoredField> &fields = storedLayout(kind).fields;
    const QString time = ComparisonRecord::timeText(QDateTime::currentDateTime());
    const char *valueBytes = values.constData();
    for (int k = 0; k < count; ++k) {
        RecordFields record;
        record.name = decodeName(names.constData() + NameSlotSize * k);
        record.time = time;
        record.standard = decodeMeasurement(fields, valueBytes);
        record.sample = decodeMeasurement(fields, valueBytes);
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
