// SPDX-License-Identifier: Apache-2.0
#include "BatchStatistics.h"

#include <cmath>

namespace {

using Q = BatchQuantity;
constexpr const char *ctx = "BatchStatistics";

const Q deltaE{"△E", Q::DeltaColumn, RecordColumn::DeltaE, 2, false};
const Q deltaHaze{"△Haze", Q::DeltaColumn, RecordColumn::DeltaHaze, 2, true};
const Q deltaT{"△Transmittance", Q::DeltaColumn, RecordColumn::DeltaTransmittance, 2, true};

Q difference(const char *name, int quantity, int decimals)
{
    return {name, Q::SampleMinusStandard, quantity, decimals, false};
}

// Welford's running mean and sum of squares: stable where the values sit far from 0.
struct Running
{
    int n = 0;
    double mean = 0, squares = 0, minimum = 0, maximum = 0;
    int minimumRow = -1, maximumRow = -1;

    void add(double value, int row)
    {
        ++n;
        const double step = value - mean;
        mean += step / n;
        squares += step * (value - mean);
        if (n == 1 || value < minimum) {
            minimum = value;
            minimumRow = row;
        }
        if (n == 1 || value > maximum) {
            maximum = value;
            maximumRow = row;
        }
    }
};

} // namespace

double BatchQuantity::of(const ComparisonRecord &record) const
{
    if (source == DeltaColumn)
        return parseValueText(record.text(column));
    return parseValueText(record.text(RecordColumn::SampleFirst + column))
        - parseValueText(record.text(RecordColumn::StandardFirst + column));
}

QString BatchQuantity::label() const
{
    return source == DeltaColumn ? QCoreApplication::translate("Colorimeter", name)
                                 : QCoreApplication::translate(ctx, name);
}

QString BatchQuantity::format(double value) const
{
    // -0.00 reads as a difference where there is none.
    const QString text = QString::number(std::abs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value, 'f', decimals);
    return percent ? text + QLatin1Char('%') : text;
}

QList<BatchQuantity> batchQuantities(int resultKind)
{
    switch (resultKind) {
    case ResultHazeT:
        return {deltaHaze, deltaT};
    case ResultHaze:
        return {deltaHaze};
    case ResultT:
        return {deltaT};
    case ResultLab:
        return {deltaE, difference(QT_TRANSLATE_NOOP("BatchStatistics", "△L*"), Quantity::L, 2),
                difference(QT_TRANSLATE_NOOP("BatchStatistics", "△a*"), Quantity::A, 2),
                difference(QT_TRANSLATE_NOOP("BatchStatistics", "△b*"), Quantity::B, 2)};
    case ResultLCh:
        // The record list shows the lightness of the L*C*h triple under this kind.
        return {deltaE, difference(QT_TRANSLATE_NOOP("BatchStatistics", "△L*"), Quantity::LchL, 2),
                difference(QT_TRANSLATE_NOOP("BatchStatistics", "△C*"), Quantity::C, 2),
                difference(QT_TRANSLATE_NOOP("BatchStatistics", "△h"), Quantity::H, 1)};
    case ResultYxy:
        return {deltaE, difference(QT_TRANSLATE_NOOP("BatchStatistics", "△Y"), Quantity::Y, 2),
                difference(QT_TRANSLATE_NOOP("BatchStatistics", "△x"), Quantity::X, 4),
                difference(QT_TRANSLATE_NOOP("BatchStatistics", "△y"), Quantity::SmallY, 4)};
    default:
        return {};
    }
}

BatchStatistics BatchStatistics::of(const ComparisonRecordModel &model, int resultKind, const QList<int> &rows)
{
    BatchStatistics stats;
    const QList<BatchQuantity> quantities = batchQuantities(resultKind);
    std::vector<Running> running(quantities.size());
    const auto take = [&](int row) {
        if (row < 0 || row >= model.count())
            return;
        const ComparisonRecord &record = model.at(row);
        ++stats.count;
        if (record.result() == RecordResult::Pass)
            ++stats.passed;
        else if (record.result() == RecordResult::Ng)
            ++stats.failed;
        for (int q = 0; q < quantities.size(); ++q)
            running[q].add(quantities[q].of(record), row);
    };
    if (rows.isEmpty()) {
        for (int row = 0; row < model.count(); ++row)
            take(row);
    } else {
        for (int row : rows)
            take(row);
    }
    const int judged = stats.passed + stats.failed;
    stats.passRate = judged > 0 ? 100.0 * stats.passed / judged : 0;
    for (int q = 0; q < quantities.size(); ++q) {
        const Running &r = running[q];
        QuantitySummary summary{quantities[q]};
        summary.count = r.n;
        summary.mean = r.mean;
        summary.standardDeviation = r.n > 1 ? std::sqrt(r.squares / (r.n - 1)) : 0;
        summary.minimum = r.minimum;
        summary.maximum = r.maximum;
        summary.minimumRow = r.minimumRow;
        summary.maximumRow = r.maximumRow;
        stats.quantities.append(summary);
    }
    return stats;
}
