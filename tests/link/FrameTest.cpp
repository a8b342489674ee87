#include "CLinkerUSB.h"
#include "Crc16.h"
#include "LinkPort.h"
#include "ScriptedDevice.h"
#include "libHidDevice.h"

#include <gtest/gtest.h>

namespace {

struct CrcCase
{
    const char *hex;
    quint16 crc;
};

class CrcVectors : public ::testing::TestWithParam<CrcCase>
{
};

// Published CRC-16/MODBUS check value, and the checks the instrument's own fixed requests carry.
INSTANTIATE_TEST_SUITE_P(Crc16, CrcVectors,
                         ::testing::Values(CrcCase{"", 0xFFFF}, CrcCase{"00", 0x40BF},
                                           CrcCase{"313233343536373839", 0x4B37},
                                           CrcCase{"AB2005001200", 0x6B94},     // readDeviceInfo carries 94 6B
                                           CrcCase{"AB44000000003600", 0x6418}, // readMeasureData carries 18 64
                                           CrcCase{"AB400F0300000800", 0x3B09}));

TEST_P(CrcVectors, MatchesReference)
{
    const QByteArray data = hexBytes(GetParam().hex);
    EXPECT_EQ(crc16Modbus(data), GetParam().crc);
    EXPECT_EQ(LinkPort::CRC16(data, int(data.size())), GetParam().crc);
}

TEST(Crc16, CoversOnlyTheFirstNBytesAndEmptyRangesGiveFFFF)
{
    const QByteArray digits("123456789xyz");
    EXPECT_EQ(LinkPort::CRC16(digits, 9), 0x4B37);
    EXPECT_EQ(LinkPort::CRC16(digits, 0), 0xFFFF);
    EXPECT_EQ(LinkPort::CRC16(digits, -4), 0xFFFF);
}

class LinkFixture : public ::testing::Test
{
protected:
    void SetUp() override { installScriptedDevice(device); }
    void TearDown() override
    {
        LinkPort::setLink(nullptr);
        setTransportFactory({});
    }

    // A 70-byte reply frame, as long as the spectral measurement's.
    static QByteArray longFrame()
    {
        QByteArray body = hexBytes("AB20490044003E00");
        for (int i = 0; body.size() < 68; ++i)
            body.append(char(i));
        return withCrc(body);
    }

    std::shared_ptr<ScriptedDevice> device = std::make_shared<ScriptedDevice>();
};

using HidDeviceTest = LinkFixture;

TEST_F(HidDeviceTest, WritesA70ByteFrameAsReportsOf62And8)
{
    libHidDevice hid;
    ASSERT_EQ(hid.Open(0x2047, 0x0301), 0);
    const QByteArray frame = longFrame();
    EXPECT_EQ(hid.Write(frame.constData(), 70, 50), 70);
    const QList<QByteArray> reports = device->writtenReports();
    ASSERT_EQ(reports.size(), 2);
    for (const QByteArray &r : reports) {
        EXPECT_EQ(r.size(), 64);
        EXPECT_EQ(r[0], char(0x3F));
    }
    EXPECT_EQ(quint8(reports[0][1]), 62);
    EXPECT_EQ(quint8(reports[1][1]), 8);
    EXPECT_EQ(device->writtenPayload(), frame);
}

TEST_F(HidDeviceTest, WritesNothingForNoBytesOrAClosedDeviceAndStopsAtTheFirstFailedReport)
{
    libHidDevice hid;
    const QByteArray frame = longFrame() + longFrame();
    EXPECT_EQ(hid.Write(frame.constData(), 70, 50), 0);
    ASSERT_EQ(hid.Open(0x2047, 0x0301), 0);
    EXPECT_EQ(hid.Write(frame.constData(), 0, 50), 0);
    EXPECT_TRUE(device->writtenReports().isEmpty());

    device->failWritesAfter(1);
    EXPECT_EQ(hid.Write(frame.constData(), int(frame.size()), 50), 0);
    EXPECT_EQ(device->writtenReports().size(), 1);
}

TEST_F(HidDeviceTest, KeepsTheRestOfAReportForTheNextReadWithoutTouchingTheDevice)
{
    libHidDevice hid;
    ASSERT_EQ(hid.Open(0x2047, 0x0301), 0);
    device->queuePayload("0123456789");
    char buffer[16] = {};
    ASSERT_EQ(hid.Read(buffer, 4, 50), 4);
    EXPECT_EQ(QByteArray(buffer, 4), "0123");
    device->unplug(); // any further report read would fail
    ASSERT_EQ(hid.Read(buffer, 6, 50), 6);
    EXPECT_EQ(QByteArray(buffer, 6), "456789");
    EXPECT_TRUE(hid.IsRemoved());
}

TEST_F(HidDeviceTest, SkipsForeignReportsAndReturnsWhatArrivedBeforeATimeOut)
{
    libHidDevice hid;
    ASSERT_EQ(hid.Open(0x2047, 0x0301), 0);
    char buffer[16] = {};
    EXPECT_EQ(hid.Read(buffer, 4, 20), 0);

    device->queueReport(ScriptedDevice::report("junk", 0x01));
    device->queuePayload("ABC");
    ASSERT_EQ(hid.Read(buffer, 10, 20), 3);
    EXPECT_EQ(QByteArray(buffer, 3), "ABC");

    // A count byte larger than the report is not believed.
    device->queueReport(hexBytes("3F3E414243"));
    EXPECT_EQ(hid.Read(buffer, 10, 20), 3);
}

TEST_F(HidDeviceTest, OpenFailsWithoutADeviceOrATransport)
{
    libHidDevice hid;
    EXPECT_EQ(hid.Open(0x2047, 0x0302), -1);
    EXPECT_FALSE(hid.IsOpen());
    setTransportFactory([] { return std::unique_ptr<ReportTransport>(); });
    EXPECT_EQ(hid.Open(0x2047, 0x0301), -1);
    char buffer[4];
    EXPECT_EQ(hid.Read(buffer, 4, 20), 0);
}

class LinkerTest : public LinkFixture
{
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        ASSERT_EQ(link.Open(0x2047, 0x0301), 0);
        LinkPort::setLink(&link);
    }

    CLinkerUSB link;
};

TEST_F(LinkerTest, JoinsAReplySplitOverTwoReports)
{
    const QByteArray frame = longFrame();
    device->queuePayload(frame);
    QByteArray out;
    EXPECT_EQ(link.ReadMessage(out, 500, 70), 70);
    EXPECT_EQ(out, frame);
}

TEST_F(LinkerTest, ResynchronisesOnTheStartByteAfterStrayBytes)
{
    const QByteArray reply = registerReply("AB700F0300000800", {}).left(10);
    device->queuePayload(hexBytes("0013"));
    device->queuePayload(reply);
    QByteArray out;
    EXPECT_EQ(link.ReadMessage(out, 500, 10), 10);
    EXPECT_EQ(out, reply);
}

TEST_F(LinkerTest, AReplyPastTheTimeOutCountsAsMissing)
{
    device->queuePayload(longFrame().left(10), 400);
    QByteArray out;
    EXPECT_EQ(link.ReadMessage(out, 100, 10), 0);
}

// The command set recognises a short not-supported reply from what stays in out.
TEST_F(LinkerTest, AShortReplyStaysInOutAfterTheTimeOut)
{
    const QByteArray shortFrame = hexBytes("AB A0 04 00 00 00");
    device->queuePayload(hexBytes("13") + shortFrame);
    QByteArray out;
    EXPECT_EQ(link.ReadMessage(out, 100, 26), 0);
    EXPECT_EQ(out, shortFrame);
}

TEST_F(LinkerTest, PollingReturnsEverythingThatArrivedWithinOneWait)
{
    QByteArray out;
    EXPECT_EQ(LinkPort::receiveFrame(out, 0, 142090, false), 0);
    device->queuePayload(longFrame());
    EXPECT_EQ(LinkPort::receiveFrame(out, 0, 142090, false), 70);
    EXPECT_EQ(out, longFrame());
}

struct FrameCheckCase
{
    const char *name;
    int flipByte; // -1: intact
    bool testCheck;
    int expected;
};

class FrameCheck : public LinkerTest, public ::testing::WithParamInterface<FrameCheckCase>
{
};

INSTANTIATE_TEST_SUITE_P(ReceiveFrame, FrameCheck,
                         ::testing::Values(FrameCheckCase{"intact", -1, true, 18},
                                           FrameCheckCase{"flippedCheckBit", 17, true, -1},
                                           FrameCheckCase{"flippedDataBit", 9, true, -1},
                                           FrameCheckCase{"flippedButNotTested", 17, false, 18}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_P(FrameCheck, IsTestedOnlyWhenAsked)
{
    QByteArray reply = registerReply("AB400F0300000800", hexBytes("96002823 0F00"));
    if (GetParam().flipByte >= 0)
        reply[GetParam().flipByte] = char(reply[GetParam().flipByte] ^ 0x01);
    device->queuePayload(reply);
    QByteArray out;
    EXPECT_EQ(LinkPort::receiveFrame(out, 500, 18, GetParam().testCheck), GetParam().expected);
}

TEST_F(LinkerTest, SendFrameAppendsTheCheckLowByteFirst)
{
    QByteArray frame = hexBytes("AB400F0300000800");
    EXPECT_EQ(LinkPort::sendFrame(frame, 1000), 10);
    EXPECT_EQ(frame, hexBytes("AB400F0300000800 093B"));
    EXPECT_EQ(device->writtenPayload(), frame);
}

TEST_F(LinkerTest, FrameOperationsFailWithoutAnOpenLink)
{
    device->failWritesAfter(1);
    QByteArray frame = longFrame().left(68);
    EXPECT_EQ(LinkPort::sendFrame(frame, 1000), -1); // second report refused

    link.Close();
    EXPECT_FALSE(LinkPort::isDeviceOpen());
    QByteArray request = hexBytes("AB400F0300000800");
    EXPECT_EQ(LinkPort::sendFrame(request, 1000), -1);
    QByteArray out;
    EXPECT_EQ(LinkPort::receiveFrame(out, 200, 10, true), 0);

    LinkPort::setLink(nullptr);
    EXPECT_EQ(LinkPort::receiveFrame(out, 200, 10, true), -1);
}

} // namespace
