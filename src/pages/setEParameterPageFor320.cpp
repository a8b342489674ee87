#include "setEParameterPageFor320.h"
#include "ui_setEParameterPageFor320.h"

#include "ColourDifference.h"
#include "DeviceCommands.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MeasurementValues.h"

#include <QButtonGroup>
#include <QMessageBox>
#include <cmath>

namespace {

constexpr float MinThreshold = 0.1f;
constexpr float MaxThreshold = 50.0f;
constexpr int ThresholdScale = 10;

} // namespace

setEParameterPageFor320::setEParameterPageFor320(LinkPort *port, bool chinese, int formula, double threshold,
                                                 QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::setEParameterPageFor320>()), port_(port), chinese_(chinese)
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

bool setEParameterPageFor320::writeDeltaEParameter(QWidget *parent, LinkPort *port, bool chinese, int formula,
                                                   const QString &thresholdText)
{
    bool ok = false;
    const float threshold = thresholdText.trimmed().toFloat(&ok);
    // Empty or non-numeric text is out of range too; nothing is sent for it.
    if (!ok || !std::isfinite(threshold) || threshold < MinThreshold || threshold > MaxThreshold) {
        if (chinese)
            QMessageBox::information(parent, tr("提示"), tr("阀值必须介于0.1-50之间！"));
        else
            QMessageBox::information(parent, tr("information"), tr("Thresholds must between 0.1—50!"));
        return false;
    }
    int result = CmdNotSent;
    {
        const auto link = port ? port->current() : nullptr;
        LinkLock lock(link);
        result = CDeviceCommands(link).setDeltaEParam(quint8(formula),
                                                      int(std::lround(double(threshold) * ThresholdScale)));
    }
    if (result < 0) {
        if (chinese)
            QMessageBox::information(parent, tr("错误"), tr("写入△E参数信息失败！"));
        else
            QMessageBox::information(parent, tr("Error"), tr("Failed to write △E parameter information!"));
        return false;
    }
    return true;
}

void setEParameterPageFor320::on_Okbtn_clicked()
{
    if (!port_ || !port_->isDeviceOpen()) {
        QMessageBox::information(this, tr("Error"), tr("Please connect the device first!"));
        return;
    }
    if (writeDeltaEParameter(this, port_, chinese_, formulas_->checkedId(), ui->ThresholdsEdit->text()))
        accept();
}

void setEParameterPageFor320::on_Cancelbtn_clicked()
{
    reject();
}
