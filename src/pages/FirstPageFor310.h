#pragma once

#include "ComparisonSession.h"
#include "SessionJournal.h"
#include "UnsavedQuestion.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class BatchPanel;
class LinkPort;
class QButtonGroup;
class RbTableHeaderView;
namespace Ui {
class FirstPageFor310;
}

// The comparison page: the widgets over a ComparisonSession, which holds the instrument's
// identity, the pair, the counters and the records. Slots forward to the session and show
// what it reports.
class FirstPageFor310 : public QWidget
{
    Q_OBJECT

public:
    explicit FirstPageFor310(LinkPort &port, QWidget *parent = nullptr);
    ~FirstPageFor310() override;

    using QWidget::show; // beside the private show(Outcome) overloads
    ComparisonSession &session() { return session_; }
    // Once the window is on screen: says what went wrong while the page was built.
    void start();
    // Keeps the records in journal from now on; first offers what a previous session left there.
    void keepJournal(SessionJournal &journal);
    // Asked before the window closes: true when nothing unsaved is left or the user let it go.
    bool mayClose();

public slots:
    // ---- Main window ----
    void openThreadSlot();
    void closeThreadSlot();
    // The instrument went away: device and value fields emptied; records and counters stay.
    bool clear();
    void setLanguageFlag(int flag);
    // On connection: identity, firmware and result kind, then the tolerance or ΔE parameter.
    void readDeviceSettings();

    // ---- Record list ----
    void deleteRecord(int row);
    void openReport(int row);
    void doubleClickedSlot(int row, int column);
    void on_pushButton_clear_clicked();
    void rejudgeRecords();
    void onButtonClicked(int id);
    void on_pushButton_spectralTransmittance_clicked();

    // ---- Measurement ----
    void on_pushButton_standardMeasurement_clicked();
    void on_pushButton_sampleMeasurement_clicked();
    // Bytes the worker read; whole pushed results fill the column of the measurement mode.
    void SaveData(const QByteArray &baData);

    // ---- Settings ----
    int on_pushButton_readTolerance_clicked();
    void on_pushButton_setTolerance_clicked();
    int on_pushButton_readParameter_clicked();
    void on_pushButton_setParameter_clicked();
    void on_pushButton_setDisplayParameter_clicked();

    // ---- Device records, workbook, colour cards ----
    void on_pushButton_readComparisonRecord_clicked();
    // True once the chosen workbook holds every record; the page is then empty.
    bool on_pushButton_exportExcel_clicked();
    void on_ImportExcelBtn_clicked();
    void on_pushButton_writeStandardColor_clicked();

    // ---- Batch ----
    // Statistics and trend of the records, in a window beside the list.
    BatchPanel *openStatistics();
    // One PDF of the whole list; true once it is written.
    bool reportAll();

signals:
    // The "Report" button of that record row was pressed.
    void reportRequested(int row);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void show(const Outcome &outcome);
    void show(const Outcomes &outcomes);
    bool checkDeviceOpen();
    bool offerExportBeforeReplacing();
    UnsavedQuestion::Answer askSaveFirst();
    bool carryOut(UnsavedQuestion::Answer answer);
    void connectReturnKeys();
    // Shows only the comparison rows and record columns of the set result kind.
    void applyResultKindView();
    void fitComparisonHeight();
    void fitRecordHeadings();
    void showPair();
    void showDevice();
    void showSettings();
    void showCounters();
    void setComparisonText(int row, int column, const QString &text);
    void initComparisonTable();
    void initRecordList();
    void initResultKindButtons();
    void showComparisonHeadings();
    void showRecordHeadings();
    void languageChange();
    void initBatchButtons();
    void retranslateBatchButtons();

    std::unique_ptr<Ui::FirstPageFor310> ui;
    LinkPort &port_;
    ComparisonSession session_;
    QButtonGroup *resultKindGroup_ = nullptr;
    SessionJournal *journal_ = nullptr;
    std::optional<SessionJournal::Saved> restoredSpectra_;
    RbTableHeaderView *recordHeader_ = nullptr;
    bool meterTableMissing_ = false;
    // What the last report's information dialog said; the next report starts with it.
    struct ReportSignatures
    {
        QString company;
        QString tester;
        QString auditor;
    } reportSignatures_;
    QPointer<BatchPanel> batchPanel_; // cleared when the window closes (it deletes itself)
};
