// .xls: a BIFF8 workbook stream inside an OLE2 compound file, written by us.

#include "WorkbookCodecs.h"
#include "XlsLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QtEndian>

#include <algorithm>

namespace {

// Little-endian byte builder.
struct Bytes
{
    QByteArray data;

    Bytes &u8(quint8 v)
    {
        data.append(char(v));
        return *this;
    }
    Bytes &u16(quint16 v) { return raw(qToLittleEndian(v)); }
    Bytes &u32(quint32 v) { return raw(qToLittleEndian(v)); }
    Bytes &f64(double v) { return raw(qToLittleEndian(v)); }
    Bytes &utf16(QStringView text)
    {
        if (text.isEmpty()) // an empty view may have no data to copy from
            return *this;
        const qsizetype at = data.size();
        data.resize(at + text.size() * 2);
        qToLittleEndian<quint16>(text.utf16(), text.size(), data.data() + at);
        return *this;
    }
    Bytes &zeros(qsizetype count)
    {
        data.append(count, '\0');
        return *this;
    }
    Bytes &record(quint16 type, const Bytes &body) { return u16(type).u16(quint16(body.data.size())).append(body); }
    Bytes &append(const Bytes &other)
    {
        data.append(other.data);
        return *this;
    }
    void patchU32(qsizetype at, quint32 v) { qToLittleEndian(v, data.data() + at); }

private:
    template<typename T>
    Bytes &raw(T v)
    {
        data.append(reinterpret_cast<const char *>(&v), sizeof v);
        return *this;
    }
};

using namespace XlsLayout;

constexpr quint16 kUtf16Codepage = 1200;
constexpr quint16 kPercentFormat = 10; // built-in "0.00%"
constexpr quint16 kDateTimeFormat = 164; // first custom format number
constexpr quint16 kFirstCellXf = 15;     // XFs 0-14 are the style XFs every workbook carries
constexpr int kMaxSheetName = 31;

quint16 cellXf(const Cell &cell)
{
    return quint16(kFirstCellXf + 2 * int(cell.format) + (cell.centred ? 1 : 0));
}

Bytes bof(quint16 kind)
{
    return Bytes().u16(0x0600).u16(kind).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x06);
}

// ShortXLUnicodeString (8-bit length) or XLUnicodeString (16-bit length), always UTF-16.
Bytes shortString(QStringView text)
{
    return Bytes().u8(quint8(text.size())).u8(1).utf16(text);
}

Bytes longString(QStringView text)
{
    return Bytes().u16(quint16(text.size())).u8(1).utf16(text);
}

Bytes xf(quint16 format, bool style, bool centred)
{
    const quint16 protection = style ? 0xFFF5 : 0x0001; // locked; a style XF has no parent
    const quint8 alignment = centred ? 0x22 : 0x20;     // bottom, and centre when asked
    const quint8 usedAttributes = style ? 0x00 : 0xFC;
    return Bytes().u16(0).u16(format).u16(protection).u8(alignment).u8(0).u8(0).u8(usedAttributes).u32(0).u32(0).u16(
        0x20C0);
}

// The shared string table: SST then CONTINUE records, never splitting a string header or a
// character; EXTSST indexes every dsst-th string by its stream position.
class SharedStrings
{
public:
    int indexOf(const QString &text)
    {
        ++references_;
        const auto found = index_.constFind(text);
        if (found != index_.cend())
            return found.value();
        index_.insert(text, int(strings_.size()));
        strings_.push_back(text);
        return int(strings_.size()) - 1;
    }

    void write(Bytes &stream) const
    {
        QList<Bytes> bodies(1);
        bodies[0].u32(quint32(references_)).u32(quint32(strings_.size()));
        const int perBucket = std::max<int>(8, int(strings_.size()) / 128 + 1);
        QList<std::pair<int, int>> bucketStarts; // record number, offset in its body
        for (qsizetype i = 0; i < strings_.size(); ++i) {
            const QString &text = strings_[i];
            if (bodies.last().data.size() + 3 > kMaxRecordBody)
                bodies.append(Bytes());
            if (i % perBucket == 0)
                bucketStarts.append({int(bodies.size() - 1), int(bodies.last().data.size())});
            bodies.last().u16(quint16(text.size())).u8(1);
            for (qsizetype done = 0; done < text.size();) {
                qsizetype room = (kMaxRecordBody - bodies.last().data.size()) / 2;
                if (room == 0) {
                    bodies.append(Bytes());
                    bodies.last().u8(1); // a continued string repeats its flags
                    room = (kMaxRecordBody - 1) / 2;
                }
                const qsizetype part = std::min(room, text.size() - done);
                bodies.last().utf16(QStringView(text).mid(done, part));
                done += part;
            }
        }
        QList<qsizetype> recordStarts;
        for (qsizetype r = 0; r < bodies.size(); ++r) {
            recordStarts.append(stream.data.size());
            stream.record(r == 0 ? Rec::Sst : Rec::Continue, bodies[r]);
        }
        Bytes extSst;
        extSst.u16(quint16(perBucket));
        for (const auto &[record, offset] : bucketStarts)
            extSst.u32(quint32(recordStarts[record] + 4 + offset)).u16(quint16(4 + offset)).u16(0);
        stream.record(Rec::ExtSst, extSst);
    }

private:
    QHash<QString, int> index_;
    QList<QString> strings_;
    qsizetype references_ = 0;
};

void writeGlobals(Bytes &stream, const Workbook &workbook, const SharedStrings &strings,
                  QList<qsizetype> &sheetOffsetFields)
{
    stream.record(Rec::Bof, bof(0x0005));
    stream.record(Rec::Codepage, Bytes().u16(kUtf16Codepage));
    stream.record(Rec::Window1,
                  Bytes().u16(0).u16(0).u16(0x4000).u16(0x2000).u16(0x0038).u16(0).u16(0).u16(1).u16(0x0258));
    for (int i = 0; i < 4; ++i) { // font 4 does not exist in BIFF numbering, so four fill 0-3
        stream.record(Rec::Font, Bytes()
                                     .u16(200)
                                     .u16(0)
                                     .u16(0x7FFF)
                                     .u16(400)
                                     .u16(0)
                                     .u8(0)
                                     .u8(0)
                                     .u8(0)
                                     .u8(0)
                                     .append(shortString(u"Arial")));
    }
    stream.record(Rec::Format, Bytes().u16(kDateTimeFormat).append(longString(QString::fromLatin1(kDateTimeFormatCode))));
    for (quint16 i = 0; i < kFirstCellXf; ++i)
        stream.record(Rec::Xf, xf(0, true, false));
    for (quint16 format : {quint16(0), kPercentFormat, kDateTimeFormat}) {
        stream.record(Rec::Xf, xf(format, false, false));
        stream.record(Rec::Xf, xf(format, false, true));
    }
    stream.record(Rec::Style, Bytes().u16(0x8000).u8(0).u8(0xFF));
    for (const Sheet &sheet : workbook.sheets) {
        sheetOffsetFields.append(stream.data.size() + 4);
        stream.record(Rec::BoundSheet, Bytes().u32(0).u8(0).u8(0).append(shortString(QStringView(sheet.name).left(kMaxSheetName))));
    }
    strings.write(stream);
    stream.record(Rec::Eof, Bytes());
}

void writeSheet(Bytes &stream, const Sheet &sheet, bool first, SharedStrings &strings)
{
    stream.record(Rec::Bof, bof(0x0010));
    int firstRow = 0, lastRow = -1, firstColumn = 0x7FFF, lastColumn = -1;
    for (const auto &[pos, cell] : sheet.cells) {
        if (lastRow < 0)
            firstRow = pos.row;
        lastRow = pos.row;
        firstColumn = std::min(firstColumn, pos.column);
        lastColumn = std::max(lastColumn, pos.column);
    }
    if (lastRow < 0)
        firstColumn = 0;
    stream.record(Rec::Dimensions,
                  Bytes().u32(quint32(firstRow)).u32(quint32(lastRow + 1)).u16(quint16(firstColumn)).u16(quint16(lastColumn + 1)).u16(0));
    for (const auto &[pos, cell] : sheet.cells) {
        const quint16 row = quint16(pos.row), column = quint16(pos.column), format = cellXf(cell);
        switch (cell.value.typeId()) {
        case QMetaType::Double:
            stream.u16(Rec::Number).u16(14).u16(row).u16(column).u16(format).f64(cell.value.toDouble());
            break;
        case QMetaType::QDateTime:
            stream.u16(Rec::Number).u16(14).u16(row).u16(column).u16(format).f64(
                serialFromDateTime(cell.value.toDateTime()));
            break;
        case QMetaType::QString:
            stream.u16(Rec::LabelSst).u16(10).u16(row).u16(column).u16(format).u32(
                quint32(strings.indexOf(cell.value.toString())));
            break;
        default:
            stream.u16(Rec::Blank).u16(6).u16(row).u16(column).u16(format);
        }
    }
    stream.record(Rec::Window2, Bytes().u16(first ? 0x06B6 : 0x00B6).u16(0).u16(0).u16(0x40).u16(0).u16(0).u16(0).u16(0).u16(0));
    stream.record(Rec::Eof, Bytes());
}

// The workbook stream: globals, then each sheet's substream, their offsets patched in.
QByteArray workbookStream(const Workbook &workbook)
{
    SharedStrings strings;
    QList<Bytes> sheets;
    for (size_t i = 0; i < workbook.sheets.size(); ++i)
        writeSheet(sheets.emplace_back(), workbook.sheets[i], i == 0, strings);
    Bytes stream;
    QList<qsizetype> offsetFields;
    writeGlobals(stream, workbook, strings, offsetFields);
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        stream.patchU32(offsetFields[i], quint32(stream.data.size()));
        stream.append(sheets[i]);
    }
    return stream.data;
}


Bytes directoryEntry(QStringView name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    Bytes entry;
    entry.utf16(name).zeros(64 - name.size() * 2);
    entry.u16(quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2)).u8(type).u8(name.isEmpty() ? 0 : 1);
    entry.u32(Cfb::kNoStream).u32(Cfb::kNoStream).u32(child).zeros(16).u32(0).zeros(16);
    return entry.u32(start).u32(size).u32(0);
}

// One stream ("Workbook") in an OLE2 compound file: stream sectors, one directory sector,
// then the FAT and, past 109 FAT sectors, the DIFAT sectors that list them.
QByteArray compoundFile(QByteArray stream)
{
    using namespace Cfb;
    // A workbook shorter than the cutoff would belong in the mini stream; padding it avoids one.
    const quint32 streamSize = std::max<quint32>(kMiniStreamCutoff, (quint32(stream.size()) + kSector - 1) / kSector * kSector);
    stream.resize(streamSize, '\0');
    const quint32 streamSectors = streamSize / kSector;
    quint32 fatSectors = 1, difatSectors = 0;
    for (;;) {
        const quint32 total = streamSectors + 1 + fatSectors + difatSectors;
        const quint32 needFat = (total + kIdsPerSector - 1) / kIdsPerSector;
        const quint32 needDifat = needFat > kHeaderFatIds ? (needFat - kHeaderFatIds + kIdsPerSector - 2) / (kIdsPerSector - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors)
            break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const quint32 directorySector = streamSectors, firstFat = streamSectors + 1, firstDifat = firstFat + fatSectors;

    QList<quint32> fat(fatSectors * kIdsPerSector, kFree);
    for (quint32 s = 0; s < streamSectors; ++s)
        fat[s] = s + 1 < streamSectors ? s + 1 : kEndOfChain;
    fat[directorySector] = kEndOfChain;
    for (quint32 s = 0; s < fatSectors; ++s)
        fat[firstFat + s] = kFatSector;
    for (quint32 s = 0; s < difatSectors; ++s)
        fat[firstDifat + s] = kDifatSector;

    Bytes file;
    file.data.reserve(kSector * (1 + streamSectors + 1 + fatSectors + difatSectors));
    file.data.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    file.zeros(16).u16(0x003E).u16(0x0003).u16(0xFFFE).u16(9).u16(6).zeros(6);
    file.u32(0).u32(fatSectors).u32(directorySector).u32(0).u32(kMiniStreamCutoff).u32(kEndOfChain).u32(0);
    file.u32(difatSectors ? firstDifat : kEndOfChain).u32(difatSectors);
    for (quint32 i = 0; i < kHeaderFatIds; ++i)
        file.u32(i < fatSectors ? firstFat + i : kFree);

    file.data.append(stream);
    file.append(directoryEntry(u"Root Entry", 5, 1, kEndOfChain, 0));
    file.append(directoryEntry(u"Workbook", 2, kNoStream, 0, streamSize));
    file.append(directoryEntry({}, 0, kNoStream, 0, 0)).append(directoryEntry({}, 0, kNoStream, 0, 0));
    for (quint32 id : fat)
        file.u32(id);
    for (quint32 d = 0; d < difatSectors; ++d) {
        for (quint32 i = 0; i < kIdsPerSector - 1; ++i) {
            const quint32 fatIndex = kHeaderFatIds + d * (kIdsPerSector - 1) + i;
            file.u32(fatIndex < fatSectors ? firstFat + fatIndex : kFree);
        }
        file.u32(d + 1 < difatSectors ? firstDifat + d + 1 : kEndOfChain);
    }
    return file.data;
}

} // namespace

bool writeXls(const QString &path, const Workbook &workbook, QString &reason)
{
    const QByteArray bytes = compoundFile(workbookStream(workbook));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush()) {
        reason = file.errorString();
        return false;
    }
    return true;
}
