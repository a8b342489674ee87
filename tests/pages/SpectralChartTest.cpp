// The chart painted into an image and read back at the pixels that matter.
#include "SpectralChart.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr int W = 1000;
constexpr int H = 500;
// The plot frame of a chart filling the whole image.
constexpr double left = 0.2 * W, plotWidth = 0.6 * W, bottom = 0.8 * H, plotHeight = 0.6 * H;

SpectralRecord flat(double value, bool visible = true)
{
    SpectralRecord record;
    record.values.fill(value);
    record.visible = visible;
    return record;
}

QImage render(const QList<SpectralRecord> &records, int deviceType = 0)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    SpectralChart::paint(painter, QRectF(0, 0, W, H), records, deviceType);
    return image;
}

// Between two wavelength grid lines, where only a flat curve can colour the pixel.
QColor curvePixel(const QImage &image, double value, int ceiling)
{
    const double x = left + 5.5 * plotWidth / 30;
    const double y = bottom - value * plotHeight / ceiling;
    return image.pixelColor(int(x), int(y));
}

bool hasInk(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).lightness() < 128)
                return true;
        }
    }
    return false;
}

TEST(SpectralChart, CurveColoursByRecordIndex)
{
    struct Case
    {
        int k;
        QColor colour;
    };
    for (const Case c : {Case{0, QColor(0, 0, 0)}, Case{1, QColor(1, 100, 200)}, Case{2, QColor(2, 200, 144)},
                         Case{100, QColor(0, 16, 32)}})
        EXPECT_EQ(SpectralChart::curveColour(c.k), c.colour) << c.k;
}

TEST(SpectralChart, CeilingFromVisibleRecordsOnly)
{
    struct Case
    {
        QList<SpectralRecord> records;
        int ceiling;
    };
    const Case cases[] = {
        {{}, 60},
        {{flat(60.0)}, 60},
        {{flat(60.01)}, 120},
        {{flat(120.0)}, 120},
        {{flat(120.01)}, 240},
        {{flat(10), flat(300, false)}, 60},
        {{flat(130), flat(70)}, 240},
        {{flat(-5)}, 60},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SpectralChart::ceilingFor(c.records), c.ceiling);
}

TEST(SpectralChart, CurvesDrawnAtTheirValueAndColour)
{
    const QImage image = render({flat(30), flat(45)});
    EXPECT_EQ(curvePixel(image, 45, 60), QColor(1, 100, 200));
    EXPECT_EQ(curvePixel(image, 30, 60), QColor(0, 0, 0));
    // A value of 100 raises the ceiling to 120 and moves the others down.
    const QImage raised = render({flat(30), flat(45), flat(100)});
    EXPECT_EQ(curvePixel(raised, 45, 120), QColor(1, 100, 200));
    EXPECT_EQ(curvePixel(raised, 100, 120), QColor(2, 200, 144));
    EXPECT_NE(curvePixel(raised, 45, 60), QColor(1, 100, 200));
}

TEST(SpectralChart, HiddenCurveIsAbsentAndOthersKeepTheirColour)
{
    const QImage image = render({flat(33, false), flat(45), flat(200, false)});
    EXPECT_EQ(curvePixel(image, 33, 60), QColor(Qt::white));
    EXPECT_EQ(curvePixel(image, 45, 60), QColor(1, 100, 200)) << "ceiling stays 60, colour by index";
}

TEST(SpectralChart, VerticalTitleOnlyForKnownDeviceTypes)
{
    // The title's rotated text stands around x = 0.175 W, left of the scale labels.
    const QRect titleArea(int(0.16 * W), int(0.35 * H), int(0.02 * W), int(0.3 * H));
    EXPECT_TRUE(hasInk(render({}, 0), titleArea));
    EXPECT_TRUE(hasInk(render({}, 2), titleArea));
    EXPECT_FALSE(hasInk(render({}, 3), titleArea));
    // Axes are drawn black along the frame; the grid in gray between them.
    const QImage empty = render({});
    EXPECT_EQ(empty.pixelColor(int(left + plotWidth / 2 + 3), int(bottom)), QColor(Qt::black));
    EXPECT_EQ(empty.pixelColor(int(left), int(bottom - plotHeight / 2 + 3)), QColor(Qt::black));
    EXPECT_TRUE(hasInk(empty, QRect(int(0.45 * W), int(0.9 * H), int(0.1 * W), int(0.1 * H) - 1)))
        << "wavelength axis title";
}

} // namespace
