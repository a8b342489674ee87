#include "FirstPageFor310.h"
#include "ui_FirstPageFor310.h"

#include "DeviceProfile.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MeterPageFor310.h"
#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int ComparisonRows = 13;
constexpr int ComparisonColumns = 5;
constexpr int StandardColumn = 1;
constexpr int SampleColumn = 2;
constexpr int DifferenceColumn = 3;
constexpr int WordColumn = 4;
constexpr int DeltaERow = 12; // rows 1-11 are the quantities, row n holds quantity n - 1

constexpr int HeaderRows = 2;
constexpr int HeaderRowHeight = 30;

const char *const StandardEditStyle = "color: rgb(0, 0, 255);";
const char *const RecordButtonStyle = "min-height:12px;padding:0px;";
const char *const SwatchStyle = " background-color: rgb(180, 180, 180);";
const char *const ActiveButtonStyle = "color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);";
const char *const IdleButtonStyle = "color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);";
const char *const PassLabelStyle = "QLabel{background-color: rgb(0, 255, 0);}";
const char *const NgLabelStyle = "QLabel{background:red;}";

const char *const QuantityNames[Quantity::Count] = {
    QT_TRANSLATE_NOOP("FirstPageFor310", "Haze"), QT_TRANSLATE_NOOP("FirstPageFor310", "Transmittance"),
    QT_TRANSLATE_NOOP("FirstPageFor310", "L*"),   QT_TRANSLATE_NOOP("FirstPageFor310", "a*"),
    QT_TRANSLATE_NOOP("FirstPageFor310", "b*"),   QT_TRANSLATE_NOOP("FirstPageFor310", "L*"),
    QT_TRANSLATE_NOOP("FirstPageFor310", "C*"),   QT_TRANSLATE_NOOP("FirstPageFor310", "h"),
    QT_TRANSLATE_NOOP("FirstPageFor310", "Y"),    QT_TRANSLATE_NOOP("FirstPageFor310", "x"),
    QT_TRANSLATE_NOOP("FirstPageFor310", "y"),
};

QString colorimeter(const char *text)
{
    return QCoreApplication::translate("Colorimeter", text);
}

// What each result kind shows: comparison rows, record columns and its share of the width.
struct ResultKindView
{
    QList<int> comparisonRows;
    QList<int> recordColumns;
    int widthCount;
};

const ResultKindView &viewOf(int kind)
{
    using namespace RecordColumn;
    static const ResultKindView views[ResultKindCount] = {
        {{1, 2}, {StandardFirst, StandardFirst + 1, SampleFirst, SampleFirst + 1, DeltaHaze, DeltaTransmittance}, 11},
        {{1}, {StandardFirst, SampleFirst, DeltaHaze}, 8},
        {{2}, {StandardFirst + 1, SampleFirst + 1, DeltaTransmittance}, 8},
        {{3, 4, 5, 12}, {5, 6, 7, 16, 17, 18, DeltaE}, 11},
        {{6, 7, 8, 12}, {8, 9, 10, 19, 20, 21, DeltaE}, 11},
        {{9, 10, 11, 12}, {11, 12, 13, 22, 23, 24, DeltaE}, 11},
    };
    return views[kind];
}

QColor resultBackground(RecordResult result)
{
    switch (result) {
    case RecordResult::Pass:
        return Qt::darkGreen;
    case RecordResult::Ng:
        return Qt::red;
    case RecordResult::Unknown:
        break;
    }
    return {};
}

QTableWidgetItem *centredItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

FirstPageFor310::FirstPageFor310(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::FirstPageFor310>())
{
    ui->setupUi(this);
    state_.modelName = tr("UnKnow");
    initComparisonTable();
    initRecordList();
    initResultKindButtons();
    ui->companyinfoLab->hide();
    ui->companywetLab->hide();
    showCounters();
    applyResultKindView();
    if (const MeterTableMessage failed = state_.meterTable.load(MeterTable::defaultPath()); !failed.isEmpty())
        QMessageBox::information(this, failed.title, failed.text);
}

FirstPageFor310::~FirstPageFor310() = default;

void FirstPageFor310::setLinkPort(LinkPort *port)
{
    if (port_)
        disconnect(port_, nullptr, this, nullptr);
    port_ = port;
    // Pushed results reach SaveData from whichever link is current.
    if (port_)
        connect(port_, &LinkPort::senddata, this, &FirstPageFor310::SaveData);
}

std::shared_ptr<InstrumentLink> FirstPageFor310::currentLink() const
{
    return port_ ? port_->current() : nullptr;
}

// ---- Main window ----

void FirstPageFor310::openThreadSlot()
{
    if (const auto link = currentLink())
        link->startWorker();
}

void FirstPageFor310::closeThreadSlot()
{
    if (const auto link = currentLink())
        link->stopWorker();
}

bool FirstPageFor310::clear()
{
    for (int column = StandardColumn; column <= WordColumn; ++column)
        resetComparisonColumn(column);
    resetSwatches();
    state_.standardMeasured = false;
    state_.sampleMeasured = false;
    for (QLineEdit *edit : {ui->lineEdit_serialNo, ui->lineEdit_firmwareVersion, ui->lineEdit_hazeTolerance,
                            ui->lineEdit_tTolerance, ui->lineEdit_eThresholds})
        edit->clear();
    state_.judgement.hazeTolerance = -1;
    state_.judgement.transmittanceTolerance = -1;
    state_.judgement.workingThreshold = -1;
    resetResultLabel();
    return true;
}

void FirstPageFor310::setLanguageFlag(int flag)
{
    state_.languageFlag = flag;
}

// ---- Record list ----

void FirstPageFor310::appendRecord(const ComparisonRecord &record)
{
    records_.append(record);
    QTableWidget *table = ui->tableWidget_data;
    const int row = table->rowCount();
    table->insertRow(row);
    for (int column = 0; column < RecordColumn::Count; ++column) {
        if (column != RecordColumn::DeleteButton && column != RecordColumn::ReportButton)
            table->setItem(row, column, recordItem(record, column));
    }
}

void FirstPageFor310::appendRecord(const RecordFields &fields)
{
    appendRecord(ComparisonRecord::fromFields(fields));
}

void FirstPageFor310::showCounters()
{
    const ComparisonCounters &counters = records_.counters();
    ui->lineEdit_unqualNum->setText(QString::number(counters.unqualified()));
    ui->lineEdit_qualNum->setText(QString::number(counters.qualified()));
    ui->lineEdit_totalNum->setText(QString::number(counters.total()));
}

void FirstPageFor310::applyResultKindView()
{
    QTableWidget *comparison = ui->tableWidget_colorDiff;
    QTableWidget *list = ui->tableWidget_data;
    for (int row = 1; row <= DeltaERow; ++row)
        comparison->setRowHidden(row, true);
    for (int column = RecordColumn::StandardFirst; column <= RecordColumn::DeltaE; ++column)
        list->setColumnHidden(column, true);

    int widthCount = 0;
    for (int kind = 0; kind < ResultKindCount; ++kind) {
        if (!state_.judgement.resultKinds[kind])
            continue;
        const ResultKindView &view = viewOf(kind);
        for (int row : view.comparisonRows)
            comparison->setRowHidden(row, false);
        for (int column : view.recordColumns)
            list->setColumnHidden(column, false);
        widthCount = view.widthCount;
    }

    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    const double unit = double(desktop.right() - desktop.left() + 1) / (widthCount + 5);
    for (int column = 0; column <= RecordColumn::Result; ++column)
        list->setColumnWidth(column, int(unit));
    const struct
    {
        int column;
        double width;
    } widths[] = {{RecordColumn::Number, unit - 32},
                  {RecordColumn::Name, 2 * unit},
                  {RecordColumn::Time, 2 * unit + 15},
                  {RecordColumn::DeltaTransmittance, unit + 20},
                  {RecordColumn::DeltaE, unit + 10},
                  {RecordColumn::Result, unit + 15},
                  {RecordColumn::DeleteButton, unit + 10},
                  {RecordColumn::ReportButton, unit + 15}};
    for (const auto &w : widths)
        list->setColumnWidth(w.column, int(w.width));
}

void FirstPageFor310::on_DeleteBtn_clicked()
{
    const int row = recordRowOf(sender(), RecordColumn::DeleteButton);
    if (!records_.remove(row))
        return;
    showCounters();
    ui->tableWidget_data->removeRow(row);
}

void FirstPageFor310::doubleClickedSlot(int row, int column)
{
    if (column == RecordColumn::Name)
        ui->tableWidget_data->editItem(ui->tableWidget_data->item(row, column));
}

void FirstPageFor310::on_pushButton_clear_clicked()
{
    for (int column = StandardColumn; column <= WordColumn; ++column)
        resetComparisonColumn(column);
    resetSwatches();
    records_.clear();
    showCounters();
    resetResultLabel();
    ui->tableWidget_data->setRowCount(0);
    state_.standardMeasured = false;
    state_.sampleMeasured = false;
    state_.measurementMode = MeasureStandard;
}

void FirstPageFor310::rejudgeRecords()
{
    records_.rejudge(state_.judgement, state_.modelName, ui->lineEdit_serialNo->text());
    for (int row = 0; row < records_.count(); ++row)
        showRecordJudgement(row);
    showCounters();
}

void FirstPageFor310::onButtonClicked(int id)
{
    if (id < ResultHazeT || id > ResultYxy)
        return;
    const bool haze = id == ResultHazeT || id == ResultHaze;
    const bool transmittance = id == ResultHazeT || id == ResultT;
    const bool threshold = id >= ResultLab;
    for (QWidget *w : {static_cast<QWidget *>(ui->label_hazeTolerance), static_cast<QWidget *>(ui->lineEdit_hazeTolerance),
                       static_cast<QWidget *>(ui->label_hazeTolerancePercentage)})
        w->setVisible(haze);
    for (QWidget *w : {static_cast<QWidget *>(ui->label_tTolerance), static_cast<QWidget *>(ui->lineEdit_tTolerance),
                       static_cast<QWidget *>(ui->label_tTolerancePercentage)})
        w->setVisible(transmittance);
    for (QWidget *w : {static_cast<QWidget *>(ui->label_eThresholds), static_cast<QWidget *>(ui->lineEdit_eThresholds)})
        w->setVisible(threshold);
}

void FirstPageFor310::on_pushButton_spectralTransmittance_clicked()
{
    MeterPageFor310 page(port_, state_.judgement.deviceType, this);
    page.exec();
}

// ---- Comparison table helpers ----

QString FirstPageFor310::comparisonText(int row, int column) const
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(ui->tableWidget_colorDiff->cellWidget(row, column)))
        return edit->text();
    const QTableWidgetItem *item = ui->tableWidget_colorDiff->item(row, column);
    return item ? item->text() : QString();
}

void FirstPageFor310::setComparisonText(int row, int column, const QString &text)
{
    QTableWidget *table = ui->tableWidget_colorDiff;
    // The user may type a standard over a measured one, so its values sit in line edits.
    if (column == StandardColumn && row >= 1 && row < DeltaERow) {
        auto *edit = qobject_cast<QLineEdit *>(table->cellWidget(row, column));
        if (!edit) {
            edit = new QLineEdit(table);
            edit->setAlignment(Qt::AlignCenter);
            table->setCellWidget(row, column, edit);
        }
        edit->setStyleSheet(QLatin1String(StandardEditStyle));
        edit->setText(text);
        return;
    }
    if (QTableWidgetItem *item = table->item(row, column))
        item->setText(text);
    else
        table->setItem(row, column, centredItem(text));
}

void FirstPageFor310::resetComparisonColumn(int column)
{
    for (int row = 1; row <= DeltaERow; ++row)
        setComparisonText(row, column, placeholder());
}

void FirstPageFor310::showDeviationWords()
{
    for (int axis = AxisL; axis <= AxisB; ++axis) {
        const int row = 1 + Quantity::L + axis;
        const QString difference = comparisonText(row, DifferenceColumn);
        if (difference.isEmpty() || isPlaceholder(difference))
            continue;
        setComparisonText(row, WordColumn, tr(deviationWord(axis, parseValueText(difference))));
    }
}

void FirstPageFor310::showResultLabel(bool pass)
{
    ui->label_result->setText(tr(resultText(pass)));
    ui->label_result->setStyleSheet(QLatin1String(pass ? PassLabelStyle : NgLabelStyle));
}

void FirstPageFor310::resetResultLabel()
{
    ui->label_result->clear();
    ui->label_result->setStyleSheet(QLatin1String(PassLabelStyle));
}

void FirstPageFor310::showSpectralButtonText()
{
    // Unknown device types show the reflectance text.
    const DeviceProfile *profile = deviceProfile(state_.judgement.deviceType);
    ui->pushButton_spectralTransmittance->setText(profile ? tr(profile->spectralButton) : tr("Spectral reflectance"));
}

int FirstPageFor310::recordRowOf(const QObject *widget, int column) const
{
    const auto *cellWidget = qobject_cast<const QWidget *>(widget);
    if (!cellWidget)
        return -1;
    const QTableWidget *table = ui->tableWidget_data;
    // The widget's position finds its row at once; after rows went away before a layout
    // pass the position may be stale, so the row is confirmed by the widget itself.
    const int guess = table->indexAt(cellWidget->pos()).row();
    if (guess >= 0 && table->cellWidget(guess, column) == cellWidget)
        return guess;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->cellWidget(row, column) == cellWidget)
            return row;
    }
    return -1;
}

void FirstPageFor310::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}

// ---- Construction and language ----

void FirstPageFor310::initComparisonTable()
{
    QTableWidget *table = ui->tableWidget_colorDiff;
    table->setRowCount(ComparisonRows);
    table->setColumnCount(ComparisonColumns);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    showComparisonHeadings();
    for (int column = StandardColumn; column <= WordColumn; ++column)
        resetComparisonColumn(column);
}

void FirstPageFor310::initRecordList()
{
    QTableWidget *table = ui->tableWidget_data;
    table->setColumnCount(RecordColumn::Count);
    recordHeader_ = new RbTableHeaderView(Qt::Horizontal, HeaderRows, RecordColumn::Count, table);
    using namespace RecordColumn;
    for (int column : {Number, Name, Time, DeltaHaze, DeltaTransmittance, DeltaE, Result, DeleteButton, ReportButton})
        recordHeader_->setCellSpan(0, column, HeaderRows, 0);
    recordHeader_->setCellSpan(0, StandardFirst, 1, Quantity::Count);
    recordHeader_->setCellSpan(0, SampleFirst, 1, Quantity::Count);
    for (int row = 0; row < HeaderRows; ++row)
        recordHeader_->setHeaderRowHeight(row, HeaderRowHeight);
    recordHeader_->setSectionsClickable(true);
    // The width rule may ask for narrow sections on small screens; it has the last word.
    recordHeader_->setMinimumSectionSize(1);
    table->setHorizontalHeader(recordHeader_);
    table->verticalHeader()->hide();
    showRecordHeadings();
    for (int column = HazeTolerance; column < Count; ++column)
        table->setColumnHidden(column, true);
    connect(table, &QTableWidget::cellDoubleClicked, this, &FirstPageFor310::doubleClickedSlot);
    connect(table, &QTableWidget::itemChanged, this, &FirstPageFor310::onRecordItemChanged);
    initRecordButtons();
}

void FirstPageFor310::initResultKindButtons()
{
    resultKindGroup_ = new QButtonGroup(this);
    const QList<QAbstractButton *> buttons{ui->radioButton_hazeT, ui->radioButton_haze, ui->radioButton_t,
                                           ui->radioButton_Lab,   ui->radioButton_LCh,  ui->radioButton_Yxy};
    for (int id = 0; id < buttons.size(); ++id)
        resultKindGroup_->addButton(buttons[id], id);
    resultKindGroup_->setExclusive(true);
    connect(resultKindGroup_, &QButtonGroup::idClicked, this, &FirstPageFor310::onButtonClicked);
    state_.setResultKind(ResultHazeT);
    ui->radioButton_hazeT->setChecked(true);
    onButtonClicked(ResultHazeT);
}

void FirstPageFor310::showComparisonHeadings()
{
    setComparisonText(0, StandardColumn, tr("Standard"));
    setComparisonText(0, SampleColumn, tr("Sample"));
    setComparisonText(0, DifferenceColumn, colorimeter("△"));
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        setComparisonText(1 + quantity, 0, tr(QuantityNames[quantity]));
    setComparisonText(DeltaERow, 0, colorimeter("△E"));
}

void FirstPageFor310::showRecordHeadings()
{
    RbTableHeaderModel *model = recordHeader_->headerModel();
    const auto setHeading = [model](int row, int column, const QString &text) {
        model->setData(model->index(row, column), text, Qt::DisplayRole);
    };
    using namespace RecordColumn;
    setHeading(0, Number, tr("NO"));
    setHeading(0, Name, tr("Test Name"));
    setHeading(0, Time, tr("DateTime"));
    setHeading(0, StandardFirst, tr("Standard"));
    setHeading(0, SampleFirst, tr("Sample"));
    for (int quantity = 0; quantity < Quantity::Count; ++quantity) {
        setHeading(1, StandardFirst + quantity, tr(QuantityNames[quantity]));
        setHeading(1, SampleFirst + quantity, tr(QuantityNames[quantity]));
    }
    setHeading(0, DeltaHaze, colorimeter("△Haze"));
    setHeading(0, DeltaTransmittance, colorimeter("△Transmittance"));
    setHeading(0, DeltaE, colorimeter("△E"));
    setHeading(0, Result, tr("Pass or not"));
}

void FirstPageFor310::resetSwatches()
{
    ui->groupBox_standardMeasurement->setStyleSheet(QLatin1String(SwatchStyle));
    ui->groupBox_sampleMeasurement->setStyleSheet(QLatin1String(SwatchStyle));
    ui->pushButton_standardMeasurement->setStyleSheet(QLatin1String(ActiveButtonStyle));
    ui->pushButton_sampleMeasurement->setStyleSheet(QLatin1String(IdleButtonStyle));
}

void FirstPageFor310::languageChange()
{
    const QString serialNumber = ui->lineEdit_serialNo->text();
    const QString firmwareVersion = ui->lineEdit_firmwareVersion->text();
    const QString result = ui->label_result->text();
    ui->retranslateUi(this);
    ui->lineEdit_serialNo->setText(serialNumber);
    ui->lineEdit_firmwareVersion->setText(firmwareVersion);
    // The result may have been written in either language.
    if (result == QLatin1String("PASS") || result == QStringLiteral("合格"))
        ui->label_result->setText(tr("PASS"));
    else if (result == QLatin1String("NG") || result == QStringLiteral("不合格"))
        ui->label_result->setText(tr("NG"));
    showSpectralButtonText();
    showComparisonHeadings();
    showDeviationWords();
    showRecordHeadings();

    records_.retranslate();
    CellWidgetTable *table = ui->tableWidget_data;
    for (int row = 0; row < records_.count(); ++row)
        table->item(row, RecordColumn::Result)->setText(records_.at(row).text(RecordColumn::Result));
    table->remakeColumnWidgets();
}

// ---- Record rows ----

QTableWidgetItem *FirstPageFor310::recordItem(const ComparisonRecord &record, int column) const
{
    QTableWidgetItem *item = centredItem(record.text(column));
    item->setFlags(column == RecordColumn::Name ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
    if (column == RecordColumn::Result) {
        if (const QColor background = resultBackground(record.result()); background.isValid())
            item->setBackground(background);
    }
    return item;
}

// Each row's buttons are made as the row comes on screen: a list of ten thousand records
// would otherwise hold twenty thousand buttons.
void FirstPageFor310::initRecordButtons()
{
    const struct
    {
        int column;
        const char *text;
        void (FirstPageFor310::*slot)();
    } buttons[] = {{RecordColumn::DeleteButton, QT_TR_NOOP("Delete"), &FirstPageFor310::on_DeleteBtn_clicked},
                   {RecordColumn::ReportButton, QT_TR_NOOP("Report"), &FirstPageFor310::on_ReportBtn_clicked}};
    for (const auto &b : buttons) {
        ui->tableWidget_data->setColumnWidgetMaker(b.column, [this, b] {
            auto *button = new QPushButton(tr(b.text));
            button->setStyleSheet(QLatin1String(RecordButtonStyle));
            connect(button, &QPushButton::clicked, this, b.slot);
            return button;
        });
    }
}

void FirstPageFor310::showRecordJudgement(int row)
{
    const ComparisonRecord &record = records_.at(row);
    QTableWidget *table = ui->tableWidget_data;
    using namespace RecordColumn;
    for (int column : {DeltaE, Result, HazeTolerance, TransmittanceTolerance, Threshold, Model, SerialNumber})
        table->item(row, column)->setText(record.text(column));
    table->item(row, Result)->setBackground(resultBackground(record.result()));
}

void FirstPageFor310::onRecordItemChanged(QTableWidgetItem *item)
{
    if (item->column() == RecordColumn::Name)
        records_.rename(item->row(), item->text());
}
