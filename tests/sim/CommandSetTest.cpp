// Every command of the client's command set against the simulated instrument.
#include "DeviceCommands.h"
#include "SimTestSupport.h"
#include "SimulatedLink.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <functional>
#include <vector>

namespace {

using C = CDeviceCommands;
using Sim = SimulatedInstrument;

// Wire extremes and negative a*, b*: 0xFFFF for haze, C*, h and x; 0x8000 for a*.
SimMeasurement extremes()
{
    SimMeasurement m;
    m.values = {655.35, 0.0, 45.67, -327.68, -12.5, 45.67, 655.35, 6553.5, 15.2, 6.5535, 0.3156};
    std::tie(m.red, m.green, m.blue) = std::tuple(255, 0, 10);
    return m;
}

void expectCarried(const ResultValues &out, const QList<int> &carried)
{
    for (int i = 0; i < 11; ++i)
        EXPECT_DOUBLE_EQ(out.values[i], carried.contains(i) ? extremes().values[i] : 0.0) << "value " << i;
    EXPECT_EQ(std::tuple(out.red, out.green, out.blue), std::tuple(255, 0, 10));
}

int readInfo(C &c, Sim &sim, int (C::*read)(DeviceInfo &))
{
    DeviceInfo info;
    const int r = (c.*read)(info);
    EXPECT_EQ(std::tuple(info.type, info.date, info.serialNumber, info.meterNumber),
              std::tuple(0xA5, sim.profile().manufactured, sim.profile().serialNumber, sim.profile().meterNumber));
    return r;
}

QByteArray cardRecord()
{
    return QByteArray("红") + QByteArray(13, '\0') + QByteArray("Deep") + QByteArray(12, '\0') + le16(12) + le16(7);
}

struct CommandCase
{
    std::string name;
    // Sets the instrument up, runs the command, checks what it decoded or stored; its result.
    std::function<int(C &, Sim &, int deviceType)> run;
    std::string request, requestTypes12 = {}; // empty: the same for device types 1 and 2
};

// Each result kind has its own reader and carried values.
int (C::*const resultReaders[])(ResultValues &) = {&C::readHazeTResult, &C::readHazeResult, &C::readTResult,
                                                   &C::readLabResult,   &C::readLChResult,  &C::readYxyResult};
const QList<int> carriedByKind[] = {{0, 1}, {0}, {1}, {2, 3, 4}, {2, 3, 4, 5, 6, 7}, {2, 3, 4, 8, 9, 10}};
// Lab and LCh counters move for device types 1 and 2.
const char *countAddress[][2] = {{"00 12", "00 12"}, {"04 12", "04 12"}, {"08 12", "08 12"},
                                 {"0C 12", "00 16"}, {"10 12", "04 16"}, {"14 12", "14 12"}};

std::vector<CommandCase> commandCases()
{
    std::vector<CommandCase> cases = {
        {"readDeviceInfo", [](C &c, Sim &sim, int) { return readInfo(c, sim, &C::readDeviceInfo); }, "AB 20 05 00 12 00 94 6B"},
        {"readDeviceInfoOld", [](C &c, Sim &sim, int) { return readInfo(c, sim, &C::readDeviceInfoOld); }, "AB 40 00 00 00 00 14 00"},
        {"readSoftwareVersion", [](C &c, Sim &sim, int) {
             int v = 0; const int r = c.readSoftwareVersion(v); EXPECT_EQ(v, sim.profile().firmwareVersion); return r; },
         "AB 20 0C 00 02 00"},
        {"readDisplayParam", [](C &c, Sim &sim, int type) {
             sim.setDisplayParam(type == 2 ? 3 : 4);
             int k = -1; const int r = c.readDisplayParam(k); EXPECT_EQ(k, type == 2 ? 3 : 4); return r; },
         "AB 40 00 03 00 00 03 00"},
        {"setDisplayParam", [](C &c, Sim &sim, int) { const int r = c.setDisplayParam(3); EXPECT_EQ(sim.displayParam(), 3); return r; },
         "AB 70 00 03 00 00 03 00 : 03"},
        {"readTolerance", [](C &c, Sim &sim, int) {
             sim.setTolerance(0, 65535, 500);
             int h = -1, t = -1, e = -1; const int r = c.readTolerance(h, t, e);
             EXPECT_EQ(std::tuple(h, t, e), std::tuple(0, 65535, 500)); return r; },
         "AB 40 0F 03 00 00 08 00"},
        {"setTolerance", [](C &c, Sim &sim, int) {
             const int r = c.setTolerance(29, 10000, 7); EXPECT_EQ(sim.tolerance(), (std::array{29, 10000, 7})); return r; },
         "AB 70 0F 03 00 00 08 00 : 1D 00 10 27 07 00"},
        {"readDeltaEParam", [](C &c, Sim &sim, int) {
             sim.setDeltaEParam(5, 500);
             int f = -1, t = -1; const int r = c.readDeltaEParam(f, t); EXPECT_EQ(std::tuple(f, t), std::tuple(5, 500)); return r; },
         "AB 40 25 02 00 00 05 00"},
        {"setDeltaEParam", [](C &c, Sim &sim, int) {
             const int r = c.setDeltaEParam(2, 1);
             EXPECT_EQ(std::tuple(sim.deltaEFormula(), sim.deltaEThreshold()), std::tuple(2, 1)); return r; },
         "AB 70 25 02 00 00 05 00 : 02 01 00"},
        {"readMeasureData", [](C &c, Sim &, int) {
             std::array<int, 21> raw{}; const int r = c.readMeasureData(raw);
             EXPECT_EQ(std::tuple(raw[1], raw[2], raw[7]), std::tuple(-32768, -1250, 65535));
             expectCarried(valuesFromMeasureData(raw), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); return r; },
         "AB 44 00 00 00 00 36 00 18 64"},
        {"readSpectralRecordCount", [](C &c, Sim &sim, int type) {
             sim.preload(0, 9); int n = -1; const int r = c.readSpectralRecordCount(n, type); EXPECT_EQ(n, 9); return r; },
         "AB 40 20 10 00 00 08 00", "AB 40 10 14 00 00 08 00"},
        {"readBlockOfLabRecords", [](C &c, Sim &sim, int) {
             sim.addComparisonRecord(3, extremes(), SimMeasurement::fromHazeTLab(0, 0, -0.01, 1, 2), "S-001");
             QByteArray data("x"); const int r = c.readBlock(0x580000, data, 12);
             EXPECT_EQ(data.toHex(' '), hex("78 D7 11 00 80 1E FB FF FF 64 00 C8 00").toHex(' ')); return r; },
         "AB 40 00 00 58 00 0C 00"},
        {"readBlockOfSpectra", [](C &c, Sim &sim, int type) {
             SimSpectrum values{}; values[0] = -0.01; values[30] = 100; sim.addSpectrum(values, "SP-001");
             QByteArray data; const int r = c.readBlock(type == 0 ? 0x020000 : 0x140000, data, 64);
             EXPECT_EQ(data.left(2) + data.mid(60, 2), hex("FF FF") + le16(10000)); return r; },
         "AB 40 00 00 02 00 40 00", "AB 40 00 00 14 00 40 00"},
        {"writeStdColorCount", [](C &c, Sim &sim, int) {
             const int r = c.writeStdColorCount(3, crc16Modbus(le16(3))); EXPECT_EQ(sim.colourCardCount(), 3); return r; },
         "AB 70 00 2F 00 00 04 00 : 03 00"},
        {"writeStdColorInfo", [](C &c, Sim &sim, int) {
             const int r = c.writeStdColorInfo(0x2030, "红", "Deep", 12, 7, crc16Modbus(cardRecord()));
             EXPECT_EQ(sim.colourCardRecord(1), cardRecord()); return r; },
         "AB 70 30 20 00 00 26 00 : " + cardRecord().toHex(' ').toStdString()},
        {"measureSpectrum", [](C &c, Sim &sim, int) {
             SimSpectrum values{};
             for (int i = 0; i < 31; ++i)
                 values[i] = i == 30 ? 655.35 : 40 + i * 0.5;
             sim.setNextSpectrum(values);
             std::array<double, 31> out{}; const int r = c.measureSpectrum(out); EXPECT_EQ(out, values); return r; },
         "AB 20 49 00 3E 00"},
    };
    for (int k = 0; k < 6; ++k) {
        const std::string kind = std::to_string(k);
        cases.push_back({"readResultOfKind" + kind, [k](C &c, Sim &, int) {
                             ResultValues out; const int r = (c.*resultReaders[k])(out); expectCarried(out, carriedByKind[k]); return r; },
                         "AB 44 2" + kind + " 00 00 00 18 00"});
        // Kind k holds k + 1 records and the other kinds none, so a counter read at the wrong address shows.
        cases.push_back({"readRecordCountOfKind" + kind, [k](C &c, Sim &sim, int type) {
                             for (int n = 0; n <= k; ++n)
                                 sim.addComparisonRecord(k, extremes(), extremes(), "");
                             int count = -1; const int r = c.readRecordCount(k, type, count); EXPECT_EQ(count, k + 1); return r; },
                         "AB 40 " + std::string(countAddress[k][0]) + " 00 00 04 00",
                         "AB 40 " + std::string(countAddress[k][1]) + " 00 00 04 00"});
    }
    return cases;
}

class CommandSet : public ::testing::TestWithParam<std::tuple<CommandCase, const char *>>
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
    QList<QByteArray> expected, received;
    const std::string requests = type == 0 || command.requestTypes12.empty() ? command.request : command.requestTypes12;
    for (const QString &request : QString::fromStdString(requests).split(';'))
        expected.append(frameOf(request).toHex(' '));
    for (const QByteArray &request : link.sim.requestLog())
        received.append(request.toHex(' '));
    EXPECT_EQ(received, expected);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, CommandSet,
                         ::testing::Combine(::testing::ValuesIn(commandCases()), ::testing::Values("tq310", "tq320", "tq320e")),
                         [](const auto &info) { return std::get<0>(info.param).name + "_" + std::get<1>(info.param); });

// A colour stream in two bulk packets, then the empty packet that closes it; bulk data has no data check.
TEST(CommandSetBulk, WritesAStreamAndClosesIt)
{
    SimulatedLink link;
    C c(link.link());
    QByteArray stream(260, '\0');
    for (int i = 0; i < stream.size(); ++i)
        stream[i] = char(i * 7 + 1);
    EXPECT_EQ(c.writeBlock(0x40000, stream.left(256), 256), 266);
    EXPECT_GT(c.writeBlock(0x40100, stream.mid(256), 4), 0);
    EXPECT_EQ(c.writeBlock(0x40104, QByteArray(), 0), CmdOk);
    EXPECT_EQ(link.sim.colourStream(), stream);
    EXPECT_EQ(link.sim.bulkClosedAt(), 0x40104u);
    EXPECT_EQ(link.sim.requestLog(), (QList{withCheck(hex("AB 74 00 00 04 00 00 01") + stream.left(256)),
                                           withCheck(hex("AB 74 00 01 04 00 04 00") + stream.mid(256)),
                                           withCheck(hex("AB 74 04 01 04 00 00 00"))}));
}

// ---- failures

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

// What the client makes of each reply is in the link tests; here, the faults only the simulator
// makes, each followed by commands that still work.
TEST(CommandFailures, MapToTheirCodesAndLeaveTheLinkUsable)
{
    const std::tuple<const char *, SimFault, int (*)(C &), int> cases[] = {
        {"badDataCheck", SimFault::BadDataCheck, readHazeTCountUntouched, CmdBadData},
        {"refusedWrite", SimFault::None, [](C &c) { return c.setDisplayParam(5); }, CmdRefused}, // type 1 refuses 5
        {"refusedEmptyPacket", SimFault::None, [](C &c) { return c.writeBlock(0x40000, {}, 0); }, CmdRefused},
        {"splitReply", SimFault::SplitReply, readBlock, CmdOk},
        {"lateReply", SimFault::LateReply, readBlock, CmdOk}};
    for (const auto &[name, fault, run, expected] : cases) {
        SimulatedLink link(*SimProfile::byName("tq320"));
        C c(link.link());
        link.sim.setEmptyPacketAccepted(false);
        link.sim.injectFault(fault, SimFaultScope::NextFrame, 300);
        EXPECT_EQ(run(c), expected) << name;
        link.sim.setEmptyPacketAccepted(true);
        EXPECT_EQ(readTolerance(c), CmdOk) << name;
        EXPECT_EQ(c.writeBlock(0x40000, {}, 0), CmdOk) << name;
    }
}

// The connection reads and a record download, with the instrument pulled before each step in turn
// (not sent), and once half-way through a reply (no reply, after the link's time-out).
TEST(CommandUnplug, AtEveryStepOfASeriesEndsCleanly)
{
    const QList<std::function<int(C &)>> series = {
        [](C &c) { DeviceInfo i; return c.readDeviceInfo(i); }, [](C &c) { int v = 0; return c.readSoftwareVersion(v); },
        [](C &c) { int k = 0; return c.readDisplayParam(k); }, readTolerance, readHazeTCountUntouched, readBlock,
        [](C &c) { QByteArray d; return c.readBlock(0x440000, d, 192); }};
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
        if (!midReply) {
            EXPECT_LT(clock.elapsed(), 2000);
        }
    }
}

} // namespace
