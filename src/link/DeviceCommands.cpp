#include "DeviceCommands.h"

#include "Crc16.h"
#include "DeviceProfile.h"
#include "InstrumentLink.h"
#include "Protocol.h"
#include "WireBytes.h"

#include <QCoreApplication>

using namespace WireBytes;

namespace {

enum Cmd : int {
    DeviceInfoCmd, DeviceInfoOld, SoftwareVersion,
    ReadDisplayParam, SetDisplayParam, ReadTolerance, SetTolerance, ReadDeltaEParam, SetDeltaEParam,
    HazeTResult, HazeResult, TResult, LabResult, LChResult, YxyResult, MeasureData,
    HazeTCount, HazeCount, TCount, LabCount0, LabCount12, LChCount0, LChCount12, YxyCount,
    SpectralCount0, SpectralCount12,
    ReadBlock, StdColorCount, StdColorInfo, WriteBlockData, WriteBlockEnd, MeasureSpectrum,
    CmdCount
};

struct ByteIs
{
    int position; // -1: no test
    quint8 value;
};
constexpr ByteIs noTest{-1, 0};

struct CommandConstants
{
    Cmd cmd;
    Protocol::Function function;
    const char *request;    // hex bytes after start byte and function; null when built from the arguments
    int sendThreshold;      // fewer bytes written means "not sent"
    int replyLength;        // 0: no reply is read
    int timeoutMs;
    bool frameCheck;        // receiveFrame tests the reply's frame check
    ByteIs echo[2];         // the reply is accepted when either holds ...
    bool echoNeedsBoth;     // ... or, for the bulk write's end, when both hold
    int dataFirst;          // data check over dataCount bytes from dataFirst (0 bytes: not tested)
    int dataCount;
    quint16 notSupported;   // bytes 1 and 2 of the not-supported reply this command recognises, 0: none
    bool decodesBeforeCheck; // outputs are written even when the data check then fails
};

using namespace Protocol;
constexpr quint8 EchoQuery = Query;
constexpr quint8 EchoRead = ReadRegister;
constexpr quint8 EchoBulk = BulkWrite;

// readBlock adds its data length to the reply length, writeBlock's data packet to the send threshold.
// The identity request and the combined-block request carry a fixed check of their own header.
constexpr CommandConstants commands[] = {
    // cmd            function       request                   send reply timeout frame  echo                            both  data    not-sup. early
    {DeviceInfoCmd,    Query,         "05 00 12 00 94 6B",       8,  26,  6000,  true,  {{2, 0x05}, {6, 0xA5}},         false, 0, 24, 0xA004, false},
    {DeviceInfoOld,    ReadRegister,  "00 00 00 00 14 00",       8,  30,  6000,  true,  {{2, 0x00}, {6, 0x14}},         false, 8, 18, 0xC708, false},
    {SoftwareVersion,  Query,         "0C 00 02 00",             6,  10,  6000,  true,  {{1, EchoQuery}, {4, 0x02}},    false, 0, 0,  0xC708, false},
    {ReadDisplayParam, ReadRegister,  "00 03 00 00 03 00",       8,  13,  6000,  true,  {{2, 0x00}, {6, 0x03}},         false, 8, 1,  0,      true},
    {SetDisplayParam,  WriteRegister, "00 03 00 00 03 00",       11, 10,  10000, true,  {{2, 0x00}, {6, 0x03}},         false, 0, 0,  0,      false},
    {ReadTolerance,    ReadRegister,  "0F 03 00 00 08 00",       8,  18,  6000,  true,  {{2, 0x0F}, {6, 0x03}},         false, 8, 6,  0,      true},
    {SetTolerance,     WriteRegister, "0F 03 00 00 08 00",       16, 10,  10000, true,  {{2, 0x0F}, {6, 0x08}},         false, 0, 0,  0,      false},
    {ReadDeltaEParam,  ReadRegister,  "25 02 00 00 05 00",       8,  15,  6000,  true,  {{2, 0x25}, {6, 0x05}},         false, 8, 3,  0,      true},
    {SetDeltaEParam,   WriteRegister, "25 02 00 00 05 00",       13, 10,  6000,  true,  {{2, 0x25}, {6, 0x05}},         false, 0, 0,  0,      false},
    {HazeTResult,      ReadResult,    "20 00 00 00 18 00",       8,  34,  6000,  true,  {{2, 0x20}, {6, 0x18}},         false, 0, 0,  0,      false},
    {HazeResult,       ReadResult,    "21 00 00 00 18 00",       8,  34,  6000,  true,  {{2, 0x21}, {6, 0x18}},         false, 0, 0,  0,      false},
    {TResult,          ReadResult,    "22 00 00 00 18 00",       8,  34,  6000,  true,  {{2, 0x22}, {6, 0x18}},         false, 0, 0,  0,      false},
    {LabResult,        ReadResult,    "23 00 00 00 18 00",       8,  34,  6000,  true,  {{2, 0x23}, {6, 0x18}},         false, 0, 0,  0,      false},
    {LChResult,        ReadResult,    "24 00 00 00 18 00",       8,  34,  6000,  true,  {{2, 0x24}, {6, 0x18}},         false, 0, 0,  0,      false},
    {YxyResult,        ReadResult,    "25 00 00 00 18 00",       8,  34,  6000,  true,  {{2, 0x25}, {6, 0x18}},         false, 0, 0,  0,      false},
    {MeasureData,      ReadResult,    "00 00 00 00 36 00 18 64", 10, 64,  6000,  true,  {{2, 0x00}, {6, 0x36}},         false, 0, 0,  0,      false},
    {HazeTCount,       ReadRegister,  "00 12 00 00 04 00",       8,  14,  6000,  false, {{2, 0x00}, {6, 0x04}},         false, 8, 2,  0,      false},
    {HazeCount,        ReadRegister,  "04 12 00 00 04 00",       8,  14,  6000,  false, {{2, 0x04}, {6, 0x04}},         false, 8, 2,  0,      false},
    {TCount,           ReadRegister,  "08 12 00 00 04 00",       8,  14,  6000,  false, {{2, 0x08}, {6, 0x04}},         false, 8, 2,  0,      false},
    {LabCount0,        ReadRegister,  "0C 12 00 00 04 00",       8,  14,  6000,  false, {{2, 0x0C}, {6, 0x04}},         false, 8, 2,  0,      false},
    {LabCount12,       ReadRegister,  "00 16 00 00 04 00",       8,  14,  6000,  false, {{2, 0x00}, {6, 0x04}},         false, 8, 2,  0,      false},
    {LChCount0,        ReadRegister,  "10 12 00 00 04 00",       8,  14,  6000,  false, {{2, 0x10}, {6, 0x04}},         false, 8, 2,  0,      false},
    {LChCount12,       ReadRegister,  "04 16 00 00 04 00",       8,  14,  6000,  false, {{2, 0x04}, {6, 0x04}},         false, 8, 2,  0,      false},
    {YxyCount,         ReadRegister,  "14 12 00 00 04 00",       8,  14,  6000,  false, {{2, 0x14}, {6, 0x04}},         false, 8, 2,  0,      false},
    {SpectralCount0,   ReadRegister,  "20 10 00 00 08 00",       8,  18,  6000,  true,  {{1, EchoRead}, {6, 0x08}},     false, 8, 6,  0,      false},
    {SpectralCount12,  ReadRegister,  "10 14 00 00 08 00",       8,  18,  6000,  true,  {{1, EchoRead}, {6, 0x08}},     false, 8, 6,  0,      false},
    {ReadBlock,        ReadRegister,  nullptr,                   8,  10,  6000,  false, {noTest, noTest},               false, 0, 0,  0,      false},
    {StdColorCount,    WriteRegister, "00 2F 00 00 04 00",       12, 10,  6000,  true,  {{2, 0x00}, {6, 0x04}},         false, 0, 0,  0,      false},
    {StdColorInfo,     WriteRegister, nullptr,                   45, 10,  6000,  true,  {{2, 0x00}, {6, 0x26}},         false, 0, 0,  0,      false},
    {WriteBlockData,   BulkWrite,     nullptr,                   8,  0,   0,     false, {noTest, noTest},               false, 0, 0,  0,      false},
    {WriteBlockEnd,    BulkWrite,     nullptr,                   8,  10,  6000,  false, {{1, EchoBulk}, {6, 0x00}},     true,  0, 0,  0,      false},
    {MeasureSpectrum,  Query,         "49 00 3E 00",             6,  70,  6000,  true,  {{1, EchoQuery}, {4, 0x3E}},    false, 0, 0,  0,      false},
};

constexpr bool tableInCommandOrder()
{
    for (int i = 0; i < int(std::size(commands)); ++i) {
        if (int(commands[i].cmd) != i)
            return false;
    }
    return int(std::size(commands)) == int(CmdCount);
}
static_assert(tableInCommandOrder(), "one row per command, in the order of Cmd");

constexpr int sendTimeoutMs = 1000;
constexpr int nameBytes = 16;
constexpr quint16 stdColorInfoLength = 0x26;

const CommandConstants &constantsOf(int cmd)
{
    return commands[cmd];
}

bool fitsU16(int value)
{
    return value >= 0 && value <= 0xFFFF;
}

QByteArray frameStart(Protocol::Function function)
{
    QByteArray start;
    start.append(char(Protocol::StartByte));
    start.append(char(function));
    return start;
}

QByteArray fixedRequest(int cmd)
{
    const CommandConstants &s = constantsOf(cmd);
    return frameStart(s.function) + QByteArray::fromHex(s.request);
}

// Register frame header: start byte, function code, 32-bit address, 16-bit length field.
QByteArray registerHeader(Protocol::Function function, quint32 address, quint16 lengthField)
{
    QByteArray header = frameStart(function);
    appendU16(header, quint16(address & 0xFFFF));
    appendU16(header, quint16(address >> 16));
    appendU16(header, lengthField);
    return header;
}

// A register write: header, data, then the data check.
QByteArray writeRequest(QByteArray header, const QByteArray &data)
{
    header.append(data);
    appendU16(header, crc16Modbus(data));
    return header;
}

bool echoAccepted(const CommandConstants &s, const QByteArray &reply)
{
    auto holds = [&](const ByteIs &test) { return test.position < 0 || u8(reply, test.position) == test.value; };
    if (s.echoNeedsBoth)
        return holds(s.echo[0]) && holds(s.echo[1]);
    return holds(s.echo[0]) || holds(s.echo[1]);
}

bool dataCheckPasses(const CommandConstants &s, const QByteArray &reply)
{
    if (s.dataCount == 0)
        return true;
    if (reply.size() < s.dataFirst + s.dataCount + 2)
        return false;
    const quint16 computed = crc16Modbus(reply.constData() + s.dataFirst, s.dataCount);
    return computed == u16(reply, s.dataFirst + s.dataCount);
}

bool isNotSupportedReply(const CommandConstants &s, const QByteArray &reply)
{
    return s.notSupported != 0 && reply.size() >= 3 && u8(reply, 1) == s.notSupported >> 8
           && u8(reply, 2) == (s.notSupported & 0xFF);
}

bool isKind(int kind)
{
    return kind >= 0 && kind <= 5;
}

} // namespace

CDeviceCommands::CDeviceCommands(InstrumentLink &link) : link_(&link) {}

CDeviceCommands::CDeviceCommands(std::shared_ptr<InstrumentLink> link) : keep_(std::move(link)), link_(keep_.get())
{
}

// Sending, the first step of every command: the bytes written, or CmdNotSent below the threshold.
int CDeviceCommands::sendRequest(int cmd, QByteArray request, int thresholdExtra)
{
    const int sent = link_ ? link_->sendFrame(request, sendTimeoutMs) : -1;
    return sent < constantsOf(cmd).sendThreshold + thresholdExtra ? int(CmdNotSent) : sent;
}

// The common procedure: send, receive, echo test, data check, decode.
template<typename Decode>
int CDeviceCommands::run(int cmd, QByteArray request, Decode &&decode, int replyExtra)
{
    const CommandConstants &s = constantsOf(cmd);
    if (sendRequest(cmd, std::move(request)) < 0)
        return CmdNotSent;
    QByteArray reply;
    if (link_->receiveFrame(reply, s.timeoutMs, s.replyLength + replyExtra, s.frameCheck) <= 0)
        return isNotSupportedReply(s, reply) ? CmdNotSupported : CmdNoReply;
    if (!echoAccepted(s, reply))
        return CmdRefused;
    const bool dataOk = dataCheckPasses(s, reply);
    if (dataOk || s.decodesBeforeCheck)
        decode(reply);
    return dataOk ? CmdOk : CmdBadData;
}

int CDeviceCommands::run(int cmd, QByteArray request)
{
    return run(cmd, std::move(request), [](const QByteArray &) {});
}

int CDeviceCommands::readCount(int cmd, int countPosition, int &count)
{
    return run(cmd, fixedRequest(cmd), [&](const QByteArray &reply) { count = u16(reply, countPosition); });
}

// Counters whose address depends on the device type; unknown types are not asked.
int CDeviceCommands::readCountByType(int typeZero, int typesOneTwo, int countPosition, int deviceType, int &count)
{
    const DeviceProfile *profile = deviceProfile(deviceType);
    if (!profile)
        return CmdNotSent;
    const bool moved = profile->counters == DeviceProfile::Counters::Moved;
    return readCount(moved ? typesOneTwo : typeZero, countPosition, count);
}

const char *CDeviceCommands::softwareVersionFailure(int result)
{
    switch (result) {
    case CmdNotSent:
        return QT_TRANSLATE_NOOP("CDeviceCommands", "读取软件版本写端口失败！");
    case CmdNoReply:
        return QT_TRANSLATE_NOOP("CDeviceCommands", "读取软件版本接收端口报文失败！");
    case CmdRefused:
        return QT_TRANSLATE_NOOP("CDeviceCommands", "读取软件版本接收的报文格式错误！");
    default:
        return nullptr;
    }
}

int CDeviceCommands::readDeviceInfo(DeviceInfo &info)
{
    return run(DeviceInfoCmd, fixedRequest(DeviceInfoCmd), [&](const QByteArray &r) {
        info.type = u8(r, 6);
        info.date = QDate(u16(r, 8), u8(r, 10), u8(r, 11));
        info.serialNumber = u32(r, 12);
        info.meterNumber = u32(r, 16);
        info.word1 = u16(r, 20);
        info.word2 = u16(r, 22);
    });
}

int CDeviceCommands::readDeviceInfoOld(DeviceInfo &info)
{
    return run(DeviceInfoOld, fixedRequest(DeviceInfoOld), [&](const QByteArray &r) {
        info.type = u8(r, 8);
        info.date = QDate(u16(r, 10), u8(r, 12), u8(r, 13));
        info.serialNumber = u32(r, 14);
        info.meterNumber = u32(r, 18);
        info.word1 = u16(r, 22);
        info.byte1 = u8(r, 24);
        info.byte2 = u8(r, 25);
    });
}

int CDeviceCommands::readSoftwareVersion(int &version)
{
    return run(SoftwareVersion, fixedRequest(SoftwareVersion), [&](const QByteArray &r) { version = u16(r, 6); });
}

int CDeviceCommands::readDisplayParam(int &kind)
{
    return run(ReadDisplayParam, fixedRequest(ReadDisplayParam), [&](const QByteArray &r) { kind = u8(r, 8); });
}

int CDeviceCommands::setDisplayParam(quint8 kind)
{
    return run(SetDisplayParam, writeRequest(fixedRequest(SetDisplayParam), QByteArray(1, char(kind))));
}

int CDeviceCommands::readTolerance(int &hazeTolerance, int &tTolerance, int &threshold)
{
    return run(ReadTolerance, fixedRequest(ReadTolerance), [&](const QByteArray &r) {
        hazeTolerance = u16(r, 8);
        tTolerance = u16(r, 10);
        threshold = u16(r, 12);
    });
}

// Values that do not fit their 16-bit field are refused rather than silently truncated.
int CDeviceCommands::setTolerance(int hazeTolerance, int tTolerance, int threshold)
{
    if (!fitsU16(hazeTolerance) || !fitsU16(tTolerance) || !fitsU16(threshold))
        return CmdNotSent;
    QByteArray data;
    appendU16(data, quint16(hazeTolerance));
    appendU16(data, quint16(tTolerance));
    appendU16(data, quint16(threshold));
    return run(SetTolerance, writeRequest(fixedRequest(SetTolerance), data));
}

int CDeviceCommands::readDeltaEParam(int &formula, int &threshold)
{
    return run(ReadDeltaEParam, fixedRequest(ReadDeltaEParam), [&](const QByteArray &r) {
        formula = u8(r, 8);
        threshold = u16(r, 9);
    });
}

int CDeviceCommands::setDeltaEParam(quint8 formula, int threshold)
{
    if (!fitsU16(threshold))
        return CmdNotSent;
    QByteArray data(1, char(formula));
    appendU16(data, quint16(threshold));
    return run(SetDeltaEParam, writeRequest(fixedRequest(SetDeltaEParam), data));
}

int CDeviceCommands::readHazeTResult(ResultValues &out)
{
    return readKindResult(0, out);
}

int CDeviceCommands::readHazeResult(ResultValues &out)
{
    return readKindResult(1, out);
}

int CDeviceCommands::readTResult(ResultValues &out)
{
    return readKindResult(2, out);
}

int CDeviceCommands::readLabResult(ResultValues &out)
{
    return readKindResult(3, out);
}

int CDeviceCommands::readLChResult(ResultValues &out)
{
    return readKindResult(4, out);
}

int CDeviceCommands::readYxyResult(ResultValues &out)
{
    return readKindResult(5, out);
}

int CDeviceCommands::readKindResult(int kind, ResultValues &out)
{
    if (!isKind(kind))
        return CmdNotSent;
    const int cmd = HazeTResult + kind;
    return run(cmd, fixedRequest(cmd), [&](const QByteArray &r) { out = decodeKindBlock(r, 0, kind); });
}

int CDeviceCommands::readMeasureData(std::array<int, 21> &raw)
{
    return run(MeasureData, fixedRequest(MeasureData), [&](const QByteArray &r) { raw = decodeMeasureBlock(r, 0); });
}

int CDeviceCommands::readHazeTRecordCount(int &count)
{
    return readCount(HazeTCount, 8, count);
}

int CDeviceCommands::readHazeRecordCount(int &count)
{
    return readCount(HazeCount, 8, count);
}

int CDeviceCommands::readTRecordCount(int &count)
{
    return readCount(TCount, 8, count);
}

int CDeviceCommands::readLabRecordCount(int &count, int deviceType)
{
    return readCountByType(LabCount0, LabCount12, 8, deviceType, count);
}

int CDeviceCommands::readLChRecordCount(int &count, int deviceType)
{
    return readCountByType(LChCount0, LChCount12, 8, deviceType, count);
}

int CDeviceCommands::readYxyRecordCount(int &count)
{
    return readCount(YxyCount, 8, count);
}

int CDeviceCommands::readRecordCount(int kind, int deviceType, int &count)
{
    switch (kind) {
    case 0:
        return readHazeTRecordCount(count);
    case 1:
        return readHazeRecordCount(count);
    case 2:
        return readTRecordCount(count);
    case 3:
        return readLabRecordCount(count, deviceType);
    case 4:
        return readLChRecordCount(count, deviceType);
    case 5:
        return readYxyRecordCount(count);
    default:
        return CmdNotSent;
    }
}

int CDeviceCommands::readSpectralRecordCount(int &count, int deviceType)
{
    return readCountByType(SpectralCount0, SpectralCount12, 10, deviceType, count);
}

int CDeviceCommands::readBlock(quint32 address, QByteArray &data, int length)
{
    if (!fitsU16(length))
        return CmdNotSent;
    return run(ReadBlock, registerHeader(ReadRegister, address, quint16(length)),
               [&](const QByteArray &r) { data.append(r.mid(8, length)); }, length);
}

QByteArray CDeviceCommands::stdColorCountData(int count)
{
    QByteArray data;
    if (fitsU16(count))
        appendU16(data, quint16(count));
    return data;
}

// A name longer than its 16-byte field would shift every later field, so it is refused.
QByteArray CDeviceCommands::stdColorInfoData(const QString &name1, const QString &name2, int value1, int value2)
{
    const QByteArray utf8Name1 = name1.toUtf8();
    const QByteArray utf8Name2 = name2.toUtf8();
    if (!fitsU16(value1) || !fitsU16(value2) || utf8Name1.size() > nameBytes || utf8Name2.size() > nameBytes)
        return {};
    QByteArray data = utf8Name1.leftJustified(nameBytes, '\0') + utf8Name2.leftJustified(nameBytes, '\0');
    appendU16(data, quint16(value1));
    appendU16(data, quint16(value2));
    return data;
}

int CDeviceCommands::writeStdColorCount(int count, int expectedCrc)
{
    const QByteArray data = stdColorCountData(count);
    if (data.isEmpty())
        return CmdNotSent;
    if (crc16Modbus(data) != expectedCrc)
        return CmdBadData;
    return run(StdColorCount, writeRequest(fixedRequest(StdColorCount), data));
}

int CDeviceCommands::writeStdColorInfo(int address, const QString &name1, const QString &name2, int value1,
                                       int value2, int expectedCrc)
{
    if (!fitsU16(address) || !fitsU16(value1) || !fitsU16(value2))
        return CmdNotSent;
    const QByteArray data = stdColorInfoData(name1, name2, value1, value2);
    if (data.isEmpty() || crc16Modbus(data) != expectedCrc)
        return CmdBadData;
    return run(StdColorInfo, writeRequest(registerHeader(WriteRegister, quint32(address), stdColorInfoLength), data));
}

int CDeviceCommands::writeBlock(quint32 address, const QByteArray &data, int length)
{
    if (!fitsU16(length) || length > data.size())
        return CmdNotSent;
    QByteArray request = registerHeader(BulkWrite, address, quint16(length));
    if (length == 0)
        return run(WriteBlockEnd, request);
    request.append(data.left(length));
    return sendRequest(WriteBlockData, request, length);
}

int CDeviceCommands::measureSpectrum(std::array<double, 31> &values)
{
    return run(MeasureSpectrum, fixedRequest(MeasureSpectrum), [&](const QByteArray &r) {
        for (int i = 0; i < int(values.size()); ++i)
            values[i] = u16(r, 6 + 2 * i) / 100.0;
    });
}
