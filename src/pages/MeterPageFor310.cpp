#include "MeterPageFor310.h"
#include "ui_MeterPageFor310.h"

#include "ButtonDelegate.h"
#include "FileChooser.h"
#include "ProgressReport.h"
#include "SpectralChart.h"
#include "UnsavedQuestion.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QPainter>

namespace {

using Model = SpectralRecordModel;

} // namespace

MeterPageFor310::MeterPageFor310(LinkPort &port, int deviceType, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::MeterPageFor310>()), session_(port, deviceType)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // As wide as the whole table where the screen allows, never wider than the screen.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(QSize(1960, 800).boundedTo(screen->availableGeometry().size() - QSize(40, 40)));
    initSpectralTable();
    connect(&session_.records(), &Model::curvesChanged, this, qOverload<>(&QWidget::update));
}

MeterPageFor310::~MeterPageFor310() = default;

void MeterPageFor310::initSpectralTable()
{
    QTableView *table = ui->tableWidget_data;
    table->setModel(&session_.records());
    table->setFont(QFont(QStringLiteral("Microsoft Yahei"), 10));
    connect(table, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { slot_cellDoubleClicked(index.row(), index.column()); });
    table->setColumnWidth(Model::NumberColumn, 35);
    table->setColumnWidth(Model::NameColumn, 100);
    for (int i = 0; i < SpectralRecord::valueCount; ++i)
        table->setColumnWidth(Model::FirstValueColumn + i, 53);
    table->setColumnWidth(Model::CurveColumn, 60);
    table->setColumnWidth(Model::OperationColumn, 100);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    // Row 0 is the heading row: its Operation cell is a label, the others' are Delete buttons.
    auto *remove = new ButtonDelegate(table);
    remove->setButtonFilter([](const QModelIndex &index) { return index.row() > 0; });
    table->setItemDelegateForColumn(Model::OperationColumn, remove);
    connect(remove, &ButtonDelegate::clicked, this, [this](const QModelIndex &index) { deleteRecord(index.row()); });
    // Appended rows are scrolled into view once per change, not once per row.
    connect(&session_.records(), &QAbstractItemModel::rowsInserted, table, &QTableView::scrollToBottom);
}

void MeterPageFor310::show(const Outcome &outcome)
{
    if (outcome.hasMessage())
        QMessageBox::information(this, outcome.title, outcome.text);
}

void MeterPageFor310::slot_cellDoubleClicked(int row, int column)
{
    if (column == Model::NameColumn && row >= 1)
        ui->tableWidget_data->edit(session_.records().index(row, column));
}

void MeterPageFor310::deleteRecord(int row)
{
    if (row >= 1)
        session_.records().remove(row - 1);
}

void MeterPageFor310::on_pushButton_clearData_clicked()
{
    const int unsaved = session_.records().count();
    if (unsaved == 0 || UnsavedQuestion::confirmClear(this, unsaved))
        session_.records().clear();
}

// Closing (Escape, the title bar) with spectra that were never exported asks first.
void MeterPageFor310::reject()
{
    const int unsaved = session_.records().count();
    if (unsaved == 0 || carryOut(UnsavedQuestion::beforeClosing(this, unsaved)))
        QDialog::reject();
}

void MeterPageFor310::on_pushButton_spectralMeasurement_clicked()
{
    show(session_.measure());
}

void MeterPageFor310::on_pushButton_spectralHistory_clicked()
{
    if (!session_.isDeviceOpen()) {
        show(session_.notConnected());
        return;
    }
    if (!offerExportBeforeDownload())
        return;
    ProgressReport progress(this, tr("Storing data,please wait..."), tr("cancel"));
    show(session_.downloadHistory(progress.callback()));
}

// The download fills an empty page: the user first saves or discards what it holds.
bool MeterPageFor310::offerExportBeforeDownload()
{
    if (!session_.downloadWouldReplace())
        return true;
    return carryOut(UnsavedQuestion::saveFirst(this, tr("Colorimeter"), tr("Data import willempty the list, to save data first?")));
}

// Save exports (true once the file holds every spectrum), Discard empties the list, Cancel does nothing.
bool MeterPageFor310::carryOut(UnsavedQuestion::Answer answer)
{
    switch (answer) {
    case UnsavedQuestion::Save:
        return on_pushButton_exportExcel_clicked();
    case UnsavedQuestion::Discard:
        session_.records().clear();
        return true;
    default:
        return false;
    }
}

bool MeterPageFor310::on_pushButton_exportExcel_clicked()
{
    if (session_.records().count() == 0) {
        show(session_.noDataToExport());
        return false;
    }
    const QString target = FileChooser::workbookTarget(this, tr("Storing data to Excel"), QStringLiteral("MeterData"),
                                                       tr("excel file (*.xls)") + QStringLiteral(";;") +
                                                           tr("excel file (*.xlsx)") + QStringLiteral(";;") +
                                                           tr("CSV file (*.csv)"));
    if (target.isEmpty())
        return false;
    const Outcome outcome = session_.exportTo(target);
    show(outcome);
    return outcome.succeeded();
}

void MeterPageFor310::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    const SpectralRecordModel &model = session_.records();
    QStringList names;
    for (int k = 0; k < model.count(); ++k)
        names.append(model.name(k));
    SpectralChart::paint(painter, QRectF(ui->widget_chart->geometry()), model.records(), names, session_.deviceType());
}
