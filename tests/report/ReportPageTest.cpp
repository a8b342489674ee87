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
#include <QTextBrowser>
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
        : ReportPageFor310(inputs), m_path(std::move(path)), m_accept(accept)
    {
    }
    QString offeredDocName;

protected:
    bool choosePrinter(QPrinter &printer) override
    {
        offeredDocName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_path);
        return m_accept;
    }

private:
    QString m_path;
    bool m_accept;
};

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    pdftotext.waitForFinished(20000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

InformationPageFor310 *openInformation(ReportPageFor310 &report)
{
    report.findChild<QPushButton *>(QStringLiteral("Informationbtn"))->click();
    return report.findChild<InformationPageFor310 *>();
}

QLineEdit *edit(QWidget *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(QString::fromLatin1(name));
}

} // namespace

TEST(ReportPage, IsSevenHundredWideAndAsTallAsTheDesktop)
{
    ReportPageFor310 report(recordInputs());
    EXPECT_EQ(report.windowTitle(), QStringLiteral("Report"));
    EXPECT_EQ(report.width(), 700);
    EXPECT_EQ(report.height(), QGuiApplication::primaryScreen()->availableGeometry().height());
    EXPECT_TRUE(report.document()->toPlainText().contains(QStringLiteral("Comp12")));
}

TEST(ReportPage, PrintsTheRecordToPdfAndNothingWhenCancelled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    PdfReport cancelled(recordInputs(), path, false);
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

TEST(InformationPage, ShowsTheRecordAndOnlySignaturesAreEditable)
{
    ReportPageFor310 report(recordInputs());
    InformationPageFor310 *information = openInformation(report);
    ASSERT_NE(information, nullptr);
    EXPECT_TRUE(information->isVisible());

    struct Field
    {
        const char *name;
        QString text;
        bool editable;
    };
    const Field fields[] = {{"TesterEdit", "Li", true},        {"TestTimeEdit", "2024/03/05  14:30", false},
                            {"AuditorEdit", "Wang", true},     {"DeviceEdit", "TQ310", false},
                            {"serialNoEdit", "310000", false}, {"CompanyEdit", "Acme Films", true},
                            {"SampleNameEdit", "Comp12", false}};
    for (const Field &field : fields) {
        QLineEdit *line = edit(information, field.name);
        ASSERT_NE(line, nullptr) << field.name;
        EXPECT_EQ(line->text(), field.text) << field.name;
        EXPECT_EQ(line->isReadOnly(), !field.editable) << field.name;
    }
}

// Ok rebuilds the report and hands the signatures on; Cancel changes nothing. Either closes the dialog.
TEST(InformationPage, OkTakesTheSignaturesCancelChangesNothing)
{
    for (const bool ok : {true, false}) {
        ReportPageFor310 report(recordInputs());
        const QString before = report.document()->toHtml();
        QSignalSpy changed(&report, &ReportPageFor310::informationChanged);
        QPointer<InformationPageFor310> information = openInformation(report);
        edit(information, "TesterEdit")->setText(QStringLiteral("Zhang San"));
        edit(information, "CompanyEdit")->setText(QStringLiteral("Film Works"));
        edit(information, "AuditorEdit")->setText(QStringLiteral("Zhao"));
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
