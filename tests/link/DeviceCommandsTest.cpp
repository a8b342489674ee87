#include "CLinker.h"
#include "CLinkerUSB.h"
#include "DeviceCommands.h"
#include "LinkPort.h"
#include "ModalCatcher.h"
#include "ScriptedDevice.h"

#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The link as the command set sees it: records each frame and each reply wait, and serves a
// scripted reply. A reply shorter than expected is left in out with 0 returned, as on a time-out.
class ScriptedLinker : public CLinker
{
public:
    struct Wait
    {
        int timeoutMs;
        int expectedLength;
    };

    int WriteMessage(QByteArray &frame, int) override
    {
        written.append(frame);
        return writeResult ? writeResult : int(frame.size());
    }
    int ReadMessage(QByteArray &out, int timeoutMs, int expectedLength) override
    {
        waits.append({timeoutMs, expectedLength});
        out += reply;
        return out.size() >= expectedLength ? int(out.size()) : 0;
    }
    bool IsOpen() override { return true; }

    QByteArray reply;
    int writeResult = 0; // 0: the whole frame
    QList<QByteArray> written;
    QList<Wait> waits;
};

class CommandFixture : public ::testing::Test
{
protected:
    void SetUp() override { LinkPort::setLink(&link); }
    void TearDown() override { LinkPort::setLink(nullptr); }

    ScriptedLinker link;
    ModalCatcher catcher;
};

template<typename Container>
QString joined(const Container &values)
{
    QStringList parts;
    for (auto v : values)
        parts << QString::number(v);
    return parts.join(' ');
}

QString describe(const ResultValues &r)
{
    return joined(std::array{r.red, r.green, r.blue}) + ' ' + joined(r.values);
}

QString describe(const DeviceInfo &i)
{
    return QString::number(i.type) + ' ' + i.date.toString(Qt::ISODate) + ' '
           + joined(std::array<quint32, 6>{i.serialNumber, i.meterNumber, i.word1, i.word2, i.byte1, i.byte2});
}

struct Outcome
{
    int code;
    QString outputs;
};

// Every reader starts its outputs at -7 so that untouched ones show.
template<size_t N, typename Read>
std::function<Outcome()> ints(Read read)
{
    return [read] {
        std::array<int, N> v;
        v.fill(-7);
        const int code = read(v);
        return Outcome{code, joined(v)};
    };
}

std::function<Outcome()> kindResult(int kind)
{
    return [kind] {
        ResultValues values;
        values.red = -7;
        return Outcome{CDeviceCommands::readKindResult(kind, values), describe(values)};
    };
}

Outcome measureData()
{
    std::array<int, 21> raw;
    raw.fill(-7);
    const int code = CDeviceCommands::readMeasureData(raw);
    return {code, joined(raw) + " | " + describe(CDeviceCommands::valuesFromMeasureData(raw))};
}

std::function<Outcome()> deviceInfo(int (*read)(DeviceInfo &))
{
    return [read] {
        DeviceInfo info;
        info.type = -7;
        return Outcome{read(info), describe(info)};
    };
}

Outcome spectrum()
{
    std::array<double, 31> values{};
    values[0] = -7;
    const int code = CDeviceCommands::measureSpectrum(values);
    return {code, joined(std::array{values[0], values[1], values[30]})};
}

Outcome blockEnd()
{
    return {CDeviceCommands::writeBlock(0x140000, {}, 0), {}};
}

QByteArray badDataCheck(const char *header, const QByteArray &data)
{
    return withCrc(hexBytes(header) + data + hexBytes("0000"));
}

QByteArray badFrameCheck(QByteArray frame)
{
    frame[frame.size() - 1] = char(frame[frame.size() - 1] ^ 0x80);
    return frame;
}

QByteArray deviceInfoData()
{
    // type, spare, year 2025, month 12, day 31, serial 123456, meter 310000, two words
    return hexBytes("02 00 E907 0C 1F 40E20100 F0BA0400 3412 7856");
}

QByteArray resultData(const char *hex)
{
    return hexBytes(hex).leftJustified(22, '\0');
}

QByteArray combinedData()
{
    // L* -50.00, a* 1.00, b* -0.01, three spare words, L 50, C* 1, h 359.9, Y 18.42, x 0.3127, y 0.321,
    // four spare bytes, R G B, haze 1.50, T 90.00, then 17 unused bytes.
    return hexBytes("78EC 6400 FFFF 0100 0200 0300 8813 6400 0F0E 3207 370C 8A0C 01020304 FF000A 9600 2823")
        .leftJustified(52, '\0');
}

QByteArray spectrumReply()
{
    QByteArray data;
    for (int i = 0; i < 31; ++i) {
        const int v = 1000 + 100 * i;
        data.append(char(v & 0xFF));
        data.append(char(v >> 8));
    }
    return withCrc(hexBytes("AB2049003E00") + data);
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
    using C = CDeviceCommands;
    const QByteArray tol = hexBytes("9600 2823 0F00");
    const auto tolerance = ints<3>([](auto &v) { return C::readTolerance(v[0], v[1], v[2]); });
    const auto displayParam = ints<1>([](auto &v) { return C::readDisplayParam(v[0]); });
    const auto deltaEParam = ints<2>([](auto &v) { return C::readDeltaEParam(v[0], v[1]); });
    const auto hazeTCount = ints<1>([](auto &v) { return C::readHazeTRecordCount(v[0]); });
    const auto spectralCount = ints<1>([](auto &v) { return C::readSpectralRecordCount(v[0], 1); });
    const auto softwareVersion = ints<1>([](auto &v) { return C::readSoftwareVersion(v[0]); });
    const auto kind = kindResult;
    const auto info = deviceInfo(C::readDeviceInfo);
    const auto infoOld = deviceInfo(C::readDeviceInfoOld);
    return {
        {"toleranceDecoded", registerReply("AB400F0300000800", tol), tolerance, 1, "150 9000 15"},
        {"toleranceByte2Only", registerReply("AB400F0300009900", tol), tolerance, 1, "150 9000 15"},
        {"toleranceByte6Is03", registerReply("AB40100300000300", tol), tolerance, 1, "150 9000 15"},
        {"toleranceRefused", registerReply("AB40100300000800", tol), tolerance, -3, "-7 -7 -7"},
        {"toleranceWritesBeforeDataCheck", badDataCheck("AB400F0300000800", tol), tolerance, -4, "150 9000 15"},
        {"toleranceBadFrameCheck", badFrameCheck(registerReply("AB400F0300000800", tol)), tolerance, -2, "-7 -7 -7"},
        {"displayParamWritesBeforeDataCheck", badDataCheck("AB40000300000300", hexBytes("04")), displayParam, -4,
         "4"},
        {"deltaEParamDecoded", registerReply("AB40250200000500", hexBytes("03 0F00")), deltaEParam, 1, "3 15"},
        {"deltaEParamWritesBeforeDataCheck", badDataCheck("AB40250200000500", hexBytes("03 0F00")), deltaEParam,
         -4, "3 15"},
        {"countIgnoresFrameCheck", badFrameCheck(registerReply("AB40001200000400", hexBytes("2C01"))), hazeTCount, 1,
         "300"},
        {"countBadDataCheckUntouched", badDataCheck("AB40001200000400", hexBytes("2C01")), hazeTCount, -4, "-7"},
        {"spectralCount", registerReply("AB40FF1400000800", hexBytes("0000 2A00 0000")), spectralCount, 1, "42"},
        {"spectralCountBadData", badDataCheck("AB40101400000800", hexBytes("0000 2A00 0000")), spectralCount, -4,
         "-7"},
        {"hazeTExtremes", registerReply("AB44200000001800", resultData("FF000A FFFF 2823")), kind(0), 1,
         "255 0 10 655.35 90 0 0 0 0 0 0 0 0 0"},
        {"hazeOnly", registerReply("AB44210000001800", resultData("010203 9600")), kind(1), 1,
         "1 2 3 1.5 0 0 0 0 0 0 0 0 0 0"},
        {"transmittanceOnly", registerReply("AB44220000001800", resultData("010203 2823")), kind(2), 1,
         "1 2 3 0 90 0 0 0 0 0 0 0 0 0"},
        {"labNegative", registerReply("AB44230000001800", resultData("FF000A 8813 85FF 0080")), kind(3), 1,
         "255 0 10 0 0 50 -1.23 -327.68 0 0 0 0 0 0"},
        {"lchExtremes", registerReply("AB44240000001800", resultData("000000 1027 0000 0000 1027 0000 FFFF")),
         kind(4), 1, "0 0 0 0 0 100 0 0 100 0 6553.5 0 0 0"},
        {"yxyExtremes", registerReply("AB44250000001800", resultData("000000 0000 0000 0000 FFFF FFFF D204")),
         kind(5), 1, "0 0 0 0 0 0 0 0 0 0 0 655.35 6.5535 0.1234"},
        {"resultRefused", registerReply("AB44240000001900", resultData("010203")), kind(3), -3,
         "-7 0 0 0 0 0 0 0 0 0 0 0 0 0"},
        {"combinedBlock", registerReply("AB44000000003600", combinedData()), measureData, 1,
         "-5000 100 -1 1 2 3 5000 100 3599 1842 3127 3210 1 2 3 4 255 0 10 150 9000 | "
         "255 0 10 1.5 90 -50 1 -0.01 50 1 359.9 18.42 0.3127 0.321"},
        {"deviceInfo", withCrc(hexBytes("AB2005001200") + deviceInfoData()), info, 1,
         "2 2025-12-31 123456 310000 4660 22136 0 0"},
        {"deviceInfoNotSupported", hexBytes("ABA00400000011"), info, -5, "-7  0 0 0 0 0 0"},
        {"deviceInfoOtherShortReply", hexBytes("ABC70800000011"), info, -2, "-7  0 0 0 0 0 0"},
        {"deviceInfoOld", registerReply("AB40000000001400", hexBytes("01 00 E907 0C 1F 40E20100 F1BA0400 3412 05 06")),
         infoOld, 1, "1 2025-12-31 123456 310001 4660 0 5 6"},
        {"deviceInfoOldNotSupported", hexBytes("ABC70800"), infoOld, -5, "-7  0 0 0 0 0 0"},
        {"softwareVersion", withCrc(hexBytes("AB200C000200 6A00")), softwareVersion, 1, "106"},
        {"softwareVersionNotSupported", hexBytes("ABC70800"), softwareVersion, -5, "-7"},
        {"spectrum", spectrumReply(), spectrum, 1, "10 11 40"},
        {"spectrumRefused", badFrameCheck(spectrumReply()), spectrum, -2, "-7 0 0"},
        {"blockEndAccepted", withCrc(hexBytes("AB74000014000000")), blockEnd, 1, {}},
        {"blockEndRefused", withCrc(hexBytes("ABF4010014000000")), blockEnd, -3, {}},
        {"blockEndOtherReply", withCrc(hexBytes("AB74000014000100")), blockEnd, -3, {}},
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

struct RequestCase
{
    const char *name;
    std::function<int()> call;
    QByteArray request; // before the frame check
    int replyLength;
    int timeoutMs;
};

std::vector<RequestCase> requestCases()
{
    using C = CDeviceCommands;
    static int count;
    static int a, b, c;
    static ResultValues values;
    static std::array<int, 21> raw;
    static DeviceInfo info;
    static QByteArray block;
    static std::array<double, 31> spectrum;
    constexpr auto h = hexBytes;
    const auto write = [](const char *header, const char *data) { return hexBytes(header) + withCrc(hexBytes(data)); };
    // One name padded with zero bytes, one of exactly 16 bytes without padding.
    const QByteArray names = QByteArray("abc").leftJustified(16, '\0') + QByteArray("0123456789ABCDEF");
    const QByteArray info36 = names + h("0A00 FFFF");
    return {
        {"readDeviceInfo", [] { return C::readDeviceInfo(info); }, h("AB2005001200946B"), 26, 6000},
        {"readDeviceInfoOld", [] { return C::readDeviceInfoOld(info); }, h("AB40000000001400"), 30, 6000},
        {"readSoftwareVersion", [] { return C::readSoftwareVersion(a); }, h("AB200C000200"), 10, 6000},
        {"readDisplayParam", [] { return C::readDisplayParam(a); }, h("AB40000300000300"), 13, 6000},
        {"setDisplayParam", [] { return C::setDisplayParam(4); }, write("AB70000300000300", "04"), 10, 10000},
        {"readTolerance", [] { return C::readTolerance(a, b, c); }, h("AB400F0300000800"), 18, 6000},
        {"setTolerance", [] { return C::setTolerance(150, 9000, 15); },
         write("AB700F0300000800", "9600 2823 0F00"), 10, 10000},
        {"readDeltaEParam", [] { return C::readDeltaEParam(a, b); }, h("AB40250200000500"), 15, 6000},
        {"setDeltaEParam", [] { return C::setDeltaEParam(3, 15); }, write("AB70250200000500", "03 0F00"), 10, 6000},
        {"readHazeTResult", [] { return C::readHazeTResult(values); }, h("AB44200000001800"), 34, 6000},
        {"readHazeResult", [] { return C::readHazeResult(values); }, h("AB44210000001800"), 34, 6000},
        {"readTResult", [] { return C::readTResult(values); }, h("AB44220000001800"), 34, 6000},
        {"readLabResult", [] { return C::readLabResult(values); }, h("AB44230000001800"), 34, 6000},
        {"readLChResult", [] { return C::readLChResult(values); }, h("AB44240000001800"), 34, 6000},
        {"readYxyResult", [] { return C::readYxyResult(values); }, h("AB44250000001800"), 34, 6000},
        {"readMeasureData", [] { return C::readMeasureData(raw); }, h("AB440000000036001864"), 64, 6000},
        {"readHazeTRecordCount", [] { return C::readRecordCount(0, 0, count); }, h("AB40001200000400"), 14, 6000},
        {"readHazeRecordCount", [] { return C::readRecordCount(1, 2, count); }, h("AB40041200000400"), 14, 6000},
        {"readTRecordCount", [] { return C::readRecordCount(2, 1, count); }, h("AB40081200000400"), 14, 6000},
        {"readLabRecordCountType0", [] { return C::readRecordCount(3, 0, count); }, h("AB400C1200000400"), 14, 6000},
        {"readLabRecordCountType2", [] { return C::readLabRecordCount(count, 2); }, h("AB40001600000400"), 14, 6000},
        {"readLChRecordCountType0", [] { return C::readLChRecordCount(count, 0); }, h("AB40101200000400"), 14, 6000},
        {"readLChRecordCountType1", [] { return C::readRecordCount(4, 1, count); }, h("AB40041600000400"), 14, 6000},
        {"readYxyRecordCount", [] { return C::readRecordCount(5, 0, count); }, h("AB40141200000400"), 14, 6000},
        {"readSpectralRecordCountType0", [] { return C::readSpectralRecordCount(count, 0); }, h("AB40201000000800"),
         18, 6000},
        {"readSpectralRecordCountType2", [] { return C::readSpectralRecordCount(count, 2); }, h("AB40101400000800"),
         18, 6000},
        {"readBlock", [] { return C::readBlock(0x00412345, block, 256); }, h("AB40452341000001"), 266, 6000},
        {"writeStdColorCount", [] { return C::writeStdColorCount(258, crc16Modbus(hexBytes("0201"))); },
         write("AB70002F00000400", "0201"), 10, 6000},
        {"writeStdColorInfo",
         [info36] { return C::writeStdColorInfo(0x1234, "abc", "0123456789ABCDEF", 10, 0xFFFF, crc16Modbus(info36)); },
         h("AB70341200002600") + withCrc(info36), 10, 6000},
        {"writeBlockEnd", [] { return C::writeBlock(0x140000, {}, 0); }, h("AB74000014000000"), 10, 6000},
        {"measureSpectrum", [] { return C::measureSpectrum(spectrum); }, h("AB2049003E00"), 70, 6000},
    };
}

class CommandRequests : public CommandFixture, public ::testing::WithParamInterface<RequestCase>
{
};

INSTANTIATE_TEST_SUITE_P(Commands, CommandRequests, ::testing::ValuesIn(requestCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_P(CommandRequests, SendTheirBytesAndWaitForTheirReply)
{
    EXPECT_EQ(GetParam().call(), CmdNoReply);
    ASSERT_EQ(link.written.size(), 1);
    EXPECT_EQ(link.written[0].toHex(' '), withCrc(GetParam().request).toHex(' '));
    ASSERT_EQ(link.waits.size(), 1);
    EXPECT_EQ(link.waits[0].expectedLength, GetParam().replyLength);
    EXPECT_EQ(link.waits[0].timeoutMs, GetParam().timeoutMs);
}

TEST_P(CommandRequests, AreNotSentWhenTheLinkWritesLessThanTheRequest)
{
    link.writeResult = -1;
    EXPECT_EQ(GetParam().call(), CmdNotSent);
    EXPECT_TRUE(link.waits.isEmpty());
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

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedWithoutSending,
    ::testing::Values(
        RefusalCase{"labCountUnknownType", [] { int n; return CDeviceCommands::readLabRecordCount(n, 3); }, -1},
        RefusalCase{"lchCountUnknownType", [] { int n; return CDeviceCommands::readLChRecordCount(n, -1); }, -1},
        RefusalCase{"spectralCountUnknownType", [] { int n; return CDeviceCommands::readSpectralRecordCount(n, 5); }, -1},
        RefusalCase{"unknownKind", [] { ResultValues v; return CDeviceCommands::readKindResult(6, v); }, -1},
        RefusalCase{"unknownCountKind", [] { int n; return CDeviceCommands::readRecordCount(-1, 0, n); }, -1},
        RefusalCase{"negativeBlockRead", [] { QByteArray d; return CDeviceCommands::readBlock(0, d, -1); }, -1},
        RefusalCase{"negativeBlockWrite", [] { return CDeviceCommands::writeBlock(0, "abc", -1); }, -1},
        RefusalCase{"blockLongerThanData", [] { return CDeviceCommands::writeBlock(0, "abc", 4); }, -1},
        RefusalCase{"toleranceOutOfRange", [] { return CDeviceCommands::setTolerance(70000, 0, 0); }, -1},
        RefusalCase{"countCrcDiffers", [] { return CDeviceCommands::writeStdColorCount(258, 0x1234); }, -4},
        RefusalCase{"infoCrcDiffers", [] { return CDeviceCommands::writeStdColorInfo(0, "a", "b", 1, 2, 0); }, -4},
        RefusalCase{"nameOver16Bytes",
                    [] {
                        const QString name = QStringLiteral("颜色卡片标准样品"); // 8 characters, 24 UTF-8 bytes
                        return CDeviceCommands::writeStdColorInfo(0, name, "b", 1, 2, 0);
                    },
                    -4}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(RefusedWithoutSending, ReturnTheirCode)
{
    EXPECT_EQ(GetParam().call(), GetParam().code);
    EXPECT_TRUE(link.written.isEmpty());
}

TEST_F(CommandFixture, BulkWriteDataIsNotAcknowledged)
{
    const QByteArray data(70, 'x');
    EXPECT_EQ(CDeviceCommands::writeBlock(0x020100, data, 70), 80);
    ASSERT_EQ(link.written.size(), 1);
    EXPECT_EQ(link.written[0], withCrc(hexBytes("AB74000102004600") + data));
    EXPECT_TRUE(link.waits.isEmpty());

    link.writeResult = 77; // fewer than length + 8
    EXPECT_EQ(CDeviceCommands::writeBlock(0x020100, data, 70), CmdNotSent);
}

TEST_F(CommandFixture, ReadBlockAppendsOnlyOnSuccess)
{
    QByteArray data("xyz");
    const QByteArray reply = withCrc(hexBytes("AB40000002000400") + "DATA");
    link.reply = reply.left(13);
    EXPECT_EQ(CDeviceCommands::readBlock(0x020000, data, 4), CmdNoReply);
    EXPECT_EQ(data, "xyz");
    link.reply = reply;
    EXPECT_EQ(CDeviceCommands::readBlock(0x020000, data, 4), CmdOk);
    EXPECT_EQ(data, "xyzDATA");
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
                 {true, withCrc(hexBytes("AB210C000300 6A00")), -3, "读取软件版本接收的报文格式错误！"}};
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

TEST(PushedFrames, DecodeAtTheirOffsetAndTreatMissingBytesAsZero)
{
    const QByteArray lab = registerReply("AB44230000001800", resultData("0A0B0C 8813 85FF 6400"));
    EXPECT_EQ(describe(CDeviceCommands::decodeKindBlock(hexBytes("0013AB") + lab, 3, 3)),
              "10 11 12 0 0 50 -1.23 1 0 0 0 0 0 0");
    EXPECT_EQ(describe(CDeviceCommands::decodeKindBlock(lab.left(12), 0, 3)), "10 11 12 0 0 1.36 0 0 0 0 0 0 0 0");

    const QByteArray combined = registerReply("AB44000000003600", combinedData());
    EXPECT_EQ(CDeviceCommands::decodeMeasureBlock(hexBytes("FF") + combined, 1),
              CDeviceCommands::decodeMeasureBlock(combined, 0));
    EXPECT_EQ(CDeviceCommands::decodeMeasureBlock(combined.left(8), 0), (std::array<int, 21>{}));
}

TEST(DelayMs, NeverReturnsEarly)
{
    QElapsedTimer elapsed;
    elapsed.start();
    CDeviceCommands::delayMs(30);
    EXPECT_GE(elapsed.elapsed(), 31);
}

// The whole stack at once: commands over CLinkerUSB, libHidDevice and reports.
TEST(CommandsOverReports, ReadToleranceAndABulkTransfer)
{
    auto device = std::make_shared<ScriptedDevice>();
    device->setResponder([](ScriptedDevice &d, const QByteArray &payload) {
        if (payload.startsWith(hexBytes("AB400F03")))
            d.queuePayload(hexBytes("0013") + registerReply("AB400F0300000800", hexBytes("9600 2823 0F00")));
        else if (payload.startsWith(hexBytes("AB74")) && payload.size() == 10)
            d.queuePayload(withCrc(payload.left(8)));
    });
    installScriptedDevice(device);
    CLinkerUSB link;
    ASSERT_EQ(link.Open(0x2047, 0x0301), 0);
    LinkPort::setLink(&link);

    int haze = 0, t = 0, threshold = 0;
    EXPECT_EQ(CDeviceCommands::readTolerance(haze, t, threshold), CmdOk);
    EXPECT_EQ(threshold, 15);

    const qsizetype before = device->written().size();
    const QByteArray data(100, 'd');
    EXPECT_EQ(CDeviceCommands::writeBlock(0x020000, data, 100), 110);
    EXPECT_EQ(CDeviceCommands::writeBlock(0x020064, {}, 0), CmdOk);
    EXPECT_EQ(device->written().size() - before, 3); // 110 bytes in 62 + 48, then the empty packet
    LinkPort::setLink(nullptr);
    setTransportFactory({});
}

} // namespace
