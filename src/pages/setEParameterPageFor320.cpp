#include "setEParameterPageFor320.h"
#include "ui_setEParameterPageFor320.h"

#include "ColourDifference.h"
#include "ComparisonSession.h"
#include "MeasurementValues.h"

#include <QButtonGroup>
#include <QMessageBox>

setEParameterPageFor320::setEParameterPageFor320(ComparisonSession &session, int formula, double threshold,
                                                 QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::setEParameterPageFor320>()), session_(session)
{
    ui->setupUi(this);
    formulas_ = new QButtonGroup(this);
    const QList<QAbstractButton *> buttons{ui->formulaBtn_0, ui->formulaBtn_1, ui->formulaBtn_2,
                                           ui->formulaBtn_3, ui->formulaBtn_4, ui->formulaBtn_5};
    for (int id = 0; id < buttons.size(); ++id) {
        buttons[id]->setText(QCoreApplication::translate("Colorimeter", formulaName(id).toUtf8().constData()));
        formulas_->addButton(buttons[id], id);
    }
    formulas_->setExclusive(true);
    buttons[formula >= 0 && formula < buttons.size() ? formula : 0]->setChecked(true);
    ui->ThresholdsEdit->setText(formatThreshold(threshold));
}

setEParameterPageFor320::~setEParameterPageFor320() = default;

void setEParameterPageFor320::on_Okbtn_clicked()
{
    const Outcome outcome = session_.writeDeltaEParameter(formulas_->checkedId(), ui->ThresholdsEdit->text());
    if (outcome.succeeded()) {
        accept();
        return;
    }
    QMessageBox::information(this, outcome.title, outcome.text);
}

void setEParameterPageFor320::on_Cancelbtn_clicked()
{
    reject();
}
