#include "DeviceCommands.h"

#include "Crc16.h"
#include "LinkPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>

namespace {

enum class Cmd {
    DeviceInfo, DeviceInfoOld, SoftwareVersion,
    ReadDisplayParam, SetDisplayParam, ReadTolerance, SetTolerance, ReadDeltaEParam, SetDeltaEParam,
    HazeTResult, HazeResult, TResult, LabResult, LChResult, YxyResult, MeasureData,
    HazeTCount, HazeCount, TCount, LabCount0, LabCount12, LChCount0, LChCount12, YxyCount,
    SpectralCount0, SpectralCount12,
    ReadBlock, StdColorCount, StdColorInfo, WriteBlockData, WriteBlockEnd, MeasureSpectrum,
    Count
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
    const char *request;    // hex bytes before the data; null when built from the arguments
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

// readBlock adds its data length to the reply length, writeBlock's data packet to the send threshold.
constexpr CommandConstants commands[] = {
    // cmd                   request                            send reply timeout frame  echo                       both  data    not-sup. early
    {Cmd::DeviceInfo,        "AB 20 05 00 12 00 94 6B",          8,  26,  6000,  true,  {{2, 0x05}, {6, 0xA5}}, false, 0, 24, 0xA004, false},
    {Cmd::DeviceInfoOld,     "AB 40 00 00 00 00 14 00",          8,  30,  6000,  true,  {{2, 0x00}, {6, 0x14}}, false, 8, 18, 0xC708, false},
    {Cmd::SoftwareVersion,   "AB 20 0C 00 02 00",                6,  10,  6000,  true,  {{1, 0x20}, {4, 0x02}}, false, 0, 0,  0xC708, false},
    {Cmd::ReadDisplayParam,  "AB 40 00 03 00 00 03 00",          8,  13,  6000,  true,  {{2, 0x00}, {6, 0x03}}, false, 8, 1,  0,      true},
    {Cmd::SetDisplayParam,   "AB 70 00 03 00 00 03 00",          11, 10,  10000, true,  {{2, 0x00}, {6, 0x03}}, false, 0, 0,  0,      false},
    {Cmd::ReadTolerance,     "AB 40 0F 03 00 00 08 00",          8,  18,  6000,  true,  {{2, 0x0F}, {6, 0x03}}, false, 8, 6,  0,      true},
    {Cmd::SetTolerance,      "AB 70 0F 03 00 00 08 00",          16, 10,  10000, true,  {{2, 0x0F}, {6, 0x08}}, false, 0, 0,  0,      false},
    {Cmd::ReadDeltaEParam,   "AB 40 25 02 00 00 05 00",          8,  15,  6000,  true,  {{2, 0x25}, {6, 0x05}}, false, 8, 3,  0,      true},
    {Cmd::SetDeltaEParam,    "AB 70 25 02 00 00 05 00",          13, 10,  6000,  true,  {{2, 0x25}, {6, 0x05}}, false, 0, 0,  0,      false},
    {Cmd::HazeTResult,       "AB 44 20 00 00 00 18 00",          8,  34,  6000,  true,  {{2, 0x20}, {6, 0x18}}, false, 0, 0,  0,      false},
    {Cmd::HazeResult,        "AB 44 21 00 00 00 18 00",          8,  34,  6000,  true,  {{2, 0x21}, {6, 0x18}}, false, 0, 0,  0,      false},
    {Cmd::TResult,           "AB 44 22 00 00 00 18 00",          8,  34,  6000,  true,  {{2, 0x22}, {6, 0x18}}, false, 0, 0,  0,      false},
    {Cmd::LabResult,         "AB 44 23 00 00 00 18 00",          8,  34,  6000,  true,  {{2, 0x23}, {6, 0x18}}, false, 0, 0,  0,      false},
    {Cmd::LChResult,         "AB 44 24 00 00 00 18 00",          8,  34,  6000,  true,  {{2, 0x24}, {6, 0x18}}, false, 0, 0,  0,      false},
    {Cmd::YxyResult,         "AB 44 25 00 00 00 18 00",          8,  34,  6000,  true,  {{2, 0x25}, {6, 0x18}}, false, 0, 0,  0,      false},
    {Cmd::MeasureData,       "AB 44 00 00 00 00 36 00 18 64",    10, 64,  6000,  true,  {{2, 0x00}, {6, 0x36}}, false, 0, 0,  0,      false},
    {Cmd::HazeTCount,        "AB 40 00 12 00 00 04 00",          8,  14,  6000,  false, {{2, 0x00}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::HazeCount,         "AB 40 04 12 00 00 04 00",          8,  14,  6000,  false, {{2, 0x04}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::TCount,            "AB 40 08 12 00 00 04 00",          8,  14,  6000,  false, {{2, 0x08}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::LabCount0,         "AB 40 0C 12 00 00 04 00",          8,  14,  6000,  false, {{2, 0x0C}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::LabCount12,        "AB 40 00 16 00 00 04 00",          8,  14,  6000,  false, {{2, 0x00}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::LChCount0,         "AB 40 10 12 00 00 04 00",          8,  14,  6000,  false, {{2, 0x10}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::LChCount12,        "AB 40 04 16 00 00 04 00",          8,  14,  6000,  false, {{2, 0x04}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::YxyCount,          "AB 40 14 12 00 00 04 00",          8,  14,  6000,  false, {{2, 0x14}, {6, 0x04}}, false, 8, 2,  0,      false},
    {Cmd::SpectralCount0,    "AB 40 20 10 00 00 08 00",          8,  18,  6000,  true,  {{1, 0x40}, {6, 0x08}}, false, 8, 6,  0,      false},
    {Cmd::SpectralCount12,   "AB 40 10 14 00 00 08 00",          8,  18,  6000,  true,  {{1, 0x40}, {6, 0x08}}, false, 8, 6,  0,      false},
    {Cmd::ReadBlock,         nullptr,                            8,  10,  6000,  false, {noTest, noTest},       false, 0, 0,  0,      false},
    {Cmd::StdColorCount,     "AB 70 00 2F 00 00 04 00",          12, 10,  6000,  true,  {{2, 0x00}, {6, 0x04}}, false, 0, 0,  0,      false},
    {Cmd::StdColorInfo,      nullptr,                            45, 10,  6000,  true,  {{2, 0x00}, {6, 0x26}}, false, 0, 0,  0,      false},
    {Cmd::WriteBlockData,    nullptr,                            8,  0,   0,     false, {noTest, noTest},       false, 0, 0,  0,      false},
    {Cmd::WriteBlockEnd,     nullptr,                            8,  10,  6000,  false, {{1, 0x74}, {6, 0x00}}, true,  0, 0,  0,      false},
    {Cmd::MeasureSpectrum,   "AB 20 49 00 3E 00",                6,  70,  6000,  true,  {{1, 0x20}, {4, 0x3E}}, false, 0, 0,  0,      false},
};

constexpr bool tableInCommandOrder()
{
    for (int i = 0; i < int(std::size(commands)); ++i) {
        if (int(commands[i].cmd) != i)
            return false;
    }
    return int(std::size(commands)) == int(Cmd::Count);
}
static_assert(tableInCommandOrder(), "one row per command, in the order of Cmd");

constexpr quint8 startByte = 0xAB;
constexpr int sendTimeoutMs = 1000;
constexpr int nameBytes = 16;

const CommandConstants &constantsOf(Cmd cmd)
{
    return commands[int(cmd)];
}

Cmd offset(Cmd first, int index)
{
    return Cmd(int(first) + index);
}

// Reading past the end of a short frame yields 0 instead of undefined bytes.
quint8 u8(const QByteArray &frame, int position)
{
    return position >= 0 && position < frame.size() ? quint8(frame[position]) : 0;
}

quint16 u16(const QByteArray &frame, int position)
{
    return quint16(u8(frame, position) | u8(frame, position + 1) << 8);
}

quint32 u32(const QByteArray &frame, int position)
{
    return quint32(u16(frame, position)) | quint32(u16(frame, position + 2)) << 16;
}

void appendU16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

bool fitsU16(int value)
{
    return value >= 0 && value <= 0xFFFF;
}

QByteArray fixedRequest(Cmd cmd)
{
    return QByteArray::fromHex(constantsOf(cmd).request);
}

// Register frame header: start byte, function code, 32-bit address, 16-bit length field.
QByteArray registerHeader(quint8 function, quint32 address, quint16 lengthField)
{
    QByteArray header;
    header.append(char(startByte));
    header.append(char(function));
    appendU16(header, quint16(address & 0xFFFF));
    appendU16(header, quint16(address >> 16));
    appendU16(header, lengthField);
    return header;
}

// A 0x70 write: header, data, then the data check.
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

// Sending, the first step of every command: the bytes written, or CmdNotSent below the threshold.
int sendRequest(const CommandConstants &s, QByteArray request, int thresholdExtra = 0)
{
    const int sent = LinkPort::sendFrame(request, sendTimeoutMs);
    return sent < s.sendThreshold + thresholdExtra ? int(CmdNotSent) : sent;
}

// The common procedure: send, receive, echo test, data check, decode.
template<typename Decode>
int run(Cmd cmd, QByteArray request, Decode &&decode, int replyExtra = 0)
{
    const CommandConstants &s = constantsOf(cmd);
    if (sendRequest(s, std::move(request)) < 0)
        return CmdNotSent;
    QByteArray reply;
    if (LinkPort::receiveFrame(reply, s.timeoutMs, s.replyLength + replyExtra, s.frameCheck) <= 0)
        return isNotSupportedReply(s, reply) ? CmdNotSupported : CmdNoReply;
    if (!echoAccepted(s, reply))
        return CmdRefused;
    const bool dataOk = dataCheckPasses(s, reply);
    if (dataOk || s.decodesBeforeCheck)
        decode(reply);
    return dataOk ? CmdOk : CmdBadData;
}

int run(Cmd cmd, QByteArray request)
{
    return run(cmd, std::move(request), [](const QByteArray &) {});
}

int readCount(Cmd cmd, int countPosition, int &count)
{
    return run(cmd, fixedRequest(cmd), [&](const QByteArray &reply) { count = u16(reply, countPosition); });
}

// Counters whose address depends on the device type: type 0, or types 1 and 2; others are unknown.
int readCountByType(Cmd typeZero, Cmd typesOneTwo, int countPosition, int deviceType, int &count)
{
    if (deviceType == 0)
        return readCount(typeZero, countPosition, count);
    if (deviceType == 1 || deviceType == 2)
        return readCount(typesOneTwo, countPosition, count);
    return CmdNotSent;
}

// Values in display order, their wire scale and which of them are signed.
enum Value { Haze, Trans, LStar, AStar, BStar, LValue, Chroma, Hue, YValue, XChroma, YChroma, ValueCount };
constexpr double wireScale[ValueCount] = {100, 100, 100, 100, 100, 100, 100, 10, 100, 10000, 10000};

double wireValue(const QByteArray &frame, int position, Value value)
{
    const bool isSigned = value == LStar || value == AStar || value == BStar;
    const quint16 raw = u16(frame, position);
    return (isSigned ? double(qint16(raw)) : double(raw)) / wireScale[value];
}

struct Field
{
    Value value;
    int position; // from the frame's start byte
};

const QList<Field> &kindFields(int kind)
{
    static const QList<Field> fields[6] = {
        {{Haze, 11}, {Trans, 13}},
        {{Haze, 11}},
        {{Trans, 11}},
        {{LStar, 11}, {AStar, 13}, {BStar, 15}},
        {{LStar, 11}, {AStar, 13}, {BStar, 15}, {LValue, 17}, {Chroma, 19}, {Hue, 21}},
        {{LStar, 11}, {AStar, 13}, {BStar, 15}, {YValue, 17}, {XChroma, 19}, {YChroma, 21}},
    };
    return fields[kind];
}

bool isKind(int kind)
{
    return kind >= 0 && kind <= 5;
}

const char *softwareVersionFailure(int result)
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


} // namespace

int CDeviceCommands::readDeviceInfo(DeviceInfo &info)
{
    return run(Cmd::DeviceInfo, fixedRequest(Cmd::DeviceInfo), [&](const QByteArray &r) {
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
    return run(Cmd::DeviceInfoOld, fixedRequest(Cmd::DeviceInfoOld), [&](const QByteArray &r) {
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
    const int result = run(Cmd::SoftwareVersion, fixedRequest(Cmd::SoftwareVersion),
                           [&](const QByteArray &r) { version = u16(r, 6); });
    if (const char *failure = softwareVersionFailure(result))
        QMessageBox::information(nullptr, QCoreApplication::translate("CDeviceCommands", "提示"),
                                 QCoreApplication::translate("CDeviceCommands", failure), QMessageBox::Ok);
    return result;
}

int CDeviceCommands::readDisplayParam(int &kind)
{
    return run(Cmd::ReadDisplayParam, fixedRequest(Cmd::ReadDisplayParam),
               [&](const QByteArray &r) { kind = u8(r, 8); });
}

int CDeviceCommands::setDisplayParam(quint8 kind)
{
    return run(Cmd::SetDisplayParam, writeRequest(fixedRequest(Cmd::SetDisplayParam), QByteArray(1, char(kind))));
}

int CDeviceCommands::readTolerance(int &hazeTolerance, int &tTolerance, int &threshold)
{
    return run(Cmd::ReadTolerance, fixedRequest(Cmd::ReadTolerance), [&](const QByteArray &r) {
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
    return run(Cmd::SetTolerance, writeRequest(fixedRequest(Cmd::SetTolerance), data));
}

int CDeviceCommands::readDeltaEParam(int &formula, int &threshold)
{
    return run(Cmd::ReadDeltaEParam, fixedRequest(Cmd::ReadDeltaEParam), [&](const QByteArray &r) {
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
    return run(Cmd::SetDeltaEParam, writeRequest(fixedRequest(Cmd::SetDeltaEParam), data));
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
    const Cmd cmd = offset(Cmd::HazeTResult, kind);
    return run(cmd, fixedRequest(cmd), [&](const QByteArray &r) { out = decodeKindBlock(r, 0, kind); });
}

int CDeviceCommands::readMeasureData(std::array<int, 21> &raw)
{
    return run(Cmd::MeasureData, fixedRequest(Cmd::MeasureData),
               [&](const QByteArray &r) { raw = decodeMeasureBlock(r, 0); });
}

ResultValues CDeviceCommands::valuesFromMeasureData(const std::array<int, 21> &raw)
{
    // Which raw output carries each display value: haze and T last, the spare words skipped.
    constexpr int rawIndex[ValueCount] = {19, 20, 0, 1, 2, 6, 7, 8, 9, 10, 11};
    ResultValues result;
    for (int v = 0; v < ValueCount; ++v)
        result.values[v] = raw[rawIndex[v]] / wireScale[v];
    result.red = raw[16];
    result.green = raw[17];
    result.blue = raw[18];
    return result;
}

ResultValues CDeviceCommands::decodeKindBlock(const QByteArray &frame, int offset, int kind)
{
    ResultValues result;
    result.red = u8(frame, offset + 8);
    result.green = u8(frame, offset + 9);
    result.blue = u8(frame, offset + 10);
    if (!isKind(kind))
        return result;
    for (const Field &field : kindFields(kind))
        result.values[field.value] = wireValue(frame, offset + field.position, field.value);
    return result;
}

std::array<int, 21> CDeviceCommands::decodeMeasureBlock(const QByteArray &frame, int offset)
{
    const int data = offset + 8;
    std::array<int, 21> raw{};
    for (int i = 0; i < 6; ++i) {
        raw[i] = qint16(u16(frame, data + 2 * i));
        raw[6 + i] = u16(frame, data + 12 + 2 * i);
    }
    for (int i = 0; i < 7; ++i)
        raw[12 + i] = u8(frame, data + 24 + i);
    raw[19] = u16(frame, data + 31);
    raw[20] = u16(frame, data + 33);
    return raw;
}

int CDeviceCommands::readHazeTRecordCount(int &count)
{
    return readCount(Cmd::HazeTCount, 8, count);
}

int CDeviceCommands::readHazeRecordCount(int &count)
{
    return readCount(Cmd::HazeCount, 8, count);
}

int CDeviceCommands::readTRecordCount(int &count)
{
    return readCount(Cmd::TCount, 8, count);
}

int CDeviceCommands::readLabRecordCount(int &count, int deviceType)
{
    return readCountByType(Cmd::LabCount0, Cmd::LabCount12, 8, deviceType, count);
}

int CDeviceCommands::readLChRecordCount(int &count, int deviceType)
{
    return readCountByType(Cmd::LChCount0, Cmd::LChCount12, 8, deviceType, count);
}

int CDeviceCommands::readYxyRecordCount(int &count)
{
    return readCount(Cmd::YxyCount, 8, count);
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
    return readCountByType(Cmd::SpectralCount0, Cmd::SpectralCount12, 10, deviceType, count);
}

int CDeviceCommands::readBlock(quint32 address, QByteArray &data, int length)
{
    if (!fitsU16(length))
        return CmdNotSent;
    return run(Cmd::ReadBlock, registerHeader(0x40, address, quint16(length)),
               [&](const QByteArray &r) { data.append(r.mid(8, length)); }, length);
}

int CDeviceCommands::writeStdColorCount(int count, int expectedCrc)
{
    if (!fitsU16(count))
        return CmdNotSent;
    QByteArray data;
    appendU16(data, quint16(count));
    if (crc16Modbus(data) != expectedCrc)
        return CmdBadData;
    return run(Cmd::StdColorCount, writeRequest(fixedRequest(Cmd::StdColorCount), data));
}

// A name longer than its 16-byte field would shift every later field, so it is refused.
int CDeviceCommands::writeStdColorInfo(int address, const QString &name1, const QString &name2, int value1,
                                       int value2, int expectedCrc)
{
    if (!fitsU16(address) || !fitsU16(value1) || !fitsU16(value2))
        return CmdNotSent;
    const QByteArray utf8Name1 = name1.toUtf8();
    const QByteArray utf8Name2 = name2.toUtf8();
    if (utf8Name1.size() > nameBytes || utf8Name2.size() > nameBytes)
        return CmdBadData;
    QByteArray data = utf8Name1.leftJustified(nameBytes, '\0') + utf8Name2.leftJustified(nameBytes, '\0');
    appendU16(data, quint16(value1));
    appendU16(data, quint16(value2));
    if (crc16Modbus(data) != expectedCrc)
        return CmdBadData;
    return run(Cmd::StdColorInfo, writeRequest(registerHeader(0x70, quint32(address), 0x26), data));
}

int CDeviceCommands::writeBlock(quint32 address, const QByteArray &data, int length)
{
    if (!fitsU16(length) || length > data.size())
        return CmdNotSent;
    QByteArray request = registerHeader(0x74, address, quint16(length));
    if (length == 0)
        return run(Cmd::WriteBlockEnd, request);
    request.append(data.left(length));
    return sendRequest(constantsOf(Cmd::WriteBlockData), request, length);
}

int CDeviceCommands::measureSpectrum(std::array<double, 31> &values)
{
    return run(Cmd::MeasureSpectrum, fixedRequest(Cmd::MeasureSpectrum), [&](const QByteArray &r) {
        for (int i = 0; i < int(values.size()); ++i)
            values[i] = u16(r, 6 + 2 * i) / 100.0;
    });
}

void CDeviceCommands::delayMs(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() <= ms) {
    }
}
