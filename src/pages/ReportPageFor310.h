#pragma once

#include "ReportDocument.h"

#include <QDialog>

#include <memory>

class QPrinter;
class QTextDocument;

namespace Ui {
class ReportPageFor310;
}

// The test report of one comparison record: shown, printed, signed. Deletes itself when closed.
class ReportPageFor310 : public QDialog
{
    Q_OBJECT

public:
    explicit ReportPageFor310(const ReportInputs &inputs, QWidget *parent = nullptr);
    ~ReportPageFor310() override;

    const ReportInputs &inputs() const { return inputs_; }
    QTextDocument *document() const;

    // Takes new signature fields, rebuilds the report and announces them.
    void setSignatures(const QString &company, const QString &tester, const QString &auditor);
    void printDocument(QPrinter *printer) const;
    // Writes the report as shown to a PDF file; false when it could not be written.
    bool saveAsPdf(const QString &fileName);

signals:
    // The comparison page keeps these for the next report.
    void informationChanged(const QString &company, const QString &tester, const QString &auditor);

protected:
    // Lets the user pick the printer or a PDF file; false prints nothing. Tests replace it.
    virtual bool choosePrinter(QPrinter &printer);

private slots:
    void on_PrintReportbtn_clicked();
    void on_Informationbtn_clicked();
    void on_SavePdfbtn_clicked();

private:
    void refresh();

    std::unique_ptr<Ui::ReportPageFor310> ui;
    ReportInputs inputs_;
};
