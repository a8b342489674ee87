// Measurement and stored-spectra download against the simulated instrument.
#include "SpectralTestSupport.h"

#include "Crc16.h"
#include "FileChooser.h"
#include "ModalCatcher.h"

#include <QtEndian>
#include <numeric>
#include <ostream>
#include <gtest/gtest.h>

namespace {

struct BlockRead
{
    quint32 address;
    int length;
    bool operator==(const BlockRead &) const = default;
};

// The block reads among the requests the instrument received (0x40 at block addresses).
QList<BlockRead> blockReads(const SimulatedInstrument &sim)
{
    QList<BlockRead> reads;
    for (const QByteArray &frame : sim.requestLog()) {
        const quint32 address = qFromLittleEndian<quint32>(frame.constData() + 2);
        if (quint8(frame[1]) == 0x40 && address >= 0x10000)
            reads.append({address, qFromLittleEndian<quint16>(frame.constData() + 6)});
    }
    return reads;
}

QString cell(QTableWidget *table, int row, int column)
{
    return table->item(row, column)->text();
}

SimSpectrum ramp(double start)
{
    SimSpectrum values;
    for (int i = 0; i < 31; ++i)
        values[i] = start + i;
    return values;
}

TEST(SpectralMeasurement, TakesOneSpectrumUnderTheLock)
{
    SpectralRig rig;
    ModalCatcher catcher;
    SimSpectrum next = ramp(10.25);
    next[0] = 655.35; // raw 0xFFFF
    rig.sim.setNextSpectrum(next);
    rig.sim.clearRequestLog();
    rig.page->on_pushButton_spectralMeasurement_clicked();
    EXPECT_TRUE(catcher.seen().isEmpty()) << catcher.lastText().toStdString();
    ASSERT_EQ(rig.page->records().size(), 1);
    EXPECT_DOUBLE_EQ(rig.page->records()[0].values[0], 655.35);
    EXPECT_EQ(cell(rig.table(), 1, 2), QStringLiteral("655.35"));
    EXPECT_EQ(cell(rig.table(), 1, 32), QStringLiteral("40.25"));
    EXPECT_EQ(cell(rig.table(), 1, 1), QStringLiteral("spec1"));
    const QByteArray request = QByteArray::fromHex("ab2049003e00");
    EXPECT_EQ(rig.sim.requestLog(), QList<QByteArray>{request + QByteArray(1, char(crc16Modbus(request) & 0xFF)) +
                                                        QByteArray(1, char(crc16Modbus(request) >> 8))});
    EXPECT_TRUE(rig.lockIsFree());
}

TEST(SpectralMeasurement, FaultyReplyAddsNothingAndFreesTheLock)
{
    for (SimFault fault : {SimFault::BadFrameCheck, SimFault::WrongEcho}) {
        SpectralRig rig;
        ModalCatcher catcher;
        rig.sim.injectFault(fault);
        rig.page->on_pushButton_spectralMeasurement_clicked();
        ASSERT_EQ(catcher.seen().size(), 1);
        EXPECT_EQ(catcher.seen()[0].title, QStringLiteral("Error"));
        EXPECT_EQ(catcher.seen()[0].text, QStringLiteral("Failed to read data information!"));
        EXPECT_TRUE(rig.page->records().isEmpty());
        EXPECT_EQ(rig.table()->rowCount(), 1);
        EXPECT_TRUE(rig.lockIsFree());
        // The link stays usable.
        rig.page->on_pushButton_spectralMeasurement_clicked();
        EXPECT_EQ(rig.page->records().size(), 1);
    }
}

TEST(SpectralMeasurement, WaitsForTheLockOfTheWorkerAfterAReplug)
{
    SpectralRig rig;
    ModalCatcher catcher;
    // The instrument was pulled and plugged again while the page stayed open.
    ASSERT_TRUE(rig.reopen());
    rig.link()->startWorker();
    std::atomic<bool> locked = false, released = false;
    std::thread holder([&] {
        LinkLock lock(rig.link());
        locked = true;
        QThread::msleep(300);
        released = true;
    });
    while (!locked)
        QThread::msleep(1);
    rig.page->on_pushButton_spectralMeasurement_clicked();
    EXPECT_TRUE(released) << "measured while another command series held the link";
    holder.join();
    EXPECT_EQ(rig.page->records().size(), 1);
}

TEST(SpectralMeasurement, LimitIsAThousandRecords)
{
    SpectralRig rig;
    ModalCatcher catcher;
    StoredSpectra stored(999);
    rig.page->appendStoredRecords(stored.values, stored.names, 999);
    rig.page->on_pushButton_spectralMeasurement_clicked();
    EXPECT_EQ(rig.page->records().size(), 1000);
    EXPECT_TRUE(catcher.seen().isEmpty());
    rig.sim.clearRequestLog();
    rig.page->on_pushButton_spectralMeasurement_clicked();
    EXPECT_EQ(catcher.lastText(),
              QStringLiteral("Measurement exceeds the maximum quantity, please save the excel file before measuring!"));
    EXPECT_EQ(rig.page->records().size(), 1000);
    EXPECT_TRUE(rig.sim.requestLog().isEmpty()) << "nothing sent";
}

struct BlockCase
{
    int deviceType;
    int count;
    int progressMaximum;
    QList<BlockRead> reads;
};

void PrintTo(const BlockCase &c, std::ostream *out)
{
    *out << "type " << c.deviceType << ", " << c.count << " records";
}

class SpectralHistoryBlocks : public ::testing::TestWithParam<BlockCase>
{
};

TEST_P(SpectralHistoryBlocks, ReadsRegionsInBlocksAndDecodes)
{
    const BlockCase &c = GetParam();
    SimProfile profile;
    profile.deviceType = c.deviceType;
    SpectralRig rig(profile);
    ModalCatcher catcher;
    SimSpectrum first = ramp(-3);
    first[5] = -0.01; // stored values are signed: 0xFFFF
    rig.sim.addSpectrum(first, QByteArray("ABCDEFGHIJKLMNOP"));
    for (int k = 1; k < c.count; ++k)
        rig.sim.addSpectrum(ramp(k), k == 1 ? QByteArray() : QByteArray("n") + QByteArray::number(k));
    rig.sim.clearRequestLog();
    ProgressWatch watch(rig.page.get());
    rig.page->on_pushButton_spectralHistory_clicked();

    EXPECT_TRUE(catcher.seen().isEmpty()) << catcher.lastText().toStdString();
    EXPECT_EQ(blockReads(rig.sim), c.reads);
    EXPECT_EQ(watch.maximum, c.progressMaximum);
    QList<int> afterEachBlock(c.progressMaximum);
    std::iota(afterEachBlock.begin(), afterEachBlock.end(), 0);
    EXPECT_EQ(watch.values, afterEachBlock);
    ASSERT_EQ(rig.page->records().size(), c.count);
    EXPECT_DOUBLE_EQ(rig.page->records()[0].values[5], -0.01);
    EXPECT_DOUBLE_EQ(rig.page->records()[0].values[0], -3);
    EXPECT_DOUBLE_EQ(rig.page->records()[c.count - 1].values[30], c.count - 1 + 30);
    EXPECT_EQ(cell(rig.table(), 1, 1), QStringLiteral("ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(cell(rig.table(), 2, 1), QStringLiteral("spec1"));
    EXPECT_EQ(cell(rig.table(), c.count, 1), QStringLiteral("n%1").arg(c.count - 1));
    EXPECT_EQ(cell(rig.table(), c.count, 0), QString::number(c.count));
    EXPECT_TRUE(rig.lockIsFree());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCounts, SpectralHistoryBlocks,
    ::testing::Values(BlockCase{0, 4, 2, {{0x020000, 256}, {0x021900, 64}}},
                      BlockCase{1, 5, 3, {{0x140000, 256}, {0x140100, 64}, {0x141900, 80}}}));

struct FailureCase
{
    const char *what;
    std::function<void(SimulatedInstrument &)> arrange;
    QString title;
    QString text;
    int blockReadsExpected;
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.what;
}

class SpectralHistoryFailure : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(SpectralHistoryFailure, ShowsWhyAndAddsNothing)
{
    const FailureCase &c = GetParam();
    SpectralRig rig;
    ModalCatcher catcher;
    rig.sim.preload(0, 5);
    rig.sim.clearRequestLog();
    c.arrange(rig.sim);
    rig.page->on_pushButton_spectralHistory_clicked();
    ASSERT_EQ(catcher.seen().size(), 1);
    EXPECT_EQ(catcher.seen()[0].title, c.title);
    EXPECT_EQ(catcher.seen()[0].text, c.text);
    EXPECT_EQ(rig.page->records().size(), 0);
    EXPECT_EQ(rig.table()->rowCount(), 1);
    EXPECT_EQ(blockReads(rig.sim).size(), c.blockReadsExpected);
    EXPECT_TRUE(rig.lockIsFree());
}

void storedCount(SimulatedInstrument &sim, quint16 count)
{
    QByteArray word(2, '\0');
    qToLittleEndian(count, word.data());
    sim.writeMemory(0x1022, word);
}

const QString countFailed = QStringLiteral("Failed to read the number of spectral records!");
const QString valuesFailed = QStringLiteral("Reading spectral recording data failed!");
const QString namesFailed = QStringLiteral("Failed to read spectral record name data!");

INSTANTIATE_TEST_SUITE_P(
    Cases, SpectralHistoryFailure,
    ::testing::Values(
        FailureCase{"bad data check", [](auto &sim) { sim.injectFault(SimFault::BadDataCheck); }, "Error",
                    "Spectral history data error, unable to export!", 0},
        FailureCase{"refused count", [](auto &sim) { sim.injectFault(SimFault::WrongEcho); }, "Error", countFailed, 0},
        FailureCase{"nothing stored", [](auto &sim) { storedCount(sim, 0); }, "Info", "No spectral history!", 0},
        FailureCase{"more than the region holds", [](auto &sim) { storedCount(sim, 101); }, "Error",
                    "The instrument reports 101 spectral records, more than its memory holds (100); nothing was read.",
                    0},
        // Five records: the count, two value blocks, one name block; the instrument is pulled at each
        // step, as the request arrives (so that request is not logged).
        FailureCase{"unplug at count", [](auto &sim) { sim.unplugAfterRequests(0); }, "Error", countFailed, 0},
        FailureCase{"unplug at values 1", [](auto &sim) { sim.unplugAfterRequests(1); }, "Error", valuesFailed, 0},
        FailureCase{"unplug at values 2", [](auto &sim) { sim.unplugAfterRequests(2); }, "Error", valuesFailed, 1},
        FailureCase{"unplug at names", [](auto &sim) { sim.unplugAfterRequests(3); }, "Error", namesFailed, 2}),
    [](const auto &info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        return name.toStdString();
    });

TEST(SpectralHistory, CancelStopsAfterTheCurrentBlock)
{
    SpectralRig rig;
    ModalCatcher catcher;
    rig.sim.preload(0, 100); // 25 value blocks and 7 name blocks
    rig.sim.clearRequestLog();
    ProgressWatch watch(rig.page.get(), 3);
    rig.page->on_pushButton_spectralHistory_clicked();
    ASSERT_EQ(catcher.seen().size(), 1);
    EXPECT_EQ(catcher.seen()[0].text, QStringLiteral("Download cancelled; nothing was added."));
    EXPECT_EQ(watch.maximum, 32);
    const int reads = blockReads(rig.sim).size();
    EXPECT_GE(reads, 4);
    EXPECT_LT(reads, 32);
    EXPECT_TRUE(rig.page->records().isEmpty());
    EXPECT_TRUE(rig.lockIsFree());
    // A later download runs to the end.
    catcher.clear();
    watch.timer.stop();
    rig.page->on_pushButton_spectralHistory_clicked();
    EXPECT_EQ(rig.page->records().size(), 100);
}

TEST(SpectralHistory, AsksBeforeReplacingTheList)
{
    SpectralRig rig;
    ModalCatcher catcher;
    rig.sim.preload(0, 2);
    StoredSpectra stored(3);

    // Yes, then no file chosen: nothing read, nothing lost.
    rig.page->appendStoredRecords(stored.values, stored.names, 3);
    FileChooser::setAnswer([](const FileChooser::Request &) { return QString(); });
    rig.sim.clearRequestLog();
    rig.page->on_pushButton_spectralHistory_clicked();
    EXPECT_EQ(catcher.seen().value(0).title, QStringLiteral("Colorimeter"));
    EXPECT_EQ(catcher.seen().value(0).text, QStringLiteral("Data import willempty the list, to save data first?"));
    EXPECT_EQ(rig.page->records().size(), 3);
    EXPECT_TRUE(rig.sim.requestLog().isEmpty());
    FileChooser::setAnswer({});

    // No: the list is discarded and replaced by the instrument's records.
    catcher.answerNext(QMessageBox::No);
    rig.page->on_pushButton_spectralHistory_clicked();
    ASSERT_EQ(rig.page->records().size(), 2);
    EXPECT_EQ(cell(rig.table(), 1, 1), QStringLiteral("SP-001"));
    EXPECT_EQ(cell(rig.table(), 2, 0), QStringLiteral("2"));
}

TEST(SpectralHistory, NeedsAnOpenLink)
{
    SpectralRig rig;
    ModalCatcher catcher;
    rig.port.setLink(nullptr);
    rig.page->on_pushButton_spectralHistory_clicked();
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Please connect the device first!"));
    EXPECT_TRUE(rig.sim.requestLog().isEmpty());
}

} // namespace
