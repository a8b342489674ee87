#include "SimulatedInstrument.h"

#include "Crc16.h"
#include "SimMemoryMap.h"
#include "SimTransport.h"
#include "SimWire.h"

#include <algorithm>
#include <cmath>

using namespace SimMemoryMap;
using namespace SimWire;

namespace {

constexpr int ReportSize = 64;
constexpr int ReportPayload = 62;
constexpr char RefusedCheck = 0x01;
constexpr char RefusedValue = 0x02;

QByteArray deviceInfoBytes(const SimProfile &p)
{
    QByteArray bytes;
    bytes.append(char(0xA5)).append('\0');
    appendWord(bytes, quint16(p.manufactured.year()));
    bytes.append(char(p.manufactured.month())).append(char(p.manufactured.day()));
    appendLong(bytes, p.serialNumber);
    appendLong(bytes, p.meterNumber);
    appendWord(bytes, 0x0001);
    appendWord(bytes, 0x0000);
    return bytes;
}

QByteArray resultHeader(quint8 address, quint8 lengthField)
{
    QByteArray header(8, '\0');
    header[0] = StartByte;
    header[1] = 0x44;
    header[2] = char(address);
    header[6] = char(lengthField);
    return header;
}

bool validDisplayParam(int deviceType, int kind)
{
    switch (deviceType) {
    case 0: return kind >= 0 && kind <= 5;
    case 1: return kind == 3 || kind == 4;
    default: return kind == 3;
    }
}

bool checkAt(const QByteArray &frame, int covered)
{
    return crc16Modbus(frame.constData(), covered) == word(frame, covered);
}

// Frame check, and the header check that the device-information query and the
// combined-block read carry ahead of it.
bool intact(const QByteArray &frame)
{
    const bool deviceInfoQuery = frame[1] == 0x20 && frame[2] == 0x05;
    const bool combinedRead = frame[1] == 0x44 && frame.size() == 12;
    const int headerSize = deviceInfoQuery ? 6 : 8;
    return checkAt(frame, int(frame.size()) - 2) && (!(deviceInfoQuery || combinedRead) || checkAt(frame, headerSize));
}

void refreshFrameCheck(QByteArray &frame)
{
    frame.chop(2);
    appendCheck(frame);
}

QByteArray nameSlot(const QByteArray &name)
{
    QByteArray slot = name.left(NameSlotSize);
    slot.resize(NameSlotSize, '\0');
    return slot;
}

} // namespace

SimulatedInstrument::SimulatedInstrument(const SimProfile &profile)
    : profile_(profile)
    , base_(SimMeasurement::fromHazeTLab(1.25, 89.60, 62.35, -3.12, 11.87))
    , latest_(base_)
{
    const bool oldResultPath = profile.firmwareVersion < 106
        && (profile.model == QLatin1String("TQ310") || profile.model == QLatin1String("TQ320"));
    pushedForm_ = oldResultPath ? SimResultForm::PerKind : SimResultForm::Combined;
    memory_.write(DeviceInfo, deviceInfoBytes(profile));
    memory_.write(DisplayParam, QByteArray(1, char(profile.displayParam)));
    setTolerance(50, 100, 10);
    setDeltaEParam(0, 10);
}

SimulatedInstrument::~SimulatedInstrument() = default;

std::unique_ptr<ReportTransport> SimulatedInstrument::makeTransport()
{
    return std::make_unique<SimTransport>(*this);
}

// ---- presence

void SimulatedInstrument::plug()
{
    Lock lock(mutex_);
    setPlugged(lock, true);
}

void SimulatedInstrument::unplug()
{
    Lock lock(mutex_);
    setPlugged(lock, false);
}

bool SimulatedInstrument::isPlugged() const
{
    std::lock_guard lock(mutex_);
    return plugged_;
}

void SimulatedInstrument::setPresenceCallback(std::function<void(bool)> callback)
{
    std::lock_guard lock(mutex_);
    presenceCallback_ = std::move(callback);
}

void SimulatedInstrument::setPlugged(Lock &lock, bool plugged)
{
    if (plugged_ == plugged)
        return;
    plugged_ = plugged;
    if (!plugged) {
        ++generation_;
        requestsBeforeUnplug_.reset();
    }
    received_.clear();
    outgoing_.clear();
    arrived_.notify_all();
    const auto callback = presenceCallback_;
    lock.unlock();
    if (callback)
        callback(plugged);
}

// ---- settings and state

SimProfile SimulatedInstrument::profile() const
{
    return profile_;
}

int SimulatedInstrument::displayParam() const
{
    std::lock_guard lock(mutex_);
    return quint8(memory_.read(DisplayParam, 1)[0]);
}

void SimulatedInstrument::setDisplayParam(int kind)
{
    std::lock_guard lock(mutex_);
    memory_.write(DisplayParam, QByteArray(1, char(kind)));
}

std::array<int, 3> SimulatedInstrument::tolerance() const
{
    std::lock_guard lock(mutex_);
    return {memory_.word(Tolerance), memory_.word(Tolerance + 2), memory_.word(Tolerance + 4)};
}

void SimulatedInstrument::setTolerance(int hazeTolerance, int tTolerance, int threshold)
{
    std::lock_guard lock(mutex_);
    memory_.setWord(Tolerance, quint16(hazeTolerance));
    memory_.setWord(Tolerance + 2, quint16(tTolerance));
    memory_.setWord(Tolerance + 4, quint16(threshold));
}

int SimulatedInstrument::deltaEFormula() const
{
    std::lock_guard lock(mutex_);
    return quint8(memory_.read(DeltaEParam, 1)[0]);
}

int SimulatedInstrument::deltaEThreshold() const
{
    std::lock_guard lock(mutex_);
    return memory_.word(DeltaEParam + 1);
}

void SimulatedInstrument::setDeltaEParam(int formula, int threshold)
{
    std::lock_guard lock(mutex_);
    memory_.write(DeltaEParam, QByteArray(1, char(formula)));
    memory_.setWord(DeltaEParam + 1, quint16(threshold));
}

void SimulatedInstrument::setEmptyPacketAccepted(bool accepted)
{
    std::lock_guard lock(mutex_);
    emptyPacketAccepted_ = accepted;
}

SimResultForm SimulatedInstrument::pushedResultForm() const
{
    std::lock_guard lock(mutex_);
    return pushedForm_;
}

void SimulatedInstrument::setPushedResultForm(SimResultForm form)
{
    std::lock_guard lock(mutex_);
    pushedForm_ = form;
}

// ---- measurements

void SimulatedInstrument::setBaseMeasurement(const SimMeasurement &base)
{
    std::lock_guard lock(mutex_);
    base_ = base;
}

void SimulatedInstrument::setNextMeasurement(const SimMeasurement &next)
{
    std::lock_guard lock(mutex_);
    next_ = next;
}

SimMeasurement SimulatedInstrument::latestMeasurement() const
{
    std::lock_guard lock(mutex_);
    return latest_;
}

void SimulatedInstrument::setNextSpectrum(const SimSpectrum &next)
{
    std::lock_guard lock(mutex_);
    nextSpectrum_ = next;
}

SimSpectrum SimulatedInstrument::latestSpectrum() const
{
    std::lock_guard lock(mutex_);
    return latestSpectrum_;
}

void SimulatedInstrument::pressMeasureKey()
{
    std::lock_guard lock(mutex_);
    if (!plugged_)
        return;
    const SimMeasurement m = takeMeasurement();
    if (pushedForm_ == SimResultForm::Combined) {
        transmit(registerReply(resultHeader(0x00, 0x36), combinedBlock(m)));
        return;
    }
    const int kind = std::clamp(int(quint8(memory_.read(DisplayParam, 1)[0])), 0, ResultKinds - 1);
    transmit(registerReply(resultHeader(quint8(0x20 + kind), 0x18), kindBlock(kind, m)));
}

SimMeasurement SimulatedInstrument::takeMeasurement()
{
    const quint32 n = measurements_++;
    latest_ = next_.value_or(SimMeasurement::varied(base_, n));
    next_.reset();
    return latest_;
}

// ---- stored records

bool SimulatedInstrument::addComparisonRecord(int kind, const SimMeasurement &standard,
                                              const SimMeasurement &sample, const QByteArray &name)
{
    std::lock_guard lock(mutex_);
    return storeComparison(kind, kindFields(kind, standard) + kindFields(kind, sample), name);
}

int SimulatedInstrument::comparisonRecordCount(int kind) const
{
    std::lock_guard lock(mutex_);
    return memory_.word(comparisonCountAddress(kind, profile_.deviceType));
}

bool SimulatedInstrument::addSpectrum(const SimSpectrum &values, const QByteArray &name)
{
    std::lock_guard lock(mutex_);
    return storeSpectrum(values, name);
}

int SimulatedInstrument::spectrumCount() const
{
    std::lock_guard lock(mutex_);
    return memory_.word(spectraCountAddress(profile_.deviceType));
}

void SimulatedInstrument::preload(int recordsPerKind, int spectra)
{
    std::lock_guard lock(mutex_);
    const auto name = [](const char *prefix, int k) {
        return k % 4 == 3 ? QByteArray() : QByteArray(prefix) + QByteArray::number(k + 1).rightJustified(3, '0');
    };
    // Samples sit a little off the standard, so some judge PASS and some NG.
    const SimMeasurement sampleBase = SimMeasurement::fromHazeTLab(
        base_.values[SimHaze] + 0.1, base_.values[SimT] - 0.2, base_.values[SimLStar] + 0.4,
        base_.values[SimAStar] + 0.25, base_.values[SimBStar] - 0.3);
    for (int kind = 0; kind < ResultKinds; ++kind) {
        memory_.setWord(comparisonCountAddress(kind, profile_.deviceType), 0);
        for (int k = 0; k < recordsPerKind; ++k) {
            const quint32 seed = 0x10000u + quint32(kind * 4096 + 2 * k);
            const QByteArray values = kindFields(kind, SimMeasurement::varied(base_, seed))
                + kindFields(kind, SimMeasurement::varied(sampleBase, seed + 1));
            storeComparison(kind, values, name("S-", k));
        }
    }
    memory_.setWord(spectraCountAddress(profile_.deviceType), 0);
    for (int k = 0; k < spectra; ++k)
        storeSpectrum(simSpectrum(quint32(k + 1), 0), name("SP-", k));
}

bool SimulatedInstrument::storeComparison(int kind, const QByteArray &values, const QByteArray &name)
{
    const quint32 countAddress = comparisonCountAddress(kind, profile_.deviceType);
    const int count = memory_.word(countAddress);
    if (count >= comparisonCapacity(kind))
        return false;
    memory_.write(comparisonValuesAddress(kind) + quint32(count * ComparisonRecordSize[kind]), values);
    memory_.write(comparisonNamesAddress(kind) + quint32(count * NameSlotSize), nameSlot(name));
    memory_.setWord(countAddress, quint16(count + 1));
    return true;
}

bool SimulatedInstrument::storeSpectrum(const SimSpectrum &values, const QByteArray &name)
{
    const int type = profile_.deviceType;
    const int count = memory_.word(spectraCountAddress(type));
    if (count >= SpectrumCapacity)
        return false;
    QByteArray record;
    for (double v : values) // stored history values are signed
        appendWord(record, quint16(qint16(std::clamp(std::round(v * 100), -32768.0, 32767.0))));
    memory_.write(spectraValuesAddress(type) + quint32(count * SpectrumRecordSize), record);
    memory_.write(spectraNamesAddress(type) + quint32(count * NameSlotSize), nameSlot(name));
    memory_.setWord(spectraCountAddress(type), quint16(count + 1));
    return true;
}

// ---- memory

QByteArray SimulatedInstrument::readMemory(quint32 address, int length) const
{
    std::lock_guard lock(mutex_);
    return memory_.read(address, length);
}

void SimulatedInstrument::writeMemory(quint32 address, const QByteArray &bytes)
{
    std::lock_guard lock(mutex_);
    memory_.write(address, bytes);
}

int SimulatedInstrument::colourCardCount() const
{
    std::lock_guard lock(mutex_);
    return memory_.word(ColourCardCount);
}

QByteArray SimulatedInstrument::colourCardRecord(int index) const
{
    std::lock_guard lock(mutex_);
    return memory_.read(ColourCards + ColourCardStride * quint32(index), ColourCardSize);
}

QByteArray SimulatedInstrument::colourStream() const
{
    std::lock_guard lock(mutex_);
    return bulkEnd_ > ColourStream ? memory_.read(ColourStream, int(bulkEnd_ - ColourStream)) : QByteArray();
}

std::optional<quint32> SimulatedInstrument::bulkClosedAt() const
{
    std::lock_guard lock(mutex_);
    return bulkClosedAt_;
}

// ---- faults and log

void SimulatedInstrument::injectFault(SimFault fault, SimFaultScope scope, int delayMs)
{
    std::lock_guard lock(mutex_);
    fault_ = {fault, scope, delayMs};
}

void SimulatedInstrument::clearFaults()
{
    std::lock_guard lock(mutex_);
    fault_ = {};
    requestsBeforeUnplug_.reset();
}

void SimulatedInstrument::unplugAfterRequests(int n)
{
    std::lock_guard lock(mutex_);
    requestsBeforeUnplug_ = std::max(0, n);
}

QList<QByteArray> SimulatedInstrument::requestLog() const
{
    std::lock_guard lock(mutex_);
    return requestLog_;
}

void SimulatedInstrument::clearRequestLog()
{
    std::lock_guard lock(mutex_);
    requestLog_.clear();
}

// ---- transport side

quint64 SimulatedInstrument::openSession(quint16 vendorId, quint16 productId)
{
    std::lock_guard lock(mutex_);
    return plugged_ && vendorId == VendorId && productId == ProductId ? generation_ : 0;
}

bool SimulatedInstrument::isLive(quint64 session) const
{
    std::lock_guard lock(mutex_);
    return plugged_ && session == generation_;
}

int SimulatedInstrument::acceptReport(quint64 session, const QByteArray &report)
{
    Lock lock(mutex_);
    if (!plugged_ || session != generation_)
        return -1;
    if (requestsBeforeUnplug_ == 0) {
        setPlugged(lock, false);
        return -1;
    }
    const int count = report.size() >= 2 ? quint8(report[1]) : 0;
    if (count < 1 || report[0] != 0x3F || count > ReportPayload || count > report.size() - 2)
        return -1;
    received_.append(report.constData() + 2, count);
    consumeRequests();
    return int(report.size());
}

int SimulatedInstrument::deliverReport(quint64 session, QByteArray &report, int timeoutMs)
{
    Lock lock(mutex_);
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    for (;;) {
        if (!plugged_ || session != generation_)
            return -1;
        const auto now = Clock::now();
        if (!outgoing_.empty() && outgoing_.front().due <= now) {
            if (outgoing_.front().report.isEmpty()) {
                setPlugged(lock, false);
                return -1;
            }
            report = outgoing_.front().report;
            outgoing_.pop_front();
            return int(report.size());
        }
        if (now >= deadline)
            return 0;
        arrived_.wait_until(lock, outgoing_.empty() ? deadline : std::min(deadline, outgoing_.front().due));
    }
}

// ---- requests

void SimulatedInstrument::consumeRequests()
{
    for (;;) {
        const qsizetype start = received_.indexOf(StartByte);
        received_.remove(0, start < 0 ? received_.size() : start);
        const int length = requestLength(received_);
        if (length < 0) {
            // Unknown function code: its length is unknown too, so nothing behind it can be trusted.
            transmit(notSupported(received_));
            received_.clear();
        }
        if (length <= 0 || received_.size() < length)
            return;
        const QByteArray frame = received_.left(length);
        if (requestLog_.size() == RequestLogLimit)
            requestLog_.removeFirst();
        requestLog_.append(frame);
        if (intact(frame)) {
            received_.remove(0, length);
            if (const auto reply = answer(frame))
                transmit(*reply);
        } else {
            received_.remove(0, 1); // resynchronise on the next start byte
        }
        if (requestsBeforeUnplug_ > 0)
            --*requestsBeforeUnplug_;
    }
}

std::optional<QByteArray> SimulatedInstrument::answer(const QByteArray &frame)
{
    switch (quint8(frame[1])) {
    case 0x20: return answerSystem(frame);
    case 0x40: return answerRead(frame);
    case 0x44: return answerResult(frame);
    case 0x70: return answerWrite(frame);
    default: return answerBulk(frame);
    }
}

QByteArray SimulatedInstrument::answerSystem(const QByteArray &frame)
{
    const char subCode = frame[2];
    if (subCode == 0x05 && profile_.supportsDeviceInfo)
        return systemReply(subCode, memory_.read(DeviceInfo, DeviceInfoSize));
    if (subCode == 0x0C) {
        QByteArray version;
        appendWord(version, quint16(profile_.firmwareVersion));
        return systemReply(subCode, version);
    }
    if (subCode == 0x49) {
        latestSpectrum_ = nextSpectrum_.value_or(simSpectrum(0, spectra_++));
        nextSpectrum_.reset();
        QByteArray values;
        for (double v : latestSpectrum_)
            appendWord(values, quint16(std::clamp(std::round(v * 100), 0.0, 65535.0)));
        return systemReply(subCode, values);
    }
    return notSupported(frame);
}

QByteArray SimulatedInstrument::answerRead(const QByteArray &frame)
{
    const quint32 address = longAt(frame, 2);
    const int length = word(frame, 6);
    if (address >= BlockSpaceStart)
        return blockReply(frame, memory_.read(address, length));
    if (length < 2)
        return refusal(0x40, RefusedValue);
    return registerReply(frame, memory_.read(address, length - 2));
}

QByteArray SimulatedInstrument::answerResult(const QByteArray &frame)
{
    const quint32 address = longAt(frame, 2);
    const int length = word(frame, 6);
    if (address == 0x00 && length == 0x36)
        return registerReply(frame, combinedBlock(takeMeasurement()));
    if (address >= 0x20 && address < 0x20 + ResultKinds && length == 0x18)
        return registerReply(frame, kindBlock(int(address - 0x20), takeMeasurement()));
    return notSupported(frame);
}

QByteArray SimulatedInstrument::answerWrite(const QByteArray &frame)
{
    const quint32 address = longAt(frame, 2);
    const int length = word(frame, 6);
    if (length < 3)
        return refusal(0x70, RefusedValue);
    const QByteArray data = frame.mid(8, length - 2);
    if (crc16Modbus(data) != word(frame, 6 + length))
        return refusal(0x70, RefusedCheck);
    if (!acceptsWrite(address, data))
        return refusal(0x70, RefusedValue);
    memory_.write(address, data);
    return writeReply(frame);
}

bool SimulatedInstrument::acceptsWrite(quint32 address, const QByteArray &data) const
{
    return address != DisplayParam || validDisplayParam(profile_.deviceType, quint8(data[0]));
}

std::optional<QByteArray> SimulatedInstrument::answerBulk(const QByteArray &frame)
{
    const quint32 address = longAt(frame, 2);
    const int length = word(frame, 6);
    if (length > 0) {
        if (address == ColourStream) { // a new stream begins
            bulkEnd_ = 0;
            bulkClosedAt_.reset();
        }
        memory_.write(address, frame.mid(8, length));
        bulkEnd_ = std::max(bulkEnd_, address + quint32(length));
        return std::nullopt; // data packets are not answered
    }
    if (!emptyPacketAccepted_)
        return refusal(0x74, RefusedCheck);
    bulkClosedAt_ = address;
    return writeReply(frame);
}

// ---- replies

void SimulatedInstrument::transmit(QByteArray frame)
{
    const ActiveFault fault = fault_;
    if (fault_.scope == SimFaultScope::NextFrame)
        fault_ = {};
    const auto now = Clock::now();
    switch (fault.fault) {
    case SimFault::NoReply:
        return;
    case SimFault::NotSupported:
        frame = notSupported(frame);
        break;
    case SimFault::BadDataCheck:
        if (const int at = dataCheckOffset(frame); at >= 0) {
            frame[at] = char(frame[at] ^ 0x01);
            refreshFrameCheck(frame);
        }
        break;
    case SimFault::WrongEcho:
        for (int at : {1, 2, 4, 6})
            frame[at] = char(frame[at] ^ 0x5A);
        refreshFrameCheck(frame);
        break;
    case SimFault::BadFrameCheck:
        frame.back() = char(frame.back() ^ 0x01);
        break;
    case SimFault::ShortReply:
        frame.chop(4);
        break;
    case SimFault::GarbageBeforeStart:
        frame.prepend(QByteArray("\x00\x13", 2));
        break;
    case SimFault::UnplugMidReply:
        queueReports(frame.left(frame.size() / 2), ReportPayload, now);
        outgoing_.push_back({QByteArray(), now});
        arrived_.notify_all();
        return;
    default:
        break;
    }
    const int perReport = fault.fault == SimFault::SplitReply ? 3 : ReportPayload;
    const int delay = fault.fault == SimFault::LateReply ? fault.delayMs : 0;
    queueReports(frame, perReport, now + std::chrono::milliseconds(delay));
    arrived_.notify_all();
}

void SimulatedInstrument::queueReports(const QByteArray &bytes, int perReport, Clock::time_point due)
{
    for (qsizetype at = 0; at < bytes.size(); at += perReport) {
        const QByteArray chunk = bytes.mid(at, perReport);
        QByteArray report(ReportSize, '\0');
        report[0] = 0x3F;
        report[1] = char(chunk.size());
        std::copy(chunk.cbegin(), chunk.cend(), report.begin() + 2);
        outgoing_.push_back({report, due});
    }
}
