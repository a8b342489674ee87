// The report document, its dialog and printing, the signature dialog, their translations.
#include "BatchReport.h"
#include "InformationPageFor310.h"
#include "ReportPageFor310.h"
#include "TrendChart.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

ReportInputs sampleInputs(int resultKind = 0, int deviceType = 0)
{
    ReportInputs in{.sampleName = "Comp7", .testTime = "2024/03/05  14:30", .device = "TQ320", .serialNumber = "SN-0042",
                    .company = "Acme Films", .tester = "Li", .auditor = "Wang",
                    .standard = {1.234, 90.5, 50.0, 1.0, -2.0, 2.2361, 296.6, 18.42, 0.31271, 0.32902},
                    .sample = {2.5, 89.126, 51.5, 0.25, -1.0, 1.0308, 284.0, 19.987, 0.3101, 0.33},
                    .hazeTolerance = "±0.50%", .transmittanceTolerance = "±1.00%", .threshold = "1.5",
                    .formulaName = "△E*00", .deltaE = 1.8027756, .result = "NG", .resultKinds = {}, .deviceType = deviceType};
    if (resultKind >= 0)
        in.resultKinds[resultKind] = true;
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

struct KindCase { int kind; QList<QStringList> rows; }; // between the header row and the Result row
using ReportDataTable = ::testing::TestWithParam<KindCase>;

TEST_P(ReportDataTable, ShowsTheKindsQuantitiesWithTheirFormats)
{
    const KindCase &expected = GetParam();
    const QList<QStringList> rows = tableRows(buildReportHtml(sampleInputs(expected.kind)), "border=\"1\"");
    ASSERT_EQ(rows.size(), expected.rows.size() + 2);
    EXPECT_EQ(rows.first(), (QStringList{QString(), "Standard", "Sample", "△"}));
    EXPECT_EQ(rows.mid(1, expected.rows.size()), expected.rows);
    EXPECT_EQ(rows.last(), (QStringList{"Result", QString(), QString(), "NG"}));
}

const QStringList deltaERow{"△E", QString(), QString(), "1.80"};
INSTANTIATE_TEST_SUITE_P(EveryResultKind, ReportDataTable, ::testing::Values(
    KindCase{0, {{"Haze", "1.23%", "2.50%", "1.27%"}, {"Transparency", "90.50%", "89.13%", "-1.37%"}}},
    KindCase{1, {{"Haze", "1.23%", "2.50%", "1.27%"}}}, KindCase{2, {{"Transparency", "90.50%", "89.13%", "-1.37%"}}},
    KindCase{3, {{"L*", "50.00", "51.50", "1.50"}, {"a*", "1.00", "0.25", "-0.75"}, {"b*", "-2.00", "-1.00", "1.00"},
                 deltaERow}},
    KindCase{4, {{"L*", "50.00", "51.50", "1.50"}, {"C*", "2.24", "1.03", "-1.21"}, {"h", "296.6", "284.0", "-12.6"},
                 deltaERow}},
    KindCase{5, {{"Y", "18.42", "19.99", "1.57"}, {"x", "0.3127", "0.3101", "-0.0026"},
                 {"y", "0.3290", "0.3300", "0.0010"}, deltaERow}}));

// The information rows under device and company follow the result kind; type 1 adds its formula.
struct InformationCase { int kind, deviceType; QList<QStringList> rows; };
using ReportInformation = ::testing::TestWithParam<InformationCase>;

TEST_P(ReportInformation, RowsFollowTheResultKindAndDeviceType)
{
    const InformationCase &c = GetParam();
    const QList<QStringList> rows = tableRows(buildReportHtml(sampleInputs(c.kind, c.deviceType)),
                                              "<table width=\"100%\" border=\"0\" cellspacing=0><tr><td width=\"15%\">");
    ASSERT_EQ(rows.size(), c.rows.size() + 2);
    EXPECT_EQ(rows[0], (QStringList{"Device: ", "TQ320<hr/>", QString(), "SN:", "SN-0042<hr/>"}));
    EXPECT_EQ(rows[1], (QStringList{"Company:", "Acme Films<hr/>", QString(), "Sample Name:", "Comp7<hr/>"}));
    EXPECT_EQ(rows.mid(2), c.rows);
}

const QStringList timeRow{"Test Time:", "2024/03/05  14:30<hr/>"}, formulaRow{"△E formula:", "△E*00<hr/>", QString()};
const QStringList thresholdRow = QStringList{"△E&nbsp;Thresholds:", "1.5<hr/>", QString()} + timeRow;
const QStringList hazeAndT{"Haze Tolerance:", "±0.50%<hr/>", QString(), "Transmittance Tolerance:", "±1.00%<hr/>"};
INSTANTIATE_TEST_SUITE_P(Kinds, ReportInformation, ::testing::Values(
    InformationCase{0, 0, {hazeAndT, timeRow}}, InformationCase{0, 1, {hazeAndT, timeRow, formulaRow}},
    InformationCase{1, 2, {QStringList{"Haze Tolerance:", "±0.50%<hr/>", QString()} + timeRow}},
    InformationCase{2, 0, {QStringList{"Transmittance Tolerance:", "±1.00%<hr/>", QString()} + timeRow}},
    InformationCase{3, 1, {thresholdRow, formulaRow}}, InformationCase{4, 2, {thresholdRow}},
    InformationCase{5, 0, {thresholdRow}}, InformationCase{-1, 0, {timeRow}}));

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
    EXPECT_TRUE(text.contains(in.company) && text.contains(in.tester));
    EXPECT_TRUE(text.contains(QStringLiteral("Wang"))) << "the auditor after the tester must survive";
}

// Prints to a PDF file instead of asking; "accept" plays the user's answer to the print dialog.
struct PdfReport : ReportPageFor310
{
    PdfReport(QString path, bool accept) : ReportPageFor310(sampleInputs()), path(std::move(path)), accept(accept) {}
    bool choosePrinter(QPrinter &printer) override
    {
        offeredDocName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return accept;
    }
    QString path, offeredDocName;
    bool accept;
};

TEST(ReportPage, PrintsTheRecordToPdfAndNothingWhenCancelled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    PdfReport cancelled(path, false);
    // Seven hundred wide and as tall as the desktop.
    EXPECT_EQ(cancelled.windowTitle(), QStringLiteral("Report"));
    EXPECT_EQ(cancelled.size(), QSize(700, QGuiApplication::primaryScreen()->availableGeometry().height()));
    cancelled.findChild<QPushButton *>(QStringLiteral("PrintReportbtn"))->click();
    EXPECT_FALSE(QFile::exists(path));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    PdfReport report(path, true);
    report.findChild<QPushButton *>(QStringLiteral("PrintReportbtn"))->click();
    EXPECT_TRUE(report.offeredDocName.startsWith(QStringLiteral("Report_")));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    pdftotext.waitForFinished(20000);
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char *expected : {"Test Report", "Comp7", "SN-0042", "Acme Films", "1.23%", "2.50%", "1.27%", "89.13%",
                                 "-1.37%", "NG", "Wang"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

// The dialog shows the record with only the signatures editable. Ok rebuilds the report and hands
// the signatures on; Cancel changes nothing. Either closes the dialog.
TEST(InformationPage, OkTakesTheSignaturesCancelChangesNothing)
{
    for (const bool ok : {true, false}) {
        ReportPageFor310 report(sampleInputs());
        const QString before = report.document()->toHtml();
        QSignalSpy changed(&report, &ReportPageFor310::informationChanged);
        report.findChild<QPushButton *>(QStringLiteral("Informationbtn"))->click();
        QPointer<InformationPageFor310> information = report.findChild<InformationPageFor310 *>();
        ASSERT_TRUE(information && information->isVisible());
        const std::tuple<const char *, const char *, const char *> fields[] = {
            {"TesterEdit", "Li", "Zhang San"},    {"TestTimeEdit", "2024/03/05  14:30", nullptr},
            {"AuditorEdit", "Wang", "Zhao"},      {"DeviceEdit", "TQ320", nullptr},
            {"serialNoEdit", "SN-0042", nullptr}, {"CompanyEdit", "Acme Films", "Film Works"},
            {"SampleNameEdit", "Comp7", nullptr}};
        for (const auto &[name, shown, typed] : fields) {
            auto *line = information->findChild<QLineEdit *>(QString::fromLatin1(name));
            ASSERT_NE(line, nullptr) << name;
            EXPECT_EQ(line->text(), QString::fromLatin1(shown)) << name;
            EXPECT_EQ(line->isReadOnly(), !typed) << name;
            if (typed)
                line->setText(QString::fromLatin1(typed));
        }
        information->findChild<QPushButton *>(QString::fromLatin1(ok ? "Okbtn" : "Cancelbtn"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(information.isNull()) << "the dialog closes and goes away";
        if (!ok) {
            EXPECT_EQ(changed.size(), 0);
            EXPECT_EQ(report.document()->toHtml(), before);
            continue;
        }
        ASSERT_EQ(changed.size(), 1);
        EXPECT_EQ(changed.first(), (QVariantList{"Film Works", "Zhang San", "Zhao"}));
        const QString text = report.document()->toPlainText();
        EXPECT_TRUE(text.contains(QStringLiteral("Zhang San")) && text.contains(QStringLiteral("Film Works")));
        EXPECT_FALSE(text.contains(QStringLiteral("Acme Films")));
        EXPECT_EQ(report.inputs().auditor, QStringLiteral("Zhao"));
    }
}

// Remembers every text the code asks to translate, and translates none.
class RecordingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        asked.insert({QString::fromUtf8(context), QString::fromUtf8(source)});
        return {};
    }
    bool isEmpty() const override { return false; }
    mutable QSet<QPair<QString, QString>> asked; // context, source
};

// Messages of a .ts file that carry a finished, non-empty translation.
QSet<QPair<QString, QString>> translatedMessages(const QString &fileName)
{
    QFile file(QStringLiteral(LUMIVEX_SOURCE_DIR "/translations/") + fileName);
    EXPECT_TRUE(file.open(QFile::ReadOnly)) << fileName.toStdString();
    QSet<QPair<QString, QString>> messages;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const bool unfinished = xml.attributes().value(QStringLiteral("type")) == u"unfinished";
            if (!xml.readElementText().isEmpty() && !unfinished)
                messages.insert({context, source});
        }
    }
    return messages;
}

TEST(ReportTranslations, EveryReportTextHasItsChineseAndEnglishEntry)
{
    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);
    for (int deviceType : {0, 1}) {
        for (int kind = 0; kind < 6; ++kind)
            buildReportHtml(sampleInputs(kind, deviceType));
    }
    {
        ReportPageFor310 report(sampleInputs());
        InformationPageFor310 information(&report);
    }
    ComparisonRecordModel records;
    records.append(ComparisonRecord::fromFields({}));
    for (int kind = 0; kind < 6; ++kind) {
        BatchReportInputs batch;
        batch.resultKind = kind;
        batch.formulaName = QStringLiteral("△E*00");
        BatchReport::write(records, batch, QStringLiteral("/nonexistent-folder/x.pdf"));
        QImage image(400, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        TrendChart::of(records, kind, batch.settings).paint(painter, image.rect());
    }
    QCoreApplication::removeTranslator(&recorder);
    const auto chinese = translatedMessages(QStringLiteral("Lumivex_zh.ts"));
    const auto english = translatedMessages(QStringLiteral("Lumivex_en.ts"));
    int checked = 0;
    for (const auto &message : recorder.asked) {
        if (!QStringList{"ReportPageFor310", "InformationPageFor310", "Colorimeter", "BatchReport", "BatchStatistics", "TrendChart"}.contains(message.first))
            continue;
        ++checked;
        const std::string where = (message.first + u' ' + message.second).toStdString();
        EXPECT_TRUE(chinese.contains(message)) << "no Chinese for " << where;
        EXPECT_TRUE(english.contains(message)) << "no English for " << where;
    }
    EXPECT_GT(checked, 30);
}

} // namespace
