#include "MeterPageFor310.h"
#include "ui_MeterPageFor310.h"

#include "BlockDownload.h"
#include "DeviceCommands.h"
#include "DeviceProfile.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "RecordMemory.h"
#include "WorkbookExport.h"

#include <QCheckBox>
#include <QDateTime>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int columnNumber = 0;
constexpr int columnName = 1;
constexpr int columnFirstValue = 2;
constexpr int columnCurve = columnFirstValue + SpectralRecord::valueCount; // 33
constexpr int columnOperation = columnCurve + 1;                           // 34
constexpr int columnCount = columnOperation + 1;
constexpr int exportedColumns = columnCurve; // columns 0 ... 32

constexpr int maxMeasuredRecords = 1000;

QTableWidgetItem *centredItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

MeterPageFor310::MeterPageFor310(const LinkPort *port, int deviceType, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::MeterPageFor310>()), port_(port), deviceType_(deviceType)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    initSpectralTable();
}

MeterPageFor310::~MeterPageFor310() = default;

void MeterPageFor310::initSpectralTable()
{
    QTableWidget *table = ui->tableWidget_data;
    table->setFont(QFont(QStringLiteral("Microsoft Yahei"), 10));
    connect(table, &QTableWidget::cellDoubleClicked, this, &MeterPageFor310::slot_cellDoubleClicked);
    table->setColumnCount(columnCount);
    table->setColumnWidth(columnNumber, 35);
    table->setColumnWidth(columnName, 100);
    for (int i = 0; i < SpectralRecord::valueCount; ++i)
        table->setColumnWidth(columnFirstValue + i, 53);
    table->setColumnWidth(columnCurve, 60);
    table->setColumnWidth(columnOperation, 100);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();

    table->insertRow(0);
    table->setItem(0, columnNumber, centredItem(tr("No")));
    table->setItem(0, columnName, centredItem(tr("Name")));
    for (int i = 0; i < SpectralRecord::valueCount; ++i)
        table->setItem(0, columnFirstValue + i, centredItem(QStringLiteral("%1nm").arg(400 + 10 * i)));
    auto *allCurves = new QCheckBox(tr("Curve"));
    allCurves->setChecked(true);
    connect(allCurves, &QCheckBox::clicked, this, &MeterPageFor310::slot_updateChart);
    table->setCellWidget(0, columnCurve, allCurves);
    table->setItem(0, columnOperation, centredItem(tr("Operation")));
}

void MeterPageFor310::addSpectralRow(const SpectralRecord &record, const QString &name)
{
    insertSpectralRow(record, name);
    update();
    ui->tableWidget_data->scrollToBottom();
}

void MeterPageFor310::insertSpectralRow(const SpectralRecord &record, const QString &name)
{
    QTableWidget *table = ui->tableWidget_data;
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, columnNumber, centredItem(QString::number(row)));

    auto *nameItem = new QTableWidgetItem(name.isEmpty() ? QStringLiteral("spec%1").arg(nameCounter_++) : name);
    nameItem->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->setItem(row, columnName, nameItem);
    for (int i = 0; i < SpectralRecord::valueCount; ++i)
        table->setItem(row, columnFirstValue + i, centredItem(QString::number(record.values[i], 'g', 6)));

    auto *curve = new QCheckBox;
    curve->setChecked(record.visible);
    connect(curve, &QCheckBox::clicked, this, &MeterPageFor310::slot_updateChart);
    table->setCellWidget(row, columnCurve, curve);

    auto *remove = new QPushButton(tr("Delete"));
    remove->setStyleSheet(QStringLiteral("min-height:12px;padding:0px;"));
    connect(remove, &QPushButton::clicked, this, &MeterPageFor310::slot_updateTable);
    table->setCellWidget(row, columnOperation, remove);
}

// Scrolling lays out every row's widgets, so a whole download scrolls once at its end.
void MeterPageFor310::appendStoredRecords(const QByteArray &values, const QByteArray &names, int count)
{
    const QList<StoredSpectrum> stored = decodeStoredSpectra(values, names, count);
    records_.reserve(records_.size() + stored.size());
    for (const StoredSpectrum &spectrum : stored) {
        SpectralRecord record;
        record.values = spectrum.values;
        insertSpectralRow(record, spectrum.name);
        records_.append(record);
    }
    update();
    ui->tableWidget_data->scrollToBottom();
}

int MeterPageFor310::rowOfCellWidget(const QObject *widget, int column) const
{
    const QTableWidget *table = ui->tableWidget_data;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->cellWidget(row, column) == widget)
            return row;
    }
    return -1;
}

void MeterPageFor310::slot_cellDoubleClicked(int row, int column)
{
    if (column == columnName && row >= 1)
        ui->tableWidget_data->editItem(ui->tableWidget_data->item(row, column));
}

void MeterPageFor310::slot_updateChart(bool checked)
{
    QTableWidget *table = ui->tableWidget_data;
    const int row = rowOfCellWidget(sender(), columnCurve);
    if (row == 0) {
        for (SpectralRecord &record : records_)
            record.visible = checked;
        for (int r = 1; r < table->rowCount(); ++r)
            static_cast<QCheckBox *>(table->cellWidget(r, columnCurve))->setChecked(checked);
    } else if (row >= 1 && row <= records_.size()) {
        records_[row - 1].visible = checked;
        // Checking a row again never re-checks the all-curves box.
        if (!checked)
            static_cast<QCheckBox *>(table->cellWidget(0, columnCurve))->setChecked(false);
    }
    update();
}

void MeterPageFor310::slot_updateTable()
{
    const int row = rowOfCellWidget(sender(), columnOperation);
    if (row >= 1 && row <= records_.size()) {
        records_.removeAt(row - 1);
        ui->tableWidget_data->removeRow(row);
    }
    update();
}

void MeterPageFor310::on_pushButton_clearData_clicked()
{
    ui->tableWidget_data->setRowCount(1);
    records_.clear();
    update();
}

std::shared_ptr<InstrumentLink> MeterPageFor310::currentLink() const
{
    return port_ ? port_->current() : nullptr;
}

void MeterPageFor310::inform(const QString &title, const QString &text)
{
    QMessageBox::information(this, title, text);
}

void MeterPageFor310::on_pushButton_spectralMeasurement_clicked()
{
    if (records_.size() >= maxMeasuredRecords) {
        inform(tr("Error"), tr("Measurement exceeds the maximum quantity, please save the excel file before measuring!"));
        return;
    }
    SpectralRecord record;
    int result;
    {
        const auto link = currentLink();
        LinkLock lock(link);
        result = CDeviceCommands(link).measureSpectrum(record.values);
    }
    if (result < 0) {
        inform(tr("Error"), tr("Failed to read data information!"));
        return;
    }
    addSpectralRow(record, QString());
    records_.append(record);
}

void MeterPageFor310::on_pushButton_spectralHistory_clicked()
{
    if (!port_ || !port_->isDeviceOpen()) {
        inform(tr("Error"), tr("Please connect the device first!"));
        return;
    }
    if (offerExportBeforeDownload())
        downloadHistory();
}

// The download fills an empty page: the user first saves or discards what it holds.
bool MeterPageFor310::offerExportBeforeDownload()
{
    if (ui->tableWidget_data->rowCount() <= 1)
        return true;
    const auto answer = QMessageBox::question(this, tr("Colorimeter"),
                                              tr("Data import willempty the list, to save data first?"),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No) {
        on_pushButton_clearData_clicked();
        return true;
    }
    return on_pushButton_exportExcel_clicked();
}

void MeterPageFor310::downloadHistory()
{
    int count = 0;
    QList<QByteArray> buffers;
    const Notice failure = readHistory(count, buffers);
    if (!failure.text.isEmpty()) {
        inform(failure.title, failure.text);
        return;
    }
    appendStoredRecords(buffers[0], buffers[1], count);
}

// The lock is held across the count and every block; messages wait until it is released.
MeterPageFor310::Notice MeterPageFor310::readHistory(int &count, QList<QByteArray> &buffers)
{
    const auto link = currentLink();
    LinkLock lock(link);
    CDeviceCommands commands(link);
    const int result = commands.readSpectralRecordCount(count, deviceType_);
    if (result == CmdBadData)
        return {tr("Error"), tr("Spectral history data error, unable to export!")};
    if (result < 0)
        return {tr("Error"), tr("Failed to read the number of spectral records!")};
    if (count <= 0)
        return {tr("Info"), tr("No spectral history!")};
    // Unknown device types have no counter, so a count implies a profile.
    const DeviceProfile &profile = *deviceProfile(deviceType_);
    const int capacity = storedSpectraCapacity(profile);
    if (count > capacity) {
        return {tr("Error"), tr("The instrument reports %1 spectral records, more than its memory holds (%2); "
                                "nothing was read.")
                                 .arg(count)
                                 .arg(capacity)};
    }
    BlockDownload::Result download = BlockDownload::read(
        commands,
        {{profile.spectralValues, count * SpectrumValueSlot}, {profile.spectralNames, count * SpectrumNameSlot}},
        this, tr("Storing data,please wait..."), tr("cancel"));
    switch (download.outcome) {
    case BlockDownload::Result::Failed:
        return {tr("Error"), download.failedRegion == 0 ? tr("Reading spectral recording data failed!")
                                                        : tr("Failed to read spectral record name data!")};
    case BlockDownload::Result::Cancelled:
        return {tr("Info"), tr("Download cancelled; nothing was added.")};
    case BlockDownload::Result::Done:
        break;
    }
    buffers = std::move(download.buffers);
    return {};
}

bool MeterPageFor310::on_pushButton_exportExcel_clicked()
{
    const QTableWidget *table = ui->tableWidget_data;
    QList<QStringList> rows;
    rows.reserve(table->rowCount());
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList &cells = rows.emplace_back();
        for (int column = 0; column < exportedColumns; ++column)
            cells << table->item(row, column)->text();
    }
    WorkbookExport::Texts texts;
    texts.noDataTitle = QObject::tr("error");
    texts.noDataText = tr("No data for Storing to Excel!");
    texts.caption = tr("Storing data to Excel");
    texts.proposedName = QStringLiteral("MeterData") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmm"));
    texts.filters = tr("excel file (*.xls)") + QStringLiteral(";;") + tr("excel file (*.xlsx)");
    texts.overwriteTitle = QObject::tr("Error");
    texts.cantOverwrite = tr("Can't overwrite this file, maybe the file is in use!");
    texts.errorTitle = tr("Error");
    texts.cantOpen = tr("Failed to store data, can't open file!");
    texts.writeFailed = tr("Failed to export data to excel file");
    texts.successTitle = tr("Storing data");
    texts.successText = tr("Data stored to file Success");
    return WorkbookExport::write(this, rows, texts, [this] { on_pushButton_clearData_clicked(); });
}

void MeterPageFor310::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    SpectralChart::paint(painter, QRectF(ui->widget_chart->geometry()), records_, deviceType_);
}
