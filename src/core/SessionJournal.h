#pragma once

#include "ComparisonRecord.h"
#include "Judgement.h"
#include "Outcome.h"
#include "SpectralRecordModel.h"

#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QThread>
#include <atomic>
#include <array>
#include <functional>
#include <memory>

class ComparisonRecordModel;

// Keeps the record lists in an SQLite file as they change, one transaction per change, so a
// crash, a power cut or a killed session does not take the user's measurements with it. The
// writing happens on a thread of its own, moments after each change.
// It holds nothing but the records and their counters; an empty list leaves it empty.
class SessionJournal : public QObject
{
    Q_OBJECT

public:
    // What the previous session left behind.
    struct Saved
    {
        QList<ComparisonRecord> records;
        ComparisonCounters counters;
        QList<SpectralRecord> spectra;
        QStringList spectralNames;
        QList<int> spectralNumbers;
        int spectralNameCounter = 1;
        QDateTime lastChange;

        // Records that exist nowhere else: comparison records never exported, and every spectrum.
        int unsavedCount() const;
    };

    // The journal of one program instance under $XDG_STATE_HOME/lumivex/.
    static QString defaultPath(const QString &instanceKey);

    explicit SessionJournal(const QString &path, QObject *parent = nullptr);
    ~SessionJournal() override;

    // Reads what the last session left. A journal that cannot be read (damaged, foreign, from a
    // newer program) is set aside under another name and a new one started; the outcome says so.
    Outcome open();
    const Saved &previous() const { return previous_; }

    // From now on the journal holds what model holds, change by change.
    void follow(ComparisonRecordModel &model);
    void follow(SpectralRecordModel &model);
    void stopFollowing(SpectralRecordModel &model);
    // The spectra of the previous session were let go.
    void clearSpectra();
    // Returns once every change so far is written.
    void flush();

signals:
    // Said once: from now on the records are not being kept (a full disk, a read-only folder).
    void troubled(const Outcome &outcome);

private:
    struct Table;
    struct Rows;
    // Runs work on the journal's thread and waits for it.
    void onJournalThread(const std::function<void()> &work);
    void unwatch(std::unique_ptr<Table> &table);
    void watch(QAbstractItemModel &model, Table &table);
    Rows rowsOf(Table &table, int first, int last, bool newSeqs);
    void rewrite(Table &table);
    void insertRows(Table &table, int first, int last);
    void updateRows(Table &table, int first, int last);
    void removeRows(Table &table, int first, int last);
    // Hands change to the journal's thread, to run in one transaction with the counters.
    void write(const std::function<bool()> &change);

    // On the journal's thread.
    bool createSchema();
    bool readPrevious();
    Outcome setAside(const QString &why);
    bool insert(const Rows &rows);
    bool update(const Rows &rows);
    bool remove(const Rows &rows);
    bool writeMeta(const QList<std::pair<QString, QString>> &values);

    QString path_;
    QString connection_;
    QThread thread_;
    QObject context_; // lives on thread_
    QSqlDatabase db_; // used on thread_ only
    std::atomic<bool> broken_ = false;
    Saved previous_;
    ComparisonRecordModel *comparison_ = nullptr;
    SpectralRecordModel *spectral_ = nullptr;
    std::array<qint64, 4> writtenCounters_{-1, -1, -1, -1};
    std::unique_ptr<Table> comparisonTable_;
    std::unique_ptr<Table> spectralTable_;
};
