#include "FirstPageFor310.h"
#include "ui_FirstPageFor310.h"

#include "BatchPanel.h"
#include "BatchReport.h"
#include "ButtonDelegate.h"
#include "ColourDifference.h"
#include "DeviceProfile.h"
#include "FileChooser.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MeterPageFor310.h"
#include "ProgressReport.h"
#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"
#include "SessionJournal.h"
#include "ReportPageFor310.h"
#include "UnsavedQuestion.h"
#include "setEParameterPageFor320.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QPushButton>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
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
const char *const SwatchStyle = " background-color: rgb(180, 180, 180);";
const char *const SwatchColourStyle = "background-color: rgb(%1, %2, %3);";
const char *const ActiveButtonStyle = "color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);";
const char *const IdleButtonStyle = "color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);";
const char *const PassLabelStyle = "QLabel{background-color: rgb(0, 255, 0);}";
const char *const NgLabelStyle = "QLabel{background:red;}";

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

QString valueText(const std::optional<double> &value, const std::function<QString(double)> &format)
{
    return value ? format(*value) : placeholder();
}

QString swatchStyle(const std::optional<std::array<int, 3>> &swatch)
{
    if (!swatch)
        return QLatin1String(SwatchStyle);
    return QString::fromLatin1(SwatchColourStyle).arg((*swatch)[0]).arg((*swatch)[1]).arg((*swatch)[2]);
}

} // namespace

FirstPageFor310::FirstPageFor310(LinkPort &port, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::FirstPageFor310>()), port_(port), session_(port)
{
    ui->setupUi(this);
    initComparisonTable();
    initRecordList();
    initResultKindButtons();
    initBatchButtons();
    ui->splitter_page->setStretchFactor(0, 0);
    ui->splitter_page->setStretchFactor(1, 1);
    ui->splitter_records->setStretchFactor(0, 1);
    ui->companyinfoLab->hide();
    ui->companywetLab->hide();
    connect(&session_, &ComparisonSession::pairChanged, this, &FirstPageFor310::showPair);
    connect(&session_, &ComparisonSession::deviceChanged, this, &FirstPageFor310::showDevice);
    connect(&session_, &ComparisonSession::settingsChanged, this, &FirstPageFor310::showSettings);
    connect(&session_.records(), &ComparisonRecordModel::countersChanged, this, &FirstPageFor310::showCounters);
    connect(&port_, &LinkPort::senddata, this, &FirstPageFor310::SaveData);
    connectReturnKeys();
    showPair();
    showCounters();
    applyResultKindView();
    // A missing table is said by start(), over the window and in its language.
    meterTableMissing_ = session_.loadMeterTable(MeterTable::defaultPath()).failed;
}

void FirstPageFor310::start()
{
    if (meterTableMissing_)
        show(session_.loadMeterTable(MeterTable::defaultPath()));
    meterTableMissing_ = false;
}

FirstPageFor310::~FirstPageFor310() = default;

// Enter in a settings field sets what that field belongs to; elsewhere it only ends the editing.
void FirstPageFor310::connectReturnKeys()
{
    for (QLineEdit *field : {ui->lineEdit_hazeTolerance, ui->lineEdit_tTolerance, ui->lineEdit_eThresholds})
        connect(field, &QLineEdit::returnPressed, this, &FirstPageFor310::on_pushButton_setTolerance_clicked);
    connect(ui->lineEdit_thresholds, &QLineEdit::returnPressed, this, [this] {
        if (!ui->lineEdit_thresholds->isReadOnly())
            on_pushButton_setParameter_clicked();
    });
}

void FirstPageFor310::keepJournal(SessionJournal &journal)
{
    journal_ = &journal;
    connect(&journal, &SessionJournal::troubled, this, qOverload<const Outcome &>(&FirstPageFor310::show));
    show(journal.open());
    const SessionJournal::Saved &saved = journal.previous();
    if (saved.unsavedCount() > 0 && UnsavedQuestion::offerRestore(this, saved.unsavedCount(), saved.lastChange)) {
        session_.records().restore(saved.records, saved.counters);
        restoredSpectra_ = saved; // shown when the spectral page opens next
    } else {
        journal.clearSpectra();
    }
    journal.follow(session_.records());
}

bool FirstPageFor310::mayClose()
{
    const int unsaved = session_.records().unsavedCount();
    return unsaved == 0 || carryOut(UnsavedQuestion::beforeClosing(this, unsaved));
}

// Save exports (true once the file holds every record), Discard empties the page, Cancel does nothing.
bool FirstPageFor310::carryOut(UnsavedQuestion::Answer answer)
{
    switch (answer) {
    case UnsavedQuestion::Save:
        return on_pushButton_exportExcel_clicked();
    case UnsavedQuestion::Discard:
        session_.clearPage();
        return true;
    default:
        return false;
    }
}

void FirstPageFor310::show(const Outcome &outcome)
{
    if (!outcome.hasMessage())
        return;
    if (outcome.icon == Outcome::Warning)
        QMessageBox::warning(this, outcome.title, outcome.text);
    else
        QMessageBox::information(this, outcome.title, outcome.text);
}

void FirstPageFor310::show(const Outcomes &outcomes)
{
    for (const Outcome &outcome : outcomes)
        show(outcome);
}

bool FirstPageFor310::checkDeviceOpen()
{
    if (session_.isDeviceOpen())
        return true;
    show(session_.notConnected());
    return false;
}

// ---- Main window ----

void FirstPageFor310::openThreadSlot()
{
    if (const std::shared_ptr<InstrumentLink> link = port_.current())
        link->startWorker();
}

void FirstPageFor310::closeThreadSlot()
{
    if (const std::shared_ptr<InstrumentLink> link = port_.current())
        link->stopWorker();
}

bool FirstPageFor310::clear()
{
    session_.deviceGone();
    return true;
}

void FirstPageFor310::setLanguageFlag(int flag)
{
    session_.setLanguageFlag(flag);
}

void FirstPageFor310::readDeviceSettings()
{
    show(session_.readDeviceSettings());
}

// ---- Record list ----

void FirstPageFor310::deleteRecord(int row)
{
    session_.deleteRecord(row);
}

void FirstPageFor310::openReport(int row)
{
    if (row < 0 || row >= session_.records().count())
        return;
    emit reportRequested(row);
    ReportInputs inputs = session_.reportInputs(row);
    inputs.company = reportSignatures_.company;
    inputs.tester = reportSignatures_.tester;
    inputs.auditor = reportSignatures_.auditor;
    auto *report = new ReportPageFor310(inputs, this);
    connect(report, &ReportPageFor310::informationChanged, this,
            [this](const QString &company, const QString &tester, const QString &auditor) {
                reportSignatures_ = {company, tester, auditor};
            });
    report->show();
    report->raise();
    report->activateWindow();
}

// ---- Batch ----

void FirstPageFor310::initBatchButtons()
{
    auto *layout = qobject_cast<QBoxLayout *>(ui->widget_buttons->layout());
    const struct
    {
        const char *name;
        std::function<void()> action;
    } buttons[] = {{"pushButton_statistics", [this] { openStatistics(); }},
                   {"pushButton_reportAll", [this] { reportAll(); }}};
    for (const auto &b : buttons) {
        auto *button = new QPushButton(ui->widget_buttons);
        button->setObjectName(QLatin1String(b.name));
        // Before the spacer that closes the row.
        if (layout)
            layout->insertWidget(layout->count() - 1, button);
        connect(button, &QPushButton::clicked, this, b.action);
    }
    retranslateBatchButtons();
}

void FirstPageFor310::retranslateBatchButtons()
{
    if (auto *button = ui->widget_buttons->findChild<QPushButton *>(QStringLiteral("pushButton_statistics")))
        button->setText(tr("Batch statistics"));
    if (auto *button = ui->widget_buttons->findChild<QPushButton *>(QStringLiteral("pushButton_reportAll")))
        button->setText(tr("Report all"));
}

BatchPanel *FirstPageFor310::openStatistics()
{
    if (!batchPanel_) {
        batchPanel_ = new BatchPanel(session_, ui->tableWidget_data, this);
        batchPanel_->setAttribute(Qt::WA_DeleteOnClose);
    }
    batchPanel_->show();
    batchPanel_->raise();
    batchPanel_->activateWindow();
    return batchPanel_;
}

bool FirstPageFor310::reportAll()
{
    if (session_.records().isEmpty()) {
        show(session_.noDataToExport());
        return false;
    }
    QString fileName = FileChooser::saveFileName(
        this, tr("Save the batch report"),
        QStringLiteral("BatchReport") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmm")) + QStringLiteral(".pdf"),
        tr("PDF file (*.pdf)"));
    if (fileName.isEmpty())
        return false;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    const ComparisonPageState &state = session_.state();
    BatchReportInputs inputs;
    inputs.company = reportSignatures_.company;
    inputs.tester = reportSignatures_.tester;
    inputs.auditor = reportSignatures_.auditor;
    inputs.device = state.modelName;
    inputs.serialNumber = state.serialNumber;
    inputs.resultKind = state.resultKind();
    inputs.settings = state.judgement;
    if (const DeviceProfile *profile = deviceProfile(state.judgement.deviceType); profile && profile->usesInstrumentFormula)
        inputs.formulaName = colorimeter(formulaName(state.judgement.formula).toUtf8());
    const Outcome outcome = BatchReport::write(session_.records(), inputs, fileName);
    show(outcome);
    return outcome.succeeded();
}

void FirstPageFor310::doubleClickedSlot(int row, int column)
{
    if (column == RecordColumn::Name)
        ui->tableWidget_data->edit(session_.records().index(row, column));
}

void FirstPageFor310::on_pushButton_clear_clicked()
{
    const int unsaved = session_.records().unsavedCount();
    if (unsaved > 0 && !UnsavedQuestion::confirmClear(this, unsaved))
        return;
    session_.clearPage();
}

void FirstPageFor310::rejudgeRecords()
{
    session_.rejudgeRecords();
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
    MeterPageFor310 page(port_, session_.state().judgement.deviceType, this);
    if (restoredSpectra_) {
        page.session().records().restore(restoredSpectra_->spectra, restoredSpectra_->spectralNames,
                                         restoredSpectra_->spectralNumbers, restoredSpectra_->spectralNameCounter);
        restoredSpectra_.reset();
    }
    if (journal_)
        journal_->follow(page.session().records());
    page.exec();
    if (journal_)
        journal_->stopFollowing(page.session().records());
}

// ---- Measurement ----

void FirstPageFor310::on_pushButton_standardMeasurement_clicked()
{
    show(session_.measure(MeasureStandard));
}

void FirstPageFor310::on_pushButton_sampleMeasurement_clicked()
{
    show(session_.measure(MeasureSample));
}

void FirstPageFor310::SaveData(const QByteArray &baData)
{
    session_.receivePushed(baData);
}

// ---- Settings ----

int FirstPageFor310::on_pushButton_readTolerance_clicked()
{
    const Outcome outcome = session_.readTolerance();
    show(outcome);
    return outcome.failed ? -1 : 1;
}

void FirstPageFor310::on_pushButton_setTolerance_clicked()
{
    show(session_.setTolerance(ui->lineEdit_hazeTolerance->text(), ui->lineEdit_tTolerance->text(),
                               ui->lineEdit_eThresholds->text()));
}

int FirstPageFor310::on_pushButton_readParameter_clicked()
{
    const Outcome outcome = session_.readDeltaEParameter();
    show(outcome);
    return outcome.failed ? -1 : 1;
}

void FirstPageFor310::on_pushButton_setParameter_clicked()
{
    if (!checkDeviceOpen())
        return;
    const DeviceProfile *profile = deviceProfile(session_.state().judgement.deviceType);
    if (profile && !profile->choosesFormula) {
        // This model judges with ΔE*ab only, so only the threshold is offered.
        const Outcome written = session_.writeDeltaEParameter(DeltaEab, ui->lineEdit_thresholds->text());
        show(written);
        if (written.succeeded())
            show(session_.deltaEParameterWritten());
        return;
    }
    const JudgementSettings &judgement = session_.state().judgement;
    setEParameterPageFor320 dialog(session_, judgement.formula, judgement.parameterThreshold, this);
    if (dialog.exec() == QDialog::Accepted)
        show(session_.deltaEParameterWritten());
}

void FirstPageFor310::on_pushButton_setDisplayParameter_clicked()
{
    if (!checkDeviceOpen())
        return;
    const bool mayClear = session_.records().isEmpty() ||
                          QMessageBox::warning(this, tr("Warn"),
                                               tr("The comparison measurement record list data will be cleared. Do "
                                                  "you want to continue saving the parameter settings?"),
                                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    if (mayClear)
        show(session_.setDisplayParameter(resultKindGroup_->checkedId()));
    showDevice(); // the buttons show the kind in force, also after No or a failed write
}

// ---- Device records, workbook, colour cards ----

void FirstPageFor310::on_pushButton_readComparisonRecord_clicked()
{
    if (!checkDeviceOpen())
        return;
    // More than two records are saved or discarded first; one or two stay and are continued.
    if (session_.records().count() > 2 && !offerExportBeforeReplacing())
        return;
    ProgressReport progress(this, tr("Storing data,please wait..."), tr("cancel"));
    show(session_.downloadRecords(progress.callback()));
}

UnsavedQuestion::Answer FirstPageFor310::askSaveFirst()
{
    return UnsavedQuestion::saveFirst(this, tr("Colorimeter"), tr("Data import willempty the list, to save data first?"));
}

// Yes exports (and goes on only when the export worked), No clears the list, Cancel stops.
bool FirstPageFor310::offerExportBeforeReplacing()
{
    return carryOut(askSaveFirst());
}

bool FirstPageFor310::on_pushButton_exportExcel_clicked()
{
    if (session_.records().isEmpty()) {
        show(session_.noDataToExport());
        return false;
    }
    const QString target = FileChooser::workbookTarget(this, tr("Storing data to Excel"), QStringLiteral("CompareM"),
                                                       tr("excel file (*.xls)") + QStringLiteral(";;") +
                                                           tr("excel file (*.xlsx)") + QStringLiteral(";;") +
                                                           tr("CSV file (*.csv)"));
    if (target.isEmpty())
        return false;
    const Outcome outcome = session_.exportTo(target);
    show(outcome);
    return outcome.succeeded();
}

void FirstPageFor310::on_ImportExcelBtn_clicked()
{
    bool discard = false;
    if (!session_.records().isEmpty()) {
        const UnsavedQuestion::Answer answer = askSaveFirst();
        if (answer == UnsavedQuestion::Cancel)
            return;
        // The import goes on whatever the export's outcome.
        discard = answer == UnsavedQuestion::Discard;
        if (!discard)
            on_pushButton_exportExcel_clicked();
    }
    const QString fileName = FileChooser::openFileName(this, tr("Select one Excel files to open"), QStringLiteral("./"),
                                                       tr("excel file (*.xls *.xlsx)"));
    if (fileName.isEmpty())
        return;
    // Discarded only once a file was chosen: a cancelled file dialog leaves the list as it was.
    if (discard)
        session_.clearPage();
    show(session_.importFrom(fileName));
}

void FirstPageFor310::on_pushButton_writeStandardColor_clicked()
{
    if (!checkDeviceOpen())
        return;
    const QString fileName = FileChooser::openFileName(this, tr("Select one Excel files to open"),
                                                       QStringLiteral("./"), tr("excel file (*.xlsx)"));
    if (fileName.isEmpty())
        return;
    ProgressReport progress(this, tr("Storing data,please wait..."), tr("cancel"));
    show(session_.uploadColourCards(fileName, progress.callback()));
}

// ---- Showing the session ----

void FirstPageFor310::setComparisonText(int row, int column, const QString &text)
{
    QTableWidget *table = ui->tableWidget_colorDiff;
    // The user may type a standard over a measured one, so its values sit in line edits.
    if (column == StandardColumn && row >= 1 && row < DeltaERow) {
        auto *edit = qobject_cast<QLineEdit *>(table->cellWidget(row, column));
        if (!edit) {
            edit = new QLineEdit(table);
            edit->setAlignment(Qt::AlignCenter);
            edit->setStyleSheet(QLatin1String(StandardEditStyle));
            const int quantity = row - 1;
            connect(edit, &QLineEdit::textEdited, this,
                    [this, quantity](const QString &text) { session_.setTypedStandard(quantity, text); });
            table->setCellWidget(row, column, edit);
        }
        if (edit->text() != text)
            edit->setText(text);
        return;
    }
    if (QTableWidgetItem *item = table->item(row, column)) {
        item->setText(text);
    } else {
        item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
}

void FirstPageFor310::showPair()
{
    const ComparisonPair &pair = session_.pair();
    for (int quantity = 0; quantity < Quantity::Count; ++quantity) {
        const auto value = [quantity](double v) { return formatValue(quantity, v); };
        setComparisonText(1 + quantity, StandardColumn, valueText(pair.standard[quantity], value));
        setComparisonText(1 + quantity, SampleColumn, valueText(pair.sample[quantity], value));
        setComparisonText(1 + quantity, DifferenceColumn, valueText(pair.differences[quantity], [quantity](double v) {
                              return formatDifference(quantity, v);
                          }));
    }
    setComparisonText(DeltaERow, StandardColumn, placeholder());
    setComparisonText(DeltaERow, SampleColumn, placeholder());
    setComparisonText(DeltaERow, DifferenceColumn, valueText(pair.deltaE, formatDeltaE));
    for (int row = 1; row <= DeltaERow; ++row)
        setComparisonText(row, WordColumn, placeholder());
    for (int axis = AxisL; axis <= AxisB; ++axis) {
        const int quantity = Quantity::L + axis;
        if (const std::optional<double> difference = pair.differences[quantity])
            setComparisonText(1 + quantity, WordColumn, tr(deviationWord(axis, *difference)));
    }
    if (pair.pass) {
        ui->label_result->setText(tr(resultText(*pair.pass)));
        ui->label_result->setStyleSheet(QLatin1String(*pair.pass ? PassLabelStyle : NgLabelStyle));
    } else {
        ui->label_result->clear();
        ui->label_result->setStyleSheet(QLatin1String(PassLabelStyle));
    }
    ui->groupBox_standardMeasurement->setStyleSheet(swatchStyle(pair.standardSwatch));
    ui->groupBox_sampleMeasurement->setStyleSheet(swatchStyle(pair.sampleSwatch));
    const bool standardActive = pair.highlightedButton == MeasureStandard;
    ui->pushButton_standardMeasurement->setStyleSheet(QLatin1String(standardActive ? ActiveButtonStyle : IdleButtonStyle));
    ui->pushButton_sampleMeasurement->setStyleSheet(QLatin1String(standardActive ? IdleButtonStyle : ActiveButtonStyle));
}

void FirstPageFor310::showDevice()
{
    const ComparisonPageState &state = session_.state();
    ui->lineEdit_serialNo->setText(state.serialNumber);
    ui->lineEdit_firmwareVersion->setText(state.firmwareKnown ? QString::number(state.firmwareVersion) : QString());
    if (const DeviceProfile *profile = deviceProfile(state.judgement.deviceType)) {
        ui->stackedWidget->setCurrentWidget(profile->usesTolerance ? ui->page_tolerance : ui->page_eParameter);
        ui->pushButton_spectralTransmittance->setText(tr(profile->spectralButton));
        // A model that chooses its formula sets the threshold in the ΔE dialog, not here.
        ui->lineEdit_thresholds->setReadOnly(profile->choosesFormula);
    }
    const int kind = state.resultKind();
    if (kind >= 0) {
        resultKindGroup_->button(kind)->setChecked(true);
        onButtonClicked(kind);
    }
    applyResultKindView();
}

void FirstPageFor310::showSettings()
{
    const JudgementSettings &judgement = session_.state().judgement;
    const auto shown = [](double value, const QString &text) { return value < 0 ? QString() : text; };
    ui->lineEdit_hazeTolerance->setText(
        shown(judgement.hazeTolerance, QString::number(judgement.hazeTolerance, 'f', 2)));
    ui->lineEdit_tTolerance->setText(
        shown(judgement.transmittanceTolerance, QString::number(judgement.transmittanceTolerance, 'f', 2)));
    ui->lineEdit_eThresholds->setText(shown(judgement.workingThreshold, formatThreshold(judgement.workingThreshold)));
    if (const QString name = formulaName(judgement.formula); !name.isEmpty())
        ui->lineEdit_formula->setText(colorimeter(name.toUtf8().constData()));
    ui->lineEdit_thresholds->setText(formatThreshold(judgement.parameterThreshold));
}

void FirstPageFor310::showCounters()
{
    const ComparisonCounters &counters = session_.counters();
    ui->lineEdit_unqualNum->setText(QString::number(counters.unqualified()));
    ui->lineEdit_qualNum->setText(QString::number(counters.qualified()));
    ui->lineEdit_totalNum->setText(QString::number(counters.total()));
}

void FirstPageFor310::applyResultKindView()
{
    QTableWidget *comparison = ui->tableWidget_colorDiff;
    QTableView *list = ui->tableWidget_data;
    for (int row = 1; row <= DeltaERow; ++row)
        comparison->setRowHidden(row, true);
    for (int column = RecordColumn::StandardFirst; column <= RecordColumn::DeltaE; ++column)
        list->setColumnHidden(column, true);

    int widthCount = 0;
    for (int kind = 0; kind < ResultKindCount; ++kind) {
        if (!session_.state().judgement.resultKinds[kind])
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
    fitComparisonHeight();
    fitRecordHeadings();
}

void FirstPageFor310::fitComparisonHeight()
{
    QTableWidget *comparison = ui->tableWidget_colorDiff;
    int height = 2 * comparison->frameWidth();
    for (int row = 0; row < comparison->rowCount(); ++row) {
        if (!comparison->isRowHidden(row))
            height += comparison->rowHeight(row);
    }
    comparison->setFixedHeight(height);
    // Wide enough for the row names and for every heading and value in the other columns.
    const QFontMetrics metrics(comparison->font());
    const int margin = 2 * comparison->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, comparison) + 4;
    int valueWidth = metrics.horizontalAdvance(QStringLiteral("-100.00%"));
    for (int column = StandardColumn; column < ComparisonColumns; ++column) {
        if (const QTableWidgetItem *heading = comparison->item(0, column))
            valueWidth = std::max(valueWidth, metrics.horizontalAdvance(heading->text()));
    }
    comparison->setMinimumWidth(static_cast<QAbstractItemView *>(comparison)->sizeHintForColumn(0) +
                                (ComparisonColumns - 1) * (valueWidth + margin) + 2 * comparison->frameWidth());
}

// A column is never narrower than its heading: the screen-share widths above suit the numbers,
// but a longer heading (or its translation) would be cut.
void FirstPageFor310::fitRecordHeadings()
{
    QTableView *list = ui->tableWidget_data;
    RbTableHeaderModel *model = recordHeader_->headerModel();
    const QFontMetrics metrics(recordHeader_->font());
    const int padding = 2 * metrics.averageCharWidth() + 8;
    for (int row = 0; row < HeaderRows; ++row) {
        for (int column = 0; column < RecordColumn::HazeTolerance; ++column) {
            const QModelIndex cell = model->index(row, column);
            const QString text = model->data(cell, Qt::DisplayRole).toString();
            if (text.isEmpty())
                continue;
            // A group heading has the room of its shown columns; the first one widens if needed.
            const int span = std::max(1, model->data(cell, RbTableHeaderModel::ColumnSpanRole).toInt());
            int room = 0;
            int first = -1;
            for (int c = column; c < column + span; ++c) {
                if (list->isColumnHidden(c))
                    continue;
                room += list->columnWidth(c);
                first = first < 0 ? c : first;
            }
            const int missing = metrics.horizontalAdvance(text) + padding - room;
            if (first >= 0 && missing > 0)
                list->setColumnWidth(first, list->columnWidth(first) + missing);
        }
    }
}

void FirstPageFor310::showEvent(QShowEvent *event)
{
    // Row heights follow the style sheets, which are all set by the time the page shows.
    fitComparisonHeight();
    QWidget::showEvent(event);
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
    // The row names keep their whole width; the value columns share the rest.
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // Only the rows of the result kind are shown, and the table is exactly that tall.
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    showComparisonHeadings();
}

void FirstPageFor310::initRecordList()
{
    QTableView *table = ui->tableWidget_data;
    table->setModel(&session_.records());
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
    connect(table, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { doubleClickedSlot(index.row(), index.column()); });
    const struct
    {
        int column;
        void (FirstPageFor310::*slot)(int);
    } buttons[] = {{DeleteButton, &FirstPageFor310::deleteRecord}, {ReportButton, &FirstPageFor310::openReport}};
    for (const auto &b : buttons) {
        auto *delegate = new ButtonDelegate(table);
        table->setItemDelegateForColumn(b.column, delegate);
        connect(delegate, &ButtonDelegate::clicked, this,
                [this, slot = b.slot](const QModelIndex &index) { (this->*slot)(index.row()); });
    }
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
    ui->radioButton_hazeT->setChecked(true);
    onButtonClicked(ResultHazeT);
}

void FirstPageFor310::showComparisonHeadings()
{
    setComparisonText(0, StandardColumn, tr("Standard"));
    setComparisonText(0, SampleColumn, tr("Sample"));
    setComparisonText(0, DifferenceColumn, colorimeter("△"));
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        setComparisonText(1 + quantity, 0, quantityName(quantity));
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
        setHeading(1, StandardFirst + quantity, quantityName(quantity));
        setHeading(1, SampleFirst + quantity, quantityName(quantity));
    }
    setHeading(0, DeltaHaze, colorimeter("△Haze"));
    setHeading(0, DeltaTransmittance, colorimeter("△Transmittance"));
    setHeading(0, DeltaE, colorimeter("△E"));
    setHeading(0, Result, tr("Pass or not"));
}

void FirstPageFor310::languageChange()
{
    ui->retranslateUi(this);
    retranslateBatchButtons();
    showDevice();
    showPair();
    showComparisonHeadings();
    showRecordHeadings();
    applyResultKindView(); // widths follow the new headings
    session_.records().retranslate();
}
