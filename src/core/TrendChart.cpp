// SPDX-License-Identifier: Apache-2.0
#include "TrendChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

QPen chartPen(const QColor &colour, qreal width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(QBrush(colour), width, style, Qt::SquareCap, Qt::BevelJoin);
}

const QColor seriesColours[] = {QColor(0, 0, 255), QColor(0, 128, 0)};
const QColor ngColour(Qt::red);

// Round steps for the value axis: 1, 2 or 5 times a power of ten, about five of them.
double niceStep(double span)
{
    const double raw = span / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * magnitude)
            return factor * magnitude;
    }
    return 10 * magnitude;
}

} // namespace

TrendChart TrendChart::of(const ComparisonRecordModel &model, int resultKind, const JudgementSettings &settings)
{
    TrendChart chart;
    QList<BatchQuantity> quantities = batchQuantities(resultKind);
    if (resultKind >= ResultLab)
        quantities = quantities.mid(0, 1); // ΔE alone: the differences have no limit of their own
    for (int q = 0; q < quantities.size(); ++q) {
        Series series{quantities[q], seriesColours[q % 2], {}};
        series.values.reserve(model.count());
        for (const ComparisonRecord &record : model.records())
            series.values.append(quantities[q].of(record));
        chart.series_.append(series);
        const auto addTolerance = [&](double tolerance) {
            const QString text = quantities[q].format(tolerance);
            chart.limits_.append({tolerance, series.colour, QStringLiteral("+") + text});
            chart.limits_.append({-tolerance, series.colour, QStringLiteral("-") + text});
        };
        if (quantities[q].column == RecordColumn::DeltaHaze)
            addTolerance(settings.hazeTolerance);
        else if (quantities[q].column == RecordColumn::DeltaTransmittance)
            addTolerance(settings.transmittanceTolerance);
        else
            chart.limits_.append({settings.workingThreshold, ngColour, formatThreshold(settings.workingThreshold)});
    }
    chart.ng_.reserve(model.count());
    for (const ComparisonRecord &record : model.records())
        chart.ng_.append(record.result() == RecordResult::Ng);

    double low = 0, high = 0;
    for (const Series &series : chart.series_) {
        for (double value : series.values) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    for (const Limit &limit : chart.limits_) {
        low = std::min(low, limit.value);
        high = std::max(high, limit.value);
    }
    if (high - low < 1e-9)
        high = low + 1;
    const double margin = (high - low) * 0.05;
    chart.low_ = low < 0 ? low - margin : low;
    chart.high_ = high + margin;
    return chart;
}

QRectF TrendChart::plotFrame(const QRectF &area)
{
    // Room on the left for the value labels, at the bottom for the record numbers, at the top for the legend.
    return QRectF(area.x() + area.width() * 0.1, area.y() + area.height() * 0.12, area.width() * 0.84,
                  area.height() * 0.74);
}

double TrendChart::xOf(const QRectF &frame, int row) const
{
    return frame.left() + (row + 0.5) * frame.width() / std::max(1, count());
}

double TrendChart::yOf(const QRectF &frame, double value) const
{
    return frame.bottom() - (value - low_) * frame.height() / (high_ - low_);
}

QPointF TrendChart::point(const QRectF &area, int series, int row) const
{
    const QRectF frame = plotFrame(area);
    return {xOf(frame, row), yOf(frame, series_.at(series).values.at(row))};
}

double TrendChart::limitY(const QRectF &area, int limit) const
{
    return yOf(plotFrame(area), limits_.at(limit).value);
}

int TrendChart::rowAt(const QRectF &area, const QPointF &position, double radius) const
{
    if (count() == 0)
        return -1;
    const QRectF frame = plotFrame(area);
    const double spacing = frame.width() / count();
    const int first = std::max(0, int(std::floor((position.x() - radius - frame.left()) / spacing - 0.5)));
    const int last = std::min(count() - 1, int(std::ceil((position.x() + radius - frame.left()) / spacing - 0.5)));
    int best = -1;
    double bestDistance = radius;
    for (int row = first; row <= last; ++row) {
        for (const Series &series : series_) {
            const double distance = std::hypot(xOf(frame, row) - position.x(), yOf(frame, series.values.at(row)) - position.y());
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = row;
            }
        }
    }
    return best;
}

void TrendChart::paint(QPainter &painter, const QRectF &area, int highlightedRow) const
{
    const QRectF frame = plotFrame(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());

    // Grid and value labels at round steps.
    const double step = niceStep(high_ - low_);
    for (double v = std::ceil(low_ / step) * step; v <= high_ + step * 1e-6; v += step) {
        const double y = yOf(frame, v);
        painter.setPen(chartPen(Qt::gray, 1.0, Qt::DashLine));
        painter.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
        painter.setPen(chartPen(Qt::black, 1.0));
        const int decimals = step >= 1 ? 0 : int(std::ceil(-std::log10(step)));
        painter.drawText(QRectF(area.left(), y - metrics.height() / 2, frame.left() - area.left() - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(std::abs(v) < step * 1e-6 ? 0 : v, 'f', decimals));
    }

    painter.setPen(chartPen(Qt::black, 2.0));
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.bottomLeft(), frame.topLeft());
    // Record numbers under the axis: the first, the last and a few between.
    const int n = count();
    const int labelStep = std::max(1, int(std::ceil(n / std::max(1.0, frame.width() / (metrics.horizontalAdvance(QStringLiteral("00000")))))));
    for (int row = 0; row < n; row += labelStep) {
        const double x = xOf(frame, row);
        painter.drawText(QRectF(x - 40, frame.bottom() + 2, 80, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(row + 1));
    }
    painter.drawText(QRectF(frame.left(), area.bottom() - metrics.height() - 2, frame.width(), metrics.height()),
                     Qt::AlignCenter, tr("Record"));

    if (highlightedRow >= 0 && highlightedRow < n) {
        painter.setPen(chartPen(QColor(255, 165, 0), 2.0));
        const double x = xOf(frame, highlightedRow);
        painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
    }

    for (const Limit &limit : limits_) {
        const double y = yOf(frame, limit.value);
        painter.setPen(chartPen(limit.colour, 1.5, Qt::DashDotLine));
        painter.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
        painter.drawText(QRectF(frame.right() - 200, y - metrics.height(), 198, metrics.height()),
                         Qt::AlignRight | Qt::AlignBottom, limit.label);
    }

    // Markers only while they stay apart; NG points are always marked.
    const bool markers = n > 0 && frame.width() / n >= 6;
    const double r = 3;
    for (const Series &series : series_) {
        QPolygonF line;
        line.reserve(n);
        for (int row = 0; row < n; ++row)
            line.append(QPointF(xOf(frame, row), yOf(frame, series.values.at(row))));
        painter.setPen(chartPen(series.colour, 1.5));
        painter.drawPolyline(line);
        painter.setBrush(series.colour);
        if (markers) {
            for (int row = 0; row < n; ++row) {
                if (!ng_.at(row))
                    painter.drawEllipse(line.at(row), r, r);
            }
        }
        painter.setPen(chartPen(ngColour, 1.5));
        painter.setBrush(ngColour);
        for (int row = 0; row < n; ++row) {
            if (ng_.at(row))
                painter.drawEllipse(line.at(row), r + 1, r + 1);
        }
        painter.setBrush(Qt::NoBrush);
    }

    // Legend along the top.
    double x = frame.left();
    const double y = area.top() + 2;
    for (const Series &series : series_) {
        painter.setPen(chartPen(series.colour, 2.0));
        painter.drawLine(QPointF(x, y + metrics.height() / 2), QPointF(x + 20, y + metrics.height() / 2));
        const QString label = series.quantity.label();
        painter.setPen(chartPen(Qt::black, 1.0));
        painter.drawText(QPointF(x + 24, y + metrics.ascent()), label);
        x += 24 + metrics.horizontalAdvance(label) + 16;
    }
    painter.setPen(chartPen(ngColour, 1.0));
    painter.setBrush(ngColour);
    painter.drawEllipse(QPointF(x + 4, y + metrics.height() / 2), r + 1, r + 1);
    painter.setPen(chartPen(Qt::black, 1.0));
    painter.drawText(QPointF(x + 12, y + metrics.ascent()), tr("NG"));
    painter.restore();
}
