#include "ComparisonSession.h"

#include "BlockDownload.h"
#include "ColourCardLibrary.h"
#include "ColourCardMemory.h"
#include "ColourDifference.h"
#include "ComparisonWorkbook.h"
#include "DeviceProfile.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "PushedFrames.h"
#include "ReportDocument.h"
#include "WorkbookExportOutcome.h"

#include "ExcelEngine.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

// Firmware from this version on answers and pushes the combined result block.
constexpr int CombinedBlockFirmware = 106;

} // namespace

int ComparisonPageState::resultKind() const
{
    for (int kind = 0; kind < ResultKindCount; ++kind)
        if (judgement.resultKinds[kind])
            return kind;
    return -1;
}

void ComparisonPageState::setResultKind(int kind)
{
    judgement.resultKinds.fill(false);
    judgement.resultKinds[kind] = true;
}

ComparisonSession::ComparisonSession(LinkPort &port, QObject *parent) : QObject(parent), port_(port)
{
    state_.modelName = trPage("UnKnow");
    state_.setResultKind(ResultHazeT);
    pushedTimer_.setSingleShot(true);
    pushedTimer_.setInterval(PushedResultPauseMs);
    // A coarse timer may fire up to 5 % early; the pause is never shorter than its 500 ms.
    pushedTimer_.setTimerType(Qt::PreciseTimer);
    connect(&pushedTimer_, &QTimer::timeout, this, &ComparisonSession::showNextPushedResult);
}

ComparisonSession::~ComparisonSession() = default;

bool ComparisonSession::isDeviceOpen() const
{
    return port_.isDeviceOpen();
}

Outcome ComparisonSession::notConnected() const
{
    return Outcome::failure(trPage("Error"), trPage("Please connect the device first!"));
}

std::shared_ptr<InstrumentLink> ComparisonSession::openLink() const
{
    std::shared_ptr<InstrumentLink> link = port_.current();
    return link && link->isOpen() ? link : nullptr;
}

// ---- Measurement ----

bool ComparisonSession::usesPerKindResults() const
{
    return state_.firmwareVersion < CombinedBlockFirmware &&
           (state_.modelName == QLatin1String("TQ310") || state_.modelName == QLatin1String("TQ320"));
}

void ComparisonSession::resetColumn(int mode)
{
    pair_.column(mode).fill(std::nullopt);
}

Outcome ComparisonSession::measure(int mode)
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    resetColumn(mode);
    pair_.highlightedButton = mode;
    state_.measurementMode = mode;
    emit pairChanged();
    ResultValues values;
    int result = CmdNotSent;
    {
        LinkLock lock(link);
        CDeviceCommands commands(*link);
        if (usesPerKindResults()) {
            result = commands.readKindResult(state_.resultKind(), values);
        } else {
            std::array<int, 21> raw{};
            result = commands.readMeasureData(raw);
            values = valuesFromMeasureData(raw);
        }
    }
    if (result < 0)
        return Outcome::failure(trPage("Error"), trPage("Failed to read measurement data!"));
    showMeasurement(mode, values);
    return Outcome::done();
}

void ComparisonSession::receivePushed(const QByteArray &bytes)
{
    receiveBuffer_.append(bytes);
    ResultValues values;
    while (takePushedResult(receiveBuffer_, usesPerKindResults(), state_.resultKind(), values)) {
        const int mode = state_.measurementMode;
        if (mode != MeasureStandard && mode != MeasureSample)
            continue;
        pushedResults_.enqueue({mode, values});
        if (!pushedTimer_.isActive() && pushedResults_.size() == 1) {
            resetColumn(mode);
            emit pairChanged();
            pushedTimer_.start();
        }
    }
}

void ComparisonSession::showNextPushedResult()
{
    if (pushedResults_.isEmpty())
        return;
    const auto [mode, values] = pushedResults_.dequeue();
    showMeasurement(mode, values);
    if (!pushedResults_.isEmpty()) {
        resetColumn(pushedResults_.head().first);
        emit pairChanged();
        pushedTimer_.start();
    }
}

void ComparisonSession::showMeasurement(int mode, const ResultValues &values)
{
    ComparisonPair::Column &column = pair_.column(mode);
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        column[quantity] = values.values[quantity];
    (mode == MeasureStandard ? pair_.standardSwatch : pair_.sampleSwatch) =
        std::array<int, 3>{values.red, values.green, values.blue};
    (mode == MeasureStandard ? state_.standardMeasured : state_.sampleMeasured) = true;
    if (state_.standardMeasured && state_.sampleMeasured)
        judgeSample();
    emit pairChanged();
}

void ComparisonSession::setTypedStandard(int quantity, const QString &text)
{
    if (quantity < 0 || quantity >= Quantity::Count)
        return;
    pair_.standard[quantity] = isPlaceholder(text) ? std::nullopt : std::optional<double>(parseValueText(text));
}

namespace {

MeasurementValues valuesOf(const ComparisonPair::Column &column)
{
    MeasurementValues measurement;
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        measurement.values[quantity] = column[quantity].value_or(0);
    return measurement;
}

} // namespace

// A new record of the pair: differences, PASS or NG (counted), and the settings and instrument in force.
RecordFields ComparisonSession::judgedRecord(const MeasurementValues &standard, const MeasurementValues &sample,
                                             double deltaE, const QString &time)
{
    const JudgementSettings &judgement = state_.judgement;
    RecordFields fields;
    fields.time = time;
    fields.standard = standard;
    fields.sample = sample;
    fields.deltaHaze = sample.values[Quantity::Haze] - standard.values[Quantity::Haze];
    fields.deltaTransmittance = sample.values[Quantity::Transmittance] - standard.values[Quantity::Transmittance];
    fields.deltaE = deltaE;
    const bool pass = passes(judgement, fields.deltaHaze, fields.deltaTransmittance, deltaE);
    fields.result = pass ? RecordResult::Pass : RecordResult::Ng;
    fields.number = records_.countResult(pass);
    fields.hazeTolerance = judgement.hazeTolerance;
    fields.transmittanceTolerance = judgement.transmittanceTolerance;
    fields.threshold = judgement.workingThreshold;
    fields.model = state_.modelName;
    fields.serialNumber = state_.serialNumber;
    return fields;
}

void ComparisonSession::judgeSample()
{
    const MeasurementValues standard = valuesOf(pair_.standard);
    const MeasurementValues sample = valuesOf(pair_.sample);
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        pair_.differences[quantity] = sample.values[quantity] - standard.values[quantity];
    const double deltaE = judgedDeltaE(state_.judgement, labOf(standard), labOf(sample));
    pair_.deltaE = deltaE;
    RecordFields fields =
        judgedRecord(standard, sample, deltaE, ComparisonRecord::timeText(QDateTime::currentDateTime()));
    pair_.pass = fields.result == RecordResult::Pass;
    fields.name = records_.nextTestName();
    records_.append(ComparisonRecord::fromFields(fields));
}

void ComparisonSession::rejudgeCurrent()
{
    if (!pair_.standard[Quantity::Haze] || !pair_.sample[Quantity::Haze])
        return;
    const MeasurementValues standard = valuesOf(pair_.standard);
    const MeasurementValues sample = valuesOf(pair_.sample);
    JudgementSettings &judgement = state_.judgement;
    const double deltaE = judgedDeltaE(judgement, labOf(standard), labOf(sample));
    pair_.deltaE = deltaE;
    pair_.pass = passes(judgement, sample.values[Quantity::Haze] - standard.values[Quantity::Haze],
                         sample.values[Quantity::Transmittance] - standard.values[Quantity::Transmittance], deltaE);
    emit pairChanged();
}

void ComparisonSession::rejudgeRecords()
{
    records_.rejudge(state_.judgement, state_.modelName, state_.serialNumber);
}

// ---- Records ----

void ComparisonSession::clearPage()
{
    pushedTimer_.stop();
    pushedResults_.clear();
    pair_ = ComparisonPair();
    records_.clear();
    state_.standardMeasured = false;
    state_.sampleMeasured = false;
    state_.measurementMode = MeasureStandard;
    emit pairChanged();
}

void ComparisonSession::deviceGone()
{
    // A result the instrument pushed before it went is still the user's measurement.
    pushedTimer_.stop();
    while (!pushedResults_.isEmpty())
        showNextPushedResult();
    pushedTimer_.stop();
    pair_ = ComparisonPair();
    state_.standardMeasured = false;
    state_.sampleMeasured = false;
    state_.serialNumber.clear();
    state_.firmwareKnown = false;
    state_.judgement.hazeTolerance = -1;
    state_.judgement.transmittanceTolerance = -1;
    state_.judgement.workingThreshold = -1;
    emit pairChanged();
    emit deviceChanged();
    emit settingsChanged();
}

// ---- Connection and settings ----

namespace {

constexpr double ToleranceScale = 100; // wire units of 0.01 %
constexpr double ThresholdScale = 10;  // wire units of 0.1
constexpr double MaxTolerance = 100;
constexpr double MinThreshold = 0.1;
constexpr double MaxThreshold = 50;

// The typed number when it lies within [low, high]; empty or non-numeric text does not.
std::optional<double> typedValue(const QString &text, double low, double high)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

int wireValue(double value, double scale)
{
    return int(std::lround(value * scale));
}

QString dialogTr(const char *text)
{
    return QCoreApplication::translate("setEParameterPageFor320", text);
}

QString commandsTr(const char *text)
{
    return QCoreApplication::translate("CDeviceCommands", text);
}

} // namespace

Outcome ComparisonSession::loadMeterTable(const QString &path)
{
    const MeterTableMessage message = meterTable_.load(path);
    return message.isEmpty() ? Outcome::done() : Outcome::failure(message.title, message.text);
}

Outcomes ComparisonSession::readDeviceSettings()
{
    Outcomes outcomes = readDeviceInformation();
    const DeviceProfile *profile = deviceProfile(state_.judgement.deviceType);
    outcomes << (profile && profile->usesTolerance ? readTolerance() : readDeltaEParameter());
    return outcomes;
}

// One hold of the lock for the whole series, so the worker cannot read a reply away; the
// messages are shown once it is released.
Outcomes ComparisonSession::readDeviceInformation()
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return {};
    LinkLock lock(link);
    CDeviceCommands commands(*link);
    DeviceInfo info;
    const int result = commands.readDeviceInfo(info);
    if (result == CmdNotSupported) {
        if (commands.readDeviceInfoOld(info) < 0)
            return {Outcome::failure(trPage("Error"), trPage("Failed to read device information!"))};
    } else if (result < 0) {
        return {Outcome::failure(trPage("Warn"), trPage("Read key infomation fail!"))};
    }
    Outcomes outcomes;
    state_.serialNumber = QString::number(info.serialNumber);
    emit deviceChanged();

    // A table holding only its heading row identifies nothing and says nothing.
    const MeterLookup match = meterTable_.lookup(info.meterNumber, state_.modelName, state_.judgement.deviceType);
    emit deviceChanged();
    if (!match.found && meterTable_.rowCount() > 1) {
        outcomes << Outcome::failure(match.message.title, match.message.text);
        return outcomes;
    }

    int version = 0;
    const int versionResult = commands.readSoftwareVersion(version);
    if (versionResult < 0) {
        if (const char *failure = CDeviceCommands::softwareVersionFailure(versionResult))
            outcomes << Outcome::failure(commandsTr("提示"), commandsTr(failure));
        outcomes << Outcome::failure(trPage("Error"), trPage("Failed to read software version number!"));
        return outcomes;
    }
    state_.firmwareVersion = version;
    state_.firmwareKnown = true;
    emit deviceChanged();

    int kind = -1;
    const DeviceProfile *profile = deviceProfile(state_.judgement.deviceType);
    if (commands.readDisplayParam(kind) < 0 || !profile || kind < 0 || kind >= ResultKindCount
        || !profile->resultKinds[kind]) {
        outcomes << Outcome::failure(trPage("Error"), trPage("Failed to read DisplayParam!"));
        return outcomes;
    }
    state_.setResultKind(kind);
    emit deviceChanged();
    return outcomes;
}

Outcome ComparisonSession::readTolerance()
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    int haze = 0, transmittance = 0, threshold = 0;
    int result = CmdNotSent;
    {
        LinkLock lock(link);
        result = CDeviceCommands(*link).readTolerance(haze, transmittance, threshold);
    }
    if (result < 0)
        return Outcome::failure(trPage("Error"), trPage("Failed to Read Tolerance information!"));
    JudgementSettings &judgement = state_.judgement;
    judgement.hazeTolerance = haze / ToleranceScale;
    judgement.transmittanceTolerance = transmittance / ToleranceScale;
    judgement.workingThreshold = threshold / ThresholdScale;
    emit settingsChanged();
    return Outcome::said(trPage("Information"), trPage("Read successful!"));
}

Outcome ComparisonSession::setTolerance(const QString &hazeText, const QString &transmittanceText,
                                        const QString &thresholdText)
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    const std::optional<double> haze = typedValue(hazeText, 0, MaxTolerance);
    if (!haze)
        return Outcome::failure(trPage("information"), trPage("Haze Tolerance must between 0-100!"));
    const std::optional<double> transmittance = typedValue(transmittanceText, 0, MaxTolerance);
    if (!transmittance)
        return Outcome::failure(trPage("information"), trPage("Transmittance  Tolerance must between 0-100!"));
    const std::optional<double> threshold = typedValue(thresholdText, MinThreshold, MaxThreshold);
    if (!threshold)
        return Outcome::failure(trPage("information"), trPage("Thresholds must between 0.1-50!"));
    int result = CmdNotSent;
    {
        LinkLock lock(link);
        result = CDeviceCommands(*link).setTolerance(wireValue(*haze, ToleranceScale),
                                                     wireValue(*transmittance, ToleranceScale),
                                                     wireValue(*threshold, ThresholdScale));
    }
    if (result < 0)
        return Outcome::failure(trPage("Error"), trPage("Failed to Setup  Tolerance information!"));
    state_.judgement.hazeTolerance = *haze;
    state_.judgement.transmittanceTolerance = *transmittance;
    state_.judgement.workingThreshold = *threshold;
    emit settingsChanged();
    rejudgeCurrent();
    rejudgeRecords();
    return Outcome::said(trPage("Information"), trPage("Setup successfully!"));
}

Outcome ComparisonSession::readDeltaEParameter()
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    int formula = 0, threshold = 0;
    int result = CmdNotSent;
    {
        LinkLock lock(link);
        result = CDeviceCommands(*link).readDeltaEParam(formula, threshold);
    }
    if (result < 0)
        return Outcome::failure(trPage("Error"), trPage("Failed to read △E parameter information!"));
    JudgementSettings &judgement = state_.judgement;
    judgement.formula = formula;
    judgement.parameterThreshold = threshold / ThresholdScale;
    judgement.workingThreshold = judgement.parameterThreshold;
    emit settingsChanged();
    return Outcome::done();
}

Outcome ComparisonSession::writeDeltaEParameter(int formula, const QString &thresholdText)
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return Outcome::failure(dialogTr("Error"), dialogTr("Please connect the device first!"));
    const bool chinese = state_.isChinese();
    bool ok = false;
    const float threshold = thresholdText.trimmed().toFloat(&ok);
    // Empty or non-numeric text is out of range too; nothing is sent for it.
    if (!ok || !std::isfinite(threshold) || threshold < float(MinThreshold) || threshold > float(MaxThreshold)) {
        return chinese ? Outcome::failure(dialogTr("提示"), dialogTr("阀值必须介于0.1-50之间！"))
                       : Outcome::failure(dialogTr("information"), dialogTr("Thresholds must between 0.1—50!"));
    }
    int result = CmdNotSent;
    {
        LinkLock lock(link);
        result = CDeviceCommands(*link).setDeltaEParam(quint8(formula),
                                                       int(std::lround(double(threshold) * ThresholdScale)));
    }
    if (result < 0) {
        return chinese ? Outcome::failure(dialogTr("错误"), dialogTr("写入△E参数信息失败！"))
                       : Outcome::failure(dialogTr("Error"), dialogTr("Failed to write △E parameter information!"));
    }
    return Outcome::done();
}

Outcome ComparisonSession::deltaEParameterWritten()
{
    const Outcome read = readDeltaEParameter();
    rejudgeCurrent();
    rejudgeRecords();
    return read;
}

Outcome ComparisonSession::setDisplayParameter(int kind)
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    int result = CmdNotSent;
    if (kind >= 0 && kind < ResultKindCount) {
        LinkLock lock(link);
        result = CDeviceCommands(*link).setDisplayParam(quint8(kind));
    }
    if (result < 0)
        return Outcome::failure(trPage("Error"), trPage("Failed to Setup  DisplayParam information!"));
    state_.setResultKind(kind);
    emit deviceChanged();
    clearPage();
    return Outcome::done();
}

// ---- Device records ----

Outcome ComparisonSession::downloadRecords(const Progress &progress)
{
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    const auto &kinds = state_.judgement.resultKinds;
    if (std::count(kinds.begin(), kinds.end(), true) != 1)
        return Outcome::failure(trPage("Error"), trPage("Choose one display parameter before reading the comparison records."));
    const int kind = state_.resultKind();
    // The lock is held from the count until the last block; records are added after it.
    BlockDownload::Result download;
    int count = 0;
    {
        LinkLock lock(link);
        CDeviceCommands commands(*link);
        const int result = commands.readRecordCount(kind, state_.judgement.deviceType, count);
        if (result == CmdBadData)
            return Outcome::failure(trPage("Error"), trPage("difference history data error, unable to export!"));
        if (result < 0)
            return Outcome::failure(trPage("Error"), trPage("Failed to read the number of color difference records!"));
        if (count <= 0)
            return Outcome::said(trPage("Info"), trPage("No comparison record!"));
        const StoredComparisonLayout &layout = *storedComparisonLayout(kind);
        if (count > layout.capacity) {
            return Outcome::failure(trPage("Error"),
                                    trPage("The instrument reports %1 comparison records, more than its memory holds "
                                       "(%2); nothing was read.")
                                        .arg(count)
                                        .arg(layout.capacity));
        }
        download = BlockDownload::read(commands,
                                       {{layout.valuesAddress, count * layout.bytesPerRecord},
                                        {layout.namesAddress, count * ComparisonNameSlot}},
                                       progress);
    }
    const Outcome cancelled = Outcome::said(trPage("Info"), trPage("Download cancelled; nothing was added."));
    switch (download.outcome) {
    case BlockDownload::Result::Failed:
        return Outcome::failure(trPage("Error"), download.failedRegion == 0
                                                 ? trPage("Reading difference recording lab data failed!")
                                                 : trPage("Failed to read color difference record name data!"));
    case BlockDownload::Result::Cancelled:
        return cancelled;
    case BlockDownload::Result::Done:
        break;
    }
    const QList<StoredComparison> stored = decodeStoredComparisons(kind, download.buffers[0], download.buffers[1], count);
    return appendStoredComparisons(stored, progress) ? Outcome::done() : cancelled;
}

// Judged again with the page's settings; stored records always use ΔE*ab. Thousands of records
// are judged in steps that report progress, so the window stays responsive and Cancel is heard;
// cancelled, nothing is added and the counters are as they were.
bool ComparisonSession::appendStoredComparisons(const QList<StoredComparison> &stored, const Progress &progress)
{
    constexpr int RecordsPerStep = 1000;
    const int steps = stored.size() > RecordsPerStep ? int(stored.size() + RecordsPerStep - 1) / RecordsPerStep : 0;
    const ComparisonCounters before = records_.counters();
    const QString time = ComparisonRecord::timeText(QDateTime::currentDateTime());
    QList<ComparisonRecord> records;
    records.reserve(stored.size());
    for (const StoredComparison &comparison : stored) {
        const int judged = int(records.size());
        if (steps > 0 && judged % RecordsPerStep == 0 && progress && !progress(judged / RecordsPerStep, steps)) {
            records_.restoreCounters(before);
            return false;
        }
        RecordFields fields = judgedRecord(comparison.standard, comparison.sample,
                                           colorDifference(DeltaEab, labOf(comparison.standard), labOf(comparison.sample)),
                                           time);
        fields.name = comparison.name;
        records.append(ComparisonRecord::fromFields(fields));
    }
    records_.append(records);
    return true;
}

// ---- Workbook ----

namespace {

const ExportTexts ComparisonExportTexts{"FirstPageFor310", "FirstPageFor310"};

} // namespace

QList<QStringList> ComparisonSession::exportRows() const
{
    return ComparisonWorkbook::rows(state_.resultKind(), records_.records());
}

Outcome ComparisonSession::noDataToExport() const
{
    return ComparisonExportTexts.noData();
}

Outcome ComparisonSession::exportTo(const QString &fileName)
{
    if (records_.isEmpty())
        return noDataToExport();
    const SaveResult result = saveRowsVerified(fileName, exportRows());
    if (result == SaveResult::Saved)
        clearPage();
    return ComparisonExportTexts.of(result);
}

Outcome ComparisonSession::importFrom(const QString &fileName)
{
    QList<ComparisonRecord> imported;
    const QString failure = ComparisonWorkbook::read(fileName, state_.resultKind(), imported);
    if (!failure.isEmpty())
        return Outcome::failure(trPage("Error："), failure);
    for (ComparisonRecord &record : imported)
        record.setKept(true);
    records_.appendCounting(imported);
    return Outcome::done();
}

// ---- Standard colour cards ----

namespace {

const char LibraryFileName[] = "StdColor.xlsx";

Outcome cardFailure(const QString &text)
{
    return Outcome::failure(ComparisonSession::trPage("Error"), text);
}

Outcome problemOutcome(const ColourCardCheck &check)
{
    using Session = ComparisonSession;
    switch (check.problem) {
    case ColourCardCheck::None:
        break;
    case ColourCardCheck::WrongModel:
        return Outcome::failure(Session::trPage("Error"), Session::trPage("The written contents do not match and cannot be written!"),
                                Outcome::Warning);
    case ColourCardCheck::ReadFailed:
        return cardFailure(Session::trPage("Failed to read excel file!"));
    case ColourCardCheck::NotEnoughRows:
        return cardFailure(Session::trPage("Error in Excel file with not enough rows of standard color cards!"));
    case ColourCardCheck::NameTooLong:
        return cardFailure(Session::trPage("The name in row %1 of the Excel file is too long to be written!").arg(check.row));
    case ColourCardCheck::WrongCountCrc:
        return cardFailure(Session::trPage("Failed to write the total number of standard color cards! "
                                           "The checksum in row %1 is wrong.").arg(check.row));
    case ColourCardCheck::WrongCardCrc:
        return cardFailure(Session::trPage("Failed to write standard color card information! "
                                           "The checksum in row %1 is wrong.").arg(check.row));
    }
    return Outcome::done();
}

// Packets of 256 bytes at consecutive addresses, then the empty packet right after the
// stream, the only one the instrument acknowledges. Empty text on success.
QString writeColourStream(CDeviceCommands &commands, const ColourCardLibrary &library, const Progress &progress)
{
    using Session = ComparisonSession;
    const QByteArray &stream = library.stream();
    for (int packet = 0; packet < library.packetCount(); ++packet) {
        const QByteArray data = stream.mid(qsizetype(packet) * ColourCardMemory::PacketSize, ColourCardMemory::PacketSize);
        const quint32 address = ColourCardMemory::StreamAddress + quint32(packet) * ColourCardMemory::PacketSize;
        if (commands.writeBlock(address, data, int(data.size())) < 0)
            return Session::trPage("Failed to write standard color card data!");
        if (progress)
            progress(packet, library.packetCount());
    }
    const int closed = commands.writeBlock(ColourCardMemory::StreamAddress + quint32(stream.size()), {}, 0);
    if (closed == CmdRefused)
        return Session::trPage("Failed to write!");
    if (closed < 0)
        return Session::trPage("Failed to write empty packet!");
    if (progress)
        progress(library.packetCount(), library.packetCount());
    return {};
}

QString writeLibrary(CDeviceCommands &commands, const ColourCardLibrary &library, const Progress &progress)
{
    using Session = ComparisonSession;
    if (commands.writeStdColorCount(library.count(), library.countCrc()) < 0)
        return Session::trPage("Failed to write the total number of standard color cards!");
    for (int i = 0; i < library.count(); ++i) {
        const ColourCard &card = library.cards()[i];
        if (commands.writeStdColorInfo(int(library.cardAddress(i)), card.name1, card.name2, card.colourRows,
                                       card.value2, card.crc)
            < 0)
            return Session::trPage("Failed to write standard color card information!");
    }
    return writeColourStream(commands, library, progress);
}

} // namespace

Outcome ComparisonSession::uploadColourCards(const QString &fileName, const Progress &progress)
{
    if (QFileInfo(fileName).fileName() != QLatin1String(LibraryFileName))
        return Outcome::failure(trPage("Error"), trPage("File error, unable to write!"), Outcome::Warning);
    QList<QList<QVariant>> rows;
    {
        // Opened only to read: a mistyped path must not leave an empty workbook behind.
        ExcelEngine engine(fileName);
        if (!engine.openForReading(1))
            return cardFailure(trPage("Can't open file!"));
        if (engine.rowCount() <= 0)
            return cardFailure(trPage("Failed to read excel file!"));
        engine.readAll(rows);
    }
    ColourCardLibrary library;
    if (const ColourCardCheck check = library.read(rows, state_.modelName); !check.ok())
        return problemOutcome(check);
    const std::shared_ptr<InstrumentLink> link = openLink();
    if (!link)
        return notConnected();
    // Held across the whole upload, so no polling read falls between its frames. A link that
    // goes away meanwhile fails the next write instead of reaching a newer connection.
    LinkLock lock(link);
    CDeviceCommands commands(*link);
    if (const QString failure = writeLibrary(commands, library, progress); !failure.isEmpty())
        return cardFailure(failure);
    return Outcome::said(trPage("Information"), trPage("Write to standard color card library successfully!"));
}

// ---- Report ----

namespace {

// The record's values of the quantities a report shows.
ReportValues reportValues(const ComparisonRecord &record, int firstColumn, int resultKind)
{
    const auto value = [&](int quantity) { return parseValueText(record.text(firstColumn + quantity)); };
    ReportValues values;
    values.haze = value(Quantity::Haze);
    values.transmittance = value(Quantity::Transmittance);
    // Under L*C*h the record list shows the lightness of that triple.
    values.L = value(resultKind == ResultLCh ? Quantity::LchL : Quantity::L);
    values.a = value(Quantity::A);
    values.b = value(Quantity::B);
    values.C = value(Quantity::C);
    values.h = value(Quantity::H);
    values.Y = value(Quantity::Y);
    values.x = value(Quantity::X);
    values.y = value(Quantity::SmallY);
    return values;
}

} // namespace

ReportInputs ComparisonSession::reportInputs(int row) const
{
    using namespace RecordColumn;
    const ComparisonRecord &record = records_.at(row);
    ReportInputs in;
    in.sampleName = record.text(Name);
    in.testTime = record.text(Time);
    in.device = record.text(Model);
    in.serialNumber = record.text(SerialNumber);
    const int kind = state_.resultKind();
    in.standard = reportValues(record, StandardFirst, kind);
    in.sample = reportValues(record, SampleFirst, kind);
    in.hazeTolerance = ComparisonRecord::toleranceText(record.text(HazeTolerance));
    in.transmittanceTolerance = ComparisonRecord::toleranceText(record.text(TransmittanceTolerance));
    in.threshold = record.text(Threshold);
    in.deltaE = parseValueText(record.text(DeltaE));
    in.result = record.text(Result);
    in.resultKinds = state_.judgement.resultKinds;
    in.deviceType = state_.judgement.deviceType;
    const DeviceProfile *profile = deviceProfile(in.deviceType);
    if (profile && profile->usesInstrumentFormula)
        in.formulaName = QCoreApplication::translate("Colorimeter", formulaName(state_.judgement.formula).toUtf8());
    return in;
}
