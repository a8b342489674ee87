// SPDX-License-Identifier: Apache-2.0
#include "TrendChartView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

TrendChartView::TrendChartView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("widget_trendChart"));
    setMouseTracking(true);
    setMinimumSize(320, 200);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void TrendChartView::setChart(const TrendChart &chart)
{
    chart_ = chart;
    update();
}

void TrendChartView::setHighlightedRow(int row)
{
    if (row == highlightedRow_)
        return;
    highlightedRow_ = row;
    update();
}

int TrendChartView::rowAt(const QPointF &position) const
{
    return chart_.rowAt(QRectF(rect()), position);
}

void TrendChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    chart_.paint(painter, QRectF(rect()), highlightedRow_);
}

void TrendChartView::mouseMoveEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position());
    if (row < 0) {
        QToolTip::hideText();
        return;
    }
    QStringList lines{tr("Record %1").arg(row + 1)};
    for (const TrendChart::Series &series : chart_.series())
        lines << series.quantity.label() + QStringLiteral(": ") + series.quantity.format(series.values.at(row));
    QToolTip::showText(event->globalPosition().toPoint(), lines.join(QLatin1Char('\n')), this);
}

void TrendChartView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const int row = rowAt(event->position()); row >= 0)
        emit recordPicked(row);
}
