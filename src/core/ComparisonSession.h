#pragma once

#include "ComparisonRecordModel.h"
#include "Judgement.h"
#include "MeasurementValues.h"
#include "MeterTable.h"
#include "DeviceCommands.h"
#include "Outcome.h"
#include "RecordMemory.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <QQueue>
#include <array>
#include <memory>
#include <optional>

class InstrumentLink;
class LinkPort;
struct ReportInputs;

// Which column of the comparison table the next result fills.
enum MeasurementMode : int { MeasureStandard = 1, MeasureSample = 2 };

// The comparison table's numbers: one standard against one sample and what was judged of them.
// An empty value shows as "-----".
struct ComparisonPair
{
    using Column = std::array<std::optional<double>, Quantity::Count>;
    Column standard;
    Column sample;
    Column differences;
    std::optional<double> deltaE;
    std::optional<bool> pass; // the result label; empty: cleared
    std::optional<std::array<int, 3>> standardSwatch; // R, G, B; empty: the grey of no measurement
    std::optional<std::array<int, 3>> sampleSwatch;
    int highlightedButton = MeasureStandard; // the measurement button drawn as active

    Column &column(int mode) { return mode == MeasureStandard ? standard : sample; }
};

// What the page knows about the instrument and its judgement settings.
struct ComparisonPageState
{
    JudgementSettings judgement;
    QString modelName;
    QString serialNumber; // empty until read
    int firmwareVersion = 0;
    bool firmwareKnown = false;
    int measurementMode = MeasureStandard;
    bool standardMeasured = false;
    bool sampleMeasured = false;
    int languageFlag = 0; // 1 while the user interface is Chinese

    bool isChinese() const { return languageFlag != 0; }
    // The set result kind, or -1 when none is set.
    int resultKind() const;
    void setResultKind(int kind);
};

// The comparison page without its widgets: the instrument's identity and settings, the pair
// in the comparison table, the counters and the record list, and every instrument and file
// operation on them. Operations return what to tell the user; the page shows it.
class ComparisonSession : public QObject
{
    Q_OBJECT

public:
    // The instrument's pushed result is shown after this pause.
    static constexpr int PushedResultPauseMs = 500;

    explicit ComparisonSession(LinkPort &port, QObject *parent = nullptr);
    ~ComparisonSession() override;

    // Its texts keep the comparison page's translation context.
    static QString trPage(const char *text, const char *disambiguation = nullptr, int n = -1)
    {
        return QCoreApplication::translate("FirstPageFor310", text, disambiguation, n);
    }

    ComparisonRecordModel &records() { return records_; }
    const ComparisonRecordModel &records() const { return records_; }
    const ComparisonCounters &counters() const { return records_.counters(); }
    const ComparisonPair &pair() const { return pair_; }
    ComparisonPageState &state() { return state_; }
    const ComparisonPageState &state() const { return state_; }
    const MeterTable &meterTable() const { return meterTable_; }

    // ---- Connection and settings ----
    Outcome loadMeterTable(const QString &path);
    bool isDeviceOpen() const;
    // "Please connect the device first!" unless an instrument is open.
    Outcome notConnected() const;
    // Identity, firmware and result kind, then the tolerance or the ΔE parameter.
    Outcomes readDeviceSettings();
    Outcome readTolerance();
    // Typed texts; each is checked against its range before anything is sent.
    Outcome setTolerance(const QString &haze, const QString &transmittance, const QString &threshold);
    Outcome readDeltaEParameter();
    // Checks and writes formula and threshold; texts in the ΔE parameter dialog's context.
    Outcome writeDeltaEParameter(int formula, const QString &thresholdText);
    // After a written ΔE parameter: read it back and judge again.
    Outcome deltaEParameterWritten();
    // Writing the display parameter clears the page; the page asks first when records exist.
    Outcome setDisplayParameter(int kind);
    // The instrument went away: device fields and the pair emptied; records and counters stay.
    void deviceGone();
    void setLanguageFlag(int flag) { state_.languageFlag = flag; }

    // ---- Measurement ----
    // Fetches a result into the standard (1) or sample (2) column.
    Outcome measure(int mode);
    // Bytes the worker read; whole pushed results fill the column of the measurement mode,
    // each after the pause, one after another, without blocking the event loop.
    void receivePushed(const QByteArray &bytes);
    bool pushedResultPending() const { return pushedTimer_.isActive(); }
    // The user typed a standard value; empty text or a non-number reads as 0 when judged.
    void setTypedStandard(int quantity, const QString &text);
    // ΔE and the result label again after a settings change; no record, no counters.
    void rejudgeCurrent();
    // Every record judged again with the settings in force.
    void rejudgeRecords();

    // ---- Records ----
    // Pair, counters, record list and the test-name sequence back to the start.
    void clearPage();
    bool deleteRecord(int row) { return records_.remove(row); }
    Outcome downloadRecords(const Progress &progress);
    // Workbook rows of the records under the result kind in force, header first.
    QList<QStringList> exportRows() const;
    Outcome noDataToExport() const;
    // Saves to fileName (its format by its suffix) and empties the page once the saved file holds every record.
    Outcome exportTo(const QString &fileName);
    Outcome importFrom(const QString &fileName);
    Outcome uploadColourCards(const QString &fileName, const Progress &progress);
    ReportInputs reportInputs(int row) const;

signals:
    void pairChanged();
    // Identity, firmware, result kind or device type changed.
    void deviceChanged();
    // Tolerances or the ΔE parameter were read or written.
    void settingsChanged();

private:
    bool usesPerKindResults() const;
    Outcomes readDeviceInformation();
    void showMeasurement(int mode, const ResultValues &values);
    RecordFields judgedRecord(const MeasurementValues &standard, const MeasurementValues &sample, double deltaE,
                              const QString &time);
    void judgeSample();
    bool appendStoredComparisons(const QList<StoredComparison> &stored, const Progress &progress);
    void resetColumn(int mode);
    void showNextPushedResult();
    std::shared_ptr<InstrumentLink> openLink() const;

    LinkPort &port_;
    ComparisonPageState state_;
    ComparisonPair pair_;
    ComparisonRecordModel records_;
    MeterTable meterTable_;
    QByteArray receiveBuffer_; // pushed bytes that do not yet form a handled frame
    QQueue<std::pair<int, ResultValues>> pushedResults_;
    QTimer pushedTimer_;
};
