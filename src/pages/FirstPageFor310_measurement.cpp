// Standard and sample measurement: fetched by the buttons or pushed by the instrument's key,
// shown in the comparison table and judged once both are there.
#include "FirstPageFor310.h"
#include "ui_FirstPageFor310.h"

#include "ColourDifference.h"
#include "InstrumentLink.h"
#include "PushedFrames.h"

#include <QMessageBox>

namespace {

// Comparison-table places this feature writes (the measurement modes 1 and 2 are the
// standard and sample columns).
constexpr int DifferenceColumn = 3;
constexpr int DeltaERow = 12;

// Firmware from this version on answers and pushes the combined result block.
constexpr int CombinedBlockFirmware = 106;
// The instrument's pushed result is shown after this pause.
constexpr int PushedResultPauseMs = 500;

const char *const ActiveButtonStyle = "color: rgb(0, 0, 255); background-color: rgb(255, 255, 255);";
const char *const IdleButtonStyle = "color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);";
const char *const SwatchColourStyle = "background-color: rgb(%1, %2, %3);";

} // namespace

void FirstPageFor310::on_pushButton_standardMeasurement_clicked()
{
    startMeasurement(MeasureStandard);
}

void FirstPageFor310::on_pushButton_sampleMeasurement_clicked()
{
    startMeasurement(MeasureSample);
}

void FirstPageFor310::readstdmeasurement()
{
    fetchMeasurement(MeasureStandard, true);
}

void FirstPageFor310::readsamplemeasurement()
{
    fetchMeasurement(MeasureSample, true);
}

void FirstPageFor310::standardValueMeasurement()
{
    fetchMeasurement(MeasureStandard, false);
}

void FirstPageFor310::sampleValueMeasurement()
{
    fetchMeasurement(MeasureSample, false);
}

void FirstPageFor310::SaveData(const QByteArray &baData)
{
    state_.receiveBuffer.append(baData);
    ResultValues values;
    while (takePushedResult(state_.receiveBuffer, usesPerKindResults(), state_.resultKind(), values)) {
        const int mode = state_.measurementMode;
        if (mode != MeasureStandard && mode != MeasureSample)
            continue;
        resetComparisonColumn(mode);
        delayMs(PushedResultPauseMs);
        showMeasurement(mode, values);
    }
}

bool FirstPageFor310::usesPerKindResults() const
{
    return state_.firmwareVersion < CombinedBlockFirmware &&
           (state_.modelName == QLatin1String("TQ310") || state_.modelName == QLatin1String("TQ320"));
}

void FirstPageFor310::startMeasurement(int mode)
{
    if (!checkDeviceOpen())
        return;
    resetComparisonColumn(mode);
    ui->pushButton_standardMeasurement->setStyleSheet(
        QLatin1String(mode == MeasureStandard ? ActiveButtonStyle : IdleButtonStyle));
    ui->pushButton_sampleMeasurement->setStyleSheet(
        QLatin1String(mode == MeasureSample ? ActiveButtonStyle : IdleButtonStyle));
    QCoreApplication::processEvents();
    state_.measurementMode = mode;
    const bool perKind = usesPerKindResults();
    if (mode == MeasureStandard)
        perKind ? readstdmeasurement() : standardValueMeasurement();
    else
        perKind ? readsamplemeasurement() : sampleValueMeasurement();
}

void FirstPageFor310::fetchMeasurement(int mode, bool perKind)
{
    ResultValues values;
    int result = CmdNotSent;
    {
        const auto link = currentLink();
        LinkLock lock(link);
        CDeviceCommands commands(link);
        if (perKind) {
            result = commands.readKindResult(state_.resultKind(), values);
        } else {
            std::array<int, 21> raw{};
            result = commands.readMeasureData(raw);
            values = valuesFromMeasureData(raw);
        }
    }
    if (result < 0) {
        QMessageBox::information(this, tr("Error"), tr("Failed to read measurement data!"));
        return;
    }
    showMeasurement(mode, values);
}

void FirstPageFor310::showMeasurement(int mode, const ResultValues &values)
{
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        setComparisonText(1 + quantity, mode, formatValue(quantity, values.values[quantity]));
    QWidget *swatch = mode == MeasureStandard ? ui->groupBox_standardMeasurement : ui->groupBox_sampleMeasurement;
    swatch->setStyleSheet(QString::fromLatin1(SwatchColourStyle).arg(values.red).arg(values.green).arg(values.blue));
    (mode == MeasureStandard ? state_.standardMeasured : state_.sampleMeasured) = true;
    if (state_.standardMeasured && state_.sampleMeasured)
        judgeSample();
}

MeasurementValues FirstPageFor310::comparisonValues(int column) const
{
    MeasurementValues measurement;
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        measurement.values[quantity] = parseValueText(comparisonText(1 + quantity, column));
    return measurement;
}

void FirstPageFor310::judgeSample()
{
    const MeasurementValues standard = comparisonValues(MeasureStandard);
    const MeasurementValues sample = comparisonValues(MeasureSample);
    std::array<double, Quantity::Count> differences{};
    for (int quantity = 0; quantity < Quantity::Count; ++quantity) {
        differences[quantity] = sample.values[quantity] - standard.values[quantity];
        setComparisonText(1 + quantity, DifferenceColumn, formatDifference(quantity, differences[quantity]));
    }
    JudgementSettings &judgement = state_.judgement;
    const double deltaE = judgedDeltaE(judgement, labOf(standard), labOf(sample));
    setComparisonText(DeltaERow, DifferenceColumn, formatDeltaE(deltaE));
    const double deltaHaze = differences[Quantity::Haze];
    const double deltaTransmittance = differences[Quantity::Transmittance];
    const bool pass = passes(judgement, deltaHaze, deltaTransmittance, deltaE);
    showResultLabel(pass);
    showDeviationWords();
    ComparisonCounters &counts = counters();
    counts.add(pass);
    showCounters();

    RecordFields fields;
    fields.number = counts.total();
    fields.name = counts.nextTestName();
    fields.time = ComparisonRecord::timeText(QDateTime::currentDateTime());
    fields.standard = standard;
    fields.sample = sample;
    fields.deltaHaze = deltaHaze;
    fields.deltaTransmittance = deltaTransmittance;
    fields.deltaE = deltaE;
    fields.result = pass ? RecordResult::Pass : RecordResult::Ng;
    fields.hazeTolerance = judgement.hazeTolerance;
    fields.transmittanceTolerance = judgement.transmittanceTolerance;
    fields.threshold = judgement.workingThreshold;
    fields.model = state_.modelName;
    fields.serialNumber = ui->lineEdit_serialNo->text();
    appendRecord(fields);
}

void FirstPageFor310::rejudgeCurrent()
{
    const QString standardHaze = comparisonText(1 + Quantity::Haze, MeasureStandard);
    const QString sampleHaze = comparisonText(1 + Quantity::Haze, MeasureSample);
    if (standardHaze.isEmpty() || sampleHaze.isEmpty() || isPlaceholder(standardHaze) || isPlaceholder(sampleHaze))
        return;
    const MeasurementValues standard = comparisonValues(MeasureStandard);
    const MeasurementValues sample = comparisonValues(MeasureSample);
    JudgementSettings &judgement = state_.judgement;
    const double deltaE = judgedDeltaE(judgement, labOf(standard), labOf(sample));
    setComparisonText(DeltaERow, DifferenceColumn, formatDeltaE(deltaE));
    showResultLabel(passes(judgement, sample.values[Quantity::Haze] - standard.values[Quantity::Haze],
                           sample.values[Quantity::Transmittance] - standard.values[Quantity::Transmittance],
                           deltaE));
}
