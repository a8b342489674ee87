// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "TrendChart.h"

#include <QWidget>

// The trend chart on screen: hovering a point names its record, clicking it picks the record.
class TrendChartView : public QWidget
{
    Q_OBJECT

public:
    explicit TrendChartView(QWidget *parent = nullptr);

    void setChart(const TrendChart &chart);
    const TrendChart &chart() const { return chart_; }
    void setHighlightedRow(int row);
    // The record under a widget position, -1 when none.
    int rowAt(const QPointF &position) const;

signals:
    void recordPicked(int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    TrendChart chart_;
    int highlightedRow_ = -1;
};
