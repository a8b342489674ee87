#pragma once

#include "Judgement.h"
#include "MeterTable.h"

#include <QByteArray>
#include <QString>

// Which column of the comparison table the next result fills.
enum MeasurementMode : int { MeasureStandard = 1, MeasureSample = 2 };

// Everything the comparison page knows about the instrument and its judgement settings.
// The page owns one; its feature files (measurement, settings, download, workbook, colour
// card, report) read and write it.
struct ComparisonPageState
{
    // Result-kind flags, tolerances, working and ΔE-parameter thresholds, formula, device type.
    JudgementSettings judgement;
    QString modelName; // from the meter table; the page starts it as "UnKnow"
    int firmwareVersion = 0;
    int measurementMode = MeasureStandard;
    bool standardMeasured = false;
    bool sampleMeasured = false;
    QByteArray receiveBuffer; // pushed bytes that do not yet form a handled frame
    MeterTable meterTable;
    int languageFlag = 0; // 1 while the user interface is Chinese

    bool isChinese() const { return languageFlag != 0; }
    // The set result kind, or -1 when none is set.
    int resultKind() const
    {
        for (int kind = 0; kind < ResultKindCount; ++kind)
            if (judgement.resultKinds[kind])
                return kind;
        return -1;
    }
    void setResultKind(int kind)
    {
        judgement.resultKinds.fill(false);
        judgement.resultKinds[kind] = true;
    }
};
