#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <array>

// One measured spectrum: index i is the wavelength 400 + 10 i nm, in percent.
struct SpectralRecord
{
    static constexpr int valueCount = 31;
    std::array<double, valueCount> values{};
    bool visible = true;
};

// The spectral page's list: row 0 is the heading row (with the all-curves check box), row
// k + 1 shows record k. Column 0 the number a row got when it was added (never renumbered),
// 1 the name, 2 to 32 the values, 33 the curve check box, 34 the Delete button's text.
class SpectralRecordModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int NumberColumn = 0;
    static constexpr int NameColumn = 1;
    static constexpr int FirstValueColumn = 2;
    static constexpr int CurveColumn = FirstValueColumn + SpectralRecord::valueCount; // 33
    static constexpr int OperationColumn = CurveColumn + 1;                           // 34
    static constexpr int ColumnCount = OperationColumn + 1;
    static constexpr int ExportedColumns = CurveColumn; // columns 0 ... 32

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const QList<SpectralRecord> &records() const { return records_; }
    int count() const { return int(records_.size()); }
    QString name(int record) const { return names_.at(record); }
    int number(int record) const { return numbers_.at(record); }
    int nameCounter() const { return nameCounter_; }

    // An empty name takes the next "spec%1"; the counter is never reset while the list exists.
    void append(const SpectralRecord &record, const QString &name = {});
    void append(const QList<SpectralRecord> &records, const QStringList &names);
    void remove(int record);
    void clear();
    // The list exactly as a previous session left it.
    void restore(const QList<SpectralRecord> &records, const QStringList &names, const QList<int> &numbers, int nameCounter);
    // Checking the heading's box shows every curve; unchecking a row's box unchecks the heading's.
    void setVisible(int row, bool visible);
    // The heading row and every record row, columns 0 to 32, as the table shows them.
    QList<QStringList> exportRows() const;

signals:
    // A record came, went or was shown or hidden: the chart repaints.
    void curvesChanged();

private:
    QString text(int row, int column) const;

    QList<SpectralRecord> records_;
    QStringList names_;
    QList<int> numbers_;
    bool allVisible_ = true;
    int nameCounter_ = 1;
};
