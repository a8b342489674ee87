#pragma once

#include <QDialog>

#include <memory>

class ReportPageFor310;

namespace Ui {
class InformationPageFor310;
}

// The report's signature fields; OK hands company, tester and auditor to the report.
// Deletes itself when closed.
class InformationPageFor310 : public QDialog
{
    Q_OBJECT

public:
    explicit InformationPageFor310(ReportPageFor310 *report);
    ~InformationPageFor310() override;

private slots:
    void on_Okbtn_clicked();
    void on_Cancelbtn_clicked();

private:
    std::unique_ptr<Ui::InformationPageFor310> ui;
    ReportPageFor310 *report_;
};
