// SPDX-License-Identifier: Apache-2.0
// The protocol trace: what it records is what crossed the link, report by report and frame by frame.
#include "DeviceCommands.h"
#include "ProtocolTrace.h"
#include "RecordMemory.h"
#include "SimulatedLink.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TraceLines
{
    QList<QByteArray> sentFrames, receivedFrames;
    QByteArray sentPayload, receivedPayload; // the reports' payloads, one after another
    QStringList malformed;
};

TraceLines readTrace(const QString &path)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (->|<-) (report|frame ) ([0-9a-f]{2}( [0-9a-f]{2})*)$"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    TraceLines trace;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(line));
        if (!match.hasMatch()) {
            trace.malformed << QString::fromLatin1(line);
            continue;
        }
        const QByteArray bytes = QByteArray::fromHex(match.captured(3).toLatin1());
        const bool sent = match.captured(1) == QLatin1String("->");
        if (match.captured(2) == QLatin1String("report"))
            (sent ? trace.sentPayload : trace.receivedPayload) += bytes.mid(2, quint8(bytes[1]));
        else
            (sent ? trace.sentFrames : trace.receivedFrames) << bytes;
    }
    return trace;
}

TEST(ProtocolTrace, RecordsEveryFrameTheMeterReceivedAndEveryReportThatCarriedThem)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("trace.txt"));
    EXPECT_FALSE(ProtocolTrace::isOn());
    ASSERT_TRUE(ProtocolTrace::start(path));
    QList<QByteArray> requests;
    {
        SimulatedLink rig;
        rig.sim.preload(40, 0);
        LinkLock lock(rig.link());
        CDeviceCommands commands(*rig.link());
        DeviceInfo info;
        int kind = -1, count = 0;
        ASSERT_EQ(commands.readDeviceInfo(info), CmdOk);
        ASSERT_EQ(commands.readDisplayParam(kind), CmdOk);
        ASSERT_EQ(commands.readRecordCount(0, 0, count), CmdOk);
        // A reply of 256 bytes spans several reports.
        QByteArray block;
        ASSERT_EQ(commands.readBlock(storedComparisonLayout(0)->valuesAddress, block, 256), CmdOk);
        requests = rig.sim.requestLog();
    }
    ProtocolTrace::stop();
    const TraceLines trace = readTrace(path);
    EXPECT_EQ(trace.malformed, QStringList());
    EXPECT_EQ(trace.sentFrames, requests);
    EXPECT_EQ(trace.sentPayload, requests.join());
    EXPECT_EQ(trace.receivedFrames.size(), requests.size());
    EXPECT_EQ(trace.receivedPayload, trace.receivedFrames.join());

    // Stopped, nothing more is written, and a link talks through its transport as it is.
    const qint64 size = QFileInfo(path).size();
    SimulatedLink rig;
    {
        int kind = -1;
        LinkLock lock(rig.link());
        EXPECT_EQ(CDeviceCommands(*rig.link()).readDisplayParam(kind), CmdOk);
    }
    EXPECT_EQ(QFileInfo(path).size(), size);
    std::unique_ptr<ReportTransport> transport = rig.sim.makeTransport();
    const ReportTransport *plain = transport.get();
    EXPECT_EQ(ProtocolTrace::traced(std::move(transport)).get(), plain);
    EXPECT_FALSE(ProtocolTrace::start(folder.filePath(QStringLiteral("missing/trace.txt"))));
}

} // namespace
