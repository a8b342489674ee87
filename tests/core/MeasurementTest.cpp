// Fetched and pushed results: the pair, its judgement, the records and counters they make.
#include "SessionRig.h"

#include <QElapsedTimer>

namespace {

using namespace Quantity;

// The quantities each result kind's block carries.
const QList<int> KindQuantities[ResultKindCount] = {{Haze, Transmittance}, {Haze}, {Transmittance},
                                                    {L, A, B},              {LchL, C, H}, {Y, X, SmallY}};


// The values the wire can carry: 2 decimals, h 1, x and y 4.
void expectColumn(const ComparisonPair::Column &column, const SimMeasurement &m, int kind)
{
    for (int q : KindQuantities[kind]) {
        ASSERT_TRUE(column[q].has_value()) << "quantity " << q;
        const double step = q == H ? 0.1 : (q == X || q == SmallY) ? 0.0001 : 0.01;
        EXPECT_NEAR(*column[q], m.values[q], step / 2 + 1e-9) << "quantity " << q;
    }
}

struct FlowCase
{
    const char *profile;
    int kind;
    quint32 resultBlock; // the result read's block: 0x20 + kind, or 0 for the combined block
    std::vector<std::string> said; // on connection
};

using DeviceFlow = ::testing::TestWithParam<FlowCase>;

// Identity, kind and settings read on connection, then a pair fetched, judged and recorded.
TEST_P(DeviceFlow, ConnectsThenFetchesAPair)
{
    const FlowCase &c = GetParam();
    SessionRig rig(profileNamed(c.profile, c.kind));
    rig.sim.setTolerance(150, 275, 35);
    rig.sim.setDeltaEParam(DeltaE00, 12);
    EXPECT_EQ(shown(rig.connect()), c.said);
    const SimProfile profile = rig.sim.profile();
    const ComparisonPageState &state = rig.session.state();
    EXPECT_EQ((QStringList{state.serialNumber, state.modelName}), (QStringList{QString::number(profile.serialNumber), profile.model}));
    EXPECT_EQ((std::array{int(state.firmwareKnown), state.firmwareVersion, state.judgement.deviceType, state.resultKind()}),
              (std::array{1, profile.firmwareVersion, profile.deviceType, c.kind}));
    const JudgementSettings &j = state.judgement;
    if (profile.deviceType == 0)
        EXPECT_EQ((std::array{j.hazeTolerance, j.transmittanceTolerance, j.workingThreshold}), (std::array{1.5, 2.75, 3.5}));
    else
        EXPECT_EQ((std::array{double(j.formula), j.parameterThreshold, j.workingThreshold}), (std::array{5.0, 1.2, 1.2}));

    // A failed fetch leaves the column empty and the link usable.
    const ComparisonPair &pair = rig.session.pair();
    rig.sim.injectFault(SimFault::BadFrameCheck);
    EXPECT_EQ(shown(rig.measure(MeasureStandard, Standard)), "Error / Failed to read measurement data!");
    EXPECT_FALSE(pair.standard[KindQuantities[c.kind][0]].has_value() || state.standardMeasured);
    EXPECT_TRUE(rig.lockIsFree());

    EXPECT_EQ(shown(rig.measure(MeasureStandard, Standard)), "");
    expectColumn(pair.standard, Standard, c.kind);
    EXPECT_EQ(pair.standardSwatch, (std::array{Standard.red, Standard.green, Standard.blue}));
    EXPECT_EQ(rig.session.records().count(), 0) << "only a pair is judged";
    EXPECT_EQ(shown(rig.measure(MeasureSample, Sample)), "");
    expectColumn(pair.sample, Sample, c.kind);
    EXPECT_EQ(pair.sampleSwatch, (std::array{Sample.red, Sample.green, Sample.blue}));
    EXPECT_EQ(pair.highlightedButton, int(MeasureSample));
    for (int q : KindQuantities[c.kind])
        EXPECT_NEAR(*pair.differences[q], *pair.sample[q] - *pair.standard[q], 1e-9);
    const SimRequest read{c.resultBlock, c.resultBlock ? 0x18 : 0x36};
    EXPECT_EQ(simRequests(rig.sim, 0x44), (QList<SimRequest>{read, read, read}));
    ASSERT_EQ(rig.session.records().count(), 1);
    ASSERT_TRUE(pair.pass.has_value());
    using namespace RecordColumn;
    EXPECT_EQ((QStringList{rig.text(0, Number), rig.text(0, Name), rig.text(0, Model), rig.text(0, SerialNumber),
                           rig.text(0, Result)}),
              (QStringList{"1", "Comp1", profile.model, QString::number(profile.serialNumber), *pair.pass ? "PASS" : "NG"}));
    EXPECT_TRUE(rig.lockIsFree());

    // The instrument's key: its result fills the column of the mode and is judged again.
    rig.sim.setNextMeasurement(Standard);
    rig.sim.pressMeasureKey();
    ASSERT_TRUE(waitFor([&] { return rig.session.records().count() == 2; }));
    expectColumn(pair.sample, Standard, c.kind);
    EXPECT_EQ(rig.text(1, Name), QStringLiteral("Comp2"));
    EXPECT_EQ(rig.session.counters().total(), 2u);
}

const std::vector<std::string> ReadSuccessful{"Information / Read successful!"};

INSTANTIATE_TEST_SUITE_P(DeviceTypesAndKinds, DeviceFlow,
                         ::testing::Values(FlowCase{"tq310", ResultHazeT, 0x20, ReadSuccessful},
                                           FlowCase{"tq310", ResultLab, 0x23, ReadSuccessful},
                                           FlowCase{"tq310", ResultHaze, 0x21, ReadSuccessful},
                                           // Older meters do not know the device-information command.
                                           FlowCase{"legacy", ResultYxy, 0x25, ReadSuccessful},
                                           FlowCase{"tq320", ResultLCh, 0, {}}, FlowCase{"tq320e", ResultLab, 0, {}}));

// ---- judgement

TEST(Judgement, PairRecordAndCountersAgreeAtTheBounds)
{
    const struct { const char *profile; int kind; SimMeasurement sample; bool pass; int formulaInForce; } cases[] = {
        // A difference equal to its tolerance passes; a little more fails.
        {"tq310", ResultHazeT, measured(1.20, 90.50, 60, 30, 30), true, DeltaEab},
        {"tq310", ResultHazeT, measured(1.21, 90.00, 50, 10, -5), false, DeltaEab},
        {"tq310", ResultLab, measured(9, 9, 50, 13, -5), true, DeltaEab},
        // Type 1 judges with the instrument's formula, type 2 with ΔE*ab whatever it holds.
        {"tq320", ResultLab, measured(1, 90, 51, 11, -6), true, DeltaE00},
        {"tq320e", ResultLab, measured(1, 90, 52, 12, -7), false, DeltaEab},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.profile) + " " + std::to_string(c.sample.values[SimLStar]));
        SessionRig rig(profileNamed(c.profile, c.kind));
        rig.sim.setTolerance(20, 50, 30); // ±0.20 %, ±0.50 %, ΔE 3.0
        rig.sim.setDeltaEParam(DeltaE00, 30);
        rig.connect();
        rig.measure(MeasureStandard, Standard);
        rig.measure(MeasureSample, c.sample);
        EXPECT_EQ(rig.session.pair().pass, c.pass);
        EXPECT_EQ(rig.text(0, RecordColumn::Result), QLatin1String(c.pass ? "PASS" : "NG"));
        EXPECT_EQ(countsOf(rig.session.counters()), (std::array{c.pass ? 0u : 1u, c.pass ? 1u : 0u, 1u}));
        if (c.kind >= ResultLab) {
            const Lab sample{c.sample.values[SimLStar], c.sample.values[SimAStar], c.sample.values[SimBStar]};
            EXPECT_NEAR(*rig.session.pair().deltaE, colorDifference(c.formulaInForce, Lab{50, 10, -5}, sample), 0.01);
            EXPECT_EQ(rig.text(0, RecordColumn::DeltaE), formatDeltaE(*rig.session.pair().deltaE));
            EXPECT_EQ(rig.text(0, RecordColumn::Threshold), QStringLiteral("3.0"));
        } else {
            EXPECT_EQ(rig.text(0, RecordColumn::HazeTolerance) + rig.text(0, RecordColumn::TransmittanceTolerance),
                      QStringLiteral("±0.20%±0.50%"));
        }
    }
}

TEST(Rejudging, NewToleranceOrDeltaEParameterJudgesThePairAndTheRecordsAgain)
{
    SessionRig rig;
    rig.sim.setTolerance(20, 50, 30);
    rig.connect();
    rig.measure(MeasureStandard, Standard);
    rig.measure(MeasureSample, measured(1.30, 90, 50, 10, -5));
    ASSERT_EQ(rig.session.pair().pass, false);
    rig.session.setTolerance("0.3", "0.5", "3");
    EXPECT_EQ(rig.session.pair().pass, true);
    EXPECT_EQ(rig.text(0, RecordColumn::Result) + rig.text(0, RecordColumn::HazeTolerance), QStringLiteral("PASS±0.30%"));
    EXPECT_EQ(countsOf(rig.session.counters()), (std::array{0u, 1u, 1u}));

    // A written ΔE parameter judges with its formula.
    SessionRig type1(profileNamed("tq320", ResultLab));
    type1.sim.setDeltaEParam(DeltaEab, 15);
    type1.connect();
    type1.measure(MeasureStandard, Standard);
    type1.measure(MeasureSample, measured(1, 90, 51, 11, -6)); // ΔE*ab 1.73, ΔE*00 about 1.1
    ASSERT_EQ(type1.text(0, RecordColumn::Result), QStringLiteral("NG"));
    ASSERT_EQ(shown(type1.session.writeDeltaEParameter(DeltaE00, "1.5")), "");
    type1.session.deltaEParameterWritten();
    EXPECT_EQ(type1.session.pair().pass, true);
    EXPECT_EQ(type1.text(0, RecordColumn::DeltaE), formatDeltaE(*type1.session.pair().deltaE));
    EXPECT_EQ(type1.text(0, RecordColumn::Result) + type1.text(0, RecordColumn::Threshold), QStringLiteral("PASS1.5"));
    EXPECT_EQ(type1.session.counters().qualified(), 1u);
}

// ---- pushed results

// The session joins a frame split across deliveries; only the last chunk completes a result.
TEST(PushedResult, SplitFrameIsJoinedAcrossDeliveries)
{
    SessionRig rig(profileNamed("tq310", ResultHaze));
    rig.connect();
    const QByteArray good = pushedFrame(Standard, ResultHaze);
    QByteArray damaged = good;
    damaged[33] = char(damaged[33] ^ 0x01);
    const QList<QByteArray> chunks{damaged + good.left(7), good.mid(7, 20), good.mid(27)};
    for (int i = 0; i < chunks.size(); ++i) {
        rig.session.receivePushed(chunks[i]);
        EXPECT_EQ(rig.session.pushedResultPending(), i == chunks.size() - 1) << "chunk " << i;
    }
    ASSERT_TRUE(waitFor([&] { return rig.session.state().standardMeasured; }));
    expectColumn(rig.session.pair().standard, Standard, ResultHaze);
    EXPECT_FALSE(rig.session.pushedResultPending());
}

TEST(PushedResult, TwoInOneChunkAreShownInOrderEachAfterThePause)
{
    SessionRig rig(profileNamed("tq320", ResultLab));
    rig.connect();
    rig.measure(MeasureStandard, Standard);
    rig.measure(MeasureSample, Standard);
    QElapsedTimer clock;
    QList<qint64> shownAt;
    QObject::connect(&rig.session.records(), &QAbstractItemModel::rowsInserted, [&] { shownAt.append(clock.elapsed()); });
    const SimMeasurement second = measured(1, 90, 47, 8, -3);
    clock.start();
    rig.session.receivePushed(pushedFrame(Sample) + pushedFrame(second));
    EXPECT_LT(clock.elapsed(), ComparisonSession::PushedResultPauseMs) << "the event loop is not held up";
    EXPECT_FALSE(rig.session.pair().sample[L].has_value()) << "the column waits empty";
    ASSERT_TRUE(waitFor([&] { return shownAt.size() == 2; }));
    EXPECT_GE(shownAt[0], ComparisonSession::PushedResultPauseMs);
    EXPECT_GE(shownAt[1] - shownAt[0], ComparisonSession::PushedResultPauseMs);
    EXPECT_EQ(rig.text(1, RecordColumn::SampleFirst + L), formatValue(L, Sample.values[SimLStar]));
    EXPECT_EQ(rig.text(2, RecordColumn::SampleFirst + L), formatValue(L, second.values[SimLStar]));
}

// ---- the instrument going away, and clearing the page

TEST(Clearing, DeviceGoneKeepsTheRecordsClearPageEmptiesEverything)
{
    SessionRig rig;
    rig.connect();
    rig.measure(MeasureStandard, Standard);
    rig.measure(MeasureSample, Sample);
    rig.session.receivePushed(pushedFrame(Sample, ResultHazeT));
    rig.session.deviceGone();
    EXPECT_EQ(rig.session.counters().total(), 2u) << "a result pushed before is still the user's measurement";
    const ComparisonPageState &state = rig.session.state();
    EXPECT_TRUE(state.serialNumber.isEmpty());
    EXPECT_FALSE(state.firmwareKnown || state.standardMeasured || state.sampleMeasured);
    EXPECT_EQ((std::array{state.judgement.hazeTolerance, state.judgement.transmittanceTolerance,
                          state.judgement.workingThreshold}),
              (std::array{-1.0, -1.0, -1.0}));
    const ComparisonPair &pair = rig.session.pair();
    EXPECT_FALSE(pair.sample[Haze] || pair.pass || rig.session.pushedResultPending());

    rig.measure(MeasureStandard, Standard);
    rig.session.receivePushed(pushedFrame(Sample, ResultHazeT));
    rig.session.clearPage();
    EXPECT_FALSE(rig.session.pushedResultPending()) << "a waiting result is dropped";
    EXPECT_FALSE(pair.standard[Haze] || pair.sample[Haze] || pair.differences[Haze] || pair.deltaE || pair.pass);
    EXPECT_FALSE(pair.standardSwatch || pair.sampleSwatch);
    EXPECT_EQ(pair.highlightedButton, int(MeasureStandard));
    EXPECT_EQ(rig.session.records().count() + int(rig.session.counters().total()), 0);
    // A new pair is needed, and its record starts the names again.
    rig.measure(MeasureSample, Sample);
    EXPECT_EQ(rig.session.records().count(), 0);
    rig.measure(MeasureStandard, Standard);
    EXPECT_EQ(rig.text(0, RecordColumn::Name), QStringLiteral("Comp1"));
}

} // namespace
