#pragma once

#include "ComparisonPageState.h"
#include "ComparisonRecordList.h"
#include "DeviceCommands.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class InstrumentLink;
class LinkPort;

class QButtonGroup;
class QLineEdit;
class QTableWidgetItem;
class RbTableHeaderView;
namespace Ui {
class FirstPageFor310;
}

// The comparison page: the instrument's identity, one standard against one sample, the
// result, the counters, the settings of the current result kind and the record list.
// Each feature lives in its own FirstPageFor310_<feature>.cpp and section below.
class FirstPageFor310 : public QWidget
{
    Q_OBJECT

public:
    explicit FirstPageFor310(QWidget *parent = nullptr);
    ~FirstPageFor310() override;

    ComparisonPageState &state() { return state_; }
    const ComparisonRecordList &records() const { return records_; }
    // Where the page finds the instrument link; pushed results of the current link reach SaveData.
    void setLinkPort(LinkPort *port);
    // The link open now; null while none.
    std::shared_ptr<InstrumentLink> currentLink() const;

    // ---- Main window (FirstPageFor310.cpp) ----
public slots:
    void openThreadSlot();
    void closeThreadSlot();
    // The instrument went away: device and value fields emptied; records and counters stay.
    bool clear();
    void setLanguageFlag(int flag);

    // ---- Record list (FirstPageFor310.cpp) ----
public:
    // Appends one row; the caller has counted the record (its number is the new total).
    void appendRecord(const ComparisonRecord &record);
    void appendRecord(const RecordFields &fields);
    ComparisonCounters &counters() { return records_.counters(); }
    // Writes the three counters to their line edits.
    void showCounters();
    // Shows only the comparison rows and record columns of the set result kind.
    void applyResultKindView();

public slots:
    void on_DeleteBtn_clicked();
    void on_ReportBtn_clicked();
    void doubleClickedSlot(int row, int column);
    void on_pushButton_clear_clicked();
    void rejudgeRecords();
    void onButtonClicked(int id);
    void on_pushButton_spectralTransmittance_clicked();

signals:
    // The "Report" button of that record row was pressed.
    void reportRequested(int row);

    // ---- Comparison table helpers shared by the features (FirstPageFor310.cpp) ----
protected:
    // Rows 1-11 hold the quantities of MeasurementValues, row 12 ΔE; columns 1 standard,
    // 2 sample, 3 difference, 4 deviation word.
    QString comparisonText(int row, int column) const;
    void setComparisonText(int row, int column, const QString &text);
    void resetComparisonColumn(int column);
    // The words of rows 3-5 from the differences in column 3, in the current language.
    void showDeviationWords();
    void showResultLabel(bool pass);
    void resetResultLabel();
    void showSpectralButtonText();
    // Row of the record list holding widget in column, or -1.
    int recordRowOf(const QObject *widget, int column) const;

    void changeEvent(QEvent *event) override;

    // ---- Measurement (FirstPageFor310_measurement.cpp) ----
public slots:
    void on_pushButton_standardMeasurement_clicked();
    void on_pushButton_sampleMeasurement_clicked();
    // Fetches by the per-kind result block of the set result kind.
    void readstdmeasurement();
    void readsamplemeasurement();
    // Fetches by the combined result block.
    void standardValueMeasurement();
    void sampleValueMeasurement();
    // Bytes the worker read; a whole pushed result frame fills the column of the measurement mode.
    void SaveData(const QByteArray &baData);

public:
    // Differences, ΔE, PASS or NG, words, counters and a new record for the pair in the table.
    void judgeSample();
    // ΔE and the result label again after a settings change; no record, no counters.
    void rejudgeCurrent();

private:
    bool usesPerKindResults() const;
    void startMeasurement(int mode);
    void fetchMeasurement(int mode, bool perKind);
    void showMeasurement(int mode, const ResultValues &values);
    // The values in column 1 or 2 of the comparison table, as typed or measured.
    MeasurementValues comparisonValues(int column) const;

protected:

    // ---- Settings (FirstPageFor310_settings.cpp) ----
public slots:
    // On connection: identity, firmware and result kind, then the tolerance or ΔE parameter.
    void readDeviceSettings();
    int on_pushButton_readTolerance_clicked();
    void on_pushButton_setTolerance_clicked();
    int on_pushButton_readParameter_clicked();
    void on_pushButton_setParameter_clicked();
    void on_pushButton_setDisplayParameter_clicked();

private:
    // Shows "Please connect the device first!" when no instrument is open.
    bool checkDeviceOpen();
    bool isDeviceOpen() const;
    // Serial number, model and device type, firmware version and result kind, as one series.
    void readDeviceInformation();
    void showResultKind(int kind);
    // The ΔE parameter was written: read it back and judge again.
    void deltaEParameterChanged();

protected:

    // ---- Device records (FirstPageFor310_download.cpp) ----
public slots:
    // Downloads the instrument's stored comparisons of the set result kind and judges them again.
    void on_pushButton_readComparisonRecord_clicked();

private:
    struct DownloadNotice
    {
        QString title;
        QString text; // empty: nothing to say
    };
    bool offerExportBeforeDownload();
    DownloadNotice downloadComparisonRecords(int kind);
    void appendStoredComparisons(int kind, const QByteArray &values, const QByteArray &names, int count);

protected:

    // ---- Workbook (FirstPageFor310_workbook.cpp) ----
public slots:
    // True once the chosen workbook holds every record; the page is then empty.
    bool on_pushButton_exportExcel_clicked();
    void on_ImportExcelBtn_clicked();

private:
    // The records of an exported workbook, or the message why it cannot be imported.
    QString readImportWorkbook(const QString &fileName, QList<ComparisonRecord> &records) const;

protected:

    // ---- Standard colour card (FirstPageFor310_colourcard.cpp) ----
public slots:
    // Replaces the instrument's standard colour card library with the workbook "StdColor.xlsx".
    void on_pushButton_writeStandardColor_clicked();

protected:

    // ---- Report (FirstPageFor310_report.cpp; on_ReportBtn_clicked opens the report) ----
private:
    // What the last report's information dialog said; the next report starts with it.
    struct ReportSignatures
    {
        QString company;
        QString tester;
        QString auditor;
    };
    ReportSignatures reportSignatures_;

protected:

private:
    void initComparisonTable();
    void initRecordList();
    void initResultKindButtons();
    void showComparisonHeadings();
    void showRecordHeadings();
    void resetSwatches();
    void languageChange();
    QTableWidgetItem *recordItem(const ComparisonRecord &record, int column) const;
    void initRecordButtons();
    void showRecordJudgement(int row);
    void onRecordItemChanged(QTableWidgetItem *item);

    std::unique_ptr<Ui::FirstPageFor310> ui;
    ComparisonPageState state_;
    ComparisonRecordList records_;
    QButtonGroup *resultKindGroup_ = nullptr;
    RbTableHeaderView *recordHeader_ = nullptr;
    QPointer<LinkPort> port_;
};
