// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ComparisonRecordModel.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// One difference a result kind shows, and where the record keeps it.
struct BatchQuantity
{
    enum Source { DeltaColumn, SampleMinusStandard };
    const char *name; // untranslated, "BatchStatistics" context ("△" names in "Colorimeter")
    Source source;
    int column; // the Δ column, or the quantity index for sample − standard
    int decimals;
    bool percent;

    double of(const ComparisonRecord &record) const;
    QString label() const;
    QString format(double value) const;
};

// ΔE and the differences the record list shows under a result kind, ΔE first when shown.
QList<BatchQuantity> batchQuantities(int resultKind);

// Mean, spread and extremes of one quantity over the chosen records.
struct QuantitySummary
{
    BatchQuantity quantity;
    int count = 0;
    double mean = 0;
    // Sample standard deviation (n − 1 in the denominator); 0 for a single record.
    double standardDeviation = 0;
    double minimum = 0;
    double maximum = 0;
    int minimumRow = -1; // model row holding the extreme; the first such row on ties
    int maximumRow = -1;
};

// What a lab reads off a batch: how many, how many passed, and how the differences spread.
struct BatchStatistics
{
    Q_DECLARE_TR_FUNCTIONS(BatchStatistics)

public:
    int count = 0;
    int passed = 0;
    int failed = 0;
    // PASS share of the judged records (PASS + NG) in percent; 0 when none is judged.
    double passRate = 0;
    QList<QuantitySummary> quantities;

    // Over rows of model (every row when rows is empty); rows out of range are skipped.
    static BatchStatistics of(const ComparisonRecordModel &model, int resultKind, const QList<int> &rows = {});
};
