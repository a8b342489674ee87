// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "BatchStatistics.h"

#include <QDialog>

class ComparisonSession;
class QCheckBox;
class QLabel;
class QTableView;
class QTableWidget;
class TrendChartView;

// Statistics and trend of the comparison records, beside the record list. Follows the list as
// records come, go and are judged again; a point picked in the chart selects its record.
class BatchPanel : public QDialog
{
    Q_OBJECT

public:
    BatchPanel(ComparisonSession &session, QTableView *recordList, QWidget *parent = nullptr);

    const BatchStatistics &statistics() const { return statistics_; }
    TrendChartView *chartView() const { return chart_; }
    QCheckBox *selectedOnly() const { return selectedOnly_; }

public slots:
    void refresh();

protected:
    void changeEvent(QEvent *event) override;

private:
    void scheduleRefresh();
    void retranslate();
    QList<int> selectedRows() const;
    void showStatistics();

    ComparisonSession &session_;
    QTableView *recordList_;
    BatchStatistics statistics_;
    QLabel *counts_;
    QTableWidget *table_;
    QCheckBox *selectedOnly_;
    TrendChartView *chart_;
    bool refreshPending_ = false;
};
