// The journal brings both lists back exactly, also after a kill; its failures never stop the measuring.
#include "SessionRig.h"

#include "SessionJournal.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cctype>
#include <cstdio>

namespace {

using namespace RecordColumn;


struct JournalRig : SessionRig
{
    explicit JournalRig(const QString &at = {}) : path(at.isEmpty() ? dir.filePath(QStringLiteral("lab.journal")) : at)
    {
        EXPECT_EQ(shown(journal.open()), "");
        journal.follow(session.records());
        journal.follow(spectral.records());
        connect();
    }
    // What the next start finds.
    SessionJournal::Saved reopened()
    {
        journal.flush();
        SessionJournal next(path);
        EXPECT_EQ(shown(next.open()), "");
        return next.previous();
    }
    void measureRecords(int n)
    {
        measure(MeasureStandard, Standard);
        for (int k = 0; k < n; ++k)
            measure(MeasureSample, k % 2 ? Standard : Sample);
    }

    QTemporaryDir dir;
    QString path;
    SessionJournal journal{path};
};

QList<QStringList> textsOf(const QList<ComparisonRecord> &records)
{
    QList<QStringList> texts;
    for (const ComparisonRecord &record : records) {
        texts << QStringList();
        for (int column = 0; column < Count; ++column)
            texts.last() << record.text(column);
    }
    return texts;
}


TEST(Journal, KeepsEveryChangeOfBothListsAndTheirNumbering)
{
    JournalRig rig;
    rig.measureRecords(4);
    rig.session.records().rename(1, QStringLiteral("Film 名"));
    rig.session.deleteRecord(0);
    rig.session.setTolerance("0.3", "0.5", "3"); // every record judged again
    for (int k = 0; k < 3; ++k)
        rig.spectral.measure();
    SpectralRecordModel &spectra = rig.spectral.records();
    spectra.setData(spectra.index(3, SpectralRecordModel::NameColumn), QStringLiteral("edge"));
    spectra.setVisible(2, false);
    spectra.remove(0);

    const SessionJournal::Saved saved = rig.reopened();
    EXPECT_EQ(textsOf(saved.records), textsOf(rig.session.records().records()));
    EXPECT_EQ(countsOf(saved.counters), countsOf(rig.session.counters()));
    EXPECT_EQ(saved.counters.sequence(), rig.session.counters().sequence());
    EXPECT_EQ(saved.spectralNames, (QStringList{"spec2", "edge"}));
    EXPECT_EQ(saved.spectralNumbers, (QList<int>{2, 3}));
    EXPECT_EQ((std::array{saved.spectra[0].visible, saved.spectra[1].visible}), (std::array{false, true}));
    EXPECT_EQ(saved.spectra[1].values, spectra.records()[1].values);
    EXPECT_EQ(saved.unsavedCount(), 5);
    EXPECT_LE(QDateTime::currentDateTime().secsTo(saved.lastChange), 0);

    // Restored, the lists go on where they stopped.
    ComparisonRecordModel model;
    model.restore(saved.records, saved.counters);
    SpectralRecordModel restoredSpectra;
    restoredSpectra.restore(saved.spectra, saved.spectralNames, saved.spectralNumbers, saved.spectralNameCounter);
    restoredSpectra.append(SpectralRecord{});
    EXPECT_EQ(model.nextTestName(), rig.session.records().nextTestName());
    EXPECT_EQ(restoredSpectra.name(2), QStringLiteral("spec4"));

    // An export ends the session; records imported from a workbook are no loss until changed.
    const QString file = rig.dir.filePath(QStringLiteral("kept.xlsx"));
    ASSERT_EQ(shown(rig.session.exportTo(file)), "Storing data / Data stored to file Success");
    EXPECT_TRUE(rig.reopened().records.isEmpty());
    ASSERT_EQ(shown(rig.session.importFrom(file)), "");
    EXPECT_EQ(rig.reopened().records.size(), 3);
    EXPECT_EQ(rig.reopened().unsavedCount(), 2) << "only the spectra are in no workbook";
    rig.session.records().rename(0, QStringLiteral("changed"));
    EXPECT_EQ(rig.reopened().unsavedCount(), 3);

    rig.session.clearPage();
    spectra.clear();
    const SessionJournal::Saved cleared = rig.reopened();
    EXPECT_EQ(cleared.records.size() + cleared.spectra.size(), 0);
}

TEST(Journal, UnreadableJournalsAreSetAsideAndANewOneStarted)
{
    for (const bool foreignSchema : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lab.journal"));
        if (QFile garbage(path); !foreignSchema && garbage.open(QIODevice::WriteOnly))
            garbage.write(QByteArray(4096, '\x5a'));
        if (auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign")); foreignSchema) {
            db.setDatabaseName(path);
            db.open();
            QSqlQuery(db).exec(QStringLiteral("CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)"));
            QSqlQuery(db).exec(QStringLiteral("INSERT INTO meta VALUES ('schema', 'lumivex-journal 9')"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
        SessionJournal journal(path);
        const Outcome said = journal.open();
        EXPECT_EQ(said.title, QStringLiteral("Session journal"));
        EXPECT_TRUE(said.text.startsWith(QStringLiteral("The session journal could not be read ("))) << said.text.toStdString();
        const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("lab.journal.set-aside-*")});
        ASSERT_EQ(aside.size(), 1);
        EXPECT_TRUE(said.text.contains(aside[0]));
        EXPECT_TRUE(journal.previous().records.isEmpty());
        // The new journal works.
        ComparisonRecordModel model;
        journal.follow(model);
        model.append(ComparisonRecord());
        journal.flush();
        SessionJournal next(path);
        EXPECT_EQ(shown(next.open()), "");
        EXPECT_EQ(next.previous().records.size(), 1);
    }
}

TEST(Journal, AFailedWriteWarnsOnceAndMeasuringGoesOn)
{
    JournalRig rig;
    QSignalSpy troubled(&rig.journal, &SessionJournal::troubled);
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("breaker"));
        db.setDatabaseName(rig.path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE comparison"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("breaker"));
    rig.measureRecords(3);
    EXPECT_EQ(rig.session.records().count(), 3);
    rig.journal.flush();
    ASSERT_TRUE(waitFor([&] { return troubled.count() > 0; }));
    QCoreApplication::processEvents();
    ASSERT_EQ(troubled.count(), 1);
    const Outcome said = troubled[0][0].value<Outcome>();
    EXPECT_TRUE(said.text.startsWith(QStringLiteral("Records are not being kept for recovery after a crash: ")));
}

// Run as a child process: measures, downloads and renames until it is killed.
TEST(JournalChild, WorksUntilKilled)
{
    const QString path = qEnvironmentVariable("LUMIVEX_JOURNAL_CHILD");
    if (path.isEmpty())
        GTEST_SKIP() << "started by Journal.KilledProgramsRecordsComeBack";
    JournalRig rig(path);
    rig.sim.preload(10, 0);
    for (int round = 0;; ++round) {
        rig.measureRecords(1 + round % 3);
        rig.session.records().rename(0, QStringLiteral("round %1").arg(round));
        rig.session.downloadRecords({});
        rig.journal.flush();
        std::printf("%d\n", rig.session.records().count());
        std::fflush(stdout);
    }
}

TEST(Journal, KilledProgramsRecordsComeBack)
{
    for (const int rounds : {1, 4, 9}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lab.journal"));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LUMIVEX_JOURNAL_CHILD"), path);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=JournalChild.*")});
        QStringList reported;
        while (reported.size() < rounds && child.waitForReadyRead(30000))
            while (child.canReadLine())
                if (const QByteArray line = child.readLine().trimmed(); !line.isEmpty() && std::isdigit(line[0]))
                    reported << QString::fromLatin1(line); // the rest is the test framework's
        child.kill();
        child.waitForFinished();
        ASSERT_GE(reported.size(), rounds);
        SessionJournal journal(path);
        EXPECT_EQ(shown(journal.open()), "");
        const int kept = int(journal.previous().records.size());
        // Killed after a change was written but before it was reported, or later still.
        EXPECT_GE(kept, reported.last().toInt()) << rounds;
        ASSERT_GT(kept, 0);
        EXPECT_TRUE(journal.previous().records[0].text(Name).startsWith(QStringLiteral("round ")))
            << journal.previous().records[0].text(Name).toStdString() << " of " << kept;
    }
}

} // namespace
