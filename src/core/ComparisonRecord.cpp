#include "ComparisonRecord.h"


namespace {

const char *const PercentSign = "%";

} // namespace

ComparisonRecord::ComparisonRecord() = default;

ComparisonRecord ComparisonRecord::fromFields(const RecordFields &fields)
{
    ComparisonRecord record;
    record.setText(RecordColumn::Number, numberText(fields.number));
    record.setText(RecordColumn::Name, fields.name);
    record.setText(RecordColumn::Time, fields.time);
    for (int quantity = 0; quantity < Quantity::Count; ++quantity) {
        record.setText(RecordColumn::StandardFirst + quantity, formatValue(quantity, fields.standard.values[quantity]));
        record.setText(RecordColumn::SampleFirst + quantity, formatValue(quantity, fields.sample.values[quantity]));
    }
    record.setText(RecordColumn::DeltaHaze, percentText(fields.deltaHaze));
    record.setText(RecordColumn::DeltaTransmittance, percentText(fields.deltaTransmittance));
    record.setText(RecordColumn::DeltaE, formatDeltaE(fields.deltaE));
    record.setResult(fields.result);
    record.setText(RecordColumn::HazeTolerance, toleranceText(fields.hazeTolerance));
    record.setText(RecordColumn::TransmittanceTolerance, toleranceText(fields.transmittanceTolerance));
    record.setText(RecordColumn::Threshold, formatThreshold(fields.threshold));
    record.setText(RecordColumn::Model, fields.model);
    record.setText(RecordColumn::SerialNumber, fields.serialNumber);
    return record;
}

void ComparisonRecord::setText(int column, const QString &text)
{
    if (column != RecordColumn::Result || result_ == RecordResult::Unknown)
        texts_[column] = text;
}

void ComparisonRecord::setResult(RecordResult result)
{
    result_ = result;
    retranslate();
}

void ComparisonRecord::retranslate()
{
    if (result_ != RecordResult::Unknown)
        texts_[RecordColumn::Result] = resultWord(result_);
}

QString ComparisonRecord::numberText(unsigned number)
{
    return QString::number(double(number), 'g', 6);
}

QString ComparisonRecord::timeText(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy/MM/dd  hh:mm"));
}

QString ComparisonRecord::percentText(double value)
{
    return formatValue(Quantity::Haze, value);
}

QString ComparisonRecord::toleranceText(const QString &bareValue)
{
    const QString sign = tr("±");
    if (bareValue.startsWith(sign) && bareValue.endsWith(QLatin1String(PercentSign)))
        return bareValue;
    return sign + bareValue + QLatin1String(PercentSign);
}

QString ComparisonRecord::toleranceText(double value)
{
    return toleranceText(QString::number(value, 'f', 2));
}

QString ComparisonRecord::resultWord(RecordResult result)
{
    return result == RecordResult::Unknown ? QString() : tr(resultText(result == RecordResult::Pass));
}
