#include "ReportDocument.h"

#include <QCoreApplication>

#include <vector>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ReportPageFor310)
};

QString colorimeter(const char *text)
{
    return QCoreApplication::translate("Colorimeter", text);
}

// Record texts may hold anything the user typed; they must not turn into markup.
QString plain(const QString &text)
{
    return text.toHtmlEscaped();
}

QString cell(int widthPercent, const QString &content)
{
    return QStringLiteral("<td width=\"%1%\">%2</td>").arg(QString::number(widthPercent), content);
}

QString underlined(const QString &value)
{
    return plain(value) + QStringLiteral("<hr/>");
}

QString row(const QString &cells)
{
    return QStringLiteral("<tr>") + cells + QStringLiteral("</tr>");
}

QString informationRow(const QString &leftLabel, const QString &leftValue, const QString &rightLabel,
                       const QString &rightValue)
{
    return row(cell(15, leftLabel) + cell(33, underlined(leftValue)) + cell(3, QString()) + cell(20, rightLabel)
               + cell(25, underlined(rightValue)))
        + QStringLiteral("<br />");
}

QString testTimeRow(const ReportInputs &in)
{
    return row(cell(20, Text::tr("Test Time:")) + cell(25, underlined(in.testTime))) + QStringLiteral("<br />");
}

QString thresholdLabel()
{
    // One line: the label's column is narrow, and "△E" alone on a line reads as a value.
    QString label = colorimeter("△E ") + Text::tr("Thresholds:");
    return label.replace(u' ', QStringLiteral("&nbsp;"));
}

QString resultKindRows(const ReportInputs &in)
{
    switch (in.resultKind()) {
    case 0:
        return informationRow(Text::tr("Haze Tolerance:"), in.hazeTolerance, Text::tr("Transmittance Tolerance:"),
                              in.transmittanceTolerance)
            + testTimeRow(in);
    case 1:
        return informationRow(Text::tr("Haze Tolerance:"), in.hazeTolerance, Text::tr("Test Time:"), in.testTime);
    case 2:
        return informationRow(Text::tr("Transmittance Tolerance:"), in.transmittanceTolerance, Text::tr("Test Time:"),
                              in.testTime);
    case 3:
    case 4:
    case 5:
        return informationRow(thresholdLabel(), in.threshold, Text::tr("Test Time:"), in.testTime);
    default:
        // No result kind: the report still says when the record was taken.
        return testTimeRow(in);
    }
}

QString informationTable(const ReportInputs &in)
{
    QString html = QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=0>");
    html += informationRow(Text::tr("Device: "), in.device, Text::tr("SN:"), in.serialNumber);
    html += informationRow(Text::tr("Company:"), in.company, Text::tr("Sample Name:"), in.sampleName);
    html += resultKindRows(in);
    if (in.deviceType == 1) {
        html += row(cell(15, colorimeter("△E ") + Text::tr("formula:")) + cell(33, underlined(in.formulaName))
                    + cell(3, QString()))
            + QStringLiteral("<br />");
    }
    return html + QStringLiteral("</table><br />");
}

struct DataRow
{
    const char *name;
    double ReportValues::*value;
    int decimals;
    bool percent;
};

const DataRow hazeRow{QT_TRANSLATE_NOOP("ReportPageFor310", "Haze"), &ReportValues::haze, 2, true};
const DataRow transparencyRow{QT_TRANSLATE_NOOP("ReportPageFor310", "Transparency"), &ReportValues::transmittance, 2,
                              true};
const DataRow lRow{QT_TRANSLATE_NOOP("ReportPageFor310", "L*"), &ReportValues::L, 2, false};
const DataRow aRow{QT_TRANSLATE_NOOP("ReportPageFor310", "a*"), &ReportValues::a, 2, false};
const DataRow bRow{QT_TRANSLATE_NOOP("ReportPageFor310", "b*"), &ReportValues::b, 2, false};
const DataRow cRow{QT_TRANSLATE_NOOP("ReportPageFor310", "C*"), &ReportValues::C, 2, false};
const DataRow hRow{QT_TRANSLATE_NOOP("ReportPageFor310", "h"), &ReportValues::h, 1, false};
const DataRow yRow{QT_TRANSLATE_NOOP("ReportPageFor310", "Y"), &ReportValues::Y, 2, false};
const DataRow xRow{QT_TRANSLATE_NOOP("ReportPageFor310", "x"), &ReportValues::x, 4, false};
const DataRow smallYRow{QT_TRANSLATE_NOOP("ReportPageFor310", "y"), &ReportValues::y, 4, false};

std::vector<DataRow> dataRows(int resultKind)
{
    switch (resultKind) {
    case 0:
        return {hazeRow, transparencyRow};
    case 1:
        return {hazeRow};
    case 2:
        return {transparencyRow};
    case 3:
        return {lRow, aRow, bRow};
    case 4:
        return {lRow, cRow, hRow};
    case 5:
        return {yRow, xRow, smallYRow};
    default:
        return {};
    }
}

QString dataCell(const QString &content)
{
    return QStringLiteral("<td width=\"21%\" align=\"center\">") + content + QStringLiteral("</td>");
}

QString dataRow(const QString &name, const QString &standard, const QString &sample, const QString &difference)
{
    return row(dataCell(name) + dataCell(standard) + dataCell(sample) + dataCell(difference));
}

QString formatted(const DataRow &quantity, double value)
{
    return QString::number(value, 'f', quantity.decimals) + (quantity.percent ? QStringLiteral("%") : QString());
}

QString dataTable(const ReportInputs &in)
{
    QString html = QStringLiteral("<p>") + Text::tr("Test Data") + QStringLiteral("</p>")
        + QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=0>");
    html += dataRow(QString(), Text::tr("Standard"), Text::tr("Sample"), colorimeter("△"));
    const int kind = in.resultKind();
    for (const DataRow &quantity : dataRows(kind)) {
        const double standard = in.standard.*quantity.value;
        const double sample = in.sample.*quantity.value;
        html += dataRow(Text::tr(quantity.name), formatted(quantity, standard), formatted(quantity, sample),
                        formatted(quantity, sample - standard));
    }
    if (kind >= 3)
        html += dataRow(colorimeter("△E"), QString(), QString(), QString::number(in.deltaE, 'f', 2));
    html += dataRow(Text::tr("Result"), QString(), QString(), plain(in.result));
    return html + QStringLiteral("</table><br /><br /><br />");
}

QString signatureTable(const ReportInputs &in)
{
    return QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=0>")
        + row(cell(10, Text::tr(" Tester:")) + cell(26, underlined(in.tester)) + cell(10, QString())
              + cell(11, Text::tr(" Auditor:")) + cell(25, underlined(in.auditor)))
        + QStringLiteral("</table>");
}

} // namespace

int ReportInputs::resultKind() const
{
    for (int kind = 0; kind < int(resultKinds.size()); ++kind) {
        if (resultKinds[kind])
            return kind;
    }
    return -1;
}

QString buildReportHtml(const ReportInputs &inputs, const QDateTime &builtAt)
{
    return QStringLiteral("<html><head><meta http-equiv=Content-Type content=\"text/html;charset=gb2312\"><title>")
        + QStringLiteral("Report_") + builtAt.toString(QStringLiteral("yyyyMMddhhmmss"))
        + QStringLiteral("</title></head><body>")
        + QStringLiteral("<p class=\"MsoNormal\" align=\"center\" style=\"text-align: center\">"
                         "<span lang=\"EN-US\" style=\"font-size: 25.0pt\">")
        + Text::tr("Test Report") + QStringLiteral("</span></p><br />") + informationTable(inputs)
        + dataTable(inputs) + signatureTable(inputs) + QStringLiteral("</body></html>");
}
