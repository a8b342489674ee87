#include "InformationPageFor310.h"
#include "ui_InformationPageFor310.h"

#include "ReportPageFor310.h"

InformationPageFor310::InformationPageFor310(ReportPageFor310 *report)
    : QDialog(report)
    , ui(std::make_unique<Ui::InformationPageFor310>())
    , report_(report)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    const ReportInputs &inputs = report->inputs();
    ui->TesterEdit->setText(inputs.tester);
    ui->TestTimeEdit->setText(inputs.testTime);
    ui->AuditorEdit->setText(inputs.auditor);
    ui->DeviceEdit->setText(inputs.device);
    ui->serialNoEdit->setText(inputs.serialNumber);
    ui->CompanyEdit->setText(inputs.company);
    ui->SampleNameEdit->setText(inputs.sampleName);
}

InformationPageFor310::~InformationPageFor310() = default;

void InformationPageFor310::on_Okbtn_clicked()
{
    report_->setSignatures(ui->CompanyEdit->text(), ui->TesterEdit->text(), ui->AuditorEdit->text());
    close();
}

void InformationPageFor310::on_Cancelbtn_clicked()
{
    close();
}
