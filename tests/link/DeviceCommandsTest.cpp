// What the command set does with replies the simulator never sends, and with arguments it refuses.
// Request bytes and decoding against the instrument's layouts are covered by the simulator's tests.
#include "CLinker.h"
#include "DeviceCommands.h"
#include "FrameBytes.h"
#include "LinkPort.h"
#include "ModalCatcher.h"

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
    void SetUp() override { LinkPort::setLink(&link); }
    void TearDown() override { LinkPort::setLink(nullptr); }

    ScriptedLinker link;
    ModalCatcher catcher;
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

Outcome tolerance()
{
    std::array<int, 3> v{-7, -7, -7};
    const int code = CDeviceCommands::readTolerance(v[0], v[1], v[2]);
    return {code, joined(v)};
}

Outcome displayParam()
{
    int kind = -7;
    const int code = CDeviceCommands::readDisplayParam(kind);
    return {code, QString::number(kind)};
}

Outcome hazeTCount()
{
    int count = -7;
    const int code = CDeviceCommands::readHazeTRecordCount(count);
    return {code, QString::number(count)};
}

Outcome lchResult()
{
    ResultValues values;
    values.red = -7;
    const int code = CDeviceCommands::readKindResult(4, values);
    return {code, QString::number(values.red)};
}

Outcome deviceInfo(int (*read)(DeviceInfo &))
{
    DeviceInfo info;
    info.type = -7;
    const int code = read(info);
    return {code, QString::number(info.type)};
}

Outcome blockEnd()
{
    return {CDeviceCommands::writeBlock(0x140000, {}, 0), {}};
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
    std::function<Outcome()> call;
    int code;
    QString outputs;
};

std::vector<ReplyCase> replyCases()
{
    const QByteArray tol = hex("9600 2823 0F00");
    const auto info = [] { return deviceInfo(CDeviceCommands::readDeviceInfo); };
    const auto infoOld = [] { return deviceInfo(CDeviceCommands::readDeviceInfoOld); };
    return {
        {"noReply", {}, tolerance, CmdNoReply, "-7 -7 -7"},
        {"echoOfByte2Suffices", registerReply("AB400F0300009900", tol), tolerance, CmdOk, "150 9000 15"},
        {"echoOfByte6Suffices", registerReply("AB40100300000300", tol), tolerance, CmdOk, "150 9000 15"},
        {"echoRefused", registerReply("AB40100300000800", tol), tolerance, CmdRefused, "-7 -7 -7"},
        {"resultEchoRefused", registerReply("AB44230000001900", QByteArray(22, 1)), lchResult, CmdRefused, "-7"},
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
    const Outcome outcome = GetParam().call();
    EXPECT_EQ(outcome.code, GetParam().code);
    EXPECT_EQ(outcome.outputs, GetParam().outputs);
    EXPECT_TRUE(catcher.seen().isEmpty());
}

TEST_F(CommandFixture, ARequestTheLinkDoesNotTakeIsNotSentAndNotWaitedFor)
{
    link.writeResult = -1;
    QByteArray block;
    std::array<double, 31> spectrum;
    const QByteArray info = QByteArray("a").leftJustified(16, '\0') + QByteArray("b").leftJustified(16, '\0')
                            + le16(1) + le16(2);
    EXPECT_EQ(tolerance().code, CmdNotSent);
    EXPECT_EQ(CDeviceCommands::setTolerance(1, 2, 3), CmdNotSent);
    EXPECT_EQ(CDeviceCommands::readBlock(0x020000, block, 4), CmdNotSent);
    EXPECT_EQ(CDeviceCommands::writeStdColorInfo(0, "a", "b", 1, 2, crc16Modbus(info)), CmdNotSent);
    EXPECT_EQ(blockEnd().code, CmdNotSent);
    EXPECT_EQ(CDeviceCommands::measureSpectrum(spectrum), CmdNotSent);
    EXPECT_EQ(link.written.size(), 6);
    EXPECT_EQ(link.waits, 0);
}

struct RefusalCase
{
    const char *name;
    std::function<int()> call;
    int code;
};

class RefusedWithoutSending : public CommandFixture, public ::testing::WithParamInterface<RefusalCase>
{
};

using C = CDeviceCommands;
int count;
ResultValues values;
QByteArray data;

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedWithoutSending,
    ::testing::Values(RefusalCase{"labCountUnknownType", [] { return C::readLabRecordCount(count, 3); }, -1},
                      RefusalCase{"lchCountUnknownType", [] { return C::readLChRecordCount(count, -1); }, -1},
                      RefusalCase{"spectralCountUnknownType", [] { return C::readSpectralRecordCount(count, 5); }, -1},
                      RefusalCase{"unknownKind", [] { return C::readKindResult(6, values); }, -1},
                      RefusalCase{"unknownCountKind", [] { return C::readRecordCount(-1, 0, count); }, -1},
                      RefusalCase{"negativeBlockRead", [] { return C::readBlock(0, data, -1); }, -1},
                      RefusalCase{"negativeBlockWrite", [] { return C::writeBlock(0, "abc", -1); }, -1},
                      RefusalCase{"blockLongerThanData", [] { return C::writeBlock(0, "abc", 4); }, -1},
                      RefusalCase{"toleranceOutOfRange", [] { return C::setTolerance(70000, 0, 0); }, -1},
                      RefusalCase{"countCrcDiffers", [] { return C::writeStdColorCount(258, 0x1234); }, -4},
                      RefusalCase{"infoCrcDiffers", [] { return C::writeStdColorInfo(0, "a", "b", 1, 2, 0); }, -4},
                      // 8 characters, 24 UTF-8 bytes: over the 16 bytes of a name
                      RefusalCase{"nameOver16Bytes",
                                  [] { return C::writeStdColorInfo(0, QStringLiteral("颜色卡片标准样品"), "b", 1, 2, 0); },
                                  -4}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(RefusedWithoutSending, ReturnTheirCode)
{
    EXPECT_EQ(GetParam().call(), GetParam().code);
    EXPECT_TRUE(link.written.isEmpty());
}

TEST_F(CommandFixture, BulkWriteDataIsNotAcknowledged)
{
    const QByteArray bytes(70, 'x');
    EXPECT_EQ(CDeviceCommands::writeBlock(0x020100, bytes, 70), 80);
    ASSERT_EQ(link.written.size(), 1);
    EXPECT_EQ(link.written[0], withCheck(hex("AB74000102004600") + bytes));
    EXPECT_EQ(link.waits, 0);

    link.writeResult = 77; // fewer than length + 8
    EXPECT_EQ(CDeviceCommands::writeBlock(0x020100, bytes, 70), CmdNotSent);
}

TEST_F(CommandFixture, SoftwareVersionFailuresExplainThemselves)
{
    const struct
    {
        bool linked;
        QByteArray reply;
        int code;
        const char *text;
    } cases[] = {{false, {}, -1, "读取软件版本写端口失败！"},
                 {true, {}, -2, "读取软件版本接收端口报文失败！"},
                 {true, withCheck(hex("AB210C000300 6A00")), -3, "读取软件版本接收的报文格式错误！"}};
    for (const auto &c : cases) {
        LinkPort::setLink(c.linked ? &link : nullptr);
        link.reply = c.reply;
        catcher.clear();
        int version = -7;
        EXPECT_EQ(CDeviceCommands::readSoftwareVersion(version), c.code);
        EXPECT_EQ(version, -7);
        ASSERT_EQ(catcher.seen().size(), 1);
        EXPECT_EQ(catcher.seen()[0].title, QStringLiteral("提示"));
        EXPECT_EQ(catcher.seen()[0].text, QString::fromUtf8(c.text));
    }
}

QString describe(const ResultValues &r)
{
    return joined(std::array{r.red, r.green, r.blue}) + ' ' + joined(r.values);
}

TEST(PushedFrames, DecodeAtTheirOffsetAndTreatMissingBytesAsZero)
{
    const QByteArray lab = registerReply("AB44230000001800", hex("0A0B0C 8813 85FF 6400").leftJustified(22, '\0'));
    EXPECT_EQ(describe(CDeviceCommands::decodeKindBlock(hex("0013AB") + lab, 3, 3)),
              "10 11 12 0 0 50 -1.23 1 0 0 0 0 0 0");
    EXPECT_EQ(describe(CDeviceCommands::decodeKindBlock(lab.left(12), 0, 3)), "10 11 12 0 0 1.36 0 0 0 0 0 0 0 0");

    QByteArray measured(52, '\0');
    for (int i = 0; i < measured.size(); ++i)
        measured[i] = char(i * 5 + 1);
    const QByteArray combined = registerReply("AB44000000003600", measured);
    EXPECT_EQ(CDeviceCommands::decodeMeasureBlock(hex("FF") + combined, 1),
              CDeviceCommands::decodeMeasureBlock(combined, 0));
    EXPECT_NE(CDeviceCommands::decodeMeasureBlock(combined, 0), (std::array<int, 21>{}));
    EXPECT_EQ(CDeviceCommands::decodeMeasureBlock(combined.left(8), 0), (std::array<int, 21>{}));
}

TEST(DelayMs, NeverReturnsEarly)
{
    QElapsedTimer elapsed;
    elapsed.start();
    CDeviceCommands::delayMs(30);
    EXPECT_GE(elapsed.elapsed(), 31);
}

} // namespace
