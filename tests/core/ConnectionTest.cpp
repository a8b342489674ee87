// What the comparison session reads on connection and every setting as the instrument receives it.
#include "SessionRig.h"

#include <optional>

namespace {

using Texts = std::vector<std::string>;
const char *const ReadSuccessful = "Information / Read successful!";
const char *const ToleranceFailed = "Error / Failed to Read Tolerance information!";
const char *const DisplayParamFailed = "Error / Failed to read DisplayParam!";

TEST(Connection, FailuresSayWhatFailed)
{
    SimProfile unknownMeter;
    unknownMeter.meterNumber = 999;
    const auto unplugAfter = [](int n) { return [n](SimulatedInstrument &s) { s.unplugAfterRequests(n); }; };
    const auto none = [](SimulatedInstrument &) {};
    const struct
    {
        const char *name;
        SimProfile profile;
        std::function<void(SimulatedInstrument &)> fault;
        Texts said;
        bool firmwareKnown;
    } cases[] = {
        {"info refused", {}, [](SimulatedInstrument &s) { s.injectFault(SimFault::WrongEcho); },
         {"Warn / Read key infomation fail!", ReadSuccessful}, false},
        // The older command is the second request of a legacy meter.
        {"fallback fails", profileNamed("legacy"), unplugAfter(1), {"Error / Failed to read device information!", ToleranceFailed}, false},
        {"version fails", {}, unplugAfter(1),
         {"提示 / 读取软件版本写端口失败！", "Error / Failed to read software version number!", ToleranceFailed}, false},
        {"unknown meter", unknownMeter, none, {"Error / Read MeterNo Fail!", ReadSuccessful}, false},
        {"Yxy on type 1", profileNamed("tq320", ResultYxy), none, {DisplayParamFailed}, true},
        {"LCh on type 2", profileNamed("tq320e", ResultLCh), none, {DisplayParamFailed}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SessionRig rig(c.profile);
        c.fault(rig.sim);
        EXPECT_EQ(shown(rig.session.readDeviceSettings()), c.said);
        EXPECT_EQ(rig.session.state().firmwareKnown, c.firmwareKnown);
        EXPECT_TRUE(rig.lockIsFree());
    }
}

TEST(Tolerance, SentAsRoundedWireValuesOrTheFirstFieldOutOfRangeIsNamedFailuresKeepIt)
{
    const char *const setUp = "Information / Setup successfully!";
    const char *const haze = "information / Haze Tolerance must between 0-100!";
    const char *const t = "information / Transmittance  Tolerance must between 0-100!";
    const char *const threshold = "information / Thresholds must between 0.1-50!";
    const struct
    {
        const char *haze, *t, *threshold, *said;
        std::optional<std::array<int, 3>> wire; // empty: nothing is sent
    } cases[] = {
        // Bounds are accepted; 0.29 and 0.7 are rounded, not truncated to 28 and 6.
        {"0.29", "100", "0.7", setUp, std::array{29, 10000, 7}}, {" 0 ", "0", "0.1", setUp, std::array{0, 0, 1}},
        {"100", "1", "50", setUp, std::array{10000, 100, 500}},  {"100.01", "1", "1", haze, {}},
        {"-0.01", "1", "1", haze, {}}, {"", "1", "1", haze, {}}, {"abc", "1", "1", haze, {}},
        {"200", "1", "0", haze, {}}, {"1", "100.5", "1", t, {}}, {"1", " ", "1", t, {}},
        {"1", "1", "0.09", threshold, {}}, {"1", "1", "50.01", threshold, {}}, {"1", "1", "nan", threshold, {}},
    };
    SessionRig rig;
    rig.connect();
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.haze) + "|" + c.t + "|" + c.threshold);
        const auto before = rig.sim.tolerance();
        rig.sim.clearRequestLog();
        EXPECT_EQ(shown(rig.session.setTolerance(c.haze, c.t, c.threshold)), c.said);
        const std::array<int, 3> wire = c.wire.value_or(before);
        EXPECT_EQ(rig.sim.tolerance(), wire);
        EXPECT_EQ(rig.sim.requestLog().size(), c.wire ? 1 : 0);
        const JudgementSettings &judgement = rig.session.state().judgement;
        EXPECT_EQ((std::array{judgement.hazeTolerance, judgement.transmittanceTolerance, judgement.workingThreshold}),
                  (std::array{wire[0] / 100.0, wire[1] / 100.0, wire[2] / 10.0}));
    }
    // A failed write or read keeps the settings, last set to 100, and the link.
    rig.sim.injectFault(SimFault::WrongEcho);
    EXPECT_EQ(shown(rig.session.setTolerance("9", "1", "1")), "Error / Failed to Setup  Tolerance information!");
    EXPECT_DOUBLE_EQ(rig.session.state().judgement.hazeTolerance, 100);
    rig.sim.setTolerance(70, 100, 10);
    rig.sim.injectFault(SimFault::BadDataCheck);
    EXPECT_EQ(shown(rig.session.readTolerance()), ToleranceFailed);
    EXPECT_DOUBLE_EQ(rig.session.state().judgement.hazeTolerance, 100);
    EXPECT_TRUE(rig.lockIsFree());
}

TEST(DeltaEParameter, WrittenOrRefusedInTheLanguageOfThePageAFailedReadSaysSo)
{
    const char *const range = "information / Thresholds must between 0.1—50!";
    const struct
    {
        const char *profile;
        const char *threshold;
        bool chinese;
        SimFault fault;
        const char *said;
        bool sent;
        std::array<int, 2> instrument; // formula and threshold it holds afterwards
    } cases[] = {
        {"tq320e", "0.7", false, SimFault::None, "", true, {DeltaE94, 7}},
        {"tq320", " 2.5", false, SimFault::None, "", true, {DeltaE94, 25}},
        {"tq320", "50", false, SimFault::None, "", true, {DeltaE94, 500}},
        {"tq320", "0.09", false, SimFault::None, range, false, {0, 10}},
        {"tq320", "", false, SimFault::None, range, false, {0, 10}},
        {"tq320", "50.1", true, SimFault::None, "提示 / 阀值必须介于0.1-50之间！", false, {0, 10}},
        // A mangled reply: the instrument took it, the user is told it failed.
        {"tq320", "5", false, SimFault::WrongEcho, "Error / Failed to write △E parameter information!", true, {DeltaE94, 50}},
        {"tq320", "5", true, SimFault::WrongEcho, "错误 / 写入△E参数信息失败！", true, {DeltaE94, 50}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.profile) + " " + c.threshold);
        SessionRig rig(profileNamed(c.profile));
        rig.connect();
        rig.session.setLanguageFlag(c.chinese ? 1 : 0);
        rig.sim.injectFault(c.fault);
        EXPECT_EQ(shown(rig.session.writeDeltaEParameter(DeltaE94, c.threshold)), c.said);
        EXPECT_EQ(rig.sim.requestLog().size(), c.sent ? 1 : 0);
        EXPECT_EQ((std::array{rig.sim.deltaEFormula(), rig.sim.deltaEThreshold()}), c.instrument);
        EXPECT_TRUE(rig.lockIsFree());
    }
    SessionRig rig(profileNamed("tq320"));
    rig.connect();
    rig.sim.injectFault(SimFault::BadFrameCheck);
    EXPECT_EQ(shown(rig.session.readDeltaEParameter()), "Error / Failed to read △E parameter information!");
}

TEST(DisplayParameter, WrittenKindEmptiesThePageAFailureKeepsBoth)
{
    const struct
    {
        const char *profile;
        int kind;
        SimFault fault;
        bool written;
        int instrument; // a mangled reply does not undo the write
    } cases[] = {{"tq310", ResultLab, SimFault::None, true, ResultLab},
                 {"tq310", ResultHaze, SimFault::WrongEcho, false, ResultHaze},
                 // The instrument refuses a kind its type cannot measure.
                 {"tq320", ResultYxy, SimFault::None, false, ResultLab}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        SessionRig rig(profileNamed(c.profile));
        rig.connect();
        const int before = rig.session.state().resultKind();
        rig.measure(MeasureStandard, rig.sim.latestMeasurement());
        rig.measure(MeasureSample, rig.sim.latestMeasurement());
        rig.sim.clearRequestLog();
        rig.sim.injectFault(c.fault);
        EXPECT_EQ(shown(rig.session.setDisplayParameter(c.kind)),
                  c.written ? "" : "Error / Failed to Setup  DisplayParam information!");
        EXPECT_EQ(simWrites(rig.sim), QList<QByteArray>{QByteArray(1, char(c.kind))});
        EXPECT_EQ(rig.sim.displayParam(), c.instrument);
        EXPECT_EQ(rig.session.state().resultKind(), c.written ? c.kind : before);
        EXPECT_EQ(rig.session.records().count(), c.written ? 0 : 1);
        EXPECT_EQ(rig.session.pair().sample[Quantity::Haze].has_value(), !c.written);
    }
}

TEST(NoInstrument, EveryInstrumentOperationAsksForIt)
{
    const char *const notConnected = "Error / Please connect the device first!";
    SessionRig rig(profileNamed("tq320"));
    rig.connect();
    rig.disconnect();
    ComparisonSession &s = rig.session;
    const std::function<Outcome()> operations[] = {
        [&] { return s.measure(MeasureStandard); },
        [&] { return s.readTolerance(); },
        [&] { return s.setTolerance("1", "1", "1"); },
        [&] { return s.readDeltaEParameter(); },
        [&] { return s.writeDeltaEParameter(0, "1"); },
        [&] { return s.setDisplayParameter(ResultLab); },
        [&] { return s.downloadRecords({}); },
        [&] { return s.uploadColourCards(QStringLiteral(LUMIVEX_SOURCE_DIR "/data/StdColor.xlsx"), {}); },
        [&] { return rig.spectral.downloadHistory({}); },
    };
    for (const auto &operation : operations)
        EXPECT_EQ(shown(operation()), notConnected);
    EXPECT_EQ(shown(s.readDeviceSettings()), Texts{notConnected});
    EXPECT_EQ(shown(rig.spectral.measure()), "Error / Failed to read data information!");
    EXPECT_TRUE(rig.sim.requestLog().isEmpty());
}

} // namespace
