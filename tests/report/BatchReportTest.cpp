// SPDX-License-Identifier: Apache-2.0
// The batch report and the single report as PDF files, read back as a person reads them.
#include "BatchReport.h"
#include "FileChooser.h"
#include "ReportPageFor310.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString &path)
{
    // The CJK face draws 页 and the radical ⻚ with one glyph; the reader may give back either.
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
        .replace(QChar(0x2EDA), QChar(0x9875));
}

int pdfPages(const QString &path)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
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

BatchReportInputs inputs()
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

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

TEST(BatchReport, PdfHoldsHeaderStatisticsRecordsAndNumberedPagesInBothLanguages)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    ComparisonRecordModel model;
    fill(model);
    QTemporaryDir dir;
    const struct
    {
        const char *language;
        QStringList expected;
        const char *pageOf;
    } cases[] = {
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
        ASSERT_TRUE(BatchReport::write(model, inputs(), path).succeeded());
        const QString text = pdfText(path);
        for (const QString &expected : c.expected)
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        const int pages = pdfPages(path);
        EXPECT_GE(pages, 2);
        for (int page = 1; page <= pages; ++page)
            EXPECT_TRUE(text.contains(QString::fromUtf8(c.pageOf).arg(page).arg(pages))) << page;
    }
    // Chinese is drawn with a font that has it, embedded.
    EXPECT_TRUE(run(QStringLiteral("pdffonts"), {dir.filePath(QStringLiteral("batch-zh.pdf"))}).contains(QStringLiteral("CJK")));
}

TEST(BatchReport, AFileThatCannotBeWrittenIsReported)
{
    ComparisonRecordModel model;
    fill(model);
    const Outcome outcome = BatchReport::write(model, inputs(), QStringLiteral("/nonexistent-folder/batch.pdf"));
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.text, QStringLiteral("Failed to write the PDF file /nonexistent-folder/batch.pdf!"));
}

TEST(ReportPage, SaveAsPdfWritesTheShownReport)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    QString proposed;
    FileChooser::setAnswer([&](const FileChooser::Request &request) {
        proposed = request.proposed;
        return dir.filePath(QStringLiteral("single")); // the suffix is added
    });
    const auto reset = qScopeGuard([] { FileChooser::setAnswer({}); });
    ReportInputs in;
    in.sampleName = QStringLiteral("样品7");
    in.company = QStringLiteral("Acme Films");
    in.result = QStringLiteral("PASS");
    ReportPageFor310 report(in);
    report.findChild<QPushButton *>(QStringLiteral("SavePdfbtn"))->click();
    EXPECT_TRUE(proposed.startsWith(QStringLiteral("Report_")) && proposed.endsWith(QStringLiteral(".pdf")));
    const QString text = pdfText(dir.filePath(QStringLiteral("single.pdf")));
    for (const char *expected : {"Test Report", "样品7", "Acme Films", "PASS", "Page 1 of 1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

} // namespace
