// Every command of the client's command set against the simulated instrument.
#include "DeviceCommands.h"
#include "PushedFrames.h"
#include "SimTestSupport.h"
#include "SimulatedLink.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <vector>

namespace {

// Wire extremes and negative a*, b*: 0xFFFF for haze, C*, h and x; 0x8000 for a*.
SimMeasurement extremes()
{
    SimMeasurement m;
    m.values = {655.35, 0.0, 45.67, -327.68, -12.5, 45.67, 655.35, 6553.5, 15.2, 6.5535, 0.3156};
    m.red = 255;
    m.green = 0;
    m.blue = 10;
    return m;
}

void expectCarried(const ResultValues &out, const QList<int> &carried)
{
    const SimMeasurement m = extremes();
    for (int i = 0; i < 11; ++i)
        EXPECT_DOUBLE_EQ(out.values[i], carried.contains(i) ? m.values[i] : 0.0) << "value " << i;
    EXPECT_EQ(out.red, 255);
    EXPECT_EQ(out.green, 0);
    EXPECT_EQ(out.blue, 10);
}

QByteArray cardRecord()
{
    return QByteArray("红") + QByteArray(13, '\0') + QByteArray("Deep") + QByteArray(12, '\0') + le16(12) + le16(7);
}

QByteArray streamBytes()
{
    QByteArray bytes(260, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + 1);
    return bytes;
}

using C = CDeviceCommands;

struct CommandCase
{
    const char *name;
    // Sets the instrument up, runs the command, checks what it decoded or stored; its result.
    int (*run)(C &c, SimulatedInstrument &sim, int deviceType);
    // The request frames the instrument must have received, before their frame checks.
    QList<QByteArray> (*requests)(int deviceType);
};

// Each result kind has its own reader, request and carried values.
int (C::*const resultReaders[])(ResultValues &) = {&C::readHazeTResult, &C::readHazeResult, &C::readTResult,
                                                   &C::readLabResult,   &C::readLChResult,  &C::readYxyResult};
const QList<int> carriedByKind[] = {{0, 1}, {0}, {1}, {2, 3, 4}, {2, 3, 4, 5, 6, 7}, {2, 3, 4, 8, 9, 10}};

template<int Kind>
int readResultOfKind(C &c, SimulatedInstrument &, int)
{
    ResultValues out;
    const int r = (c.*resultReaders[Kind])(out);
    expectCarried(out, carriedByKind[Kind]);
    return r;
}

template<int Kind>
QList<QByteArray> resultRequest(int)
{
    const char *requests[] = {"AB 44 20 00 00 00 18 00", "AB 44 21 00 00 00 18 00", "AB 44 22 00 00 00 18 00",
                              "AB 44 23 00 00 00 18 00", "AB 44 24 00 00 00 18 00", "AB 44 25 00 00 00 18 00"};
    return {hex(requests[Kind])};
}

// Kind k holds k + 1 records and the other kinds none, so a counter read at the wrong address shows.
template<int Kind>
int countOfKind(C &c, SimulatedInstrument &sim, int type)
{
    for (int k = 0; k <= Kind; ++k)
        sim.addComparisonRecord(Kind, extremes(), extremes(), "");
    int count = -1;
    const int r = c.readRecordCount(Kind, type, count);
    EXPECT_EQ(count, Kind + 1);
    return r;
}

// Lab and LCh counters and the spectral counter move for device types 1 and 2.
const char *byType(int deviceType, const char *typeZero, const char *typesOneTwo)
{
    return deviceType == 0 ? typeZero : typesOneTwo;
}

template<int Kind>
QList<QByteArray> countRequest(int type)
{
    const char *requests[][2] = {{"AB 40 00 12 00 00 04 00", "AB 40 00 12 00 00 04 00"},
                                 {"AB 40 04 12 00 00 04 00", "AB 40 04 12 00 00 04 00"},
                                 {"AB 40 08 12 00 00 04 00", "AB 40 08 12 00 00 04 00"},
                                 {"AB 40 0C 12 00 00 04 00", "AB 40 00 16 00 00 04 00"},
                                 {"AB 40 10 12 00 00 04 00", "AB 40 04 16 00 00 04 00"},
                                 {"AB 40 14 12 00 00 04 00", "AB 40 14 12 00 00 04 00"}};
    return {hex(byType(type, requests[Kind][0], requests[Kind][1]))};
}

const CommandCase commandCases[] = {
    {"readDeviceInfo",
     [](C &c, SimulatedInstrument &sim, int) {
         DeviceInfo info;
         const int r = c.readDeviceInfo(info);
         EXPECT_EQ(info.type, 0xA5);
         EXPECT_EQ(info.date, sim.profile().manufactured);
         EXPECT_EQ(info.serialNumber, sim.profile().serialNumber);
         EXPECT_EQ(info.meterNumber, sim.profile().meterNumber);
         return r;
     },
     [](int) { return QList{hex("AB 20 05 00 12 00 94 6B")}; }},
    {"readDeviceInfoOld",
     [](C &c, SimulatedInstrument &sim, int) {
         DeviceInfo info;
         const int r = c.readDeviceInfoOld(info);
         EXPECT_EQ(info.date, sim.profile().manufactured);
         EXPECT_EQ(info.serialNumber, sim.profile().serialNumber);
         EXPECT_EQ(info.meterNumber, sim.profile().meterNumber);
         return r;
     },
     [](int) { return QList{hex("AB 40 00 00 00 00 14 00")}; }},
    {"readSoftwareVersion",
     [](C &c, SimulatedInstrument &sim, int) {
         int version = 0;
         const int r = c.readSoftwareVersion(version);
         EXPECT_EQ(version, sim.profile().firmwareVersion);
         return r;
     },
     [](int) { return QList{hex("AB 20 0C 00 02 00")}; }},
    {"readDisplayParam",
     [](C &c, SimulatedInstrument &sim, int type) {
         sim.setDisplayParam(type == 2 ? 3 : 4);
         int kind = -1;
         const int r = c.readDisplayParam(kind);
         EXPECT_EQ(kind, type == 2 ? 3 : 4);
         return r;
     },
     [](int) { return QList{hex("AB 40 00 03 00 00 03 00")}; }},
    {"setDisplayParam",
     [](C &c, SimulatedInstrument &sim, int type) {
         const int r = c.setDisplayParam(type == 2 ? 3 : 4);
         EXPECT_EQ(sim.displayParam(), type == 2 ? 3 : 4);
         return r;
     },
     [](int type) { return QList{hex("AB 70 00 03 00 00 03 00") + withCheck(QByteArray(1, type == 2 ? 3 : 4))}; }},
    {"readTolerance",
     [](C &c, SimulatedInstrument &sim, int) {
         sim.setTolerance(0, 65535, 500);
         int h = -1, t = -1, e = -1;
         const int r = c.readTolerance(h, t, e);
         EXPECT_EQ(h, 0);
         EXPECT_EQ(t, 65535);
         EXPECT_EQ(e, 500);
         return r;
     },
     [](int) { return QList{hex("AB 40 0F 03 00 00 08 00")}; }},
    {"setTolerance",
     [](C &c, SimulatedInstrument &sim, int) {
         const int r = c.setTolerance(29, 10000, 7);
         EXPECT_EQ(sim.tolerance(), (std::array<int, 3>{29, 10000, 7}));
         return r;
     },
     [](int) { return QList{hex("AB 70 0F 03 00 00 08 00") + withCheck(hex("1D 00 10 27 07 00"))}; }},
    {"readDeltaEParam",
     [](C &c, SimulatedInstrument &sim, int) {
         sim.setDeltaEParam(5, 500);
         int formula = -1, threshold = -1;
         const int r = c.readDeltaEParam(formula, threshold);
         EXPECT_EQ(formula, 5);
         EXPECT_EQ(threshold, 500);
         return r;
     },
     [](int) { return QList{hex("AB 40 25 02 00 00 05 00")}; }},
    {"setDeltaEParam",
     [](C &c, SimulatedInstrument &sim, int) {
         const int r = c.setDeltaEParam(2, 1);
         EXPECT_EQ(sim.deltaEFormula(), 2);
         EXPECT_EQ(sim.deltaEThreshold(), 1);
         return r;
     },
     [](int) { return QList{hex("AB 70 25 02 00 00 05 00") + withCheck(hex("02 01 00"))}; }},
    {"readHazeTResult", readResultOfKind<0>, resultRequest<0>},
    {"readHazeResult", readResultOfKind<1>, resultRequest<1>},
    {"readTResult", readResultOfKind<2>, resultRequest<2>},
    {"readLabResult", readResultOfKind<3>, resultRequest<3>},
    {"readLChResult", readResultOfKind<4>, resultRequest<4>},
    {"readYxyResult", readResultOfKind<5>, resultRequest<5>},
    {"readMeasureData",
     [](C &c, SimulatedInstrument &, int) {
         std::array<int, 21> raw{};
         const int r = c.readMeasureData(raw);
         EXPECT_EQ(raw[1], -32768);
         EXPECT_EQ(raw[2], -1250);
         EXPECT_EQ(raw[7], 65535);
         expectCarried(valuesFromMeasureData(raw), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
         return r;
     },
     [](int) { return QList{hex("AB 44 00 00 00 00 36 00 18 64")}; }},
    {"readHazeTRecordCount", countOfKind<0>, countRequest<0>},
    {"readHazeRecordCount", countOfKind<1>, countRequest<1>},
    {"readTRecordCount", countOfKind<2>, countRequest<2>},
    {"readLabRecordCount", countOfKind<3>, countRequest<3>},
    {"readLChRecordCount", countOfKind<4>, countRequest<4>},
    {"readYxyRecordCount", countOfKind<5>, countRequest<5>},
    {"readSpectralRecordCount",
     [](C &c, SimulatedInstrument &sim, int type) {
         sim.preload(0, 9);
         int count = -1;
         const int r = c.readSpectralRecordCount(count, type);
         EXPECT_EQ(count, 9);
         return r;
     },
     [](int type) { return QList{hex(byType(type, "AB 40 20 10 00 00 08 00", "AB 40 10 14 00 00 08 00"))}; }},
    {"readBlockOfLabRecords",
     [](C &c, SimulatedInstrument &sim, int) {
         sim.addComparisonRecord(3, extremes(), SimMeasurement::fromHazeTLab(0, 0, -0.01, 1, 2), "S-001");
         QByteArray data("x");
         const int r = c.readBlock(0x580000, data, 12);
         EXPECT_EQ(data.toHex(' '), hex("78 D7 11 00 80 1E FB FF FF 64 00 C8 00").toHex(' '));
         return r;
     },
     [](int) { return QList{hex("AB 40 00 00 58 00 0C 00")}; }},
    {"readBlockOfSpectra",
     [](C &c, SimulatedInstrument &sim, int) {
         SimSpectrum values{};
         values[0] = -0.01;
         values[30] = 100;
         sim.addSpectrum(values, "SP-001");
         QByteArray data;
         const int r = c.readBlock(sim.profile().deviceType == 0 ? 0x020000 : 0x140000, data, 64);
         EXPECT_EQ(data.left(2), hex("FF FF"));
         EXPECT_EQ(data.mid(60, 2), le16(10000));
         return r;
     },
     [](int type) { return QList{hex(byType(type, "AB 40 00 00 02 00 40 00", "AB 40 00 00 14 00 40 00"))}; }},
    {"writeStdColorCount",
     [](C &c, SimulatedInstrument &sim, int) {
         const int r = c.writeStdColorCount(3, crc16Modbus(le16(3)));
         EXPECT_EQ(sim.colourCardCount(), 3);
         return r;
     },
     [](int) { return QList{hex("AB 70 00 2F 00 00 04 00") + withCheck(le16(3))}; }},
    {"writeStdColorInfo",
     [](C &c, SimulatedInstrument &sim, int) {
         const int r = c.writeStdColorInfo(0x2030, QStringLiteral("红"), QStringLiteral("Deep"), 12, 7,
                                                          crc16Modbus(cardRecord()));
         EXPECT_EQ(sim.colourCardRecord(1), cardRecord());
         return r;
     },
     [](int) { return QList{hex("AB 70 30 20 00 00 26 00") + withCheck(cardRecord())}; }},
    {"writeBlockStream",
     [](C &c, SimulatedInstrument &sim, int) {
         const QByteArray stream = streamBytes();
         EXPECT_EQ(c.writeBlock(0x40000, stream.left(256), 256), 266);
         EXPECT_GT(c.writeBlock(0x40100, stream.mid(256), 4), 0);
         const int r = c.writeBlock(0x40104, QByteArray(), 0);
         EXPECT_EQ(sim.colourStream(), stream);
         EXPECT_EQ(sim.bulkClosedAt(), 0x40104u);
         return r;
     },
     [](int) {
         return QList{hex("AB 74 00 00 04 00 00 01") + streamBytes().left(256),
                      hex("AB 74 00 01 04 00 04 00") + streamBytes().mid(256), hex("AB 74 04 01 04 00 00 00")};
     }},
    {"measureSpectrum",
     [](C &c, SimulatedInstrument &sim, int) {
         SimSpectrum values{};
         for (int i = 0; i < 31; ++i)
             values[i] = 40 + i * 0.5;
         values[30] = 655.35;
         sim.setNextSpectrum(values);
         std::array<double, 31> out{};
         const int r = c.measureSpectrum(out);
         for (int i = 0; i < 31; ++i)
             EXPECT_DOUBLE_EQ(out[i], values[i]) << i;
         return r;
     },
     [](int) { return QList{hex("AB 20 49 00 3E 00")}; }},
};

struct CommandParam
{
    CommandCase command;
    const char *profile;
};

void PrintTo(const CommandParam &p, std::ostream *os)
{
    *os << p.command.name << " on " << p.profile;
}

std::vector<CommandParam> everyCommandOnEveryType()
{
    std::vector<CommandParam> params;
    for (const CommandCase &command : commandCases)
        for (const char *profile : {"tq310", "tq320", "tq320e"})
            params.push_back({command, profile});
    return params;
}

class CommandSet : public ::testing::TestWithParam<CommandParam>
{
};

TEST_P(CommandSet, SendsTheRequestAndDecodesTheReply)
{
    const auto &[command, profile] = GetParam();
    SimulatedLink link(*SimProfile::byName(profile));
    ASSERT_TRUE(link.port.isDeviceOpen());
    link.sim.setNextMeasurement(extremes());
    const int type = link.sim.profile().deviceType;
    C c(link.link());

    EXPECT_EQ(command.run(c, link.sim, type), CmdOk);
    QList<QByteArray> expected;
    for (const QByteArray &request : command.requests(type))
        expected.append(withCheck(request).toHex(' '));
    QList<QByteArray> received;
    for (const QByteArray &request : link.sim.requestLog())
        received.append(request.toHex(' '));
    EXPECT_EQ(received, expected);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, CommandSet, ::testing::ValuesIn(everyCommandOnEveryType()), [](const auto &info) {
    return std::string(info.param.command.name) + "_" + info.param.profile;
});

// ---- failures

struct FailureCase
{
    const char *name;
    SimFault fault;
    int (*run)(C &c);
    int expected;
};

int readTolerance(C &c)
{
    int h = 0, t = 0, e = 0;
    return c.readTolerance(h, t, e);
}

int readHazeTCountUntouched(C &c)
{
    int count = -7;
    const int r = c.readHazeTRecordCount(count);
    if (r != CmdOk) {
        EXPECT_EQ(count, -7); // written only on success
    }
    return r;
}

int readBlock(C &c)
{
    QByteArray data;
    const int r = c.readBlock(0x400000, data, 256);
    EXPECT_EQ(data.size(), r == CmdOk ? 256 : 0);
    return r;
}

// Faults the client only meets by waiting out its time-out are mapped in the link tests.
const FailureCase failureCases[] = {
    {"badFrameCheck", SimFault::BadFrameCheck, readTolerance, CmdNoReply},
    // The comparison record counters do not test the frame check; their data check still holds.
    {"badFrameCheckOnACounter", SimFault::BadFrameCheck, readHazeTCountUntouched, CmdOk},
    {"badDataCheck", SimFault::BadDataCheck, readHazeTCountUntouched, CmdBadData},
    {"wrongEcho", SimFault::WrongEcho, readTolerance, CmdRefused},
    {"refusedWrite", SimFault::None, [](C &c) { return c.setDisplayParam(5); }, CmdRefused},
    {"refusedEmptyPacket", SimFault::None, [](C &c) { return c.writeBlock(0x40000, {}, 0); }, CmdRefused},
    {"garbageBeforeStart", SimFault::GarbageBeforeStart, readTolerance, CmdOk},
    {"splitReply", SimFault::SplitReply, readBlock, CmdOk},
    {"lateReply", SimFault::LateReply, readBlock, CmdOk},
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommandFailures : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(CommandFailures, MapToTheirCodesAndLeaveTheLinkUsable)
{
    SimulatedLink link(*SimProfile::byName("tq320")); // type 1 refuses display parameter 5
    C c(link.link());
    link.sim.setEmptyPacketAccepted(false);
    link.sim.injectFault(GetParam().fault, SimFaultScope::NextFrame, 300);
    EXPECT_EQ(GetParam().run(c), GetParam().expected);
    link.sim.setEmptyPacketAccepted(true);
    EXPECT_EQ(readTolerance(c), CmdOk);
    EXPECT_EQ(c.writeBlock(0x40000, {}, 0), CmdOk);
}

INSTANTIATE_TEST_SUITE_P(Faults, CommandFailures, ::testing::ValuesIn(failureCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The connection reads and a record download, with the instrument pulled before each step in turn
// (not sent), and once half-way through a reply (no reply, after the link's time-out).
TEST(CommandUnplug, AtEveryStepOfASeriesEndsCleanly)
{
    const QList<std::function<int(C &)>> series = {
        [](C &c) { DeviceInfo i; return c.readDeviceInfo(i); },
        [](C &c) { int v = 0; return c.readSoftwareVersion(v); },
        [](C &c) { int k = 0; return c.readDisplayParam(k); },
        readTolerance,
        readHazeTCountUntouched,
        readBlock,
        [](C &c) { QByteArray d; return c.readBlock(0x440000, d, 192); },
    };
    QList<std::pair<bool, int>> cases{{true, 5}};
    for (int step = 0; step <= series.size(); ++step)
        cases.append({false, step});
    for (const auto &[midReply, step] : cases) {
        SCOPED_TRACE(testing::Message() << "step " << step << (midReply ? " mid-reply" : " before"));
        SimulatedLink link;
        link.sim.preload(12, 0);
        QList<bool> presence;
        link.sim.setPresenceCallback([&](bool plugged) { presence.append(plugged); });
        const auto instrument = link.link();
        instrument->startWorker();
        if (!midReply)
            link.sim.unplugAfterRequests(step);

        QElapsedTimer clock;
        clock.start();
        int done = 0;
        {
            LinkLock lock(instrument);
            C c(*instrument);
            for (const auto &command : series) {
                if (midReply && done == step)
                    link.sim.injectFault(SimFault::UnplugMidReply);
                const int r = command(c);
                if (r != CmdOk) {
                    EXPECT_EQ(r, midReply ? CmdNoReply : CmdNotSent);
                    EXPECT_EQ(command(c), CmdNotSent);
                    break;
                }
                ++done;
            }
        }
        instrument->stopWorker();
        EXPECT_FALSE(instrument->workerRunning());
        EXPECT_EQ(done, step);
        EXPECT_EQ(instrument->isRemoved(), step < series.size());
        EXPECT_EQ(presence, step < series.size() ? QList<bool>{false} : QList<bool>{});
        if (!midReply)
            EXPECT_LT(clock.elapsed(), 2000);
    }
}

// ---- pushed results

struct PushCase
{
    const char *profile;
    int displayParam;
    const char *header;
    QList<int> carried;
};

void PrintTo(const PushCase &p, std::ostream *os)
{
    *os << p.profile;
}

class PushedResults : public ::testing::TestWithParam<PushCase>
{
};

// Per-kind frames on the older firmware, combined ones on the newer, parsed as the comparison page takes them.
TEST_P(PushedResults, ReachTheCurrentLinksSenddataWhole)
{
    const PushCase &p = GetParam();
    SimulatedLink link(*SimProfile::byName(p.profile));
    link.sim.setDisplayParam(p.displayParam);
    link.sim.setNextMeasurement(extremes());
    QSignalSpy spy(&link.port, &LinkPort::senddata);
    link.link()->startWorker();
    link.sim.pressMeasureKey();

    const bool perKind = link.sim.pushedResultForm() == SimResultForm::PerKind;
    QByteArray pushed, buffer;
    ResultValues values;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        for (; !spy.isEmpty(); spy.removeFirst())
            pushed += spy.first().first().toByteArray();
        buffer = pushed;
        return takePushedResult(buffer, perKind, p.displayParam, values);
    }, 2000));
    link.link()->stopWorker();
    EXPECT_EQ(pushed.left(8).toHex(' '), hex(p.header).toHex(' '));
    EXPECT_EQ(pushed.size(), perKind ? 34 : 64);
    EXPECT_TRUE(buffer.isEmpty());
    expectCarried(values, p.carried);
}

const QList<int> everyValue{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

INSTANTIATE_TEST_SUITE_P(Forms, PushedResults,
                         ::testing::Values(PushCase{"tq310", 4, "AB 44 24 00 00 00 18 00", {2, 3, 4, 5, 6, 7}},
                                           PushCase{"legacy", 1, "AB 44 21 00 00 00 18 00", {0}},
                                           PushCase{"tq320", 4, "AB 44 00 00 00 00 36 00", everyValue},
                                           PushCase{"tq320e", 3, "AB 44 00 00 00 00 36 00", everyValue}),
                         [](const auto &info) { return std::string(info.param.profile); });

} // namespace
