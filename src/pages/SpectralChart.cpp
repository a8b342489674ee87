#include "SpectralChart.h"

#include "DeviceProfile.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace SpectralChart {
namespace {

constexpr int gridRows = 12;
constexpr int gridColumns = SpectralRecord::valueCount - 1;

QString trChart(const char *text)
{
    return QCoreApplication::translate("MeterPageFor310", text);
}

QPen chartPen(const QColor &colour, qreal width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(QBrush(colour), width, style, Qt::SquareCap, Qt::BevelJoin);
}

struct Frame
{
    explicit Frame(const QRectF &area)
        : x(area.x()), y(area.y()), w(area.width()), h(area.height()),
          left(x + 2 * w / 10), right(x + 8 * w / 10), top(y + 2 * h / 10), bottom(y + 8 * h / 10),
          plotWidth(6 * w / 10), plotHeight(6 * h / 10)
    {
    }
    qreal x, y, w, h, left, right, top, bottom, plotWidth, plotHeight;
};

void drawGrid(QPainter &painter, const Frame &f)
{
    painter.setPen(chartPen(Qt::gray, 1.0, Qt::DashLine));
    for (int i = 0; i < gridRows; ++i) {
        const qreal y = f.top + i * f.plotHeight / gridRows;
        painter.drawLine(QPointF(f.left, y), QPointF(f.right, y));
    }
    for (int j = 0; j <= gridColumns; ++j) {
        const qreal x = f.left + j * f.plotWidth / gridColumns;
        painter.drawLine(QPointF(x, f.top), QPointF(x, f.bottom));
    }
}

void drawAxesAndWavelengths(QPainter &painter, const Frame &f)
{
    painter.setPen(chartPen(Qt::black, 2.0));
    painter.drawLine(QPointF(f.left, f.bottom), QPointF(f.right, f.bottom));
    painter.drawLine(QPointF(f.left, f.bottom), QPointF(f.left, f.top));

    const qreal labelHeight = f.h / 10;
    painter.drawText(QRectF(f.left, f.bottom, f.w / 10, labelHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("400"));
    // Each label's rectangle is 2W/10 wide, so the text is centred on its wavelength line.
    for (int step = 1; step <= 6; ++step) {
        const QRectF box(f.x + (step + 1) * f.w / 10, f.bottom, 2 * f.w / 10, labelHeight);
        painter.drawText(box, Qt::AlignCenter, QString::number(400 + 50 * step));
    }
    painter.drawText(QRectF(f.x, f.y + 9 * f.h / 10, f.w, f.h / 10), Qt::AlignCenter, trChart("Wavelength(nm)"));
}

void drawCurves(QPainter &painter, const Frame &f, const QList<SpectralRecord> &records, int ceiling)
{
    QPolygonF line(SpectralRecord::valueCount);
    for (int i = 0; i < SpectralRecord::valueCount; ++i)
        line[i].setX(f.left + i * f.plotWidth / gridColumns);
    const qreal scale = f.plotHeight / ceiling;
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

void drawScale(QPainter &painter, const Frame &f, int ceiling)
{
    painter.setPen(chartPen(Qt::black, 2.0));
    const qreal sixth = f.plotHeight / 6;
    const QRectF lower(f.x + f.w / 10, f.top + sixth, f.w / 10, 5 * sixth);
    painter.drawText(lower, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
    painter.drawText(lower, Qt::AlignRight | Qt::AlignTop, QString::number(ceiling * 5 / 6));
    painter.drawText(QRectF(f.x + f.w / 10, f.top, f.w / 10, 2 * sixth), Qt::AlignRight | Qt::AlignTop,
                     QString::number(ceiling));
}

QString verticalTitle(int deviceType)
{
    const DeviceProfile *profile = deviceProfile(deviceType);
    return profile ? trChart(profile->axisTitle) : QString();
}

void drawVerticalTitle(QPainter &painter, const Frame &f, int deviceType)
{
    const QString title = verticalTitle(deviceType);
    if (title.isEmpty())
        return;
    const QRectF box(f.x + f.w / 8, f.y, f.w / 10, f.h);
    const QPointF centre = box.center();
    painter.save();
    painter.translate(centre);
    painter.rotate(270);
    painter.translate(-centre);
    painter.drawText(box, Qt::AlignCenter, title);
    painter.restore();
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

void paint(QPainter &painter, const QRectF &area, const QList<SpectralRecord> &records, int deviceType)
{
    const Frame frame(area);
    const int ceiling = ceilingFor(records);
    drawGrid(painter, frame);
    drawAxesAndWavelengths(painter, frame);
    drawCurves(painter, frame, records, ceiling);
    drawScale(painter, frame, ceiling);
    drawVerticalTitle(painter, frame, deviceType);
}

} // namespace SpectralChart
