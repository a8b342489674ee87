// SPDX-License-Identifier: Apache-2.0
#include "BatchReport.h"

#include "BatchStatistics.h"
#include "TrendChart.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

namespace {

constexpr int Dpi = 96; // layout in screen pixels, so the chart paints as it does on the page
constexpr int ChartObjectType = QTextFormat::UserObject + 19;
const char *const ChartMarker = "@@trend-chart@@";

QString reportText(const char *text)
{
    return QCoreApplication::translate("ReportPageFor310", text);
}

QString pageText(const char *text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString td(const QString &content, const QString &attributes = {})
{
    return QStringLiteral("<td%1>%2</td>").arg(attributes.isEmpty() ? QString() : QLatin1Char(' ') + attributes, content);
}

QString th(const QString &content, const QString &attributes = {})
{
    return QStringLiteral("<th%1>%2</th>").arg(attributes.isEmpty() ? QString() : QLatin1Char(' ') + attributes, content);
}

// Paints the trend chart where the document holds its object character, as vectors.
class ChartObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    ChartObject(TrendChart chart, QObject *parent) : QObject(parent), chart_(std::move(chart)) {}

    QSizeF intrinsicSize(QTextDocument *document, int, const QTextFormat &) override
    {
        const qreal width = document->pageSize().width() > 0 ? document->pageSize().width() - 2 * document->documentMargin()
                                                             : 700;
        return {width - 4, width * 0.42};
    }
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int, const QTextFormat &) override
    {
        chart_.paint(*painter, rect);
    }

private:
    TrendChart chart_;
};

// The quantities a result kind shows in the record list: standard and sample columns, then the differences.
struct RecordView
{
    QList<int> quantities;
    QList<int> deltaColumns;
};

RecordView recordView(int kind)
{
    using namespace RecordColumn;
    switch (kind) {
    case ResultHazeT:
        return {{Quantity::Haze, Quantity::Transmittance}, {DeltaHaze, DeltaTransmittance}};
    case ResultHaze:
        return {{Quantity::Haze}, {DeltaHaze}};
    case ResultT:
        return {{Quantity::Transmittance}, {DeltaTransmittance}};
    case ResultLab:
        return {{Quantity::L, Quantity::A, Quantity::B}, {DeltaE}};
    case ResultLCh:
        return {{Quantity::LchL, Quantity::C, Quantity::H}, {DeltaE}};
    case ResultYxy:
        return {{Quantity::Y, Quantity::X, Quantity::SmallY}, {DeltaE}};
    default:
        return {};
    }
}

const char *deltaName(int column)
{
    switch (column) {
    case RecordColumn::DeltaHaze:
        return "△Haze";
    case RecordColumn::DeltaTransmittance:
        return "△Transmittance";
    default:
        return "△E";
    }
}

QString infoRow(const QString &leftLabel, const QString &leftValue, const QString &rightLabel, const QString &rightValue)
{
    return QStringLiteral("<tr>") + td(leftLabel, QStringLiteral("width=\"16%\"")) + td(esc(leftValue), QStringLiteral("width=\"34%\""))
        + td(rightLabel, QStringLiteral("width=\"16%\"")) + td(esc(rightValue), QStringLiteral("width=\"34%\"")) + QStringLiteral("</tr>");
}

QString limitsRow(const BatchReportInputs &in)
{
    const JudgementSettings &s = in.settings;
    switch (in.resultKind) {
    case ResultHazeT:
        return infoRow(reportText("Haze Tolerance:"), ComparisonRecord::toleranceText(s.hazeTolerance),
                       reportText("Transmittance Tolerance:"), ComparisonRecord::toleranceText(s.transmittanceTolerance));
    case ResultHaze:
        return infoRow(reportText("Haze Tolerance:"), ComparisonRecord::toleranceText(s.hazeTolerance), {}, {});
    case ResultT:
        return infoRow(reportText("Transmittance Tolerance:"), ComparisonRecord::toleranceText(s.transmittanceTolerance),
                       {}, {});
    default:
        return infoRow(QCoreApplication::translate("Colorimeter", "△E ") + reportText("Thresholds:"),
                       formatThreshold(s.workingThreshold),
                       in.formulaName.isEmpty() ? QString()
                                                : QCoreApplication::translate("Colorimeter", "△E ") + reportText("formula:"),
                       in.formulaName);
    }
}

QString header(const BatchReportInputs &in)
{
    QString html = QStringLiteral("<p align=\"center\" style=\"font-size: 20pt\">") + BatchReport::tr("Batch Report")
        + QStringLiteral("</p><table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">");
    html += infoRow(reportText("Company:"), in.company, reportText("Device: "), in.device);
    html += infoRow(reportText(" Tester:").trimmed(), in.tester, reportText("SN:"), in.serialNumber);
    html += infoRow(reportText(" Auditor:").trimmed(), in.auditor, BatchReport::tr("Printed:"),
                    in.builtAt.toString(QStringLiteral("yyyy/MM/dd  hh:mm")));
    html += limitsRow(in);
    return html + QStringLiteral("</table>");
}

QString extremeText(const ComparisonRecordModel &model, const QuantitySummary &q, double value, int row)
{
    if (row < 0)
        return QStringLiteral("-----");
    return q.quantity.format(value) + QStringLiteral(" (") + esc(model.at(row).text(RecordColumn::Name)) + QLatin1Char(')');
}

QString statistics(const ComparisonRecordModel &model, const BatchStatistics &stats)
{
    QString html = QStringLiteral("<h3>") + BatchReport::tr("Statistics") + QStringLiteral("</h3>");
    html += QStringLiteral("<p>") + BatchReport::tr("Records: %1").arg(stats.count) + QStringLiteral("&nbsp;&nbsp;&nbsp; ")
        + BatchReport::tr("PASS: %1").arg(stats.passed) + QStringLiteral("&nbsp;&nbsp;&nbsp; ")
        + BatchReport::tr("NG: %1").arg(stats.failed) + QStringLiteral("&nbsp;&nbsp;&nbsp; ")
        + BatchReport::tr("Pass rate: %1%").arg(QString::number(stats.passRate, 'f', 1)) + QStringLiteral("</p>");
    if (stats.quantities.isEmpty() || stats.count == 0)
        return html;
    html += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>")
        + th(QString()) + th(BatchStatistics::tr("Mean")) + th(BatchStatistics::tr("Std. dev. (n-1)"))
        + th(BatchStatistics::tr("Minimum (record)")) + th(BatchStatistics::tr("Maximum (record)")) + QStringLiteral("</tr>");
    const QString centre = QStringLiteral("align=\"center\"");
    for (const QuantitySummary &q : stats.quantities) {
        html += QStringLiteral("<tr>") + td(esc(q.quantity.label()), centre) + td(q.quantity.format(q.mean), centre)
            + td(q.quantity.format(q.standardDeviation), centre)
            + td(extremeText(model, q, q.minimum, q.minimumRow), centre)
            + td(extremeText(model, q, q.maximum, q.maximumRow), centre) + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString recordTable(const ComparisonRecordModel &model, int kind)
{
    using namespace RecordColumn;
    const RecordView view = recordView(kind);
    const int k = int(view.quantities.size());
    QString html = QStringLiteral("<h3>") + BatchReport::tr("Records") + QStringLiteral("</h3>")
        + QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><thead><tr>");
    const QString two = QStringLiteral("rowspan=\"2\"");
    html += th(pageText("NO"), two) + th(pageText("Test Name"), two) + th(pageText("DateTime"), two);
    if (k > 0) {
        html += th(pageText("Standard"), QStringLiteral("colspan=\"%1\"").arg(k));
        html += th(pageText("Sample"), QStringLiteral("colspan=\"%1\"").arg(k));
    }
    for (int column : view.deltaColumns)
        html += th(QCoreApplication::translate("Colorimeter", deltaName(column)), two);
    html += th(pageText("Pass or not"), two) + QStringLiteral("</tr><tr>");
    for (int group = 0; group < 2; ++group) {
        for (int quantity : view.quantities)
            html += th(quantityName(quantity));
    }
    html += QStringLiteral("</tr></thead>");
    html.reserve(html.size() + model.count() * (120 + 40 * (2 * k + 6)));
    const QString centre = QStringLiteral("align=\"center\"");
    for (const ComparisonRecord &record : model.records()) {
        html += QStringLiteral("<tr>");
        for (int column : {Number, Name, Time})
            html += td(esc(record.text(column)), centre);
        for (int first : {StandardFirst, SampleFirst}) {
            for (int quantity : view.quantities)
                html += td(record.text(first + quantity), centre);
        }
        for (int column : view.deltaColumns)
            html += td(record.text(column), centre);
        const QString colour = record.result() == RecordResult::Ng ? QStringLiteral(" style=\"color: red\"") : QString();
        html += QStringLiteral("<td align=\"center\"%1>%2</td></tr>").arg(colour, esc(record.text(Result)));
    }
    return html + QStringLiteral("</table>");
}

} // namespace

QFont BatchReport::documentFont(qreal pointSize)
{
    QFont font;
    // Latin text in a Latin face first: PDF readers lose some digits drawn in the CJK faces'
    // proportional forms. Chinese falls through to the CJK faces.
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Microsoft Yahei"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSizeF(pointSize);
    return font;
}

std::unique_ptr<QTextDocument> BatchReport::build(const ComparisonRecordModel &model, const BatchReportInputs &inputs)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(documentFont(8));
    document->setMetaInformation(QTextDocument::DocumentTitle,
                                 QStringLiteral("BatchReport_") + inputs.builtAt.toString(QStringLiteral("yyyyMMddhhmmss")));
    const BatchStatistics stats = BatchStatistics::of(model, inputs.resultKind);
    const QString html = QStringLiteral("<html><body>") + header(inputs) + statistics(model, stats)
        + QStringLiteral("<h3>") + tr("Trend") + QStringLiteral("</h3><p>") + QLatin1String(ChartMarker)
        + QStringLiteral("</p>") + recordTable(model, inputs.resultKind) + QStringLiteral("</body></html>");
    document->setHtml(html);

    auto *chart = new ChartObject(TrendChart::of(model, inputs.resultKind, inputs.settings), document.get());
    document->documentLayout()->registerHandler(ChartObjectType, chart);
    QTextCursor marker = document->find(QLatin1String(ChartMarker));
    if (!marker.isNull()) {
        QTextCharFormat format;
        format.setObjectType(ChartObjectType);
        marker.insertText(QString(QChar::ObjectReplacementCharacter), format);
    }
    return document;
}

Outcome BatchReport::write(const ComparisonRecordModel &model, const BatchReportInputs &inputs, const QString &fileName)
{
    const std::unique_ptr<QTextDocument> document = build(model, inputs);
    return writePdf(*document, fileName);
}

Outcome BatchReport::writePdf(QTextDocument &document, const QString &fileName)
{
    const auto failed = [&] {
        return Outcome::failure(tr("Error"), tr("Failed to write the PDF file %1!").arg(fileName));
    };
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Lumivex"));
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setResolution(Dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
        QPainter painter;
        if (!painter.begin(&writer))
            return failed();
        const QRectF page(QPointF(0, 0), writer.pageLayout().paintRectPixels(Dpi).size());
        const QFont footFont = documentFont(8);
        const qreal footHeight = QFontMetricsF(footFont, &writer).height() * 2;
        const QSizeF body(page.width(), page.height() - footHeight);
        document.documentLayout()->setPaintDevice(&writer);
        document.setPageSize(body);
        const int pages = document.pageCount();
        for (int index = 0; index < pages; ++index) {
            if (index > 0)
                writer.newPage();
            const QRectF view(0, index * body.height(), body.width(), body.height());
            painter.save();
            painter.translate(0, -view.top());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            context.palette.setColor(QPalette::Text, Qt::black);
            painter.setClipRect(view);
            document.documentLayout()->draw(&painter, context);
            painter.restore();
            painter.setFont(footFont);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, body.height(), page.width(), footHeight), Qt::AlignCenter,
                             tr("Page %1 of %2").arg(index + 1).arg(pages));
        }
        if (!painter.end())
            return failed();
    }
    if (!file.commit())
        return failed();
    return Outcome::said(tr("PDF file"), tr("The report was saved to %1.").arg(QDir::toNativeSeparators(fileName)));
}

#include "BatchReport.moc"
