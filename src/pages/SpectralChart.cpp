#include "SpectralChart.h"

#include "DeviceProfile.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace SpectralChart {
namespace {

constexpr int gridColumns = SpectralRecord::valueCount - 1;
constexpr int firstWavelength = 400;
constexpr int wavelengthRange = 300;

QString trChart(const char *text)
{
    return QCoreApplication::translate("MeterPageFor310", text);
}

QPen chartPen(const QColor &colour, qreal width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(QBrush(colour), width, style, Qt::SquareCap, Qt::BevelJoin);
}

QString verticalTitle(int deviceType)
{
    const DeviceProfile *profile = deviceProfile(deviceType);
    return profile ? trChart(profile->axisTitle) : QString();
}

// The visible records, by index, as the legend lists them.
QList<int> visibleRecords(const QList<SpectralRecord> &records)
{
    QList<int> visible;
    for (int k = 0; k < records.size(); ++k) {
        if (records[k].visible)
            visible.append(k);
    }
    return visible;
}

// Everything is placed from the text size, so labels keep their room at any window size.
struct Frame
{
    qreal left, right, top, bottom, line, scaleWidth, legendLeft, legendWidth;
    qreal width() const { return right - left; }
    qreal height() const { return bottom - top; }
    qreal xOf(qreal wavelength) const { return left + (wavelength - firstWavelength) * width() / wavelengthRange; }
};

Frame frameFor(const QRectF &area, const QFontMetricsF &metrics, const QStringList &legendNames, bool titled)
{
    Frame f{};
    f.line = metrics.height();
    f.scaleWidth = metrics.horizontalAdvance(QStringLiteral("240")) + f.line / 2;
    f.left = area.left() + (titled ? 1.5 * f.line : f.line / 2) + f.scaleWidth;
    qreal widest = 0;
    for (const QString &name : legendNames)
        widest = std::max(widest, metrics.horizontalAdvance(name));
    f.legendWidth = legendNames.isEmpty() ? 0 : std::min(widest + 2.5 * f.line, area.width() / 4);
    f.right = area.right() - f.line - f.legendWidth;
    f.legendLeft = f.right + f.line;
    f.top = area.top() + f.line;
    f.bottom = area.bottom() - 2.5 * f.line;
    return f;
}

// The smallest step from candidates that divides range and leaves room pixels between ticks.
int tickStep(int range, qreal pixels, qreal room, std::initializer_list<int> candidates)
{
    for (int step : candidates) {
        if (range % step == 0 && pixels * step / range >= room)
            return step;
    }
    return range;
}

void drawGridAndAxes(QPainter &painter, const Frame &f, int ceiling, int yStep)
{
    painter.setPen(chartPen(Qt::gray, 1.0, Qt::DashLine));
    for (int value = yStep; value <= ceiling; value += yStep) {
        const qreal y = f.bottom - value * f.height() / ceiling;
        painter.drawLine(QPointF(f.left, y), QPointF(f.right, y));
    }
    // One line per wavelength of the table, when they are far enough apart to tell.
    const int xStep = f.width() / gridColumns >= 6 ? 10 : 50;
    for (int nm = firstWavelength + xStep; nm <= firstWavelength + wavelengthRange; nm += xStep)
        painter.drawLine(QPointF(f.xOf(nm), f.top), QPointF(f.xOf(nm), f.bottom));

    painter.setPen(chartPen(Qt::black, 2.0));
    painter.drawLine(QPointF(f.left, f.bottom), QPointF(f.right, f.bottom));
    painter.drawLine(QPointF(f.left, f.bottom), QPointF(f.left, f.top));
}

void drawScales(QPainter &painter, const Frame &f, const QFontMetricsF &metrics, int ceiling, int yStep)
{
    painter.setPen(chartPen(Qt::black, 2.0));
    const qreal labelWidth = metrics.horizontalAdvance(QStringLiteral("700"));
    const int xStep = tickStep(wavelengthRange, f.width(), labelWidth + f.line, {10, 20, 50, 100, 150, 300});
    for (int nm = firstWavelength; nm <= firstWavelength + wavelengthRange; nm += xStep) {
        const QRectF box(f.xOf(nm) - labelWidth, f.bottom + 2, 2 * labelWidth, f.line);
        painter.drawText(box, Qt::AlignCenter, QString::number(nm));
    }
    painter.drawText(QRectF(f.left, f.bottom + 1.2 * f.line, f.width(), 1.3 * f.line), Qt::AlignCenter,
                     trChart("Wavelength(nm)"));
    for (int value = 0; value <= ceiling; value += yStep) {
        const qreal y = f.bottom - value * f.height() / ceiling;
        const QRectF box(f.left - f.scaleWidth, y - f.line / 2, f.scaleWidth - f.line / 4, f.line);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
    }
}

void drawVerticalTitle(QPainter &painter, const Frame &f, const QString &title)
{
    if (title.isEmpty())
        return;
    const QPointF centre(f.left - f.scaleWidth - 0.75 * f.line, (f.top + f.bottom) / 2);
    painter.save();
    painter.translate(centre);
    painter.rotate(270);
    painter.drawText(QRectF(-f.height(), -f.line / 2, 2 * f.height(), f.line), Qt::AlignCenter, title);
    painter.restore();
}

void drawCurves(QPainter &painter, const Frame &f, const QList<SpectralRecord> &records, int ceiling)
{
    QPolygonF line(SpectralRecord::valueCount);
    for (int i = 0; i < SpectralRecord::valueCount; ++i)
        line[i].setX(f.left + i * f.width() / gridColumns);
    const qreal scale = f.height() / ceiling;
    for (int k = 0; k < records.size(); ++k) {
        const SpectralRecord &record = records[k];
        if (!record.visible)
            continue;
        for (int i = 0; i < SpectralRecord::valueCount; ++i)
            line[i].setY(f.bottom - record.values[i] * scale);
        painter.setPen(chartPen(curveColour(k), 2.0));
        painter.drawPolyline(line);
    }
}

void drawLegend(QPainter &painter, const Frame &f, const QFontMetricsF &metrics, const QList<int> &shown,
                const QStringList &names)
{
    const qreal rowHeight = 1.2 * f.line;
    const int room = std::max(1, int((f.bottom - f.top) / rowHeight));
    // When the rows run out the last one says how many curves it leaves out.
    const int listed = shown.size() <= room ? int(shown.size()) : room - 1;
    const qreal swatch = 1.5 * f.line;
    const qreal textWidth = f.legendWidth - swatch - f.line / 2;
    for (int i = 0; i < listed; ++i) {
        const qreal y = f.top + i * rowHeight + rowHeight / 2;
        painter.setPen(chartPen(curveColour(shown[i]), 3.0));
        painter.drawLine(QPointF(f.legendLeft, y), QPointF(f.legendLeft + swatch - f.line / 2, y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(f.legendLeft + swatch, y - f.line / 2, textWidth, f.line),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(names.value(i), Qt::ElideRight, textWidth));
    }
    if (listed < shown.size()) {
        painter.setPen(Qt::black);
        const QString more = trChart("and %1 more").arg(shown.size() - listed);
        painter.drawText(QRectF(f.legendLeft, f.top + listed * rowHeight, f.legendWidth, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(more, Qt::ElideRight, f.legendWidth));
    }
}

} // namespace

int ceilingFor(const QList<SpectralRecord> &records)
{
    double largest = 0;
    for (const SpectralRecord &record : records) {
        if (record.visible)
            largest = std::max(largest, *std::max_element(record.values.begin(), record.values.end()));
    }
    if (largest > 120)
        return 240;
    return largest > 60 ? 120 : 60;
}

QColor curveColour(int k)
{
    return QColor(k % 100, (100 * k) % 256, (200 * k) % 256);
}

void paint(QPainter &painter, const QRectF &area, const QList<SpectralRecord> &records, const QStringList &names,
           int deviceType)
{
    const QFontMetricsF metrics(painter.font());
    const QList<int> shown = visibleRecords(records);
    QStringList legendNames;
    for (int k : shown)
        legendNames.append(names.value(k));
    const QString title = verticalTitle(deviceType);
    const Frame frame = frameFor(area, metrics, legendNames, !title.isEmpty());
    if (frame.width() < 4 * frame.line || frame.height() < 2 * frame.line)
        return; // no room for a readable chart
    const int ceiling = ceilingFor(records);
    // Scale labels at least two text lines apart.
    const int yStep = tickStep(ceiling, frame.height(), 2 * frame.line, {5, 10, 20, 30, 40, 60, 80, 120, 240});
    painter.setRenderHint(QPainter::Antialiasing);
    drawGridAndAxes(painter, frame, ceiling, yStep);
    drawCurves(painter, frame, records, ceiling);
    drawScales(painter, frame, metrics, ceiling, yStep);
    drawVerticalTitle(painter, frame, title);
    drawLegend(painter, frame, metrics, shown, legendNames);
}

} // namespace SpectralChart
