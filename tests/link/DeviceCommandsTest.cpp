// What the command set does with replies the simulator never sends, and with arguments it refuses.
// Request bytes and decoding against the instrument's layouts are covered by the simulator's tests.
#include "CLinker.h"
#include "DeviceCommands.h"
#include "FrameBytes.h"
#include "InstrumentLink.h"
#include "PushedFrames.h"

#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The link as the command set sees it: records each frame and reply wait, serves one scripted
// reply. A reply shorter than expected is left in out with 0 returned, as on a time-out.
class ScriptedLinker : public CLinker
{
public:
    int WriteMessage(QByteArray &frame, int) override
    {
        written.append(frame);
        return writeResult ? writeResult : int(frame.size());
    }
    int ReadMessage(QByteArray &out, int, int expectedLength) override
    {
        ++waits;
        out += reply;
        return out.size() >= expectedLength ? int(out.size()) : 0;
    }
    bool IsOpen() override { return true; }

    QByteArray reply;
    int writeResult = 0; // 0: the whole frame
    QList<QByteArray> written;
    int waits = 0;
};

class CommandFixture : public ::testing::Test
{
protected:
    ScriptedLinker &link = *new ScriptedLinker;
    InstrumentLink instrument{std::unique_ptr<CLinker>(&link)};
    CDeviceCommands c{instrument};
};

QString joined(const auto &values)
{
    QStringList parts;
    for (auto v : values)
        parts << QString::number(v);
    return parts.join(' ');
}

struct Outcome
{
    int code;
    QString outputs; // every output starts at -7 so that untouched ones show
};

using C = CDeviceCommands;

Outcome tolerance(C &c)
{
    std::array<int, 3> v{-7, -7, -7};
    const int code = c.readTolerance(v[0], v[1], v[2]);
    return {code, joined(v)};
}

Outcome displayParam(C &c)
{
    int kind = -7;
    const int code = c.readDisplayParam(kind);
    return {code, QString::number(kind)};
}

Outcome hazeTCount(C &c)
{
    int count = -7;
    const int code = c.readHazeTRecordCount(count);
    return {code, QString::number(count)};
}

template<int Kind>
Outcome kindResult(C &c)
{
    ResultValues values;
    values.red = -7;
    const int code = c.readKindResult(Kind, values);
    return {code, QString::number(values.red)};
}

Outcome deviceInfo(C &c, int (C::*read)(DeviceInfo &))
{
    DeviceInfo info;
    info.type = -7;
    const int code = (c.*read)(info);
    return {code, QString::number(info.type)};
}

Outcome blockEnd(C &c)
{
    return {c.writeBlock(0x140000, {}, 0), {}};
}

QByteArray badDataCheck(const char *header, const QByteArray &data)
{
    return withCheck(hex(header) + data + hex("0000"));
}

QByteArray badFrameCheck(QByteArray frame)
{
    frame[frame.size() - 1] = char(frame[frame.size() - 1] ^ 0x80);
    return frame;
}

struct ReplyCase
{
    const char *name;
    QByteArray reply;
    std::function<Outcome(C &)> call;
    int code;
    QString outputs;
};

std::vector<ReplyCase> replyCases()
{
    const QByteArray tol = hex("9600 2823 0F00");
    const auto info = [](C &c) { return deviceInfo(c, &C::readDeviceInfo); };
    const auto infoOld = [](C &c) { return deviceInfo(c, &C::readDeviceInfoOld); };
    return {
        {"noReply", {}, tolerance, CmdNoReply, "-7 -7 -7"},
        {"echoOfByte2Suffices", registerReply("AB400F0300009900", tol), tolerance, CmdOk, "150 9000 15"},
        {"echoOfByte6Suffices", registerReply("AB40100300000300", tol), tolerance, CmdOk, "150 9000 15"},
        {"echoRefused", registerReply("AB40100300000800", tol), tolerance, CmdRefused, "-7 -7 -7"},
        {"resultEchoRefused", registerReply("AB44230000001900", QByteArray(22, 1)), kindResult<4>, CmdRefused, "-7"},
        {"resultEchoOfByte2Suffices", registerReply("AB44230000001900", QByteArray(22, 1)), kindResult<3>, CmdOk, "1"},
        {"badFrameCheck", badFrameCheck(registerReply("AB400F0300000800", tol)), tolerance, CmdNoReply, "-7 -7 -7"},
        // The firmware's settings readers take the values before they test the data check.
        {"toleranceDecodedBeforeDataCheck", badDataCheck("AB400F0300000800", tol), tolerance, CmdBadData,
         "150 9000 15"},
        {"displayDecodedBeforeDataCheck", badDataCheck("AB40000300000300", hex("04")), displayParam, CmdBadData, "4"},
        {"countIgnoresFrameCheck", badFrameCheck(registerReply("AB40001200000400", hex("2C01"))), hazeTCount, CmdOk,
         "300"},
        {"countUntouchedOnBadData", badDataCheck("AB40001200000400", hex("2C01")), hazeTCount, CmdBadData, "-7"},
        {"deviceInfoNotSupported", hex("ABA00400000011"), info, CmdNotSupported, "-7"},
        {"deviceInfoOtherShortReply", hex("ABC70800000011"), info, CmdNoReply, "-7"},
        {"deviceInfoOldNotSupported", hex("ABC70800"), infoOld, CmdNotSupported, "-7"},
        {"blockEndRefused", withCheck(hex("ABF4010014000000")), blockEnd, CmdRefused, {}},
        {"blockEndNeedsBothEchoBytes", withCheck(hex("AB74000014000100")), blockEnd, CmdRefused, {}},
    };
}

class CommandReplies : public CommandFixture, public ::testing::WithParamInterface<ReplyCase>
{
};

INSTANTIATE_TEST_SUITE_P(Commands, CommandReplies, ::testing::ValuesIn(replyCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_P(CommandReplies, DecodeOrFailWithTheirCode)
{
    link.reply = GetParam().reply;
    const Outcome outcome = GetParam().call(c);
    EXPECT_EQ(outcome.code, GetParam().code);
    EXPECT_EQ(outcome.outputs, GetParam().outputs);
}

TEST_F(CommandFixture, ARequestTheLinkDoesNotTakeIsNotSentAndNotWaitedFor)
{
    link.writeResult = -1;
    QByteArray block;
    std::array<double, 31> spectrum;
    const QByteArray info = QByteArray("a").leftJustified(16, '\0') + QByteArray("b").leftJustified(16, '\0')
                            + le16(1) + le16(2);
    EXPECT_EQ(tolerance(c).code, CmdNotSent);
    EXPECT_EQ(c.setTolerance(1, 2, 3), CmdNotSent);
    EXPECT_EQ(c.readBlock(0x020000, block, 4), CmdNotSent);
    EXPECT_EQ(c.writeStdColorInfo(0, "a", "b", 1, 2, crc16Modbus(info)), CmdNotSent);
    EXPECT_EQ(blockEnd(c).code, CmdNotSent);
    EXPECT_EQ(c.measureSpectrum(spectrum), CmdNotSent);
    EXPECT_EQ(link.written.size(), 6);
    link.writeResult = 77; // short of the 70 data bytes with header and check
    EXPECT_EQ(c.writeBlock(0x020100, QByteArray(70, 'x'), 70), CmdNotSent);
    EXPECT_EQ(link.waits, 0);
}

struct RefusalCase
{
    const char *name;
    std::function<int(C &)> call;
    int code;
};

class RefusedWithoutSending : public CommandFixture, public ::testing::WithParamInterface<RefusalCase>
{
};

int count;
ResultValues values;
QByteArray data;

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedWithoutSending,
    ::testing::Values(RefusalCase{"labCountUnknownType", [](C &c) { return c.readLabRecordCount(count, 3); }, -1},
                      RefusalCase{"lchCountUnknownType", [](C &c) { return c.readLChRecordCount(count, -1); }, -1},
                      RefusalCase{"spectralCountUnknownType", [](C &c) { return c.readSpectralRecordCount(count, 5); }, -1},
                      RefusalCase{"unknownKind", [](C &c) { return c.readKindResult(6, values); }, -1},
                      RefusalCase{"unknownCountKind", [](C &c) { return c.readRecordCount(-1, 0, count); }, -1},
                      RefusalCase{"negativeBlockRead", [](C &c) { return c.readBlock(0, data, -1); }, -1},
                      RefusalCase{"negativeBlockWrite", [](C &c) { return c.writeBlock(0, "abc", -1); }, -1},
                      RefusalCase{"blockLongerThanData", [](C &c) { return c.writeBlock(0, "abc", 4); }, -1},
                      RefusalCase{"toleranceOutOfRange", [](C &c) { return c.setTolerance(70000, 0, 0); }, -1},
                      RefusalCase{"countCrcDiffers", [](C &c) { return c.writeStdColorCount(258, 0x1234); }, -4},
                      RefusalCase{"infoCrcDiffers", [](C &c) { return c.writeStdColorInfo(0, "a", "b", 1, 2, 0); }, -4},
                      // 8 characters, 24 UTF-8 bytes: over the 16 bytes of a name
                      RefusalCase{"nameOver16Bytes",
                                  [](C &c) { return c.writeStdColorInfo(0, QStringLiteral("颜色卡片标准样品"), "b", 1, 2, 0); },
                                  -4}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(RefusedWithoutSending, ReturnTheirCode)
{
    EXPECT_EQ(GetParam().call(c), GetParam().code);
    EXPECT_TRUE(link.written.isEmpty());
}

// Either echo byte of the version reply suffices, as for the register reads.
TEST_F(CommandFixture, SoftwareVersionFailuresHaveTheirOwnTexts)
{
    const struct
    {
        bool linked;
        QByteArray reply;
        int code;
        const char *text;
    } cases[] = {{false, {}, -1, "读取软件版本写端口失败！"},
                 {true, {}, -2, "读取软件版本接收端口报文失败！"},
                 {true, withCheck(hex("AB210C000300 6A00")), -3, "读取软件版本接收的报文格式错误！"},
                 {true, withCheck(hex("AB200C000300 6A00")), CmdOk, nullptr},
                 {true, withCheck(hex("AB210C000200 6A00")), CmdOk, nullptr}};
    for (const auto &v : cases) {
        CDeviceCommands commands = v.linked ? CDeviceCommands(instrument) : CDeviceCommands(nullptr);
        link.reply = v.reply;
        int version = -7;
        EXPECT_EQ(commands.readSoftwareVersion(version), v.code);
        EXPECT_EQ(version, v.code == CmdOk ? 106 : -7);
        EXPECT_STREQ(C::softwareVersionFailure(v.code), v.text);
    }
    EXPECT_EQ(C::softwareVersionFailure(CmdBadData), nullptr); // other codes have none
}

QString describe(const ResultValues &r)
{
    return joined(std::array{r.red, r.green, r.blue}) + ' ' + joined(r.values);
}

// red, green, blue, then L* 50, a* -1.23, b* 1.
const QByteArray labFrame = registerReply("AB44230000001800", hex("0A0B0C 8813 85FF 6400").leftJustified(22, '\0'));
const QString labValues = "10 11 12 0 0 50 -1.23 1 0 0 0 0 0 0";
// L* 50, a* -1.23; R, G, B 1, 2, 3; haze 12.34, T 90.
const QByteArray combinedFrame =
    registerReply("AB44000000003600", hex("8813 85FF").leftJustified(28, '\0') + hex("010203 D204 2823").leftJustified(24, '\0'));

struct PushedCase
{
    const char *name;
    QByteArray buffer;
    bool perKind;
    QString taken; // empty: nothing taken
    QByteArray left;
};

class PushedFrames : public ::testing::TestWithParam<PushedCase>
{
};

INSTANTIATE_TEST_SUITE_P(
    Buffer, PushedFrames,
    ::testing::Values(PushedCase{"noiseBeforeAWholeFrame", hex("0013AB") + labFrame, true, labValues, {}},
                      PushedCase{"partialFrameWaits", hex("00") + labFrame.left(20), true, {}, labFrame.left(20)},
                      PushedCase{"partialHeaderWaits", hex("AB44"), true, {}, hex("AB44")},
                      PushedCase{"damagedFrameSkipped", badFrameCheck(labFrame) + labFrame + "x", true, labValues, "x"},
                      PushedCase{"otherKindDropped", registerReply("AB44240000001800", QByteArray(22, 1)), true, {}, {}},
                      PushedCase{"combinedFrame", hex("FF") + combinedFrame, false,
                                 "1 2 3 12.34 90 50 -1.23 0 0 0 0 0 0 0", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(PushedFrames, AreTakenWholeAndIntactOnly)
{
    QByteArray buffer = GetParam().buffer;
    ResultValues values;
    EXPECT_EQ(takePushedResult(buffer, GetParam().perKind, 3, values), !GetParam().taken.isEmpty());
    if (!GetParam().taken.isEmpty()) {
        EXPECT_EQ(describe(values), GetParam().taken);
    }
    EXPECT_EQ(buffer, GetParam().left);
}

TEST(DelayMs, NeverReturnsEarly)
{
    QElapsedTimer elapsed;
    elapsed.start();
    delayMs(30);
    EXPECT_GE(elapsed.elapsed(), 31);
}

} // namespace
