// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ComparisonRecordModel.h"
#include "Judgement.h"
#include "Outcome.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <memory>

class QTextDocument;

// What the batch report says besides the records: who made it, on what, under which settings.
struct BatchReportInputs
{
    QString company;
    QString tester;
    QString auditor;
    QString device; // model name
    QString serialNumber;
    int resultKind = ResultHazeT;
    JudgementSettings settings;
    QString formulaName; // shown when the device type uses the instrument's ΔE formula
    QDateTime builtAt = QDateTime::currentDateTime();
};

// The report of a whole record list: header, statistics, trend chart, every record.
class BatchReport
{
    Q_DECLARE_TR_FUNCTIONS(BatchReport)

public:
    // The document laid out for A4 pages; the trend chart is painted into it as a vector object.
    static std::unique_ptr<QTextDocument> build(const ComparisonRecordModel &model, const BatchReportInputs &inputs);
    // Builds and writes the PDF; a failure leaves any earlier file of that name as it was.
    static Outcome write(const ComparisonRecordModel &model, const BatchReportInputs &inputs, const QString &fileName);
    // Any document as an A4 PDF with "Page n of m" under each page. The document is laid out
    // anew for the pages, so pass a copy of one that is shown.
    static Outcome writePdf(QTextDocument &document, const QString &fileName);
    // The font that covers Chinese as well as Latin text.
    static QFont documentFont(qreal pointSize);
};
