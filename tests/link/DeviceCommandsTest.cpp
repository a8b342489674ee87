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

using C = CDeviceCommands;

// A command's code and its outputs; every output starts at -7 so that untouched ones show.
using Outcome = std::pair<int, std::string>;
using Call = std::function<Outcome(C &)>;

Outcome tolerance(C &c)
{
    std::array v{-7, -7, -7};
    return {c.readTolerance(v[0], v[1], v[2]), joined(v).toStdString()};
}
Call intRead(int (C::*read)(int &))
{
    return [read](C &c) { int v = -7; return Outcome{(c.*read)(v), std::to_string(v)}; };
}
Call kindResult(int kind)
{
    return [kind](C &c) { ResultValues v; v.red = -7; return Outcome{c.readKindResult(kind, v), std::to_string(v.red)}; };
}
Call deviceInfo(int (C::*read)(DeviceInfo &))
{
    return [read](C &c) { DeviceInfo i; i.type = -7; return Outcome{(c.*read)(i), std::to_string(i.type)}; };
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

TEST_F(CommandFixture, RepliesDecodeOrFailWithTheirCode)
{
    const QByteArray tol = hex("9600 2823 0F00");
    const std::tuple<const char *, QByteArray, Call, Outcome> cases[] = {
        {"noReply", {}, tolerance, {CmdNoReply, "-7 -7 -7"}},
        {"echoOfByte2Suffices", registerReply("AB400F0300009900", tol), tolerance, {CmdOk, "150 9000 15"}},
        {"echoOfByte6Suffices", registerReply("AB40100300000300", tol), tolerance, {CmdOk, "150 9000 15"}},
        {"echoRefused", registerReply("AB40100300000800", tol), tolerance, {CmdRefused, "-7 -7 -7"}},
        {"resultEchoRefused", registerReply("AB44230000001900", QByteArray(22, 1)), kindResult(4), {CmdRefused, "-7"}},
        {"resultEchoOfByte2Suffices", registerReply("AB44230000001900", QByteArray(22, 1)), kindResult(3), {CmdOk, "1"}},
        {"badFrameCheck", badFrameCheck(registerReply("AB400F0300000800", tol)), tolerance, {CmdNoReply, "-7 -7 -7"}},
        // The firmware's settings readers take the values before they test the data check.
        {"toleranceDecodedBeforeDataCheck", badDataCheck("AB400F0300000800", tol), tolerance, {CmdBadData, "150 9000 15"}},
        {"displayDecodedBeforeDataCheck", badDataCheck("AB40000300000300", hex("04")), intRead(&C::readDisplayParam), {CmdBadData, "4"}},
        {"countIgnoresFrameCheck", badFrameCheck(registerReply("AB40001200000400", hex("2C01"))), intRead(&C::readHazeTRecordCount), {CmdOk, "300"}},
        {"countUntouchedOnBadData", badDataCheck("AB40001200000400", hex("2C01")), intRead(&C::readHazeTRecordCount), {CmdBadData, "-7"}},
        {"deviceInfoNotSupported", hex("ABA00400000011"), deviceInfo(&C::readDeviceInfo), {CmdNotSupported, "-7"}},
        {"deviceInfoOtherShortReply", hex("ABC70800000011"), deviceInfo(&C::readDeviceInfo), {CmdNoReply, "-7"}},
        {"deviceInfoOldNotSupported", hex("ABC70800"), deviceInfo(&C::readDeviceInfoOld), {CmdNotSupported, "-7"}},
        {"blockEndRefused", withCheck(hex("ABF4010014000000")), blockEnd, {CmdRefused, {}}},
        {"blockEndNeedsBothEchoBytes", withCheck(hex("AB74000014000100")), blockEnd, {CmdRefused, {}}},
    };
    for (const auto &[name, reply, call, expected] : cases) {
        link.reply = reply;
        EXPECT_EQ(call(c), expected) << name;
    }
}

TEST_F(CommandFixture, ARequestTheLinkDoesNotTakeIsNotSentAndNotWaitedFor)
{
    link.writeResult = -1;
    QByteArray block;
    std::array<double, 31> spectrum;
    const QByteArray info = QByteArray("a").leftJustified(16, '\0') + QByteArray("b").leftJustified(16, '\0')
                            + le16(1) + le16(2);
    EXPECT_EQ(tolerance(c).first, CmdNotSent);
    EXPECT_EQ(c.setTolerance(1, 2, 3), CmdNotSent);
    EXPECT_EQ(c.readBlock(0x020000, block, 4), CmdNotSent);
    EXPECT_EQ(c.writeStdColorInfo(0, "a", "b", 1, 2, crc16Modbus(info)), CmdNotSent);
    EXPECT_EQ(blockEnd(c).first, CmdNotSent);
    EXPECT_EQ(c.measureSpectrum(spectrum), CmdNotSent);
    EXPECT_EQ(link.written.size(), 6);
    link.writeResult = 77; // short of the 70 data bytes with header and check
    EXPECT_EQ(c.writeBlock(0x020100, QByteArray(70, 'x'), 70), CmdNotSent);
    EXPECT_EQ(link.waits, 0);
}

TEST_F(CommandFixture, ArgumentsOutOfRangeAreRefusedWithoutSending)
{
    int count;
    ResultValues values;
    QByteArray data;
    const std::pair<std::function<int()>, int> cases[] = {
        {[&] { return c.readLabRecordCount(count, 3); }, -1},    // unknown device types
        {[&] { return c.readLChRecordCount(count, -1); }, -1},
        {[&] { return c.readSpectralRecordCount(count, 5); }, -1},
        {[&] { return c.readKindResult(6, values); }, -1},       // unknown kinds
        {[&] { return c.readRecordCount(-1, 0, count); }, -1},
        {[&] { return c.readBlock(0, data, -1); }, -1},          // negative and overlong blocks
        {[&] { return c.writeBlock(0, "abc", -1); }, -1},
        {[&] { return c.writeBlock(0, "abc", 4); }, -1},
        {[&] { return c.setTolerance(70000, 0, 0); }, -1},
        {[&] { return c.writeStdColorCount(258, 0x1234); }, -4}, // the caller's check differs
        {[&] { return c.writeStdColorInfo(0, "a", "b", 1, 2, 0); }, -4},
        // 8 characters, 24 UTF-8 bytes: over the 16 bytes of a name
        {[&] { return c.writeStdColorInfo(0, QStringLiteral("颜色卡片标准样品"), "b", 1, 2, 0); }, -4},
    };
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(cases[i].first(), cases[i].second) << "case " << i;
    EXPECT_TRUE(link.written.isEmpty());
}

// Either echo byte of the version reply suffices, as for the register reads.
TEST_F(CommandFixture, SoftwareVersionFailuresHaveTheirOwnTexts)
{
    // Linked, the reply, the code and its text.
    const std::tuple<bool, QByteArray, int, const char *> cases[] = {{false, {}, -1, "读取软件版本写端口失败！"},
                 {true, {}, -2, "读取软件版本接收端口报文失败！"},
                 {true, withCheck(hex("AB210C000300 6A00")), -3, "读取软件版本接收的报文格式错误！"},
                 {true, withCheck(hex("AB200C000300 6A00")), CmdOk, nullptr},
                 {true, withCheck(hex("AB210C000200 6A00")), CmdOk, nullptr}};
    for (const auto &[linked, reply, code, text] : cases) {
        CDeviceCommands commands = linked ? CDeviceCommands(instrument) : CDeviceCommands(nullptr);
        link.reply = reply;
        int version = -7;
        EXPECT_EQ(commands.readSoftwareVersion(version), code);
        EXPECT_EQ(version, code == CmdOk ? 106 : -7);
        EXPECT_STREQ(C::softwareVersionFailure(code), text);
    }
    EXPECT_EQ(C::softwareVersionFailure(CmdBadData), nullptr); // other codes have none
}

TEST(PushedFrames, AreTakenWholeAndIntactOnly)
{
    // red, green, blue, then L* 50, a* -1.23, b* 1.
    const QByteArray lab = registerReply("AB44230000001800", hex("0A0B0C 8813 85FF 6400").leftJustified(22, '\0'));
    const QString labValues = "10 11 12 0 0 50 -1.23 1 0 0 0 0 0 0";
    // L* 50, a* -1.23; R, G, B 1, 2, 3; haze 12.34, T 90.
    const QByteArray combined = registerReply(
        "AB44000000003600", hex("8813 85FF").leftJustified(28, '\0') + hex("010203 D204 2823").leftJustified(24, '\0'));
    // The buffer, its form, the values taken (empty: none) and what is left.
    const std::tuple<const char *, QByteArray, bool, QString, QByteArray> cases[] = {
        {"noiseBeforeAWholeFrame", hex("0013AB") + lab, true, labValues, {}},
        {"partialFrameWaits", hex("00") + lab.left(20), true, {}, lab.left(20)},
        {"partialHeaderWaits", hex("AB44"), true, {}, hex("AB44")},
        {"damagedFrameSkipped", badFrameCheck(lab) + lab + "x", true, labValues, "x"},
        {"otherKindDropped", registerReply("AB44240000001800", QByteArray(22, 1)), true, {}, {}},
        {"combinedFrame", hex("FF") + combined, false, "1 2 3 12.34 90 50 -1.23 0 0 0 0 0 0 0", {}},
    };
    for (auto [name, buffer, perKind, taken, left] : cases) {
        ResultValues r;
        const bool took = takePushedResult(buffer, perKind, 3, r);
        EXPECT_EQ(took ? joined(std::array{r.red, r.green, r.blue}) + ' ' + joined(r.values) : QString(), taken) << name;
        EXPECT_EQ(buffer, left) << name;
    }
}

TEST(DelayMs, NeverReturnsEarly)
{
    QElapsedTimer elapsed;
    elapsed.start();
    delayMs(30);
    EXPECT_GE(elapsed.elapsed(), 31);
}

} // namespace
