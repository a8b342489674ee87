// The report document, its dialog, printing and PDF files read back as a person reads them, the
// signature dialog, the batch report, their translations.
#include "BatchReport.h"
#include "FileChooser.h"
#include "InformationPageFor310.h"
#include "ModalCatcher.h"
#include "ProcessRun.h"
#include "ReportPageFor310.h"
#include "TrendChart.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
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

// Per result kind: the data table's quantities with their formats (between the header row and the
// Result row), and the information rows under device and company; device type 1 adds its formula.
struct KindCase { int kind, deviceType; QList<QStringList> information, data; };
using ReportKinds = ::testing::TestWithParam<KindCase>;

TEST_P(ReportKinds, TablesFollowTheResultKindAndDeviceType)
{
    const KindCase &c = GetParam();
    const QString html = buildReportHtml(sampleInputs(c.kind, c.deviceType));
    const QList<QStringList> information =
        tableRows(html, "<table width=\"100%\" border=\"0\" cellspacing=0><tr><td width=\"15%\">");
    ASSERT_EQ(information.size(), c.information.size() + 2);
    EXPECT_EQ(information[0], (QStringList{"Device: ", "TQ320<hr/>", QString(), "SN:", "SN-0042<hr/>"}));
    EXPECT_EQ(information[1], (QStringList{"Company:", "Acme Films<hr/>", QString(), "Sample Name:", "Comp7<hr/>"}));
    EXPECT_EQ(information.mid(2), c.information);
    const QList<QStringList> data = tableRows(html, "border=\"1\"");
    ASSERT_EQ(data.size(), c.data.size() + 2);
    EXPECT_EQ(data.first(), (QStringList{QString(), "Standard", "Sample", "△"}));
    EXPECT_EQ(data.mid(1, c.data.size()), c.data);
    EXPECT_EQ(data.last(), (QStringList{"Result", QString(), QString(), "NG"}));
}

const QStringList timeRow{"Test Time:", "2024/03/05  14:30<hr/>"}, formulaRow{"△E formula:", "△E*00<hr/>", QString()};
const QStringList thresholdRow = QStringList{"△E&nbsp;Thresholds:", "1.5<hr/>", QString()} + timeRow;
const QStringList hazeAndT{"Haze Tolerance:", "±0.50%<hr/>", QString(), "Transmittance Tolerance:", "±1.00%<hr/>"};
const QStringList haze{"Haze", "1.23%", "2.50%", "1.27%"}, transparency{"Transparency", "90.50%", "89.13%", "-1.37%"};
const QStringList lightness{"L*", "50.00", "51.50", "1.50"}, deltaE{"△E", QString(), QString(), "1.80"};
INSTANTIATE_TEST_SUITE_P(Kinds, ReportKinds, ::testing::Values(
    KindCase{0, 0, {hazeAndT, timeRow}, {haze, transparency}},
    KindCase{0, 1, {hazeAndT, timeRow, formulaRow}, {haze, transparency}},
    KindCase{1, 2, {QStringList{"Haze Tolerance:", "±0.50%<hr/>", QString()} + timeRow}, {haze}},
    KindCase{2, 0, {QStringList{"Transmittance Tolerance:", "±1.00%<hr/>", QString()} + timeRow}, {transparency}},
    KindCase{3, 1, {thresholdRow, formulaRow},
             {lightness, {"a*", "1.00", "0.25", "-0.75"}, {"b*", "-2.00", "-1.00", "1.00"}, deltaE}},
    KindCase{4, 2, {thresholdRow}, {lightness, {"C*", "2.24", "1.03", "-1.21"}, {"h", "296.6", "284.0", "-12.6"}, deltaE}},
    KindCase{5, 0, {thresholdRow},
             {{"Y", "18.42", "19.99", "1.57"}, {"x", "0.3127", "0.3101", "-0.0026"}, {"y", "0.3290", "0.3300", "0.0010"}, deltaE}},
    KindCase{-1, 0, {timeRow}, {}}));

TEST(ReportDocument, TitleHeadingSignaturesAtTheFootAndTypedTextsAsText)
{
    // The title, when the report was made, names the printed document and the saved file; typed
    // texts stay text, markup in them does not swallow what follows.
    ReportInputs in = sampleInputs(3);
    in.company = QStringLiteral("Films <b>&</b> Co");
    in.tester = QStringLiteral("</table>Mallory");
    QTextDocument document;
    document.setHtml(buildReportHtml(in, QDateTime(QDate(2024, 3, 5), QTime(14, 30, 9))));
    EXPECT_EQ(document.metaInformation(QTextDocument::DocumentTitle), QStringLiteral("Report_20240305143009"));
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Test Report\n")) && text.contains(QStringLiteral("Test Data\n"))
                && text.contains(in.company)) << text.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("NG\\s+Tester:\\s+</table>Mallory\\s+Auditor:\\s+Wang\\s*$")).match(text).hasMatch())
        << text.toStdString();
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
        const Outcome failed = BatchReport::write(records, batch, QStringLiteral("/nonexistent-folder/x.pdf"));
        EXPECT_TRUE(failed.failed && failed.text == "Failed to write the PDF file /nonexistent-folder/x.pdf!") << failed.text.toStdString();
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

QString pdfText(const QString &path)
{
    // The CJK face draws 页 and the radical ⻚ with one glyph; the reader may give back either.
    return runProcess(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
        .out.replace(QChar(0x2EDA), QChar(0x9875));
}

bool havePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

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

TEST(ReportPage, PrintsAndSavesTheRecordAsPdfAndNothingWhenCancelled)
{
    QTemporaryDir dir;
    const QString printed = dir.filePath(QStringLiteral("printed.pdf")), saved = dir.filePath(QStringLiteral("saved.pdf"));
    PdfReport cancelled(printed, false);
    // Seven hundred wide and as tall as the desktop.
    EXPECT_EQ(cancelled.windowTitle(), QStringLiteral("Report"));
    EXPECT_EQ(cancelled.size(), QSize(700, QGuiApplication::primaryScreen()->availableGeometry().height()));
    cancelled.findChild<QPushButton *>(QStringLiteral("PrintReportbtn"))->click();
    EXPECT_FALSE(QFile::exists(printed));
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    PdfReport report(printed, true);
    report.findChild<QPushButton *>(QStringLiteral("PrintReportbtn"))->click();
    EXPECT_TRUE(report.offeredDocName.startsWith(QStringLiteral("Report_")));
    QString proposed;
    FileChooser::setAnswer([&](const FileChooser::Request &request) {
        proposed = request.proposed;
        return saved.chopped(4); // the suffix is added
    });
    const auto reset = qScopeGuard([] { FileChooser::setAnswer({}); });
    ModalCatcher catcher;
    report.findChild<QPushButton *>(QStringLiteral("SavePdfbtn"))->click();
    EXPECT_EQ(catcher.texts(), QStringList{"The report was saved to " + saved + "."});
    EXPECT_TRUE(proposed.startsWith(QStringLiteral("Report_")) && proposed.endsWith(QStringLiteral(".pdf")));
    for (const QString &path : {printed, saved}) {
        const QString text = pdfText(path);
        for (const char *expected : {"Test Report", "Comp7", "SN-0042", "Acme Films", "1.23%", "2.50%", "1.27%", "89.13%",
                                     "-1.37%", "NG", "Wang"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    EXPECT_TRUE(pdfText(saved).contains(QStringLiteral("Page 1 of 1")));
}

// Seventy judged L*a*b* records: ΔE 0.10, 0.20, ... 7.00; every tenth one NG.
void fill(ComparisonRecordModel &model)
{
    for (int k = 1; k <= 70; ++k) {
        RecordFields f;
        f.number = k;
        f.name = QStringLiteral("样品%1").arg(k);
        f.time = QStringLiteral("2026/12/07  10:00");
        f.standard.values = {10, 88, 50, 1, -2, 50, 3, 120, 18, 0.31, 0.33};
        f.sample = f.standard;
        f.deltaE = 0.1 * k;
        f.result = k % 10 == 0 ? RecordResult::Ng : RecordResult::Pass;
        model.append(ComparisonRecord::fromFields(f));
    }
}

BatchReportInputs batchInputs()
{
    BatchReportInputs in;
    in.company = QStringLiteral("Acme Films");
    in.tester = QStringLiteral("Li Lei");
    in.auditor = QStringLiteral("Wang Fang");
    in.device = QStringLiteral("TQ320");
    in.serialNumber = QStringLiteral("23200118");
    in.resultKind = ResultLab;
    in.settings.workingThreshold = 6.5;
    return in;
}

TEST(BatchReport, PdfHoldsHeaderStatisticsRecordsAndNumberedPagesInBothLanguages)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    ComparisonRecordModel model;
    fill(model);
    QTemporaryDir dir;
    const struct { const char *language; QStringList expected; const char *pageOf; } cases[] = {
        {nullptr,
         {"Batch Report", "Acme Films", "Li Lei", "Wang Fang", "TQ320", "23200118", "Records: 70", "PASS: 63", "NG: 7",
          "Pass rate: 90.0%", "3.55", "2.04", "0.10 (样品1)", "7.00 (样品70)", "样品42", "Pass or not"},
         "Page %1 of %2"},
        {"Lumivex_zh.qm", {"批量测试报告", "记录数：70", "合格率：90.0%", "标准差", "样品42", "不合格"}, "第%1页，共%2页"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pageOf);
        QTranslator translator;
        if (c.language) {
            ASSERT_TRUE(translator.load(QStringLiteral(LUMIVEX_BINARY_DIR "/") + QLatin1String(c.language)));
            QCoreApplication::installTranslator(&translator);
        }
        const auto untranslate = qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });
        const QString path = dir.filePath(QStringLiteral("batch-%1.pdf").arg(c.language ? "zh" : "en"));
        ASSERT_TRUE(BatchReport::write(model, batchInputs(), path).succeeded());
        const QString text = pdfText(path);
        for (const QString &expected : c.expected)
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        const int pages = int(text.count(u'\f')); // pdftotext ends every page with a form feed
        EXPECT_GE(pages, 2);
        for (int page = 1; page <= pages; ++page)
            EXPECT_TRUE(text.contains(QString::fromUtf8(c.pageOf).arg(page).arg(pages))) << page;
    }
    // Chinese is drawn with a font that has it, embedded.
    EXPECT_TRUE(runProcess(QStringLiteral("pdffonts"), {dir.filePath(QStringLiteral("batch-zh.pdf"))}).out.contains(QStringLiteral("CJK")));
}

} // namespace
