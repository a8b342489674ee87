#pragma once

#include "ComparisonRecord.h"
#include "Judgement.h"

#include <QAbstractTableModel>

// The comparison records and the counters that follow them: the one store of the record
// list. Views show it; the Delete and Report columns display their button texts.
class ComparisonRecordModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int count() const { return int(records_.size()); }
    bool isEmpty() const { return records_.isEmpty(); }
    const ComparisonRecord &at(int row) const { return records_.at(row); }
    const QList<ComparisonRecord> &records() const { return records_; }
    const ComparisonCounters &counters() const { return counters_; }
    // Records that exist nowhere but in this list: measured, downloaded, or renamed since import.
    int unsavedCount() const;

    // Counts one judged result; returns the new total, the number its record carries.
    // The counters are announced when the record is appended.
    unsigned countResult(bool pass);
    // "Comp1", "Comp2", ...: the name of the next judged pair.
    QString nextTestName() { return counters_.nextTestName(); }
    // The caller has counted the records already (their numbers are the running totals).
    void append(const ComparisonRecord &record);
    void append(const QList<ComparisonRecord> &records);
    // Imported records: each PASS or NG is counted as it is added; unknown results are not.
    void appendCounting(const QList<ComparisonRecord> &records);
    // Takes the record's count off the counters; numbers of later records stay as they are.
    bool remove(int row);
    void rename(int row, const QString &name);
    // Records, counters and the test-name sequence back to the start.
    void clear();
    // The list and counters exactly as a previous session left them.
    void restore(const QList<ComparisonRecord> &records, const ComparisonCounters &counters);
    // The counters as they were before results that were counted but never added.
    void restoreCounters(const ComparisonCounters &counters);

    // Judges every record again with the current settings and rebuilds the counters;
    // rewrites ΔE, the result and the settings columns. An empty list is left alone.
    void rejudge(JudgementSettings &settings, const QString &model, const QString &serialNumber);
    // Re-words the result column in the current language.
    void retranslate();

signals:
    void countersChanged();

private:
    void emitRowsChanged(int firstColumn, int lastColumn);

    QList<ComparisonRecord> records_;
    ComparisonCounters counters_;
};
