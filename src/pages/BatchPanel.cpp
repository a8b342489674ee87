// SPDX-License-Identifier: Apache-2.0
#include "BatchPanel.h"

#include "ComparisonSession.h"
#include "TrendChart.h"
#include "TrendChartView.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum StatisticsColumn { Mean, Deviation, Minimum, MinimumRecord, Maximum, MaximumRecord, ColumnCount };

} // namespace

BatchPanel::BatchPanel(ComparisonSession &session, QTableView *recordList, QWidget *parent)
    : QDialog(parent)
    , session_(session)
    , recordList_(recordList)
    , counts_(new QLabel(this))
    , table_(new QTableWidget(0, ColumnCount, this))
    , selectedOnly_(new QCheckBox(this))
    , chart_(new TrendChartView(this))
{
    setObjectName(QStringLiteral("BatchPanel"));
    counts_->setObjectName(QStringLiteral("label_batchCounts"));
    table_->setObjectName(QStringLiteral("tableWidget_statistics"));
    selectedOnly_->setObjectName(QStringLiteral("checkBox_selectedOnly"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setStyleSheet(QStringLiteral("background:#ffffff;"));

    auto *top = new QHBoxLayout;
    top->addWidget(counts_, 1);
    top->addWidget(selectedOnly_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_);
    layout->addWidget(chart_, 1);
    resize(920, 600); // room for every heading of the statistics in both languages

    const ComparisonRecordModel *model = &session_.records();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, &BatchPanel::scheduleRefresh);
    connect(model, &QAbstractItemModel::modelReset, this, &BatchPanel::scheduleRefresh);
    connect(model, &QAbstractItemModel::dataChanged, this, &BatchPanel::scheduleRefresh);
    connect(model, &ComparisonRecordModel::countersChanged, this, &BatchPanel::scheduleRefresh);
    connect(&session_, &ComparisonSession::settingsChanged, this, &BatchPanel::scheduleRefresh);
    connect(&session_, &ComparisonSession::deviceChanged, this, &BatchPanel::scheduleRefresh);
    connect(selectedOnly_, &QCheckBox::toggled, this, &BatchPanel::refresh);
    if (QItemSelectionModel *selection = recordList_->selectionModel()) {
        connect(selection, &QItemSelectionModel::selectionChanged, this, [this] {
            if (selectedOnly_->isChecked())
                scheduleRefresh();
        });
        connect(selection, &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex &current) { chart_->setHighlightedRow(current.row()); });
    }
    connect(chart_, &TrendChartView::recordPicked, this, [this](int row) {
        recordList_->selectRow(row);
        recordList_->scrollTo(session_.records().index(row, RecordColumn::Name));
    });
    retranslate();
    refresh();
}

void BatchPanel::scheduleRefresh()
{
    if (refreshPending_)
        return;
    // A download or a rejudging sends many signals; one recount after them is enough.
    refreshPending_ = true;
    QTimer::singleShot(0, this, &BatchPanel::refresh);
}

QList<int> BatchPanel::selectedRows() const
{
    QList<int> rows;
    if (const QItemSelectionModel *selection = recordList_->selectionModel()) {
        for (const QModelIndex &index : selection->selectedRows())
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void BatchPanel::refresh()
{
    refreshPending_ = false;
    const ComparisonRecordModel &model = session_.records();
    const int kind = session_.state().resultKind();
    if (selectedOnly_->isChecked()) {
        const QList<int> rows = selectedRows();
        // Nothing selected counts nothing, rather than falling back to the whole list.
        statistics_ = rows.isEmpty() ? BatchStatistics::of(model, kind, {-1}) : BatchStatistics::of(model, kind, rows);
    } else {
        statistics_ = BatchStatistics::of(model, kind);
    }
    showStatistics();
    chart_->setChart(TrendChart::of(model, kind, session_.state().judgement));
    chart_->setHighlightedRow(recordList_->currentIndex().row());
}

void BatchPanel::showStatistics()
{
    const BatchStatistics &s = statistics_;
    counts_->setText(tr("Records: %1    PASS: %2    NG: %3    Pass rate: %4%")
                         .arg(s.count)
                         .arg(s.passed)
                         .arg(s.failed)
                         .arg(QString::number(s.passRate, 'f', 1)));
    const ComparisonRecordModel &model = session_.records();
    const auto name = [&model](int row) { return row >= 0 ? model.at(row).text(RecordColumn::Name) : QString(); };
    table_->setRowCount(int(s.quantities.size()));
    for (int r = 0; r < s.quantities.size(); ++r) {
        const QuantitySummary &q = s.quantities[r];
        const bool any = q.count > 0;
        const auto put = [this, r](int column, const QString &text) {
            auto *item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignCenter);
            item->setForeground(Qt::black);
            table_->setItem(r, column, item);
        };
        table_->setVerticalHeaderItem(r, new QTableWidgetItem(q.quantity.label()));
        put(Mean, any ? q.quantity.format(q.mean) : QStringLiteral("-----"));
        put(Deviation, any ? q.quantity.format(q.standardDeviation) : QStringLiteral("-----"));
        put(Minimum, any ? q.quantity.format(q.minimum) : QStringLiteral("-----"));
        put(MinimumRecord, name(q.minimumRow));
        put(Maximum, any ? q.quantity.format(q.maximum) : QStringLiteral("-----"));
        put(MaximumRecord, name(q.maximumRow));
    }
}

void BatchPanel::retranslate()
{
    setWindowTitle(tr("Batch statistics"));
    selectedOnly_->setText(tr("Selected records only"));
    table_->setHorizontalHeaderLabels({BatchStatistics::tr("Mean"), BatchStatistics::tr("Std. dev. (n-1)"),
                                       BatchStatistics::tr("Minimum"), tr("Record"), BatchStatistics::tr("Maximum"),
                                       tr("Record")});
    table_->setToolTip(tr("Standard deviation of a sample: divided by n-1 records"));
    showStatistics();
    chart_->update();
}

void BatchPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
