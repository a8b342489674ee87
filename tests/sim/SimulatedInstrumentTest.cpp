// The simulator against frames built by hand from the instrument's byte layouts. What the client
// makes of its replies, writes and faults is in CommandSetTest.
#include "SimMemoryMap.h"
#include "SimTestSupport.h"
#include "SimulatedInstrument.h"

#include <gtest/gtest.h>

namespace {

SimMeasurement knownMeasurement()
{
    SimMeasurement m;
    m.values = {1.23, 88.5, 45.67, -2.34, -12.5, 45.67, 12.72, 259.4, 15.2, 0.3012, 0.3156};
    std::tie(m.red, m.green, m.blue) = std::tuple(255, 0, 10);
    return m;
}

// An instrument of the given profile with one transport open on it.
struct OpenSim
{
    explicit OpenSim(const char *profile = "") : sim(*SimProfile::byName(profile)), transport(sim.makeTransport())
    {
        transport->open(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId);
    }
    QByteArray exchange(const QByteArray &frameWithoutCheck) { return ::exchange(*transport, frameWithoutCheck); }

    SimulatedInstrument sim;
    std::unique_ptr<ReportTransport> transport;
};

class SimFixture : public ::testing::Test, public OpenSim
{
};

const QByteArray versionRequest = hex("AB 20 0C 00 02 00");

// ---- replies byte for byte

struct ReplyCase
{
    const char *name, *request, *reply; // before their frame checks
};

const ReplyCase replyCases[] = {
    {"softwareVersion", "AB 20 0C 00 02 00", "AB 20 0C 00 02 00 69 00"},
    {"deviceInfo", "AB 20 05 00 12 00 94 6B", "AB 20 05 00 12 00 A5 00 E7 07 05 11 71 7A 60 01 F0 BA 04 00 01 00 00 00"},
    {"deviceInfoOld", "AB 40 00 00 00 00 14 00", "AB 40 00 00 00 00 14 00 : A5 00 E7 07 05 11 71 7A 60 01 F0 BA 04 00 01 00 00 00"},
    {"displayParam", "AB 40 00 03 00 00 03 00", "AB 40 00 03 00 00 03 00 : 00"},
    {"registerOfNoData", "AB 40 00 03 00 00 02 00", "AB 40 00 03 00 00 02 00 : "},
    {"tolerance", "AB 40 0F 03 00 00 08 00", "AB 40 0F 03 00 00 08 00 : 32 00 64 00 0A 00"},
    {"deltaEParam", "AB 40 25 02 00 00 05 00", "AB 40 25 02 00 00 05 00 : 00 0A 00"},
    {"hazeTRecordCount", "AB 40 00 12 00 00 04 00", "AB 40 00 12 00 00 04 00 : 02 00"},
    {"spectralRecordCount", "AB 40 20 10 00 00 08 00", "AB 40 20 10 00 00 08 00 : 00 00 03 00 00 00"},
    {"blockRead", "AB 40 00 00 40 00 08 00", "AB 40 00 00 40 00 08 00 7B 00 92 22 7B 00 92 22"},
    {"hazeTResult", "AB 44 20 00 00 00 18 00", "AB 44 20 00 00 00 18 00 : FF 00 0A 7B 00 92 22 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {"labResult", "AB 44 23 00 00 00 18 00", "AB 44 23 00 00 00 18 00 : FF 00 0A D7 11 16 FF 1E FB 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {"lchResult", "AB 44 24 00 00 00 18 00", "AB 44 24 00 00 00 18 00 : FF 00 0A D7 11 16 FF 1E FB D7 11 F8 04 22 0A 00 00 00 00 00 00 00"},
    {"yxyResult", "AB 44 25 00 00 00 18 00", "AB 44 25 00 00 00 18 00 : FF 00 0A D7 11 16 FF 1E FB F0 05 C4 0B 54 0C 00 00 00 00 00 00 00"},
    {"measureData", "AB 44 00 00 00 00 36 00 18 64",
     "AB 44 00 00 00 00 36 00 : D7 11 16 FF 1E FB 00 00 00 00 00 00 D7 11 F8 04 22 0A F0 05 C4 0B 54 0C 00 00 00 00 FF 00 0A"
     " 7B 00 92 22 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {"setDisplayParam", "AB 70 00 03 00 00 03 00 04 BE 83", "AB 70 00 03 00 00 03 00"},
    // A write whose data check is wrong is refused and stores nothing.
    {"writeWithBadDataCheck", "AB 70 0F 03 00 00 08 00 01 00 01 00 01 00 00 00", "AB F0 01 00 00 00 00 00"},
    {"emptyPacket", "AB 74 04 01 04 00 00 00", "AB 74 04 01 04 00 00 00"},
    {"unknownCommand", "AB 20 33 00 02 00", "AB C7 08 00 00 00"},
};

class SimReplies : public SimFixture, public ::testing::WithParamInterface<ReplyCase>
{
};

TEST_P(SimReplies, AnswerTheProtocolLayout)
{
    sim.setNextMeasurement(knownMeasurement());
    sim.addComparisonRecord(0, knownMeasurement(), knownMeasurement(), "A");
    sim.addComparisonRecord(0, knownMeasurement(), knownMeasurement(), "B");
    for (int k = 0; k < 3; ++k)
        sim.addSpectrum(SimSpectrum{}, "");
    EXPECT_EQ(exchange(hex(GetParam().request)).toHex(' '), frameOf(GetParam().reply).toHex(' '));
    EXPECT_EQ(sim.requestLog().constLast(), withCheck(hex(GetParam().request)));
    EXPECT_EQ(sim.tolerance(), (std::array<int, 3>{50, 100, 10}));
}

INSTANTIATE_TEST_SUITE_P(Frames, SimReplies, ::testing::ValuesIn(replyCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SimDisplayRules, AcceptOnlyTheKindsOfTheDeviceType)
{
    const std::pair<const char *, QList<int>> rules[] = {{"tq310", {0, 1, 2, 3, 4, 5}}, {"tq320", {3, 4}}, {"tq320e", {3}}};
    for (const auto &[profile, valid] : rules) {
        OpenSim s(profile);
        for (int kind = 0; kind <= 6; ++kind) {
            const bool accepted = valid.contains(kind);
            const QByteArray reply = s.exchange(hex("AB 70 00 03 00 00 03 00") + withCheck(QByteArray(1, char(kind))));
            EXPECT_EQ(reply[1], accepted ? char(0x70) : char(0xF0)) << profile << " " << kind;
            EXPECT_EQ(s.sim.displayParam() == kind, accepted) << profile << " " << kind;
        }
    }
}

TEST_F(SimFixture, ReassemblesSplitFramesAfterGarbageAndDropsFramesWithABadCheck)
{
    for (const QByteArray &r : asReports(hex("00 13") + versionRequest + hex("00 00")))
        transport->writeReport(r, 50);
    EXPECT_TRUE(drain(*transport).bytes.isEmpty());
    EXPECT_EQ(exchange(versionRequest), withCheck(versionRequest + hex("69 00")));
    send(*transport, hex("AB 40 0F 03 00 00 08 00"), 3);
    EXPECT_EQ(drain(*transport).bytes, registerReply("AB 40 0F 03 00 00 08 00", hex("32 00 64 00 0A 00")));
    EXPECT_EQ(sim.requestLog().size(), 3);
    EXPECT_TRUE(exchange(hex("AB 20 05 00 12 00 94 6C")).isEmpty()) << "the device-information header check counts";

    QByteArray malformed(64, '\0');
    malformed[0] = 0x3F;
    malformed[1] = char(63);
    EXPECT_EQ(transport->writeReport(malformed, 50), -1);
}

// ---- faults

QByteArray flipped(QByteArray bytes, int at)
{
    bytes[at < 0 ? bytes.size() + at : at] ^= 0x01;
    return bytes;
}

TEST_F(SimFixture, FaultsShapeTheNextFrameOnly)
{
    using Shape = QByteArray (*)(const QByteArray &good);
    // The fault, the reply it makes of a good one, and in how many reports.
    const std::tuple<SimFault, Shape, int> cases[] = {
        {SimFault::NoReply, [](const QByteArray &) { return QByteArray(); }, 0},
        {SimFault::BadFrameCheck, [](const QByteArray &g) { return flipped(g, -1); }, 1},
        {SimFault::BadDataCheck, [](const QByteArray &g) { return withCheck(flipped(g, 9).left(11)); }, 1},
        {SimFault::GarbageBeforeStart, [](const QByteArray &g) { return hex("00 13") + g; }, 1},
        {SimFault::SplitReply, [](const QByteArray &g) { return g; }, 5},
        {SimFault::WrongEcho, [](const QByteArray &g) { return withCheck(hex("AB 1A 5A 03 5A 00 59 00") + g.mid(8, 3)); }, 1},
        {SimFault::ShortReply, [](const QByteArray &g) { return g.left(9); }, 1},
        {SimFault::NotSupported, [](const QByteArray &) { return withCheck(hex("AB C7 08 00 00 00")); }, 1}};
    const QByteArray request = hex("AB 40 00 03 00 00 03 00");
    const QByteArray good = exchange(request);
    for (const auto &[fault, shape, reports] : cases) {
        sim.injectFault(fault);
        send(*transport, request);
        const Received got = drain(*transport);
        EXPECT_EQ(got.bytes.toHex(' '), shape(good).toHex(' ')) << int(fault);
        EXPECT_EQ(got.reports, reports) << int(fault);
        EXPECT_EQ(exchange(request), good) << int(fault);
    }
}

// ---- presence

TEST_F(SimFixture, UnplugEndsTheTransportAndPlugNeedsANewOpen)
{
    QList<bool> changes;
    sim.setPresenceCallback([&](bool plugged) { changes.append(plugged); });
    sim.unplugAfterRequests(1);
    EXPECT_FALSE(exchange(versionRequest).isEmpty());
    EXPECT_EQ(send(*transport, versionRequest), -1); // pulled as the second request arrives
    QByteArray report;
    EXPECT_FALSE(transport->isPresent());
    EXPECT_EQ(transport->readReport(report, 10), -1);
    EXPECT_FALSE(sim.makeTransport()->open(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));

    sim.plug();
    EXPECT_FALSE(transport->isPresent());
    EXPECT_FALSE(sim.makeTransport()->open(0x1234, SimulatedInstrument::ProductId));
    EXPECT_TRUE(transport->open(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
    sim.injectFault(SimFault::UnplugMidReply);
    send(*transport, hex("AB 40 00 00 40 00 00 01"));
    const Received got = drain(*transport, 10);
    EXPECT_EQ(got.bytes.size(), 266 / 2);
    EXPECT_EQ(got.lastResult, -1);
    EXPECT_EQ(changes, (QList<bool>{false, true, false}));
}

// ---- measurements, stored records and profiles

TEST(SimMeasurementTest, ReadsMeasureAfreshAndRepeatably)
{
    const QByteArray request = hex("AB 44 00 00 00 00 36 00 18 64");
    OpenSim one, twin;
    const QByteArray first = one.exchange(request);
    EXPECT_NE(one.exchange(request), first);
    EXPECT_EQ(twin.exchange(request), first);
}

TEST(SimMeasurementTest, DerivedValuesMatchPublishedOnes)
{
    // Mid grey: L* 50 is Y 18.42 at the D65 white point, sRGB 119.
    const SimMeasurement grey = SimMeasurement::fromHazeTLab(0, 0, 50, 0, 0);
    EXPECT_NEAR(grey.values[SimY], 18.42, 0.01);
    EXPECT_NEAR(grey.values[SimX], 0.3127, 0.0001);
    EXPECT_NEAR(grey.values[SimSmallY], 0.3290, 0.0001);
    EXPECT_EQ(std::tuple(grey.red, grey.green, grey.blue), std::tuple(119, 119, 119));
    const SimMeasurement m = SimMeasurement::fromHazeTLab(0, 0, 60, -30, -40);
    EXPECT_NEAR(m.values[SimC], 50, 1e-9);
    EXPECT_NEAR(m.values[SimH], 233.13, 0.01);
}

TEST(SimRecords, PreloadFillsEveryRegionAtItsAddress)
{
    SimulatedInstrument sim(*SimProfile::byName("tq320"));
    sim.preload(12, 8);
    EXPECT_EQ(sim.readMemory(0x1600, 2), le16(12)); // L*a*b* count of device types 1 and 2
    EXPECT_EQ(sim.readMemory(0x1604, 2), le16(12));
    EXPECT_EQ(sim.readMemory(0x1214, 2), le16(12));
    EXPECT_EQ(sim.readMemory(0x120C, 2), le16(0));
    EXPECT_EQ(sim.readMemory(0x440000 + 16, 16), QByteArray("S-002") + QByteArray(11, '\0'));
    EXPECT_EQ(sim.readMemory(0x6C0000 + 3 * 16, 16), QByteArray(16, '\0'));
    EXPECT_EQ(sim.readMemory(0x1412, 2), le16(8));
    EXPECT_EQ(sim.readMemory(0x141900 + 6 * 16, 7), QByteArray("SP-007\0", 7));
    // Spectra are packed at 62 bytes; the second starts right behind the first.
    const SimSpectrum second = simSpectrum(2, 0);
    EXPECT_EQ(sim.readMemory(0x140000 + 62, 2), le16(quint16(std::lround(second[0] * 100))));
    sim.preload(2, 0);
    EXPECT_EQ(sim.comparisonRecordCount(3), 2);
    EXPECT_EQ(sim.spectrumCount(), 0);

    for (int k = 0; k < SimMemoryMap::SpectrumCapacity; ++k)
        sim.addSpectrum(second, "x");
    EXPECT_FALSE(sim.addSpectrum(second, "x"));

    // 24-byte Yxy records run out of values region before the names region is full.
    const SimMeasurement m = SimMeasurement::fromHazeTLab(1, 90, 50, 1, 1);
    while (sim.addComparisonRecord(5, m, m, "y"))
        ;
    EXPECT_EQ(sim.comparisonRecordCount(5), 0x40000 / 24);
    EXPECT_EQ(sim.readMemory(0x6C0000 + 16 * (0x40000 / 24 - 1), 2), QByteArray("y\0", 2));
}

} // namespace
