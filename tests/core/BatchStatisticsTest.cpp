// SPDX-License-Identifier: Apache-2.0
// Batch statistics and the trend chart's model, checked against figures worked out here.
#include "BatchStatistics.h"
#include "SessionRig.h"
#include "TrendChart.h"


namespace {

using R = RecordResult;

struct Sample
{
    double deltaE;
    R result;
    double deltaL = 0;
};

// Records whose ΔE, ΔHaze (= ΔE / 10) and ΔL* are the given values.
void fill(ComparisonRecordModel &model, const std::vector<Sample> &samples)
{
    for (const Sample &s : samples) {
        RecordFields f = fieldsOf(QStringLiteral("样品%1").arg(model.count() + 1), 10, 10 + s.deltaE / 10, s.result);
        f.sample.values[Quantity::L] = f.standard.values[Quantity::L] + s.deltaL;
        f.sample.values[Quantity::LchL] += 2 * s.deltaL; // the L*C*h lightness is a column of its own
        f.deltaE = s.deltaE;
        model.append(ComparisonRecord::fromFields(f));
    }
}

TEST(BatchStatistics, CountsRateMeanSpreadAndExtremes)
{
    const struct
    {
        const char *what;
        std::vector<Sample> records;
        QList<int> rows;
        int passed, failed;
        double rate;
        int count; // of the ΔE values the figures are over
        double mean, deviation, minimum, maximum;
        int minimumRow, maximumRow;
    } cases[] = {
        {"one record", {{1.25, R::Pass}}, {}, 1, 0, 100, 1, 1.25, 0, 1.25, 1.25, 0, 0},
        {"all NG", {{2.5, R::Ng}, {3.75, R::Ng}, {3.0, R::Ng}}, {}, 0, 3, 0, 3, 37.0 / 12, 0.6291528696, 2.5, 3.75, 0, 1},
        {"equal values: the first holds both", {{0.5, R::Pass}, {0.5, R::Ng}, {0.5, R::Pass}}, {}, 2, 1, 200.0 / 3, 3,
         0.5, 0, 0.5, 0.5, 0, 0},
        {"an unknown result is counted, not judged", {{0.5, R::Pass}, {1.5, R::Unknown}, {3.0, R::Ng}, {2.0, R::Pass}},
         {}, 2, 1, 200.0 / 3, 4, 1.75, 1.0408329997, 0.5, 3.0, 0, 2},
        {"selected rows", {{0.5, R::Pass}, {1.5, R::Ng}, {3.0, R::Ng}, {2.25, R::Pass}}, {1, 3, 9}, 1, 1, 50, 2, 1.875,
         0.5303300859, 1.5, 2.25, 1, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ComparisonRecordModel model;
        fill(model, c.records);
        const BatchStatistics s = BatchStatistics::of(model, ResultLab, c.rows);
        EXPECT_EQ((std::array{s.count, s.passed, s.failed}), (std::array{c.count, c.passed, c.failed}));
        EXPECT_NEAR(s.passRate, c.rate, 1e-9);
        ASSERT_EQ(s.quantities.size(), 4);
        const QuantitySummary &e = s.quantities[0];
        EXPECT_EQ(e.quantity.name, std::string("△E"));
        EXPECT_NEAR(e.mean, c.mean, 1e-9);
        EXPECT_NEAR(e.standardDeviation, c.deviation, 1e-9); // the sample deviation, over n - 1
        EXPECT_DOUBLE_EQ(e.minimum, c.minimum);
        EXPECT_DOUBLE_EQ(e.maximum, c.maximum);
        EXPECT_EQ((std::array{e.minimumRow, e.maximumRow}), (std::array{c.minimumRow, c.maximumRow}));
    }
}

TEST(BatchStatistics, EachResultKindSummarisesTheDifferencesItShows)
{
    ComparisonRecordModel model;
    fill(model, {{1.0, R::Pass, 0.5}, {2.0, R::Ng, 1.5}});
    const struct
    {
        int kind;
        QStringList names;
        double firstMean; // of the first quantity listed
        double secondMean;
    } cases[] = {
        {ResultHazeT, {"△Haze", "△Transmittance"}, 0.15, 0},
        {ResultHaze, {"△Haze"}, 0.15, 0},
        {ResultLab, {"△E", "△L*", "△a*", "△b*"}, 1.5, 1.0},
        {ResultLCh, {"△E", "△L*", "△C*", "△h"}, 1.5, 2.0},
        {ResultYxy, {"△E", "△Y", "△x", "△y"}, 1.5, 0},
        {-1, {}, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        const BatchStatistics s = BatchStatistics::of(model, c.kind);
        QStringList names;
        for (const QuantitySummary &q : s.quantities)
            names << QString::fromUtf8(q.quantity.name);
        EXPECT_EQ(names, c.names);
        if (s.quantities.size() >= 2) {
            EXPECT_NEAR(s.quantities[0].mean, c.firstMean, 1e-9);
            EXPECT_NEAR(s.quantities[1].mean, c.secondMean, 1e-9);
        }
    }
    EXPECT_EQ(BatchStatistics::of(ComparisonRecordModel(), ResultLab).quantities[0].minimumRow, -1);
}

TEST(TrendChart, PointsLimitsNgMarksAndPicking)
{
    ComparisonRecordModel model;
    fill(model, {{1.0, R::Pass}, {3.0, R::Ng}, {2.0, R::Pass}, {0.5, R::Pass}});
    JudgementSettings settings;
    settings.hazeTolerance = 0.25;
    settings.transmittanceTolerance = 1.0;
    settings.workingThreshold = 2.0;
    const QRectF area(0, 0, 500, 300);

    const TrendChart colour = TrendChart::of(model, ResultLab, settings);
    ASSERT_EQ(colour.series().size(), 1); // ΔE alone against the threshold
    ASSERT_EQ(colour.limits().size(), 1);
    EXPECT_DOUBLE_EQ(colour.limits()[0].value, 2.0);
    EXPECT_EQ((QList<bool>{colour.isNg(0), colour.isNg(1), colour.isNg(2), colour.isNg(3)}),
              (QList<bool>{false, true, false, false}));
    // List order from left to right, evenly spaced, inside the plot frame; higher values higher up.
    const QRectF frame = TrendChart::plotFrame(area);
    QList<QPointF> points;
    for (int row = 0; row < 4; ++row) {
        points << colour.point(area, 0, row);
        EXPECT_TRUE(frame.contains(points[row])) << row;
    }
    EXPECT_NEAR(points[2].x() - points[1].x(), points[1].x() - points[0].x(), 1e-9);
    EXPECT_LT(points[1].y(), points[2].y());
    EXPECT_NEAR(points[2].y(), colour.limitY(area, 0), 1e-9); // ΔE equal to the threshold sits on its line
    EXPECT_LE(colour.low(), 0);
    EXPECT_GE(colour.high(), 3.0);

    // A click on a point, or near it, picks that record; empty room picks none.
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(colour.rowAt(area, points[row] + QPointF(3, -2)), row);
    EXPECT_EQ(colour.rowAt(area, QPointF(points[0].x(), frame.top())), -1);
    EXPECT_EQ(TrendChart::of(ComparisonRecordModel(), ResultLab, settings).rowAt(area, points[0]), -1);

    // Haze and transmittance: both differences, each between its ± tolerance lines.
    const TrendChart hazeT = TrendChart::of(model, ResultHazeT, settings);
    ASSERT_EQ(hazeT.series().size(), 2);
    QList<double> limits;
    for (const TrendChart::Limit &limit : hazeT.limits())
        limits << limit.value;
    EXPECT_EQ(limits, (QList<double>{0.25, -0.25, 1.0, -1.0}));
    EXPECT_NEAR(hazeT.series()[0].values[1], 0.3, 1e-9);
    EXPECT_LE(hazeT.low(), -1.0);
}

} // namespace
