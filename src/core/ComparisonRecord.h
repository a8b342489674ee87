#pragma once

#include "Judgement.h"
#include "MeasurementValues.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

// Columns of the comparison record list. The workbook export and import read them by these numbers.
namespace RecordColumn {
constexpr int Number = 0;
constexpr int Name = 1;
constexpr int Time = 2;
constexpr int StandardFirst = 3; // eleven standard values, quantities in MeasurementValues order
constexpr int SampleFirst = 14;  // eleven sample values
constexpr int DeltaHaze = 25;
constexpr int DeltaTransmittance = 26;
constexpr int DeltaE = 27;
constexpr int Result = 28;
constexpr int DeleteButton = 29;
constexpr int ReportButton = 30;
constexpr int HazeTolerance = 31;
constexpr int TransmittanceTolerance = 32;
constexpr int Threshold = 33;
constexpr int Model = 34;
constexpr int SerialNumber = 35;
constexpr int Count = 36;
} // namespace RecordColumn

// Unknown: an imported result that was neither PASS nor NG; it is not counted.
enum class RecordResult { Pass, Ng, Unknown };

// What a judged pair or a downloaded record contributes to a record, as numbers.
struct RecordFields
{
    unsigned number = 0; // the total counter after this record was counted
    QString name;
    QString time;
    MeasurementValues standard;
    MeasurementValues sample;
    double deltaHaze = 0;
    double deltaTransmittance = 0;
    double deltaE = 0;
    RecordResult result = RecordResult::Unknown;
    double hazeTolerance = 0;
    double transmittanceTolerance = 0;
    double threshold = 0;
    QString model;
    QString serialNumber;
};

// One row of the record list: the texts of its 36 columns (the two button columns stay empty).
class ComparisonRecord
{
    Q_DECLARE_TR_FUNCTIONS(FirstPageFor310)

public:
    ComparisonRecord();
    // Every column formatted as the record list shows it.
    static ComparisonRecord fromFields(const RecordFields &fields);

    QString text(int column) const { return texts_[column]; }
    // Any column but Result, which follows setResult.
    void setText(int column, const QString &text);
    RecordResult result() const { return result_; }
    // Column 28 becomes the translated "PASS" or "NG"; Unknown keeps its text.
    void setResult(RecordResult result);
    // Re-words column 28 in the current language.
    void retranslate();
    // The record as it stands is in a workbook already (it was imported and not renamed since).
    bool isKept() const { return kept_; }
    void setKept(bool kept) { kept_ = kept; }

    static QString numberText(unsigned number);
    static QString timeText(const QDateTime &time);
    // Haze and transmittance values and their differences: 2 decimals and "%".
    static QString percentText(double value);
    // "±0.50%"; a text that already carries the sign and "%" is kept as it is.
    static QString toleranceText(const QString &bareValue);
    static QString toleranceText(double value);
    static QString resultWord(RecordResult result);

private:
    std::array<QString, RecordColumn::Count> texts_;
    RecordResult result_ = RecordResult::Unknown;
    bool kept_ = false;
};
