// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "BatchStatistics.h"
#include "Judgement.h"

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QRectF>

class QPainter;

// The trend of a batch: one value per record in list order (ΔE under the colour result kinds,
// ΔHaze and ΔTransmittance under the others) against the limits the records are judged by.
// Geometry and hit-testing live here so they can be checked without pixels; the comparison page's
// chart widget and the batch report both paint through it.
class TrendChart
{
    Q_DECLARE_TR_FUNCTIONS(TrendChart)

public:
    struct Series
    {
        BatchQuantity quantity;
        QColor colour;
        QList<double> values; // one per record, list order
    };
    struct Limit
    {
        double value;
        QColor colour;
        QString label;
    };

    static TrendChart of(const ComparisonRecordModel &model, int resultKind, const JudgementSettings &settings);

    int count() const { return int(ng_.size()); }
    const QList<Series> &series() const { return series_; }
    const QList<Limit> &limits() const { return limits_; }
    bool isNg(int row) const { return ng_.value(row); }
    // The value range drawn: every value and limit, and 0, with a margin.
    double low() const { return low_; }
    double high() const { return high_; }

    // The plot frame inside the area given to paint().
    static QRectF plotFrame(const QRectF &area);
    QPointF point(const QRectF &area, int series, int row) const;
    double limitY(const QRectF &area, int limit) const;
    // The record whose point lies within radius pixels of position, the nearest one; -1 when none.
    int rowAt(const QRectF &area, const QPointF &position, double radius = 8) const;

    // highlightedRow gets a marker line (the record selected in the list); -1 for none.
    void paint(QPainter &painter, const QRectF &area, int highlightedRow = -1) const;

private:
    double xOf(const QRectF &frame, int row) const;
    double yOf(const QRectF &frame, double value) const;

    QList<Series> series_;
    QList<Limit> limits_;
    QList<bool> ng_;
    double low_ = -1, high_ = 1;
};
