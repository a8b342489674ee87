// The instrument's stored comparison records and spectra, read in blocks through both sessions.
#include "SessionRig.h"

#include "FrameBytes.h"
#include "SimMemoryMap.h"

#include <QRegularExpression>

namespace {

using namespace RecordColumn;

void storeComparisonCount(SimulatedInstrument &sim, int kind, quint16 count)
{
    sim.writeMemory(SimMemoryMap::comparisonCountAddress(kind, sim.profile().deviceType), le16(count));
}


// Both regions in blocks of at most 256 bytes; progress announced with 0, then each block's index.
TEST(Download, BothRegionsAreReadInBlocks)
{
    const struct
    {
        bool spectral;
        const char *profile;
        int kind;
        int count;
        const char *lastName; // every fourth stored name is empty
        QList<SimRequest> reads;
    } cases[] = {
        {false, "tq310", ResultYxy, 10, "S-010", {{0x680000, 240}, {0x6C0000, 160}}},
        {false, "tq310", ResultHaze, 3, "S-003", {{0x480000, 12}, {0x4C0000, 48}}},
        {false, "tq310", ResultLab, 2, "S-002", {{0x580000, 24}, {0x5C0000, 32}}},
        {false, "tq310", ResultLCh, 11, "S-011", {{0x600000, 256}, {0x600100, 8}, {0x640000, 176}}},
        {false, "tq320", ResultLab, 64, "", {{0x580000, 256}, {0x580100, 256}, {0x580200, 256}, {0x5C0000, 256},
                                             {0x5C0100, 256}, {0x5C0200, 256}, {0x5C0300, 256}}},
        {true, "tq310", 0, 4, "spec1", {{0x020000, 256}, {0x021900, 64}}},
        {true, "tq320", 3, 5, "SP-005", {{0x140000, 256}, {0x140100, 64}, {0x141900, 80}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.count);
        SessionRig rig(profileNamed(c.profile, c.kind));
        rig.connect();
        rig.sim.preload(c.spectral ? 0 : c.count, c.spectral ? c.count : 0);
        rig.sim.clearRequestLog();
        QList<int> reported;
        const Progress progress = [&](int done, int total) {
            reported << done;
            EXPECT_EQ(total, c.reads.size());
            return true;
        };
        EXPECT_EQ(shown(c.spectral ? rig.spectral.downloadHistory(progress) : rig.session.downloadRecords(progress)), "");
        EXPECT_EQ(simRequests(rig.sim, 0x40, SimMemoryMap::BlockSpaceStart), c.reads);
        QList<int> expected{0};
        for (int block = 0; block < c.reads.size(); ++block)
            expected << block;
        EXPECT_EQ(reported, expected);
        const QAbstractItemModel &model = c.spectral ? static_cast<QAbstractItemModel &>(rig.spectral.records())
                                                     : rig.session.records();
        const int last = model.rowCount() - 1; // the spectral list has its heading row
        EXPECT_EQ(last + !c.spectral, c.count);
        EXPECT_EQ(model.index(last, 0).data().toString(), QString::number(c.count));
        EXPECT_EQ(model.index(last, 1).data().toString(), QLatin1String(c.lastName));
        EXPECT_TRUE(rig.lockIsFree());
    }
}

// Stored words decode by sign and scale; names end at 13 bytes; the page's tolerances judge.
TEST(Download, StoredRecordsAndSpectraAreDecodedJudgedAndCounted)
{
    SessionRig rig;
    rig.sim.setTolerance(50, 100, 15);
    rig.connect();
    // Standard haze 0xFFFF reads 655.35; the second record differs by exactly its tolerances.
    rig.sim.writeMemory(0x400000, QByteArray::fromHex("ffff2823ffff2823e8032823") + QByteArray::fromHex("1a04c422e80328231b042823"));
    rig.sim.writeMemory(0x440000, QByteArray("ABCDEFGHIJKLMNOP") + QByteArray(16, '\0') + QByteArray("x\0yz", 4));
    storeComparisonCount(rig.sim, ResultHazeT, 3);
    EXPECT_EQ(shown(rig.session.downloadRecords({})), "");
    ASSERT_EQ(rig.session.records().count(), 3);
    EXPECT_EQ((QStringList{rig.text(0, Name), rig.text(1, Name), rig.text(2, Name), rig.text(0, StandardFirst),
                           rig.text(0, DeltaHaze), rig.text(1, DeltaHaze), rig.text(1, DeltaTransmittance)}),
              (QStringList{"ABCDEFGHIJKLM", "", "x", "655.35%", "0.00%", "0.50%", "-1.00%"}));
    EXPECT_EQ(rig.text(1, Result) + rig.text(2, Result), QStringLiteral("PASSNG")) << "a tolerance reached passes";
    EXPECT_EQ((QStringList{rig.text(1, HazeTolerance), rig.text(1, Threshold), rig.text(1, Model), rig.text(1, SerialNumber)}),
              (QStringList{"±0.50%", "1.5", "TQ310", "23100017"}));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d  \\d\\d:\\d\\d$")).match(rig.text(2, Time)).hasMatch());
    EXPECT_EQ(countsOf(rig.session.counters()), (std::array{1u, 2u, 3u}));
    rig.session.downloadRecords({});
    EXPECT_EQ(rig.text(5, Number), QStringLiteral("6")) << "a second download continues the numbers";

    // Spectra: signed hundredths, and a name of all 16 bytes or, empty, the next default one.
    SimSpectrum ramp;
    for (int i = 0; i < 31; ++i)
        ramp[i] = i - 3;
    ramp[5] = -0.01; // stored as 0xFFFF
    rig.sim.addSpectrum(ramp, QByteArray("ABCDEFGHIJKLMNOP"));
    rig.sim.addSpectrum(ramp, QByteArray());
    rig.spectral.downloadHistory({});
    const SpectralRecordModel &spectra = rig.spectral.records();
    ASSERT_EQ(spectra.count(), 2);
    EXPECT_EQ((std::array{spectra.records()[0].values[5], spectra.records()[0].values[30]}), (std::array{-0.01, 27.0}));
    EXPECT_EQ(spectra.name(0) + spectra.name(1), QStringLiteral("ABCDEFGHIJKLMNOPspec1"));

    // Colour kinds are judged with ΔE*ab, whatever formula the instrument holds.
    SessionRig type1(profileNamed("tq320", ResultLab));
    type1.sim.setDeltaEParam(DeltaE00, 15);
    type1.connect();
    type1.sim.writeMemory(0x580000, QByteArray::fromHex("ffff640000002b0164009001"));
    storeComparisonCount(type1.sim, ResultLab, 1);
    type1.session.downloadRecords({});
    EXPECT_EQ((QStringList{type1.text(0, StandardFirst + Quantity::L), type1.text(0, DeltaE), type1.text(0, Result)}),
              (QStringList{"-0.01", "5.00", "NG"})) << "3-4-5 in L* and b*";
}

TEST(Download, FailuresSayWhyAndAddNothing)
{
    const char *const count = "Error / Failed to read the number of color difference records!";
    const char *const spectraCount = "Error / Failed to read the number of spectral records!";
    const char *const noKind = "Error / Choose one display parameter before reading the comparison records.";
    const auto fault = [](SimFault f) { return [f](SessionRig &r) { r.sim.injectFault(f); }; };
    const auto unplugAfter = [](int n) { return [n](SessionRig &r) { r.sim.unplugAfterRequests(n); }; };
    const struct { bool spectral; std::function<void(SessionRig &)> arrange; const char *said; } cases[] = {
        {false, fault(SimFault::BadDataCheck), "Error / difference history data error, unable to export!"},
        {false, fault(SimFault::WrongEcho), count},
        {false, [](auto &r) { storeComparisonCount(r.sim, ResultLCh, 0); }, "Info / No comparison record!"},
        {false, [](auto &r) { storeComparisonCount(r.sim, ResultLCh, 10923); },
         "Error / The instrument reports 10923 comparison records, more than its memory holds (10922); nothing was read."},
        {false, [](auto &r) { r.session.state().judgement.resultKinds.fill(false); }, noKind},
        {false, [](auto &r) { r.session.state().judgement.resultKinds[ResultHaze] = true; }, noKind},
        // Pulled as the request of a value block, or of the names after the values, arrives.
        {false, unplugAfter(1), "Error / Reading difference recording lab data failed!"},
        {false, unplugAfter(3), "Error / Failed to read color difference record name data!"},
        {true, fault(SimFault::BadDataCheck), "Error / Spectral history data error, unable to export!"},
        {true, fault(SimFault::WrongEcho), spectraCount},
        {true, [](auto &r) { r.sim.writeMemory(SimMemoryMap::spectraCountAddress(0), le16(0)); }, "Info / No spectral history!"},
        {true, [](auto &r) { r.sim.writeMemory(SimMemoryMap::spectraCountAddress(0), le16(101)); },
         "Error / The instrument reports 101 spectral records, more than its memory holds (100); nothing was read."},
        {true, unplugAfter(1), "Error / Reading spectral recording data failed!"},
        {true, unplugAfter(3), "Error / Failed to read spectral record name data!"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.said);
        SessionRig rig(profileNamed("tq310", ResultLCh));
        rig.connect();
        rig.sim.preload(12, 5); // LCh values: two blocks, names one; spectra: two and one
        c.arrange(rig);
        EXPECT_EQ(shown(c.spectral ? rig.spectral.downloadHistory({}) : rig.session.downloadRecords({})), c.said);
        EXPECT_EQ(rig.session.records().count() + rig.spectral.records().count() + int(rig.session.counters().total()), 0);
        EXPECT_TRUE(rig.lockIsFree());
    }
}

// A false answer after any block ends the download there; nothing is added; a later one completes.
TEST(Download, CancelAfterAnyBlock)
{
    SessionRig rig(profileNamed("tq310", ResultYxy));
    rig.connect();
    rig.sim.preload(30, 20); // Yxy: 3 value blocks and 2 name blocks; spectra: 5 and 2
    for (const bool spectral : {false, true}) {
        const int blocks = spectral ? 7 : 5;
        for (const int step : {0, blocks / 2, blocks - 1}) {
            rig.sim.clearRequestLog();
            int reported = -1;
            const Progress cancelAfterStep = [&](int, int) { return ++reported <= step; };
            EXPECT_EQ(shown(spectral ? rig.spectral.downloadHistory(cancelAfterStep) : rig.session.downloadRecords(cancelAfterStep)),
                      "Info / Download cancelled; nothing was added.");
            EXPECT_EQ(simRequests(rig.sim, 0x40, SimMemoryMap::BlockSpaceStart).size(), step + 1) << spectral << " " << step;
            EXPECT_EQ(rig.session.records().count() + rig.spectral.records().count(), 0);
            EXPECT_TRUE(rig.lockIsFree());
        }
    }
    rig.session.downloadRecords({});
    rig.spectral.downloadHistory({});
    EXPECT_EQ(rig.session.records().count() + rig.spectral.records().count(), 50);

    // Thousands of records are judged in steps that report too; Cancel there adds nothing either.
    SessionRig many(profileNamed("tq310", ResultYxy));
    many.connect();
    many.sim.preload(2500, 0);
    QList<std::pair<int, int>> judging;
    const Progress cancelWhileJudging = [&](int done, int total) {
        if (total == 3)
            judging.append({done, total});
        return judging.size() < 2;
    };
    EXPECT_EQ(shown(many.session.downloadRecords(cancelWhileJudging)), "Info / Download cancelled; nothing was added.");
    EXPECT_EQ(judging, (QList<std::pair<int, int>>{{0, 3}, {1, 3}}));
    EXPECT_EQ(many.session.records().count() + int(many.session.counters().total()), 0);
}

} // namespace
