#pragma once

#include "ComparisonRecordModel.h"

// Judged comparison records as a long session leaves them: a third NG, names and haze rising.
// Each is counted on the model, so its number is the running total as the page would give it.
inline QList<ComparisonRecord> judgedRecords(ComparisonRecordModel &model, int count)
{
    QList<ComparisonRecord> records;
    records.reserve(count);
    for (int k = 0; k < count; ++k) {
        const bool pass = k % 3 != 0;
        RecordFields fields;
        fields.number = model.countResult(pass);
        fields.name = QStringLiteral("样品%1").arg(k);
        fields.time = QStringLiteral("2026/03/04  09:%1").arg(k % 60, 2, 10, QChar('0'));
        fields.standard.values = {12.34, 88.5, 50.12, -1.5, 3.25, 50.12, 3.58, 114.8, 18.7, 0.3127, 0.329};
        fields.sample = fields.standard;
        fields.sample.values[Quantity::Haze] += 0.01 * (k % 100);
        fields.sample.values[Quantity::L] += 0.02 * (k % 50);
        fields.deltaHaze = 0.01 * (k % 100);
        fields.deltaE = 0.02 * (k % 50);
        fields.result = pass ? RecordResult::Pass : RecordResult::Ng;
        fields.hazeTolerance = 0.5;
        fields.transmittanceTolerance = 1;
        fields.threshold = 1.5;
        fields.model = QStringLiteral("TQ310");
        fields.serialNumber = QStringLiteral("SN-1");
        records.append(ComparisonRecord::fromFields(fields));
    }
    return records;
}
