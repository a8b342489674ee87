#include "ReportPageFor310.h"
#include "ui_ReportPageFor310.h"

#include "BatchReport.h"
#include "FileChooser.h"
#include "InformationPageFor310.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>

ReportPageFor310::ReportPageFor310(const ReportInputs &inputs, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ReportPageFor310>())
    , inputs_(inputs)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(700, screen->availableGeometry().height());
    refresh();
}

ReportPageFor310::~ReportPageFor310() = default;

QTextDocument *ReportPageFor310::document() const
{
    return ui->textBrowser->document();
}

void ReportPageFor310::setSignatures(const QString &company, const QString &tester, const QString &auditor)
{
    inputs_.company = company;
    inputs_.tester = tester;
    inputs_.auditor = auditor;
    refresh();
    emit informationChanged(company, tester, auditor);
}

void ReportPageFor310::printDocument(QPrinter *printer) const
{
    document()->print(printer);
}

bool ReportPageFor310::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
}

void ReportPageFor310::on_PrintReportbtn_clicked()
{
    QPrinter printer(QPrinter::ScreenResolution);
    // The print dialog names its "Print to File (PDF)" file after the document.
    printer.setDocName(document()->metaInformation(QTextDocument::DocumentTitle));
    if (choosePrinter(printer))
        printDocument(&printer);
}

bool ReportPageFor310::saveAsPdf(const QString &fileName)
{
    // A copy: laying the document out for pages must not disturb the browser showing it.
    const std::unique_ptr<QTextDocument> copy(document()->clone());
    copy->setDefaultFont(BatchReport::documentFont(10));
    const Outcome outcome = BatchReport::writePdf(*copy, fileName);
    if (outcome.hasMessage())
        QMessageBox::information(this, outcome.title, outcome.text);
    return outcome.succeeded();
}

void ReportPageFor310::on_SavePdfbtn_clicked()
{
    QString fileName = FileChooser::saveFileName(
        this, tr("Save as PDF"), document()->metaInformation(QTextDocument::DocumentTitle) + QStringLiteral(".pdf"),
        tr("PDF file (*.pdf)"));
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    saveAsPdf(fileName);
}

void ReportPageFor310::on_Informationbtn_clicked()
{
    auto *information = new InformationPageFor310(this);
    information->show();
    information->raise();
    information->activateWindow();
}

void ReportPageFor310::refresh()
{
    ui->textBrowser->clear();
    ui->textBrowser->setHtml(buildReportHtml(inputs_));
}
