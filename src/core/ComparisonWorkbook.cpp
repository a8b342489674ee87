#include "ComparisonWorkbook.h"

#include "ExcelEngine.h"

#include <QDateTime>
#include <QHash>
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

QString tr(const char *text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

} // namespace

QList<QStringList> ComparisonWorkbook::rows(int resultKind, const QList<ComparisonRecord> &records)
{
    const QList<WorkbookColumn> layout = workbookLayout(resultKind);
    QList<QStringList> rows;
    rows.reserve(records.size() + 1);
    QStringList &header = rows.emplace_back();
    for (const WorkbookColumn &column : layout)
        header << QCoreApplication::translate(column.context, column.header);
    for (const ComparisonRecord &record : records) {
        QStringList &row = rows.emplace_back();
        row.reserve(layout.size());
        for (const WorkbookColumn &column : layout)
            row << record.text(column.pageColumn);
    }
    return rows;
}

QString ComparisonWorkbook::read(const QString &fileName, int resultKind, QList<ComparisonRecord> &records)
{
    QList<QList<QVariant>> rows;
    int firstSheetRow = 0;
    {
        ExcelEngine engine(fileName);
        if (!engine.openForReading(1))
            return tr("Can't open file！");
        if (engine.rowCount() <= 0)
            return tr("Failed to read excel file！");
        engine.readAll(rows);
        firstSheetRow = engine.firstRow();
    }
    // A refusal names the sheet row at fault, as a spreadsheet program numbers it.
    const auto unreadable = [firstSheetRow](qsizetype r) {
        return tr("Failed to read excel file！ (row %1)").arg(firstSheetRow + r);
    };
    const QList<WorkbookColumn> layout = workbookLayout(resultKind);
    const QList<QVariant> &header = rows.value(0);
    if (header.size() < FirstKindColumn + CheckedHeaderCells)
        return unreadable(0);
    for (int c = FirstKindColumn; c < FirstKindColumn + CheckedHeaderCells; ++c) {
        if (c >= layout.size() || !headerMatches(header[c], layout[c].header))
            return tr("The import file is not an export file of this software! (row %1)").arg(firstSheetRow);
    }
    for (qsizetype r = 1; r < rows.size(); ++r) {
        if (rows[r].size() < layout.size())
            return unreadable(r);
        ComparisonRecord record = blankRecord();
        for (int c = 0; c < layout.size(); ++c) {
            if (!importCell(rows[r][c], layout[c], record))
                return unreadable(r);
        }
        records.append(record);
    }
    return {};
}
