// Instrument identity and the settings that the judgement depends on: result kind,
// tolerances and the ΔE parameter, read on connection and written from the page.
#include "FirstPageFor310.h"
#include "ui_FirstPageFor310.h"

#include "ColourDifference.h"
#include "DeviceProfile.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MeasurementValues.h"
#include "setEParameterPageFor320.h"

#include <QButtonGroup>
#include <QMessageBox>
#include <cmath>

namespace {

constexpr double ToleranceScale = 100; // wire units of 0.01 %
constexpr double ThresholdScale = 10;  // wire units of 0.1
constexpr double MaxTolerance = 100;
constexpr double MinThreshold = 0.1;
constexpr double MaxThreshold = 50;

// Which display parameters each device type can measure.
bool isValidResultKind(int deviceType, int kind)
{
    const DeviceProfile *profile = deviceProfile(deviceType);
    return profile && kind >= 0 && kind < ResultKindCount && profile->resultKinds[kind];
}

bool usesTolerance(int deviceType)
{
    const DeviceProfile *profile = deviceProfile(deviceType);
    return profile && profile->usesTolerance;
}

// The typed number when it lies within [low, high]; empty or non-numeric text does not.
std::optional<double> typedValue(const QLineEdit *edit, double low, double high)
{
    bool ok = false;
    const double value = edit->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

int wireValue(double value, double scale)
{
    return int(std::lround(value * scale));
}

} // namespace

void FirstPageFor310::readDeviceSettings()
{
    readDeviceInformation();
    if (usesTolerance(state_.judgement.deviceType))
        on_pushButton_readTolerance_clicked();
    else
        on_pushButton_readParameter_clicked();
}

void FirstPageFor310::readDeviceInformation()
{
    if (!isDeviceOpen())
        return;
    // One hold of the lock for the whole series, so the worker cannot read a reply away.
    const auto link = currentLink();
    LinkLock lock(link);
    CDeviceCommands commands(link);
    DeviceInfo info;
    const int result = commands.readDeviceInfo(info);
    if (result == CmdNotSupported) {
        if (commands.readDeviceInfoOld(info) < 0) {
            QMessageBox::information(this, tr("Error"), tr("Failed to read device information!"));
            return;
        }
    } else if (result < 0) {
        QMessageBox::information(this, tr("Warn"), tr("Read key infomation fail!"));
        return;
    }
    ui->lineEdit_serialNo->setText(QString::number(info.serialNumber));

    // A table holding only its heading row identifies nothing and says nothing.
    const MeterLookup meter = state_.meterTable.lookup(info.meterNumber, state_.modelName, state_.judgement.deviceType);
    if (!meter.message.isEmpty())
        QMessageBox::information(this, meter.message.title, meter.message.text);
    if (!meter.found && state_.meterTable.rowCount() > 1)
        return;
    ui->stackedWidget->setCurrentWidget(usesTolerance(state_.judgement.deviceType) ? ui->page_tolerance
                                                                                   : ui->page_eParameter);
    showSpectralButtonText();

    int version = 0;
    if (const int versionResult = commands.readSoftwareVersion(version); versionResult < 0) {
        if (const char *failure = CDeviceCommands::softwareVersionFailure(versionResult))
            QMessageBox::information(this, QCoreApplication::translate("CDeviceCommands", "提示"),
                                     QCoreApplication::translate("CDeviceCommands", failure), QMessageBox::Ok);
        QMessageBox::information(this, tr("Error"), tr("Failed to read software version number!"));
        return;
    }
    state_.firmwareVersion = version;
    ui->lineEdit_firmwareVersion->setText(QString::number(version));

    int kind = -1;
    if (commands.readDisplayParam(kind) < 0 || !isValidResultKind(state_.judgement.deviceType, kind)) {
        QMessageBox::information(this, tr("Error"), tr("Failed to read DisplayParam!"));
        return;
    }
    showResultKind(kind);
}

void FirstPageFor310::showResultKind(int kind)
{
    state_.setResultKind(kind);
    resultKindGroup_->button(kind)->setChecked(true);
    onButtonClicked(kind);
    applyResultKindView();
}

bool FirstPageFor310::isDeviceOpen() const
{
    return port_ && port_->isDeviceOpen();
}

bool FirstPageFor310::checkDeviceOpen()
{
    if (isDeviceOpen())
        return true;
    QMessageBox::information(this, tr("Error"), tr("Please connect the device first!"));
    return false;
}

int FirstPageFor310::on_pushButton_readTolerance_clicked()
{
    if (!checkDeviceOpen())
        return -1;
    int haze = 0, transmittance = 0, threshold = 0;
    int result = CmdNotSent;
    {
        const auto link = currentLink();
        LinkLock lock(link);
        result = CDeviceCommands(link).readTolerance(haze, transmittance, threshold);
    }
    if (result < 0) {
        QMessageBox::information(this, tr("Error"), tr("Failed to Read Tolerance information!"));
        return -1;
    }
    JudgementSettings &judgement = state_.judgement;
    judgement.hazeTolerance = haze / ToleranceScale;
    judgement.transmittanceTolerance = transmittance / ToleranceScale;
    judgement.workingThreshold = threshold / ThresholdScale;
    ui->lineEdit_hazeTolerance->setText(QString::number(judgement.hazeTolerance, 'f', 2));
    ui->lineEdit_tTolerance->setText(QString::number(judgement.transmittanceTolerance, 'f', 2));
    ui->lineEdit_eThresholds->setText(formatThreshold(judgement.workingThreshold));
    QMessageBox::information(this, tr("Information"), tr("Read successful!"));
    return 1;
}

void FirstPageFor310::on_pushButton_setTolerance_clicked()
{
    if (!checkDeviceOpen())
        return;
    const std::optional<double> haze = typedValue(ui->lineEdit_hazeTolerance, 0, MaxTolerance);
    if (!haze) {
        QMessageBox::information(this, tr("information"), tr("Haze Tolerance must between 0-100!"));
        return;
    }
    const std::optional<double> transmittance = typedValue(ui->lineEdit_tTolerance, 0, MaxTolerance);
    if (!transmittance) {
        QMessageBox::information(this, tr("information"), tr("Transmittance  Tolerance must between 0-100!"));
        return;
    }
    const std::optional<double> threshold = typedValue(ui->lineEdit_eThresholds, MinThreshold, MaxThreshold);
    if (!threshold) {
        QMessageBox::information(this, tr("information"), tr("Thresholds must between 0.1-50!"));
        return;
    }
    int result = CmdNotSent;
    {
        const auto link = currentLink();
        LinkLock lock(link);
        result = CDeviceCommands(link).setTolerance(wireValue(*haze, ToleranceScale),
                                                    wireValue(*transmittance, ToleranceScale),
                                                    wireValue(*threshold, ThresholdScale));
    }
    if (result < 0) {
        QMessageBox::information(this, tr("Error"), tr("Failed to Setup  Tolerance information!"));
        return;
    }
    state_.judgement.hazeTolerance = *haze;
    state_.judgement.transmittanceTolerance = *transmittance;
    state_.judgement.workingThreshold = *threshold;
    rejudgeCurrent();
    rejudgeRecords();
    QMessageBox::information(this, tr("Information"), tr("Setup successfully!"));
}

int FirstPageFor310::on_pushButton_readParameter_clicked()
{
    if (!checkDeviceOpen())
        return -1;
    int formula = 0, threshold = 0;
    int result = CmdNotSent;
    {
        const auto link = currentLink();
        LinkLock lock(link);
        result = CDeviceCommands(link).readDeltaEParam(formula, threshold);
    }
    if (result < 0) {
        QMessageBox::information(this, tr("Error"), tr("Failed to read △E parameter information!"));
        return -1;
    }
    JudgementSettings &judgement = state_.judgement;
    judgement.formula = formula;
    judgement.parameterThreshold = threshold / ThresholdScale;
    judgement.workingThreshold = judgement.parameterThreshold;
    if (const QString name = formulaName(formula); !name.isEmpty())
        ui->lineEdit_formula->setText(QCoreApplication::translate("Colorimeter", name.toUtf8().constData()));
    ui->lineEdit_thresholds->setText(formatThreshold(judgement.parameterThreshold));
    return 1;
}

void FirstPageFor310::on_pushButton_setParameter_clicked()
{
    if (!checkDeviceOpen())
        return;
    const DeviceProfile *profile = deviceProfile(state_.judgement.deviceType);
    if (profile && !profile->usesTolerance && !profile->choosesFormula) {
        // This model judges with ΔE*ab only, so only the threshold is offered.
        if (setEParameterPageFor320::writeDeltaEParameter(this, port_, state_.isChinese(), DeltaEab,
                                                          ui->lineEdit_thresholds->text()))
            deltaEParameterChanged();
        return;
    }
    setEParameterPageFor320 dialog(port_, state_.isChinese(), state_.judgement.formula,
                                   state_.judgement.parameterThreshold, this);
    if (dialog.exec() == QDialog::Accepted)
        deltaEParameterChanged();
}

void FirstPageFor310::deltaEParameterChanged()
{
    on_pushButton_readParameter_clicked();
    rejudgeCurrent();
    rejudgeRecords();
}

void FirstPageFor310::on_pushButton_setDisplayParameter_clicked()
{
    if (!checkDeviceOpen())
        return;
    if (!records_.isEmpty() &&
        QMessageBox::warning(this, tr("Warn"),
                             tr("The comparison measurement record list data will be cleared. Do you want to "
                                "continue saving the parameter settings?"),
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const int kind = resultKindGroup_->checkedId();
    int result = CmdNotSent;
    {
        const auto link = currentLink();
        LinkLock lock(link);
        result = CDeviceCommands(link).setDisplayParam(quint8(kind));
    }
    if (result < 0) {
        QMessageBox::information(this, tr("Error"), tr("Failed to Setup  DisplayParam information!"));
        return;
    }
    state_.setResultKind(kind);
    applyResultKindView();
    on_pushButton_clear_clicked();
}
