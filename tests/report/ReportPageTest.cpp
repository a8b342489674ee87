#include "InformationPageFor310.h"
#include "ReportPageFor310.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

ReportInputs recordInputs()
{
    ReportInputs in;
    in.sampleName = QStringLiteral("Comp12");
    in.testTime = QStringLiteral("2024/03/05  14:30");
    in.device = QStringLiteral("TQ310");
    in.serialNumber = QStringLiteral("310000");
    in.company = QStringLiteral("Acme Films");
    in.tester = QStringLiteral("Li");
    in.auditor = QStringLiteral("Wang");
    in.standard.haze = 12.34;
    in.standard.transmittance = 88.8;
    in.sample.haze = 13.1;
    in.sample.transmittance = 87.65;
    in.hazeTolerance = QStringLiteral("±1.00%");
    in.transmittanceTolerance = QStringLiteral("±2.00%");
    in.result = QStringLiteral("PASS");
    return in;
}

// Prints to a PDF file instead of asking; "accept" plays the user's answer to the print dialog.
class PdfReport : public ReportPageFor310
{
public:
    PdfReport(const ReportInputs &inputs, QString path, bool accept)
        : ReportPageFor310(inputs), path_(std::move(path)), accept_(accept)
    {
    }
    QString offeredDocName;

protected:
    bool choosePrinter(QPrinter &printer) override
    {
        offeredDocName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
        return accept_;
    }

private:
    QString path_;
    bool accept_;
};

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    pdftotext.waitForFinished(20000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

TEST(ReportPage, PrintsTheRecordToPdfAndNothingWhenCancelled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    PdfReport cancelled(recordInputs(), path, false);
    // Seven hundred wide and as tall as the desktop.
    EXPECT_EQ(cancelled.windowTitle(), QStringLiteral("Report"));
    EXPECT_EQ(cancelled.size(), QSize(700, QGuiApplication::primaryScreen()->availableGeometry().height()));
    cancelled.findChild<QPushButton *>(QStringLiteral("PrintReportbtn"))->click();
    EXPECT_FALSE(QFile::exists(path));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    PdfReport report(recordInputs(), path, true);
    report.findChild<QPushButton *>(QStringLiteral("PrintReportbtn"))->click();

    EXPECT_TRUE(report.offeredDocName.startsWith(QStringLiteral("Report_")));
    const QString text = pdfText(path);
    for (const char *expected : {"Test Report", "Comp12", "310000", "Acme Films", "12.34%", "13.10%", "0.76%",
                                 "87.65%", "-1.15%", "PASS", "Wang"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

// The dialog shows the record with only the signatures editable. Ok rebuilds the report and hands
// the signatures on; Cancel changes nothing. Either closes the dialog.
TEST(InformationPage, OkTakesTheSignaturesCancelChangesNothing)
{
    for (const bool ok : {true, false}) {
        ReportPageFor310 report(recordInputs());
        const QString before = report.document()->toHtml();
        QSignalSpy changed(&report, &ReportPageFor310::informationChanged);
        report.findChild<QPushButton *>(QStringLiteral("Informationbtn"))->click();
        QPointer<InformationPageFor310> information = report.findChild<InformationPageFor310 *>();
        ASSERT_TRUE(information && information->isVisible());
        const std::tuple<const char *, const char *, const char *> fields[] = {
            {"TesterEdit", "Li", "Zhang San"},      {"TestTimeEdit", "2024/03/05  14:30", nullptr},
            {"AuditorEdit", "Wang", "Zhao"},        {"DeviceEdit", "TQ310", nullptr},
            {"serialNoEdit", "310000", nullptr},    {"CompanyEdit", "Acme Films", "Film Works"},
            {"SampleNameEdit", "Comp12", nullptr}};
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
            EXPECT_EQ(report.inputs().tester, QStringLiteral("Li"));
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
