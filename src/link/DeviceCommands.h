#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>

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

// One decoded result: the eleven values in display order (haze %, T %, L*, a*, b*,
// L, C*, h, Y, x, y) and the swatch colour. Values a block does not carry are 0.
struct ResultValues
{
    std::array<double, 11> values{};
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The instrument's request/reply protocol. Stateless; every operation returns a CommandResult.
// Callers hold the worker's link lock around each command or series of commands.
class CDeviceCommands
{
public:
    static int readDeviceInfo(DeviceInfo &info);
    static int readDeviceInfoOld(DeviceInfo &info);
    static int readSoftwareVersion(int &version);
    static int readDisplayParam(int &kind);
    static int setDisplayParam(quint8 kind);
    static int readTolerance(int &hazeTolerance, int &tTolerance, int &threshold);
    static int setTolerance(int hazeTolerance, int tTolerance, int threshold);
    static int readDeltaEParam(int &formula, int &threshold);
    static int setDeltaEParam(quint8 formula, int threshold);

    static int readHazeTResult(ResultValues &out);
    static int readHazeResult(ResultValues &out);
    static int readTResult(ResultValues &out);
    static int readLabResult(ResultValues &out);
    static int readLChResult(ResultValues &out);
    static int readYxyResult(ResultValues &out);
    // The per-kind result read of result kind 0-5.
    static int readKindResult(int kind, ResultValues &out);
    // Combined block: d0-11 six signed, d12-23 six unsigned, d24-d30 seven bytes (last three R, G, B), haze, T.
    static int readMeasureData(std::array<int, 21> &raw);
    static ResultValues valuesFromMeasureData(const std::array<int, 21> &raw);

    // Decoding shared by replies and pushed result frames; offset is the frame's start byte.
    // A frame is whole once these many bytes from its start byte are there; missing bytes decode as 0.
    static constexpr int kindFrameLength = 34;
    static constexpr int measureFrameLength = 64;
    static ResultValues decodeKindBlock(const QByteArray &frame, int offset, int kind);
    static std::array<int, 21> decodeMeasureBlock(const QByteArray &frame, int offset);

    static int readHazeTRecordCount(int &count);
    static int readHazeRecordCount(int &count);
    static int readTRecordCount(int &count);
    static int readLabRecordCount(int &count, int deviceType);
    static int readLChRecordCount(int &count, int deviceType);
    static int readYxyRecordCount(int &count);
    // The record-count read of result kind 0-5.
    static int readRecordCount(int kind, int deviceType, int &count);
    static int readSpectralRecordCount(int &count, int deviceType);

    // Appends length bytes read at address to data (only on success).
    static int readBlock(quint32 address, QByteArray &data, int length);
    static int writeStdColorCount(int count, int expectedCrc);
    static int writeStdColorInfo(int address, const QString &name1, const QString &name2,
                                 int value1, int value2, int expectedCrc);
    // length 0 sends the acknowledged empty packet that closes a bulk transfer.
    static int writeBlock(quint32 address, const QByteArray &data, int length);
    static int measureSpectrum(std::array<double, 31> &values);

    // Waits more than ms milliseconds; never returns early.
    static void delayMs(int ms);
};
