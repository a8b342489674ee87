#include "SessionJournal.h"

#include "ComparisonRecordModel.h"

#include <QDataStream>
#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const char SchemaName[] = "lumivex-journal 1";

QByteArray packed(const auto &value)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << value;
    return bytes;
}

template<typename T>
T unpacked(const QByteArray &bytes)
{
    T value{};
    QDataStream in(bytes);
    in >> value;
    return value;
}

QStringList textsOf(const ComparisonRecord &record)
{
    QStringList texts;
    for (int column = 0; column < RecordColumn::Count; ++column)
        texts << record.text(column);
    return texts;
}

ComparisonRecord recordOf(const QStringList &texts, int result, bool kept)
{
    ComparisonRecord record;
    for (int column = 0; column < RecordColumn::Count; ++column)
        record.setText(column, texts.value(column));
    if (result >= int(RecordResult::Pass) && result < int(RecordResult::Unknown))
        record.setResult(RecordResult(result));
    record.setKept(kept);
    return record;
}

std::array<qint64, 4> countersOf(const ComparisonCounters &c)
{
    return {c.unqualified(), c.qualified(), c.total(), c.sequence()};
}

QList<double> valuesOf(const SpectralRecord &record)
{
    return QList<double>(record.values.begin(), record.values.end());
}

// A record's values for its table row, made when they are written.
using RowValues = std::function<QVariantList()>;

} // namespace

// One record list in one table: seq orders the rows, the other columns hold a record. The
// bookkeeping lives on the GUI thread; the rows it hands over are made on the journal's thread.
struct SessionJournal::Table
{
    QString name;
    QStringList columns;
    int headingRows = 0; // rows of the model that are no record
    std::function<int()> count;
    std::function<RowValues(int record)> row; // a copy of the record, made into values later
    QList<qint64> seqs;                        // the seq of every record, in the model's order
    qint64 nextSeq = 1;
    QList<QMetaObject::Connection> connections;
};

// Rows of one table as the journal's thread writes them.
struct SessionJournal::Rows
{
    QString table;
    QStringList columns;
    QList<qint64> seqs;
    QList<RowValues> values;
};

int SessionJournal::Saved::unsavedCount() const
{
    const auto unsaved = std::count_if(records.begin(), records.end(), [](const auto &r) { return !r.isKept(); });
    return int(unsaved + spectra.size());
}

QString SessionJournal::defaultPath(const QString &instanceKey)
{
    QString stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    if (stateHome.isEmpty())
        stateHome = QDir::homePath() + QStringLiteral("/.local/state");
    QString fileName = instanceKey;
    fileName.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return stateHome + QStringLiteral("/lumivex/") + fileName + QStringLiteral(".journal");
}

SessionJournal::SessionJournal(const QString &path, QObject *parent)
    : QObject(parent), path_(path), connection_(QUuid::createUuid().toString())
{
    // The records are written on a thread of their own, so a long download is not held up.
    thread_.setObjectName(QStringLiteral("session journal"));
    context_.moveToThread(&thread_);
    thread_.start();
    // Writing the records is never more urgent than showing them: on a busy machine the window goes first.
    QMetaObject::invokeMethod(&context_, [] { setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 10); });
}

SessionJournal::~SessionJournal()
{
    unwatch(comparisonTable_);
    unwatch(spectralTable_);
    onJournalThread([this] {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
    });
    thread_.quit();
    thread_.wait();
}

void SessionJournal::onJournalThread(const std::function<void()> &work)
{
    QMetaObject::invokeMethod(&context_, work, Qt::BlockingQueuedConnection);
}

void SessionJournal::flush()
{
    onJournalThread([] {});
}

Outcome SessionJournal::open()
{
    Outcome said;
    onJournalThread([&] {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db_.setDatabaseName(path_);
        if (db_.open() && createSchema() && readPrevious())
            return;
        const QString why = db_.lastError().text().trimmed();
        said = setAside(why.isEmpty() ? tr("unknown contents") : why);
    });
    return said;
}

bool SessionJournal::createSchema()
{
    QSqlQuery query(db_);
    const QStringList setup{
        QStringLiteral("PRAGMA journal_mode=WAL"),
        QStringLiteral("PRAGMA synchronous=FULL"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS comparison (seq INTEGER PRIMARY KEY, texts BLOB, result INTEGER, "
                       "kept INTEGER)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS spectral (seq INTEGER PRIMARY KEY, number INTEGER, name TEXT, "
                       "visible INTEGER, vals BLOB)"),
        QStringLiteral("INSERT OR IGNORE INTO meta VALUES ('schema', '%1')").arg(QLatin1String(SchemaName)),
    };
    for (const QString &statement : setup)
        if (!query.exec(statement))
            return false;
    return query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema'")) && query.next() &&
           query.value(0).toString() == QLatin1String(SchemaName);
}

bool SessionJournal::readPrevious()
{
    Saved saved;
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT key, value FROM meta")))
        return false;
    QHash<QString, QString> meta;
    while (query.next())
        meta.insert(query.value(0).toString(), query.value(1).toString());
    saved.counters = ComparisonCounters::restored(meta.value(QStringLiteral("unqualified")).toUInt(),
                                                  meta.value(QStringLiteral("qualified")).toUInt(),
                                                  meta.value(QStringLiteral("total")).toUInt(),
                                                  meta.value(QStringLiteral("sequence")).toInt());
    saved.spectralNameCounter = qMax(1, meta.value(QStringLiteral("spectralNameCounter")).toInt());
    saved.lastChange = QDateTime::fromString(meta.value(QStringLiteral("lastChange")), Qt::ISODateWithMs);
    if (!query.exec(QStringLiteral("SELECT texts, result, kept FROM comparison ORDER BY seq")))
        return false;
    while (query.next())
        saved.records << recordOf(unpacked<QStringList>(query.value(0).toByteArray()), query.value(1).toInt(),
                                  query.value(2).toBool());
    if (!query.exec(QStringLiteral("SELECT number, name, visible, vals FROM spectral ORDER BY seq")))
        return false;
    while (query.next()) {
        const QList<double> values = unpacked<QList<double>>(query.value(3).toByteArray());
        if (values.size() != SpectralRecord::valueCount)
            return false;
        SpectralRecord record;
        std::copy(values.begin(), values.end(), record.values.begin());
        record.visible = query.value(2).toBool();
        saved.spectralNumbers << query.value(0).toInt();
        saved.spectralNames << query.value(1).toString();
        saved.spectra << record;
    }
    previous_ = saved;
    return true;
}

Outcome SessionJournal::setAside(const QString &why)
{
    db_.close();
    const QString aside = path_ + QStringLiteral(".set-aside-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::rename(path_ + suffix, aside + suffix);
    const Outcome said = Outcome::failure(tr("Session journal"),
                                          tr("The session journal could not be read (%1). It was set aside as %2 "
                                             "and a new one started.")
                                              .arg(why, QDir::toNativeSeparators(aside)),
                                          Outcome::Warning);
    previous_ = Saved();
    if (!db_.open() || !createSchema()) {
        broken_ = true;
        return Outcome::failure(said.title, said.text + u'\n' + tr("Records are not being kept for recovery after a crash."),
                                Outcome::Warning);
    }
    return said;
}

void SessionJournal::unwatch(std::unique_ptr<Table> &table)
{
    if (table)
        for (const auto &connection : table->connections)
            disconnect(connection);
    table.reset();
}

void SessionJournal::follow(ComparisonRecordModel &model)
{
    unwatch(comparisonTable_);
    comparison_ = &model;
    comparisonTable_ = std::make_unique<Table>();
    Table &table = *comparisonTable_;
    table.name = QStringLiteral("comparison");
    table.columns = QStringList{QStringLiteral("texts"), QStringLiteral("result"), QStringLiteral("kept")};
    table.count = [&model] { return model.count(); };
    table.row = [&model](int record) -> RowValues {
        return [r = model.at(record)] { return QVariantList{packed(textsOf(r)), int(r.result()), int(r.isKept())}; };
    };
    watch(model, table);
    // Counters mostly change with the rows, whose change wrote them already.
    table.connections << connect(&model, &ComparisonRecordModel::countersChanged, this, [this] {
        if (countersOf(comparison_->counters()) != writtenCounters_)
            write([] { return true; });
    });
}

void SessionJournal::follow(SpectralRecordModel &model)
{
    unwatch(spectralTable_);
    spectral_ = &model;
    spectralTable_ = std::make_unique<Table>();
    Table &table = *spectralTable_;
    table.name = QStringLiteral("spectral");
    table.columns = QStringList{QStringLiteral("number"), QStringLiteral("name"), QStringLiteral("visible"),
                                QStringLiteral("vals")};
    table.headingRows = 1;
    table.count = [&model] { return model.count(); };
    table.row = [&model](int record) -> RowValues {
        return [number = model.number(record), name = model.name(record), r = model.records().at(record)] {
            return QVariantList{number, name, int(r.visible), packed(valuesOf(r))};
        };
    };
    watch(model, table);
}

void SessionJournal::stopFollowing(SpectralRecordModel &model)
{
    if (spectral_ != &model)
        return;
    unwatch(spectralTable_);
    spectral_ = nullptr;
}

void SessionJournal::clearSpectra()
{
    write([this] { return QSqlQuery(db_).exec(QStringLiteral("DELETE FROM spectral")); });
}

void SessionJournal::watch(QAbstractItemModel &model, Table &table)
{
    const int heading = table.headingRows;
    table.connections << connect(&model, &QAbstractItemModel::rowsInserted, this,
                                 [this, &table, heading](const QModelIndex &, int first, int last) {
                                     // Records are appended at the end; anything else is written afresh.
                                     if (first - heading == table.seqs.size())
                                         insertRows(table, first - heading, last - heading);
                                     else
                                         rewrite(table);
                                 });
    table.connections << connect(&model, &QAbstractItemModel::rowsRemoved, this,
                                 [this, &table, heading](const QModelIndex &, int first, int last) {
                                     removeRows(table, first - heading, last - heading);
                                 });
    table.connections << connect(&model, &QAbstractItemModel::dataChanged, this,
                                 [this, &table, heading](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                                     updateRows(table, qMax(0, topLeft.row() - heading), bottomRight.row() - heading);
                                 });
    table.connections << connect(&model, &QAbstractItemModel::modelReset, this, [this, &table] { rewrite(table); });
    rewrite(table);
}

SessionJournal::Rows SessionJournal::rowsOf(Table &table, int first, int last, bool newSeqs)
{
    Rows rows{table.name, table.columns, {}, {}};
    for (int record = first; record <= last; ++record) {
        if (newSeqs)
            table.seqs.insert(record, table.nextSeq++);
        rows.seqs << table.seqs.at(record);
        rows.values << table.row(record);
    }
    return rows;
}

void SessionJournal::rewrite(Table &table)
{
    table.seqs.clear();
    const Rows rows = rowsOf(table, 0, table.count() - 1, true);
    write([this, rows] { return QSqlQuery(db_).exec(QStringLiteral("DELETE FROM %1").arg(rows.table)) && insert(rows); });
}

void SessionJournal::insertRows(Table &table, int first, int last)
{
    const Rows rows = rowsOf(table, first, last, true);
    write([this, rows] { return insert(rows); });
}

void SessionJournal::updateRows(Table &table, int first, int last)
{
    const Rows rows = rowsOf(table, first, qMin(last, int(table.seqs.size()) - 1), false);
    write([this, rows] { return update(rows); });
}

void SessionJournal::removeRows(Table &table, int first, int last)
{
    Rows rows{table.name, {}, table.seqs.mid(first, last - first + 1), {}};
    table.seqs.remove(first, last - first + 1);
    write([this, rows] { return remove(rows); });
}

void SessionJournal::write(const std::function<bool()> &change)
{
    if (broken_)
        return;
    // What the counters and the list's name sequence are now, written with the change.
    QList<std::pair<QString, QString>> meta{
        {QStringLiteral("lastChange"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs)}};
    if (comparison_) {
        writtenCounters_ = countersOf(comparison_->counters());
        const char *const names[] = {"unqualified", "qualified", "total", "sequence"};
        for (int k = 0; k < 4; ++k)
            meta << std::pair{QString::fromLatin1(names[k]), QString::number(writtenCounters_[k])};
    }
    if (spectral_)
        meta << std::pair{QStringLiteral("spectralNameCounter"), QString::number(spectral_->nameCounter())};
    QMetaObject::invokeMethod(&context_, [this, change, meta] {
        if (broken_ || !db_.isOpen())
            return;
        if (db_.transaction() && change() && writeMeta(meta) && db_.commit())
            return;
        const QString why = db_.lastError().text();
        db_.rollback();
        broken_ = true;
        const Outcome said = Outcome::failure(tr("Session journal"),
                                              tr("Records are not being kept for recovery after a crash: %1").arg(why),
                                              Outcome::Warning);
        QMetaObject::invokeMethod(this, [this, said] { emit troubled(said); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

// ---- On the journal's thread ----

bool SessionJournal::insert(const Rows &rows)
{
    // Many rows per statement: a download of thousands of records costs few round trips.
    constexpr int RowsPerStatement = 64;
    const QString row = u'(' + QStringList(rows.columns.size() + 1, QStringLiteral("?")).join(u',') + u')';
    for (int start = 0; start < rows.seqs.size(); start += RowsPerStatement) {
        const int end = std::min(int(rows.seqs.size()), start + RowsPerStatement);
        QSqlQuery query(db_);
        const QString marks = QStringList(end - start, row).join(u',');
        if (!query.prepare(QStringLiteral("INSERT INTO %1 (seq,%2) VALUES %3").arg(rows.table, rows.columns.join(u','), marks)))
            return false;
        for (int k = start; k < end; ++k) {
            query.addBindValue(rows.seqs[k]);
            for (const QVariant &value : rows.values[k]())
                query.addBindValue(value);
        }
        if (!query.exec())
            return false;
    }
    return true;
}

bool SessionJournal::update(const Rows &rows)
{
    QSqlQuery query(db_);
    if (!query.prepare(QStringLiteral("UPDATE %1 SET %2=? WHERE seq=?").arg(rows.table, rows.columns.join(QStringLiteral("=?,")))))
        return false;
    for (int k = 0; k < rows.seqs.size(); ++k) {
        for (const QVariant &value : rows.values[k]())
            query.addBindValue(value);
        query.addBindValue(rows.seqs[k]);
        if (!query.exec())
            return false;
    }
    return true;
}

bool SessionJournal::remove(const Rows &rows)
{
    QSqlQuery query(db_);
    if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE seq=?").arg(rows.table)))
        return false;
    for (const qint64 seq : rows.seqs) {
        query.addBindValue(seq);
        if (!query.exec())
            return false;
    }
    return true;
}

bool SessionJournal::writeMeta(const QList<std::pair<QString, QString>> &values)
{
    QSqlQuery query(db_);
    if (!query.prepare(QStringLiteral("INSERT OR REPLACE INTO meta VALUES (?, ?)")))
        return false;
    for (const auto &[key, value] : values) {
        query.addBindValue(key);
        query.addBindValue(value);
        if (!query.exec())
            return false;
    }
    return true;
}
