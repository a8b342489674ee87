#include "FirstPageFor310.h"
#include "ui_FirstPageFor310.h"

#include "ExcelEngine.h"
#include "FileChooser.h"
#include "WorkbookExport.h"

#include <QDateTime>
#include <QHash>
#include <QMessageBox>
#include <cmath>

namespace {

// How the import turns a stored cell back into the record list's text.
enum class CellKind { Text, Time, Percent, Result };

struct WorkbookColumn
{
    const char *context;
    const char *header;
    int pageColumn;
    CellKind kind;
};

constexpr char Page[] = "FirstPageFor310";
constexpr char Colorimeter[] = "Colorimeter";
constexpr int FirstKindColumn = 5; // column F: the first that depends on the result kind
constexpr int CheckedHeaderCells = 2;

using namespace RecordColumn;

const WorkbookColumn CommonColumns[] = {
    {Page, QT_TRANSLATE_NOOP("FirstPageFor310", "NO"), Number, CellKind::Text},
    {Page, QT_TRANSLATE_NOOP("FirstPageFor310", "Model"), Model, CellKind::Text},
    {Page, QT_TRANSLATE_NOOP("FirstPageFor310", "SN"), SerialNumber, CellKind::Text},
    {Page, QT_TRANSLATE_NOOP("FirstPageFor310", "Name"), Name, CellKind::Text},
    {Page, QT_TRANSLATE_NOOP("FirstPageFor310", "Time"), Time, CellKind::Time},
};

constexpr WorkbookColumn standardColumn(const char *header, int quantity, CellKind kind)
{
    return {Page, header, StandardFirst + quantity, kind};
}
constexpr WorkbookColumn sampleColumn(const char *header, int quantity, CellKind kind)
{
    return {Page, header, SampleFirst + quantity, kind};
}

const WorkbookColumn HazeTolerance_{Page, QT_TRANSLATE_NOOP("FirstPageFor310", "Haze Tolerance"), HazeTolerance,
                                    CellKind::Text};
const WorkbookColumn TTolerance_{Page, QT_TRANSLATE_NOOP("FirstPageFor310", "Transmittance Tolerance"),
                                 TransmittanceTolerance, CellKind::Text};
const WorkbookColumn DeltaHaze_{Colorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△Haze"), DeltaHaze, CellKind::Percent};
const WorkbookColumn DeltaT_{Colorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△Transmittance"), DeltaTransmittance,
                             CellKind::Percent};
const WorkbookColumn Threshold_{Colorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△E Thresholds"), Threshold,
                                CellKind::Text};
const WorkbookColumn DeltaE_{Colorimeter, QT_TRANSLATE_NOOP("Colorimeter", "△E"), DeltaE, CellKind::Text};
const WorkbookColumn Result_{Page, QT_TRANSLATE_NOOP("FirstPageFor310", "Result"), Result, CellKind::Result};

// Three standard values, the same three of the sample, then threshold, ΔE and result.
QList<WorkbookColumn> colourLayout(const std::array<const char *, 6> &headers, int firstQuantity)
{
    QList<WorkbookColumn> layout;
    for (int i = 0; i < 3; ++i)
        layout.append(standardColumn(headers[i], firstQuantity + i, CellKind::Text));
    for (int i = 0; i < 3; ++i)
        layout.append(sampleColumn(headers[3 + i], firstQuantity + i, CellKind::Text));
    layout << Threshold_ << DeltaE_ << Result_;
    return layout;
}

// Columns F onward of each result kind.
const QList<WorkbookColumn> &kindLayout(int kind)
{
    using namespace Quantity;
    static const WorkbookColumn standardHaze = standardColumn(QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Haze"),
                                                              Haze, CellKind::Percent);
    static const WorkbookColumn standardT = standardColumn(
        QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Transmittance"), Transmittance, CellKind::Percent);
    static const WorkbookColumn sampleHaze = sampleColumn(QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Haze"), Haze,
                                                          CellKind::Percent);
    static const WorkbookColumn sampleT = sampleColumn(QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Transmittance"),
                                                       Transmittance, CellKind::Percent);
    static const QList<WorkbookColumn> layouts[ResultKindCount] = {
        {standardHaze, standardT, sampleHaze, sampleT, HazeTolerance_, DeltaHaze_, TTolerance_, DeltaT_, Result_},
        {standardHaze, sampleHaze, HazeTolerance_, DeltaHaze_, Result_},
        {standardT, sampleT, TTolerance_, DeltaT_, Result_},
        colourLayout({QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Standard a*"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Standard b*"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), QT_TRANSLATE_NOOP("FirstPageFor310", "Sample a*"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Sample b*")},
                     L),
        colourLayout({QT_TRANSLATE_NOOP("FirstPageFor310", "Standard L*"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Standard C*"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Standard h"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Sample L*"), QT_TRANSLATE_NOOP("FirstPageFor310", "Sample C*"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Sample h")},
                     LchL),
        colourLayout({QT_TRANSLATE_NOOP("FirstPageFor310", "Standard Y"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Standard x"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Standard y"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Sample Y"), QT_TRANSLATE_NOOP("FirstPageFor310", "Sample x"),
                      QT_TRANSLATE_NOOP("FirstPageFor310", "Sample y")},
                     Y),
    };
    static const QList<WorkbookColumn> none;
    return kind >= 0 && kind < ResultKindCount ? layouts[kind] : none;
}

QList<WorkbookColumn> workbookLayout(int kind)
{
    return QList<WorkbookColumn>(std::begin(CommonColumns), std::end(CommonColumns)) + kindLayout(kind);
}

// Header texts of columns F and G may come from either interface language.
bool headerMatches(const QVariant &cell, const char *header)
{
    static const QHash<QString, QString> chinese{
        {QStringLiteral("Standard Haze"), QStringLiteral("标准值雾度")},
        {QStringLiteral("Standard Transmittance"), QStringLiteral("标准值透光率")},
        {QStringLiteral("Sample Haze"), QStringLiteral("样品值雾度")},
        {QStringLiteral("Sample Transmittance"), QStringLiteral("样品值透光率")},
        {QStringLiteral("Standard L*"), QStringLiteral("标准值L*")},
        {QStringLiteral("Standard a*"), QStringLiteral("标准值a*")},
        {QStringLiteral("Standard C*"), QStringLiteral("标准值C*")},
        {QStringLiteral("Standard Y"), QStringLiteral("标准值Y")},
        {QStringLiteral("Standard x"), QStringLiteral("标准值x")},
    };
    const QString text = cell.toString();
    const QString english = QString::fromUtf8(header);
    return text == english || text == chinese.value(english);
}

RecordResult resultOf(const QString &text)
{
    if (text == QLatin1String("PASS") || text == QStringLiteral("合格"))
        return RecordResult::Pass;
    if (text == QLatin1String("NG") || text == QStringLiteral("不合格"))
        return RecordResult::Ng;
    return RecordResult::Unknown;
}

// False when a cell that must hold a number does not.
bool importCell(const QVariant &cell, const WorkbookColumn &column, ComparisonRecord &record)
{
    switch (column.kind) {
    case CellKind::Text:
        record.setText(column.pageColumn, cell.toString());
        return true;
    case CellKind::Time:
        record.setText(column.pageColumn, cell.typeId() == QMetaType::QDateTime
                                              ? cell.toDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm"))
                                              : cell.toString());
        return true;
    case CellKind::Percent: {
        bool numeric = false;
        const double fraction = cell.toDouble(&numeric);
        if (!numeric || !std::isfinite(fraction))
            return false;
        record.setText(column.pageColumn, ComparisonRecord::percentText(fraction * 100));
        return true;
    }
    case CellKind::Result:
        record.setResult(resultOf(cell.toString()));
        return true;
    }
    return false;
}

// A record whose every text reads "----" until the workbook fills it.
ComparisonRecord blankRecord()
{
    ComparisonRecord record;
    for (int column = 0; column < RecordColumn::Count; ++column) {
        if (column != DeleteButton && column != ReportButton)
            record.setText(column, QStringLiteral("----"));
    }
    return record;
}

} // namespace

bool FirstPageFor310::on_pushButton_exportExcel_clicked()
{
    const QList<WorkbookColumn> layout = workbookLayout(state_.resultKind());
    QList<QStringList> rows;
    QStringList &header = rows.emplace_back();
    for (const WorkbookColumn &column : layout)
        header << QCoreApplication::translate(column.context, column.header);
    for (const ComparisonRecord &record : records_.records()) {
        QStringList &row = rows.emplace_back();
        for (const WorkbookColumn &column : layout)
            row << record.text(column.pageColumn);
    }

    WorkbookExport::Texts texts;
    texts.noDataTitle = tr("error");
    texts.noDataText = tr("No data for Storing to Excel!");
    texts.caption = tr("Storing data to Excel");
    texts.proposedName = QStringLiteral("CompareM") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmm"));
    texts.filters = tr("excel file (*.xls)") + QStringLiteral(";;") + tr("excel file (*.xlsx)");
    texts.overwriteTitle = tr("Error");
    texts.cantOverwrite = tr("Can't overwrite this file, maybe the file is in use!");
    texts.errorTitle = tr("Error");
    texts.cantOpen = tr("Failed to store data, can't open file!");
    texts.writeFailed = tr("Failed to export data to excel file");
    texts.successTitle = tr("Storing data");
    texts.successText = tr("Data stored to file Success");
    return WorkbookExport::write(this, rows, texts, [this] { on_pushButton_clear_clicked(); });
}

void FirstPageFor310::on_ImportExcelBtn_clicked()
{
    if (ui->tableWidget_data->rowCount() > 0) {
        const auto answer = QMessageBox::question(this, tr("Colorimeter"),
                                                  tr("Data import willempty the list, to save data first?"),
                                                  QMessageBox::Yes | QMessageBox::No);
        // The import goes on whatever the export's outcome.
        if (answer == QMessageBox::No)
            on_pushButton_clear_clicked();
        else
            on_pushButton_exportExcel_clicked();
    }
    const QString fileName = FileChooser::openFileName(this, tr("Select one Excel files to open"), QStringLiteral("./"),
                                                       tr("excel file (*.xls *.xlsx)"));
    if (fileName.isEmpty())
        return;

    QList<ComparisonRecord> imported;
    const QString failure = readImportWorkbook(fileName, imported);
    if (!failure.isEmpty()) {
        QMessageBox::information(this, tr("Error："), failure);
        return;
    }
    for (const ComparisonRecord &record : imported) {
        if (record.result() != RecordResult::Unknown)
            counters().add(record.result() == RecordResult::Pass);
        appendRecord(record);
    }
    showCounters();
}

// Every row is checked before anything is added, so a rejected workbook adds nothing.
QString FirstPageFor310::readImportWorkbook(const QString &fileName, QList<ComparisonRecord> &records) const
{
    QList<QList<QVariant>> rows;
    {
        ExcelEngine engine(fileName);
        if (!engine.openForReading(1))
            return tr("Can't open file！");
        if (engine.rowCount() <= 0)
            return tr("Failed to read excel file！");
        engine.readAll(rows);
    }
    const QList<WorkbookColumn> layout = workbookLayout(state_.resultKind());
    const QList<QVariant> &header = rows.value(0);
    if (header.size() < FirstKindColumn + CheckedHeaderCells)
        return tr("Failed to read excel file！");
    for (int c = FirstKindColumn; c < FirstKindColumn + CheckedHeaderCells; ++c) {
        if (c >= layout.size() || !headerMatches(header[c], layout[c].header))
            return tr("The import file is not an export file of this software!");
    }
    for (qsizetype r = 1; r < rows.size(); ++r) {
        if (rows[r].size() < layout.size())
            return tr("Failed to read excel file！");
        ComparisonRecord record = blankRecord();
        for (int c = 0; c < layout.size(); ++c) {
            if (!importCell(rows[r][c], layout[c], record))
                return tr("Failed to read excel file！");
        }
        records.append(record);
    }
    return {};
}
