#include "CLinkerUSB.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "ScriptedDevice.h"

#include <gtest/gtest.h>

namespace {

// The published check value, and the checks the instrument's own fixed requests carry.
TEST(Crc16, MatchesReference)
{
    const std::pair<const char *, quint16> cases[] = {
        {"", 0xFFFF}, {"00", 0x40BF}, {"313233343536373839", 0x4B37},
        {"AB2005001200", 0x6B94},     // readDeviceInfo carries 94 6B
        {"AB44000000003600", 0x6418}, // readMeasureData carries 18 64
        {"AB400F0300000800", 0x3B09}};
    for (const auto &[bytes, crc] : cases) {
        const QByteArray data = hex(bytes) + "tail";
        EXPECT_EQ(crc16Modbus(data.left(data.size() - 4)), crc) << bytes;
        EXPECT_EQ(LinkPort::CRC16(data, int(data.size()) - 4), crc) << bytes;
    }
}

// A 70-byte frame, as long as the spectral measurement's reply.
QByteArray longFrame()
{
    QByteArray body = hex("AB20490044003E00");
    while (body.size() < 68)
        body.append(char(body.size()));
    return withCheck(body);
}

using LinkFixture = ScriptedLinkTest;

TEST_F(LinkFixture, HidWritesSplitIntoReportsOf62AndStopAtTheFirstFailure)
{
    libHidDevice hid;
    ASSERT_EQ(hid.Open(0x2047, 0x0301), 0);
    const QByteArray frame = longFrame();
    EXPECT_EQ(hid.Write(frame.constData(), 0, 50), 0);
    EXPECT_EQ(hid.Write(frame.constData(), 70, 50), 70);
    const QList<QByteArray> reports = device->written();
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0].left(2), hex("3F3E"));
    EXPECT_EQ(reports[1].left(2), hex("3F08"));
    EXPECT_EQ(reports[1].size(), 64);
    EXPECT_EQ(device->writtenPayload(), frame);

    device->failWritesAfter(1);
    const QByteArray twice = frame + frame;
    EXPECT_EQ(hid.Write(twice.constData(), 140, 50), 0);
    EXPECT_EQ(device->written().size(), 3); // the second report failed, the third was never tried
}

TEST_F(LinkFixture, HidReadsKeepTheRestOfAReportAndSkipForeignReports)
{
    libHidDevice hid;
    char buffer[16] = {};
    EXPECT_EQ(hid.Read(buffer, 4, 20), 0); // not open
    ASSERT_EQ(hid.Open(0x2047, 0x0301), 0);
    EXPECT_EQ(hid.Read(buffer, 4, 20), 0); // nothing arrived

    device->queueReport(reportOf("junk", 0x01));
    device->queueReport(hex("3F3E414243")); // a count byte beyond the report is not believed
    ASSERT_EQ(hid.Read(buffer, 10, 20), 3);
    EXPECT_EQ(QByteArray(buffer, 3), "ABC");

    device->queuePayload("0123456789");
    ASSERT_EQ(hid.Read(buffer, 4, 50), 4);
    device->unplug(); // any further report read would fail
    ASSERT_EQ(hid.Read(buffer + 4, 6, 50), 6);
    EXPECT_EQ(QByteArray(buffer, 10), "0123456789");
    EXPECT_TRUE(hid.IsRemoved());
    EXPECT_EQ(hid.Read(buffer, 1, 50), 0);
}

TEST_F(LinkFixture, ReadMessageWaitsForTheExpectedLengthFromTheStartByte)
{
    const QByteArray writeEcho = withCheck(hex("AB700F0300000800"));
    const QByteArray notSupported = hex("ABA004000000");
    // Queued, after a delay; the length waited for, the result and what is left in out either way.
    const std::tuple<const char *, QByteArray, int, int, int, QByteArray> cases[] = {
        {"splitOverTwoReports", longFrame(), 0, 70, 70, longFrame()},
        {"strayBytesBefore", hex("0013") + writeEcho, 0, 10, 10, writeEcho},
        {"shortReplyStays", hex("13") + notSupported, 0, 26, 0, notSupported},
        {"pastTheTimeOut", writeEcho, 300, 10, 0, {}}, // last: what is queued for later holds back the rest
    };
    for (const auto &[name, queued, delayMs, expectedLength, result, left] : cases) {
        CLinkerUSB usb;
        ASSERT_EQ(usb.Open(0x2047, 0x0301), 0);
        device->queuePayload(queued, delayMs);
        QByteArray out;
        EXPECT_EQ(usb.ReadMessage(out, 120, expectedLength), result) << name;
        EXPECT_EQ(out, left) << name;
    }
}

// A sent frame gets its check, low byte first; a poll takes what arrived; a received check is tested when asked.
TEST_F(LinkFixture, SendFrameAppendsTheCheckAndReceiveFrameTestsItWhenAsked)
{
    QByteArray frame = hex("AB400F0300000800");
    EXPECT_EQ(link->sendFrame(frame, 1000), 10);
    EXPECT_EQ(frame, hex("AB400F0300000800 093B"));
    EXPECT_EQ(device->writtenPayload(), frame);
    QByteArray out;
    EXPECT_EQ(link->receiveFrame(out, 0, 142090, false), 0);
    device->queuePayload(longFrame());
    EXPECT_EQ(link->receiveFrame(out, 0, 142090, false), 70);
    EXPECT_EQ(out, longFrame());

    const std::tuple<int, bool, int> cases[] = {{-1, true, 18}, {17, true, -1}, {9, true, -1}, {17, false, 18}};
    for (const auto &[flipByte, tested, expected] : cases) {
        QByteArray reply = registerReply("AB400F0300000800", hex("9600 2823 0F00"));
        if (flipByte >= 0)
            reply[flipByte] = char(reply[flipByte] ^ 0x01);
        device->queuePayload(reply);
        out.clear();
        EXPECT_EQ(link->receiveFrame(out, 500, 18, tested), expected) << flipByte << " " << tested;
    }
}

TEST_F(LinkFixture, FrameOperationsFailWithoutAnOpenLink)
{
    LinkPort port;
    port.setLink(link);
    device->failWritesAfter(1);
    QByteArray frame = longFrame().left(68);
    EXPECT_EQ(link->sendFrame(frame, 1000), -1); // short write

    link->close();
    EXPECT_FALSE(port.isDeviceOpen());
    QByteArray request = hex("AB400F0300000800");
    EXPECT_EQ(link->sendFrame(request, 1000), -1);
    QByteArray out;
    EXPECT_EQ(link->receiveFrame(out, 200, 10, true), -1);
    EXPECT_TRUE(link->isRemoved());

    EXPECT_EQ(InstrumentLink::openUsb(0x2047, 0x0302), nullptr);
    setTransportFactory([] { return std::unique_ptr<ReportTransport>(); });
    EXPECT_EQ(InstrumentLink::openUsb(0x2047, 0x0301), nullptr);
}

} // namespace
