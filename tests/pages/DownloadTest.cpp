// Download of the instrument's stored comparison records against the simulated instrument.
#include "MeasurementRig.h"
#include "SpectralTestSupport.h"

#include "ColourDifference.h"
#include "FileChooser.h"
#include "SimMemoryMap.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <numeric>

namespace {

using namespace RecordColumn;

struct BlockRead
{
    quint32 address;
    int length;
    bool operator==(const BlockRead &) const = default;
};

void PrintTo(const BlockRead &read, std::ostream *os)
{
    *os << std::hex << "0x" << read.address << std::dec << "+" << read.length;
}

// Reads of the comparison record regions, in the order the instrument received them.
QList<BlockRead> blockReads(const SimulatedInstrument &sim)
{
    QList<BlockRead> reads;
    for (const QByteArray &frame : sim.requestLog()) {
        const quint32 address = qFromLittleEndian<quint32>(frame.constData() + 2);
        if (quint8(frame[1]) == 0x40 && address >= 0x400000)
            reads.append({address, qFromLittleEndian<quint16>(frame.constData() + 6)});
    }
    return reads;
}

QByteArray words(std::initializer_list<quint16> values)
{
    QByteArray bytes;
    for (quint16 v : values) {
        char le[2];
        qToLittleEndian(v, le);
        bytes.append(le, 2);
    }
    return bytes;
}

void storeCount(SimulatedInstrument &sim, int kind, quint16 count)
{
    sim.writeMemory(SimMemoryMap::comparisonCountAddress(kind, sim.profile().deviceType), words({count}));
}

// The page set to one result kind and tolerances, with stored records of that kind.
struct DownloadRig : MeasurementRig
{
    explicit DownloadRig(int kind, const SimProfile &profile = {}) : MeasurementRig(profile)
    {
        page->state().judgement.deviceType = profile.deviceType;
        page->state().setResultKind(kind);
        page->state().judgement.hazeTolerance = 0.5;
        page->state().judgement.transmittanceTolerance = 1;
        page->state().judgement.workingThreshold = 1.5;
        sim.preload(0, 0);
        sim.clearRequestLog();
    }
    void store(int kind, int n)
    {
        for (int k = 0; k < n; ++k) {
            const SimMeasurement standard = simMeasurement(10, 90, 50, 1, 2);
            const SimMeasurement sample = simMeasurement(10 + 0.1 * k, 90 - 0.2 * k, 50 + 0.2 * k, 1, 2);
            sim.addComparisonRecord(kind, standard, sample, QByteArray("r") + QByteArray::number(k + 1));
        }
        sim.clearRequestLog();
    }
    QStringList counterTexts() const
    {
        return {text("lineEdit_unqualNum"), text("lineEdit_qualNum"), text("lineEdit_totalNum")};
    }
    ModalCatcher catcher;
};

struct BlockCase
{
    int kind;
    int count;
    QList<BlockRead> reads;
};

class DownloadBlocks : public ::testing::TestWithParam<BlockCase>
{
};

TEST_P(DownloadBlocks, ReadsBothRegionsInBlocks)
{
    const BlockCase &c = GetParam();
    DownloadRig rig(c.kind);
    rig.store(c.kind, c.count);
    ProgressWatch watch(rig.page.get());
    rig.page->on_pushButton_readComparisonRecord_clicked();

    EXPECT_TRUE(rig.catcher.seen().isEmpty()) << rig.catcher.lastText().toStdString();
    EXPECT_EQ(blockReads(rig.sim), c.reads);
    EXPECT_EQ(watch.maximum, c.reads.size());
    QList<int> afterEachBlock(c.reads.size());
    std::iota(afterEachBlock.begin(), afterEachBlock.end(), 0);
    EXPECT_EQ(watch.values, afterEachBlock);
    ASSERT_EQ(rig.list()->rowCount(), c.count);
    EXPECT_EQ(rig.record(c.count - 1, Name), QStringLiteral("r%1").arg(c.count));
    EXPECT_EQ(rig.record(c.count - 1, Number), QString::number(c.count));
    EXPECT_TRUE(rig.lockIsFree());
}

INSTANTIATE_TEST_SUITE_P(EdgeCounts, DownloadBlocks,
                         ::testing::Values(BlockCase{5, 10, {{0x680000, 240}, {0x6C0000, 160}}},
                                           BlockCase{4, 11, {{0x600000, 256}, {0x600100, 8}, {0x640000, 176}}},
                                           BlockCase{1, 64, {{0x480000, 256}, {0x4C0000, 256}, {0x4C0100, 256},
                                                             {0x4C0200, 256}, {0x4C0300, 256}}}));

// Stored words decode by sign and scale; the names stop at 13 bytes; the page's tolerances judge.
TEST(Download, DecodesJudgesAndCounts)
{
    DownloadRig rig(ResultHazeT);
    // Standard haze 0xFFFF reads 655.35; the second record differs by exactly its tolerances.
    rig.sim.writeMemory(0x400000, words({0xFFFF, 9000, 0xFFFF, 9000, 1000, 9000, 1050, 8900, 1000, 9000, 1051, 9000}));
    rig.sim.writeMemory(0x440000, QByteArray("ABCDEFGHIJKLMNOP") + QByteArray(16, '\0') + QByteArray("x\0yz", 4)
                                      + QByteArray(12, '\0'));
    storeCount(rig.sim, ResultHazeT, 3);
    rig.page->findChild<QLineEdit *>(QStringLiteral("lineEdit_serialNo"))->setText(QStringLiteral("SN9"));
    rig.page->state().modelName = QStringLiteral("TQ310");
    rig.page->on_pushButton_readComparisonRecord_clicked();

    ASSERT_EQ(rig.list()->rowCount(), 3);
    EXPECT_EQ(rig.record(0, Name), QStringLiteral("ABCDEFGHIJKLM"));
    EXPECT_EQ(rig.record(1, Name), QString());
    EXPECT_EQ(rig.record(2, Name), QStringLiteral("x"));
    EXPECT_EQ(rig.record(0, StandardFirst), QStringLiteral("655.35%"));
    EXPECT_EQ(rig.record(0, DeltaHaze), QStringLiteral("0.00%"));
    EXPECT_EQ(rig.record(1, DeltaHaze), QStringLiteral("0.50%"));
    EXPECT_EQ(rig.record(1, DeltaTransmittance), QStringLiteral("-1.00%"));
    EXPECT_EQ(rig.record(1, Result), QStringLiteral("PASS")) << "a difference equal to its tolerance passes";
    EXPECT_EQ(rig.record(2, Result), QStringLiteral("NG"));
    EXPECT_EQ(rig.record(1, StandardFirst + Quantity::L), QStringLiteral("0.00"));
    EXPECT_EQ(rig.record(1, DeltaE), QStringLiteral("0.00"));
    EXPECT_EQ(rig.record(1, HazeTolerance), QStringLiteral("±0.50%"));
    EXPECT_EQ(rig.record(1, Threshold), QStringLiteral("1.5"));
    EXPECT_EQ(rig.record(1, Model), QStringLiteral("TQ310"));
    EXPECT_EQ(rig.record(1, SerialNumber), QStringLiteral("SN9"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d  \\d\\d:\\d\\d$"))
                    .match(rig.record(2, Time))
                    .hasMatch());
    EXPECT_EQ(rig.counterTexts(), (QStringList{"1", "2", "3"}));
}

TEST(Download, ColourKindsUseDeltaEabAndSignedWords)
{
    SimProfile profile;
    profile.deviceType = 1;
    DownloadRig rig(ResultLab, profile);
    rig.page->state().judgement.formula = DeltaE00; // in force for new measurements, not for stored records
    rig.sim.writeMemory(0x580000, words({0xFFFF, 100, 0, 299, 100, 400}));
    storeCount(rig.sim, ResultLab, 1);
    rig.page->on_pushButton_readComparisonRecord_clicked();
    ASSERT_EQ(rig.list()->rowCount(), 1);
    EXPECT_EQ(rig.record(0, StandardFirst + Quantity::L), QStringLiteral("-0.01"));
    EXPECT_EQ(rig.record(0, DeltaE), QStringLiteral("5.00")) << "3-4-5 in L* and b*";
    EXPECT_EQ(rig.record(0, Result), QStringLiteral("NG"));
    EXPECT_EQ(rig.record(0, StandardFirst + Quantity::Haze), QStringLiteral("0.00%"));
}

TEST(Download, AskFirstWithMoreThanTwoRows)
{
    DownloadRig rig(ResultHaze);
    rig.store(ResultHaze, 1);
    for (int i = 0; i < 3; ++i)
        rig.page->on_pushButton_readComparisonRecord_clicked();
    EXPECT_TRUE(rig.catcher.seen().isEmpty()) << "up to two rows: appended without asking";
    ASSERT_EQ(rig.list()->rowCount(), 3);
    EXPECT_EQ(rig.record(2, Number), QStringLiteral("3")) << "the counters continue";

    // Three rows: Yes exports first; a cancelled export stops the download.
    FileChooser::setAnswer([](const FileChooser::Request &) { return QString(); });
    rig.sim.clearRequestLog();
    rig.page->on_pushButton_readComparisonRecord_clicked();
    FileChooser::setAnswer({});
    EXPECT_EQ(rig.catcher.texts(), QStringList{"Data import willempty the list, to save data first?"});
    EXPECT_EQ(rig.catcher.seen().value(0).title, QStringLiteral("Colorimeter"));
    EXPECT_EQ(rig.list()->rowCount(), 3);
    EXPECT_TRUE(blockReads(rig.sim).isEmpty());

    // No discards them, then downloads.
    rig.catcher.clear();
    rig.catcher.answerNext(QMessageBox::No);
    rig.page->on_pushButton_readComparisonRecord_clicked();
    EXPECT_EQ(rig.catcher.texts(), QStringList{"Data import willempty the list, to save data first?"});
    EXPECT_EQ(rig.list()->rowCount(), 1);
    EXPECT_EQ(rig.record(0, Number), QStringLiteral("1"));
}

struct FailureCase
{
    const char *what;
    std::function<void(DownloadRig &)> arrange;
    QString title;
    QString text;
};

class DownloadFailure : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(DownloadFailure, ShowsWhyAndAddsNothing)
{
    const FailureCase &c = GetParam();
    DownloadRig rig(ResultLCh);
    rig.store(ResultLCh, 12); // values 288 bytes (two blocks), names 192 (one)
    c.arrange(rig);
    rig.page->on_pushButton_readComparisonRecord_clicked();
    EXPECT_EQ(rig.catcher.seen().size(), 1);
    EXPECT_EQ(rig.catcher.seen().value(0).title, c.title);
    EXPECT_EQ(rig.catcher.lastText(), c.text);
    EXPECT_EQ(rig.list()->rowCount(), 0);
    EXPECT_EQ(rig.counterTexts(), (QStringList{"0", "0", "0"}));
    EXPECT_TRUE(rig.lockIsFree());
}

const QString countFailed = QStringLiteral("Failed to read the number of color difference records!");
const QString valuesFailed = QStringLiteral("Reading difference recording lab data failed!");
const QString namesFailed = QStringLiteral("Failed to read color difference record name data!");

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloadFailure,
    ::testing::Values(
        FailureCase{"bad data check", [](auto &r) { r.sim.injectFault(SimFault::BadDataCheck); }, "Error",
                    "difference history data error, unable to export!"},
        FailureCase{"refused count", [](auto &r) { r.sim.injectFault(SimFault::WrongEcho); }, "Error", countFailed},
        FailureCase{"nothing stored", [](auto &r) { storeCount(r.sim, ResultLCh, 0); }, "Info", "No comparison record!"},
        FailureCase{"more than the region holds", [](auto &r) { storeCount(r.sim, ResultLCh, 10923); }, "Error",
                    "The instrument reports 10923 comparison records, more than its memory holds (10922); nothing was "
                    "read."},
        FailureCase{"no result kind", [](auto &r) { r.page->state().judgement.resultKinds.fill(false); }, "Error",
                    "Choose one display parameter before reading the comparison records."},
        FailureCase{"two result kinds", [](auto &r) { r.page->state().judgement.resultKinds[ResultHaze] = true; },
                    "Error", "Choose one display parameter before reading the comparison records."},
        FailureCase{"no link", [](auto &r) { r.port.setLink(nullptr); }, "Error", "Please connect the device first!"},
        // The instrument is pulled as the request of each step arrives: count, two value blocks, names.
        FailureCase{"unplug at count", [](auto &r) { r.sim.unplugAfterRequests(0); }, "Error", countFailed},
        FailureCase{"unplug at values 1", [](auto &r) { r.sim.unplugAfterRequests(1); }, "Error", valuesFailed},
        FailureCase{"unplug at values 2", [](auto &r) { r.sim.unplugAfterRequests(2); }, "Error", valuesFailed},
        FailureCase{"unplug at names", [](auto &r) { r.sim.unplugAfterRequests(3); }, "Error", namesFailed}),
    [](const auto &info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        return name.toStdString();
    });

// Cancelling at any block: the block in progress ends, nothing is added, the lock is free.
TEST(Download, CancelAtEveryBlock)
{
    DownloadRig rig(ResultYxy);
    rig.store(ResultYxy, 30); // values 720 bytes (3 blocks), names 480 (2)
    for (int step = 0; step < 5; ++step) {
        rig.catcher.clear();
        rig.sim.clearRequestLog();
        {
            ProgressWatch watch(rig.page.get(), step);
            rig.page->on_pushButton_readComparisonRecord_clicked();
        }
        EXPECT_EQ(rig.catcher.texts(), QStringList{"Download cancelled; nothing was added."}) << step;
        EXPECT_EQ(rig.list()->rowCount(), 0) << step;
        EXPECT_LE(blockReads(rig.sim).size(), step + 2) << step;
        EXPECT_TRUE(rig.lockIsFree()) << step;
    }
    rig.page->on_pushButton_readComparisonRecord_clicked();
    EXPECT_EQ(rig.list()->rowCount(), 30) << "a later download runs to the end";
}

} // namespace
