#pragma once

#include "ResultDecoding.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <memory>

class InstrumentLink;

// Result codes of every instrument command.
enum CommandResult : int {
    CmdOk = 1,
    CmdNotSent = -1,      // no open link, or fewer bytes written than the request holds
    CmdNoReply = -2,      // nothing, too little, or a failed frame check within the time-out
    CmdRefused = -3,      // echo bytes wrong, or the instrument's error frame
    CmdBadData = -4,      // data check failed (or the caller's expected CRC did not match)
    CmdNotSupported = -5, // the instrument does not know the command
};

struct DeviceInfo
{
    int type = 0;
    QDate date;
    quint32 serialNumber = 0;
    quint32 meterNumber = 0;
    quint16 word1 = 0; // the older command's single word lands here
    quint16 word2 = 0;
    quint8 byte1 = 0;  // the older command's two bytes
    quint8 byte2 = 0;
};

// The instrument's request/reply protocol over one link. Every operation returns a CommandResult.
// Callers hold the link's LinkLock around each command or series of commands.
class CDeviceCommands
{
public:
    explicit CDeviceCommands(InstrumentLink &link);
    // Keeps the link alive; a null link fails every command with CmdNotSent.
    explicit CDeviceCommands(std::shared_ptr<InstrumentLink> link);

    int readDeviceInfo(DeviceInfo &info);
    int readDeviceInfoOld(DeviceInfo &info);
    // Its failures have their own texts: softwareVersionFailure.
    int readSoftwareVersion(int &version);
    int readDisplayParam(int &kind);
    int setDisplayParam(quint8 kind);
    int readTolerance(int &hazeTolerance, int &tTolerance, int &threshold);
    int setTolerance(int hazeTolerance, int tTolerance, int threshold);
    int readDeltaEParam(int &formula, int &threshold);
    int setDeltaEParam(quint8 formula, int threshold);

    int readHazeTResult(ResultValues &out);
    int readHazeResult(ResultValues &out);
    int readTResult(ResultValues &out);
    int readLabResult(ResultValues &out);
    int readLChResult(ResultValues &out);
    int readYxyResult(ResultValues &out);
    // The per-kind result read of result kind 0-5.
    int readKindResult(int kind, ResultValues &out);
    // The combined block; valuesFromMeasureData turns it into values.
    int readMeasureData(std::array<int, 21> &raw);

    int readHazeTRecordCount(int &count);
    int readHazeRecordCount(int &count);
    int readTRecordCount(int &count);
    int readLabRecordCount(int &count, int deviceType);
    int readLChRecordCount(int &count, int deviceType);
    int readYxyRecordCount(int &count);
    // The record-count read of result kind 0-5.
    int readRecordCount(int kind, int deviceType, int &count);
    int readSpectralRecordCount(int &count, int deviceType);

    // Appends length bytes read at address to data (only on success).
    int readBlock(quint32 address, QByteArray &data, int length);
    int writeStdColorCount(int count, int expectedCrc);
    int writeStdColorInfo(int address, const QString &name1, const QString &name2, int value1, int value2,
                          int expectedCrc);
    // The data the two writes above send, whose CRC the expected one must equal; empty for
    // values their fields cannot hold.
    static QByteArray stdColorCountData(int count);
    static QByteArray stdColorInfoData(const QString &name1, const QString &name2, int value1, int value2);
    // length 0 sends the acknowledged empty packet that closes a bulk transfer.
    int writeBlock(quint32 address, const QByteArray &data, int length);
    int measureSpectrum(std::array<double, 31> &values);

    // The untranslated text (context "CDeviceCommands", title "提示") that explains a failed
    // readSoftwareVersion; null for other codes.
    static const char *softwareVersionFailure(int result);

private:
    template<typename Decode>
    int run(int cmd, QByteArray request, Decode &&decode, int replyExtra = 0);
    int run(int cmd, QByteArray request);
    int sendRequest(int cmd, QByteArray request, int thresholdExtra = 0);
    int readCount(int cmd, int countPosition, int &count);
    int readCountByType(int typeZero, int typesOneTwo, int countPosition, int deviceType, int &count);

    std::shared_ptr<InstrumentLink> keep_;
    InstrumentLink *link_;
};
