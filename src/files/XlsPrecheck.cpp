// SPDX-License-Identifier: Apache-2.0
#include "XlsPrecheck.h"

#include "ReadBudget.h"
#include "WorkbookCodecs.h"
#include "XlsLayout.h"

#include <QSet>
#include <QtEndian>

#include <cstring>

#include <optional>
#include <vector>

namespace {

using namespace XlsLayout;
using namespace XlsLayout::Cfb;

constexpr quint32 kMaxRows = 65536;
constexpr quint32 kMaxColumns = 256;
// libfreexl keeps one pointer and a UTF-8 copy of each text it reads.
constexpr qint64 kFreexlTextOverhead = 8 + 16 + 1;

// Record numbers of the BIFF2-4 formats, which libfreexl would also parse; no BIFF8 stream has them.
bool isOlderBiffRecord(quint16 type)
{
    switch (type) {
    case 0x0000: case 0x0001: case 0x0002: case 0x0003: case 0x0004: case 0x0005: case 0x0007:
    case 0x0009: case 0x0209: case 0x0409: case 0x001E: case 0x0043: case 0x0243: case 0x0443:
    case 0x0206: case 0x0406:
        return true;
    default:
        return false;
    }
}

quint16 u16(const uchar *p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const uchar *p) { return qFromLittleEndian<quint32>(p); }

class Container
{
public:
    explicit Container(const QByteArray &file) : file_(file), data_(reinterpret_cast<const uchar *>(file.constData())) {}

    // The Workbook stream's bytes; nullopt with failure_ or encrypted_ set when there is none.
    std::optional<QByteArray> workbookStream()
    {
        if (!readHeader() || !readFat() || !readDirectory())
            return std::nullopt;
        return workbook_ ? stream(*workbook_) : std::nullopt;
    }

    const char *failure() const { return failure_; }
    bool encrypted() const { return encrypted_; }

private:
    struct Entry
    {
        quint32 start;
        quint32 size;
    };

    bool fail(const char *detail)
    {
        failure_ = detail;
        return false;
    }

    const uchar *sector(quint32 index) const { return data_ + (qint64(index) + 1) * sectorSize_; }

    bool readHeader()
    {
        static const uchar kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (file_.size() < 512 || memcmp(data_, kSignature, sizeof kSignature) != 0)
            return fail("compound file header");
        const quint16 shift = u16(data_ + 30);
        if (u16(data_ + 28) != 0xFFFE || (shift != 9 && shift != 12) || u16(data_ + 32) != 6
            || u32(data_ + 56) != kMiniStreamCutoff)
            return fail("compound file header");
        sectorSize_ = qint64(1) << shift;
        sectorCount_ = quint32(qMax<qint64>(0, file_.size() / sectorSize_ - 1));
        return true;
    }

    // Follows a chain through table; every sector lies in the file, and the chain ends within as
    // many steps as the table has entries, so loops end too.
    bool follow(const std::vector<quint32> &table, quint32 start, quint32 bound, std::vector<quint32> &chain,
                const char *what)
    {
        for (quint32 at = start; at != kEndOfChain; at = table[at]) {
            if (at >= bound || at >= table.size() || chain.size() >= table.size())
                return fail(what);
            chain.push_back(at);
        }
        return true;
    }

    bool readFat()
    {
        const quint32 fatSectors = u32(data_ + 44);
        const quint32 difatSectors = u32(data_ + 72);
        if (fatSectors > sectorCount_ || difatSectors > sectorCount_)
            return fail("sector table size");
        std::vector<quint32> fatIndex;
        for (quint32 i = 0; i < kHeaderFatIds; ++i) {
            const quint32 index = u32(data_ + 76 + 4 * i);
            if (i < fatSectors)
                fatIndex.push_back(index);
            else if (index != kFree)
                return fail("sector table list");
        }
        const int perDifat = int(sectorSize_ / 4) - 1;
        quint32 difat = u32(data_ + 68);
        for (quint32 n = 0; fatIndex.size() < fatSectors; ++n) {
            if (n >= difatSectors || difat >= sectorCount_)
                return fail("sector table list");
            const uchar *entries = sector(difat);
            for (int i = 0; i < perDifat && fatIndex.size() < fatSectors; ++i)
                fatIndex.push_back(u32(entries + 4 * i));
            difat = u32(entries + 4 * perDifat);
        }
        fat_.reserve(std::size_t(fatSectors) * (sectorSize_ / 4));
        for (const quint32 index : fatIndex) {
            if (index >= sectorCount_)
                return fail("sector table");
            const uchar *entries = sector(index);
            for (qint64 i = 0; i < sectorSize_ / 4; ++i)
                fat_.push_back(u32(entries + 4 * i));
        }
        return true;
    }

    bool readDirectory()
    {
        std::vector<quint32> chain;
        if (!follow(fat_, u32(data_ + 48), sectorCount_, chain, "directory chain"))
            return false;
        const QString workbook = QStringLiteral("Workbook");
        bool first = true;
        for (const quint32 index : chain) {
            for (qint64 offset = 0; offset < sectorSize_; offset += kDirectoryEntry) {
                const uchar *entry = sector(index) + offset;
                // libfreexl converts every name with the length it finds here.
                const quint16 nameBytes = u16(entry + 64);
                const uchar type = entry[66];
                if (nameBytes > 64 || nameBytes % 2 != 0 || type > 5 || (first && type != 5))
                    return fail("directory entry");
                const Entry found{u32(entry + 116), u32(entry + 120)};
                if (first)
                    root_ = found;
                first = false;
                QString name(qMax(0, nameBytes / 2 - 1), Qt::Uninitialized);
                qFromLittleEndian<quint16>(entry, name.size(), name.data());
                if (type == 2 && name.compare(workbook, Qt::CaseInsensitive) == 0) {
                    if (workbook_)
                        return fail("two workbook streams");
                    workbook_ = found;
                }
                encrypted_ = encrypted_ || name == QLatin1String("EncryptedPackage");
            }
        }
        if (first || (!workbook_ && !encrypted_))
            return fail("no workbook stream");
        return true;
    }

    std::optional<QByteArray> stream(Entry entry)
    {
        if (entry.size > quint64(file_.size()))
            return fail("stream size"), std::nullopt;
        QByteArray bytes;
        bytes.reserve(entry.size);
        std::vector<quint32> chain;
        if (entry.size >= kMiniStreamCutoff) {
            if (!follow(fat_, entry.start, sectorCount_, chain, "stream chain"))
                return std::nullopt;
            for (const quint32 index : chain) {
                const qint64 part = qMin<qint64>(sectorSize_, entry.size - bytes.size());
                bytes.append(reinterpret_cast<const char *>(sector(index)), part);
            }
        } else {
            // Small streams lie in 64-byte sectors of the root entry's own stream.
            std::vector<quint32> miniFatChain, rootChain;
            if (!follow(fat_, u32(data_ + 60), sectorCount_, miniFatChain, "mini sector table")
                || miniFatChain.size() != u32(data_ + 64) || root_.size > quint64(file_.size())
                || !follow(fat_, root_.start, sectorCount_, rootChain, "mini stream chain")
                || qint64(rootChain.size()) * sectorSize_ < root_.size)
                return fail("mini stream"), std::nullopt;
            std::vector<quint32> miniFat;
            for (const quint32 index : miniFatChain) {
                for (qint64 i = 0; i < sectorSize_ / 4; ++i)
                    miniFat.push_back(u32(sector(index) + 4 * i));
            }
            if (!follow(miniFat, entry.start, root_.size / kMiniSector, chain, "stream chain"))
                return std::nullopt;
            for (const quint32 index : chain) {
                const qint64 at = qint64(index) * kMiniSector;
                const qint64 part = qMin<qint64>(kMiniSector, entry.size - bytes.size());
                bytes.append(reinterpret_cast<const char *>(sector(rootChain[at / sectorSize_]) + at % sectorSize_),
                             part);
            }
        }
        if (bytes.size() < qint64(entry.size))
            return fail("stream shorter than its size"), std::nullopt;
        return bytes;
    }

    const QByteArray &file_;
    const uchar *data_;
    qint64 sectorSize_ = 512;
    quint32 sectorCount_ = 0;
    std::vector<quint32> fat_;
    Entry root_{};
    std::optional<Entry> workbook_;
    bool encrypted_ = false;
    const char *failure_ = nullptr;
};

struct Record
{
    quint16 type;
    const uchar *body;
    int size;
    qint64 offset; // of its header in the stream
};

// Reads the bytes of an SST and its CONTINUE records, which split texts between them.
class Continued
{
public:
    Continued(const std::vector<Record> &records, std::size_t first) : records_(records), index_(first) {}

    bool next()
    {
        if (index_ + 1 >= records_.size() || records_[index_ + 1].type != Rec::Continue)
            return false;
        ++index_;
        at_ = 0;
        return true;
    }
    int left() const { return records_[index_].size - at_; }
    const uchar *take(int count)
    {
        const uchar *p = records_[index_].body + at_;
        at_ += count;
        return p;
    }
    // Bytes that continue without a marker (formatting runs, phonetic data).
    bool skip(qint64 count)
    {
        while (count > left()) {
            count -= left();
            if (!next())
                return false;
        }
        at_ += int(count);
        return true;
    }
    std::size_t index() const { return index_; }

private:
    const std::vector<Record> &records_;
    std::size_t index_;
    int at_ = 0;
};

class Biff
{
public:
    Biff(const QByteArray &stream, ReadBudget &budget) : stream_(stream), budget_(budget) {}

    // False with failure() set when the stream is damaged, without it when the budget ran out.
    bool check()
    {
        if (!split())
            return false;
        if (records_[0].type != Rec::Bof || records_[0].size < 4 || u16(records_[0].body) != 0x0600
            || u16(records_[0].body + 2) != 0x0005)
            return fail("not a BIFF8 workbook");
        if (passwordProtected_)
            return true; // what follows FILEPASS is encrypted
        for (std::size_t i = 0; i < records_.size(); ++i) {
            if (i % 1024 == 0 && !budget_.inTime())
                return false;
            if (!checkRecord(i))
                return false;
        }
        for (const quint32 offset : sheetOffsets_) {
            if (!bofOffsets_.contains(offset))
                return fail("sheet offset");
        }
        return true;
    }

    const char *failure() const { return failure_; }
    bool passwordProtected() const { return passwordProtected_; }

private:
    struct Substream
    {
        quint32 rows = 0;
        quint32 columns = 0;
        bool dimensions = false;
    };

    bool fail(const char *detail)
    {
        failure_ = detail;
        return false;
    }

    // Cuts the stream into records, BOF and EOF in pairs; zero padding may follow the last EOF
    // (spreadsheet programs pad small workbooks), anything else is a record.
    bool split()
    {
        const auto *data = reinterpret_cast<const uchar *>(stream_.constData());
        const qint64 size = stream_.size();
        int depth = 0;
        for (qint64 at = 0; at < size;) {
            if (depth == 0 && !records_.empty()) {
                qint64 zeros = at;
                while (zeros < size && data[zeros] == 0)
                    ++zeros;
                if (zeros == size)
                    return true;
            }
            if (size - at < 4)
                return fail("record header");
            const Record record{u16(data + at), data + at + 4, u16(data + at + 2), at};
            if (record.size > kMaxRecordBody || record.size > size - at - 4)
                return fail("record size");
            if (isOlderBiffRecord(record.type))
                return fail("record of an older format");
            depth += record.type == Rec::Bof ? 1 : record.type == Rec::Eof ? -1 : 0;
            if (depth > 8 || depth < 0)
                return fail("substreams");
            records_.push_back(record);
            if (record.type == Rec::FilePass) {
                passwordProtected_ = true;
                return true;
            }
            at += 4 + record.size;
        }
        return records_.empty() || depth != 0 ? fail("unfinished substream") : true;
    }

    bool need(const Record &record, qint64 size)
    {
        return record.size >= size || fail("record shorter than its contents");
    }

    // A string of cch characters whose option byte lies at flags within the record, with the
    // formatting runs and phonetic data its options announce.
    bool string(const Record &record, qint64 cch, qint64 flags)
    {
        if (!need(record, flags + 1))
            return false;
        const uchar options = record.body[flags];
        qint64 end = flags + 1;
        qint64 runs = 0, phonetic = 0;
        if ((options & 0x08) && need(record, end + 2)) {
            runs = u16(record.body + end);
            end += 2;
        }
        if ((options & 0x04) && need(record, end + 4)) {
            phonetic = u32(record.body + end);
            end += 4;
        }
        return !failure_ && need(record, end + cch * ((options & 0x01) ? 2 : 1) + 4 * runs + phonetic);
    }

    bool chargeText(qint64 characters)
    {
        return budget_.spend(ReadBudget::textBytes(characters) + 3 * characters + kFreexlTextOverhead);
    }

    bool cell(quint32 row, quint32 column, qint64 cells = 1)
    {
        if (substreams_.empty() || !substreams_.back().dimensions || row >= substreams_.back().rows
            || column + cells > substreams_.back().columns)
            return fail("cell outside its sheet's dimensions");
        return budget_.spendCells(cells);
    }

    bool cellAt(const Record &record, qint64 size) { return need(record, size) && cell(u16(record.body), u16(record.body + 2)); }

    bool dimensions(const Record &record)
    {
        if (!need(record, 14))
            return false;
        const quint32 firstRow = u32(record.body), rows = u32(record.body + 4);
        const quint16 firstColumn = u16(record.body + 8), columns = u16(record.body + 10);
        if (substreams_.empty() || substreams_.back().dimensions || firstRow > rows || rows > kMaxRows
            || firstColumn > columns || columns > kMaxColumns)
            return fail("sheet dimensions");
        substreams_.back() = Substream{rows, columns, true};
        return budget_.spend(qint64(rows) * columns * kFreexlCellBytes);
    }

    bool checkRecord(std::size_t &i)
    {
        const Record &record = records_[i];
        switch (record.type) {
        case Rec::Bof:
            if (!need(record, 4) || u16(record.body) != 0x0600)
                return fail("not a BIFF8 substream");
            bofOffsets_.insert(quint32(record.offset));
            substreams_.emplace_back();
            return true;
        case Rec::Eof:
            substreams_.pop_back();
            return true;
        case Rec::Codepage:
            return need(record, 2);
        case Rec::BoundSheet:
            if (!need(record, 8) || !string(record, record.body[6], 7))
                return false;
            sheetOffsets_.push_back(u32(record.body));
            return chargeText(record.body[6]);
        case Rec::Font:
            return need(record, 16) && string(record, record.body[14], 15);
        case Rec::Format:
            return need(record, 5) && string(record, u16(record.body + 2), 4);
        case Rec::Xf:
            return need(record, 20);
        case Rec::Sst:
            return sharedStrings(i);
        case Rec::Dimensions:
            return dimensions(record);
        case Rec::Number:
            return cellAt(record, 14);
        case Rec::Rk:
            return cellAt(record, 10);
        case Rec::BoolErr:
            return cellAt(record, 8);
        case Rec::Formula:
            return cellAt(record, 20);
        case Rec::MulRk: {
            if (!need(record, 6))
                return false;
            const qint64 count = (record.size - 6) / 6;
            const quint16 first = u16(record.body + 2);
            if ((record.size - 6) % 6 != 0 || count == 0 || u16(record.body + record.size - 2) != first + count - 1)
                return fail("cell run");
            return cell(u16(record.body), first, count);
        }
        case Rec::Label:
        case Rec::RString:
            return cellAt(record, 8) && string(record, u16(record.body + 6), 8) && chargeText(u16(record.body + 6));
        case Rec::String:
            return need(record, 2) && string(record, u16(record.body), 2) && chargeText(u16(record.body));
        case Rec::LabelSst:
            if (!cellAt(record, 10))
                return false;
            return u32(record.body + 6) < sharedCount_ || fail("shared string number");
        case Rec::Continue:
            return fail("stray CONTINUE");
        default:
            return true;
        }
    }

    // Every text the SST announces must be there, whole: libfreexl allocates for the count it
    // announces and converts each text with the length the text gives.
    bool sharedStrings(std::size_t &i)
    {
        const Record &record = records_[i];
        if (!need(record, 8))
            return false;
        if (sharedSeen_)
            return fail("two shared string tables");
        sharedSeen_ = true;
        const quint32 count = u32(record.body + 4);
        Continued in(records_, i);
        in.take(8);
        for (quint32 n = 0; n < count; ++n) {
            if (n % 4096 == 0 && !budget_.inTime())
                return false;
            if (in.left() == 0 && !in.next())
                return fail("shared strings missing");
            if (in.left() < 3)
                return fail("shared string header");
            const quint16 cch = u16(in.take(2));
            const uchar options = *in.take(1);
            const int extra = ((options & 0x08) ? 2 : 0) + ((options & 0x04) ? 4 : 0);
            if (in.left() < extra)
                return fail("shared string header");
            const qint64 runs = (options & 0x08) ? u16(in.take(2)) : 0;
            const qint64 phonetic = (options & 0x04) ? u32(in.take(4)) : 0;
            bool wide = options & 0x01;
            for (qint64 remaining = cch; remaining > 0;) {
                if (in.left() == 0) {
                    if (!in.next() || in.left() < 1)
                        return fail("shared string cut short");
                    wide = *in.take(1) & 0x01; // each continuation gives its own width
                }
                const int width = wide ? 2 : 1;
                const qint64 part = qMin<qint64>(remaining, in.left() / width);
                if (part == 0)
                    return fail("shared string cut short");
                in.take(int(part * width));
                remaining -= part;
            }
            if (!in.skip(4 * runs + phonetic))
                return fail("shared string formatting");
            if (!chargeText(cch))
                return false;
        }
        sharedCount_ = count;
        i = in.index();
        return true;
    }

    const QByteArray &stream_;
    ReadBudget &budget_;
    std::vector<Record> records_;
    std::vector<Substream> substreams_;
    std::vector<quint32> sheetOffsets_;
    QSet<quint32> bofOffsets_;
    quint32 sharedCount_ = 0;
    bool sharedSeen_ = false;
    bool passwordProtected_ = false;
    const char *failure_ = nullptr;
};

} // namespace

bool precheckXls(const QByteArray &file, ReadBudget &budget, QString &reason)
{
    Container container(file);
    const std::optional<QByteArray> stream = container.workbookStream();
    if (!stream) {
        reason = container.encrypted() ? passwordReason() : damagedReason(QString::fromLatin1(container.failure()));
        return false;
    }
    // The stream's copy lives only while it is checked.
    if (!budget.spend(stream->size())) {
        reason = budget.reason();
        return false;
    }
    Biff biff(*stream, budget);
    if (!biff.check()) {
        reason = biff.failure() ? damagedReason(QString::fromLatin1(biff.failure())) : budget.reason();
        return false;
    }
    budget.release(stream->size());
    if (biff.passwordProtected()) {
        reason = passwordReason();
        return false;
    }
    return true;
}
