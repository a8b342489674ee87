#include "ReportDocument.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

ReportInputs sampleInputs(int resultKind, int deviceType = 0)
{
    ReportInputs in;
    in.sampleName = QStringLiteral("Comp7");
    in.testTime = QStringLiteral("2024/03/05  14:30");
    in.device = QStringLiteral("TQ320");
    in.serialNumber = QStringLiteral("SN-0042");
    in.company = QStringLiteral("Acme Films");
    in.tester = QStringLiteral("Li");
    in.auditor = QStringLiteral("Wang");
    in.standard = {1.234, 90.5, 50.0, 1.0, -2.0, 2.2361, 296.6, 18.42, 0.31271, 0.32902};
    in.sample = {2.5, 89.126, 51.5, 0.25, -1.0, 1.0308, 284.0, 19.987, 0.3101, 0.33};
    in.hazeTolerance = QStringLiteral("±0.50%");
    in.transmittanceTolerance = QStringLiteral("±1.00%");
    in.threshold = QStringLiteral("1.5");
    in.formulaName = QStringLiteral("△E*00");
    in.deltaE = 1.8027756;
    in.result = QStringLiteral("NG");
    in.resultKinds.fill(false);
    in.resultKinds[resultKind] = true;
    in.deviceType = deviceType;
    return in;
}

// Cell contents of every row of the table whose opening tag contains the marker.
QList<QStringList> tableRows(const QString &html, const QString &tableMarker)
{
    const int start = html.indexOf(tableMarker);
    const QString table = html.mid(start, html.indexOf(QStringLiteral("</table>"), start) - start);
    static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cellPattern(QStringLiteral("<td[^>]*>(.*?)</td>"));
    QList<QStringList> rows;
    for (const auto &row : rowPattern.globalMatch(table)) {
        QStringList cells;
        for (const auto &cell : cellPattern.globalMatch(row.captured(1)))
            cells << cell.captured(1);
        rows << cells;
    }
    return rows;
}

QList<QStringList> dataRows(const QString &html)
{
    return tableRows(html, QStringLiteral("border=\"1\""));
}

QList<QStringList> informationRows(const QString &html)
{
    return tableRows(html, QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=0><tr><td width=\"15%\">"));
}

struct KindCase
{
    int kind;
    QList<QStringList> rows; // between the header row and the Result row
};

class ReportDataTable : public ::testing::TestWithParam<KindCase>
{
};

} // namespace

TEST_P(ReportDataTable, ShowsTheKindsQuantitiesWithTheirFormats)
{
    const KindCase &expected = GetParam();
    const QList<QStringList> rows = dataRows(buildReportHtml(sampleInputs(expected.kind)));
    ASSERT_EQ(rows.size(), expected.rows.size() + 2);
    EXPECT_EQ(rows.first(), (QStringList{QString(), "Standard", "Sample", "△"}));
    EXPECT_EQ(rows.mid(1, expected.rows.size()), expected.rows);
    EXPECT_EQ(rows.last(), (QStringList{"Result", QString(), QString(), "NG"}));
}

INSTANTIATE_TEST_SUITE_P(
    EveryResultKind, ReportDataTable,
    ::testing::Values(
        KindCase{0, {{"Haze", "1.23%", "2.50%", "1.27%"}, {"Transparency", "90.50%", "89.13%", "-1.37%"}}},
        KindCase{1, {{"Haze", "1.23%", "2.50%", "1.27%"}}},
        KindCase{2, {{"Transparency", "90.50%", "89.13%", "-1.37%"}}},
        KindCase{3,
                 {{"L*", "50.00", "51.50", "1.50"},
                  {"a*", "1.00", "0.25", "-0.75"},
                  {"b*", "-2.00", "-1.00", "1.00"},
                  {"△E", QString(), QString(), "1.80"}}},
        KindCase{4,
                 {{"L*", "50.00", "51.50", "1.50"},
                  {"C*", "2.24", "1.03", "-1.21"},
                  {"h", "296.6", "284.0", "-12.6"},
                  {"△E", QString(), QString(), "1.80"}}},
        KindCase{5,
                 {{"Y", "18.42", "19.99", "1.57"},
                  {"x", "0.3127", "0.3101", "-0.0026"},
                  {"y", "0.3290", "0.3300", "0.0010"},
                  {"△E", QString(), QString(), "1.80"}}}));

TEST(ReportInformation, RowsFollowTheResultKind)
{
    const auto rows0 = informationRows(buildReportHtml(sampleInputs(0)));
    ASSERT_EQ(rows0.size(), 4);
    EXPECT_EQ(rows0[0], (QStringList{"Device: ", "TQ320<hr/>", QString(), "SN:", "SN-0042<hr/>"}));
    EXPECT_EQ(rows0[1], (QStringList{"Company:", "Acme Films<hr/>", QString(), "Sample Name:", "Comp7<hr/>"}));
    EXPECT_EQ(rows0[2], (QStringList{"Haze Tolerance:", "±0.50%<hr/>", QString(), "Transmittance Tolerance:",
                                     "±1.00%<hr/>"}));
    EXPECT_EQ(rows0[3], (QStringList{"Test Time:", "2024/03/05  14:30<hr/>"}));

    const auto rows2 = informationRows(buildReportHtml(sampleInputs(2)));
    ASSERT_EQ(rows2.size(), 3);
    EXPECT_EQ(rows2[2], (QStringList{"Transmittance Tolerance:", "±1.00%<hr/>", QString(), "Test Time:",
                                     "2024/03/05  14:30<hr/>"}));

    const auto rows5 = informationRows(buildReportHtml(sampleInputs(5)));
    ASSERT_EQ(rows5.size(), 3);
    EXPECT_EQ(rows5[2], (QStringList{"△E Thresholds:", "1.5<hr/>", QString(), "Test Time:", "2024/03/05  14:30<hr/>"}));
}

TEST(ReportInformation, FormulaLineOnlyForDeviceTypeOne)
{
    const QStringList formulaRow{"△E formula:", "△E*00<hr/>", QString()};
    for (int kind : {0, 3, 4, 5}) {
        for (int deviceType : {0, 1, 2}) {
            const auto rows = informationRows(buildReportHtml(sampleInputs(kind, deviceType)));
            EXPECT_EQ(rows.contains(formulaRow), deviceType == 1) << "kind " << kind << " type " << deviceType;
            if (deviceType == 1) {
                EXPECT_EQ(rows.last(), formulaRow);
            }
        }
    }
}

TEST(ReportDocument, HeadTitleSignaturesAndFoot)
{
    const QString html = buildReportHtml(sampleInputs(3), QDateTime(QDate(2024, 3, 5), QTime(14, 30, 9)));
    EXPECT_TRUE(html.startsWith(QStringLiteral(
        "<html><head><meta http-equiv=Content-Type content=\"text/html;charset=gb2312\">"
        "<title>Report_20240305143009</title></head><body>"
        "<p class=\"MsoNormal\" align=\"center\" style=\"text-align: center\">"
        "<span lang=\"EN-US\" style=\"font-size: 25.0pt\">Test Report</span></p><br />")));
    EXPECT_TRUE(html.contains(QStringLiteral("</table><br /><p>Test Data</p><table width=\"100%\" border=\"1\"")));
    EXPECT_TRUE(html.endsWith(QStringLiteral(
        "</table><br /><br /><br /><table width=\"100%\" border=\"0\" cellspacing=0><tr>"
        "<td width=\"10%\"> Tester:</td><td width=\"26%\">Li<hr/></td><td width=\"10%\"></td>"
        "<td width=\"11%\"> Auditor:</td><td width=\"25%\">Wang<hr/></td></tr></table></body></html>")));
}

TEST(ReportDocument, TypedTextsStayTextNotMarkup)
{
    ReportInputs in = sampleInputs(1);
    in.company = QStringLiteral("Films <b>&</b> Co");
    in.tester = QStringLiteral("</table>Mallory");
    QTextDocument document;
    document.setHtml(buildReportHtml(in));
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.contains(in.company));
    EXPECT_TRUE(text.contains(in.tester));
    EXPECT_TRUE(text.contains(QStringLiteral("Wang"))) << "the auditor after the tester must survive";
}
