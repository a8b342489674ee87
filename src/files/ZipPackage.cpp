#include "ZipPackage.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr quint32 kEndOfDirectory = 0x06054b50, kZip64Locator = 0x07064b50, kZip64End = 0x06064b50,
                  kDirectoryEntry = 0x02014b50, kLocalHeader = 0x04034b50;
constexpr qint64 kEndRecordSize = 22, kMaxComment = 0xFFFF;
constexpr quint16 kStored = 0, kDeflated = 8, kEncrypted = 0x0001, kZip64Extra = 0x0001;
// Far beyond any sheet this program meets; a larger part is damaged or hostile.
constexpr quint64 kMaxPartSize = 256u << 20;

template<typename T>
T at(const QByteArray &bytes, qsizetype offset)
{
    return offset >= 0 && offset + qsizetype(sizeof(T)) <= bytes.size() ? qFromLittleEndian<T>(bytes.constData() + offset)
                                                                         : T(0);
}

// Sizes and offsets that do not fit 32 bits stand in the zip64 extra field, in this order.
void applyZip64(const QByteArray &extra, quint64 &size, quint64 &compressedSize, quint64 &localHeader)
{
    for (qsizetype i = 0; i + 4 <= extra.size();) {
        const quint16 id = at<quint16>(extra, i), length = at<quint16>(extra, i + 2);
        if (id == kZip64Extra) {
            qsizetype field = i + 4;
            for (quint64 *value : {&size, &compressedSize, &localHeader}) {
                if (*value == 0xFFFFFFFF && field + 8 <= i + 4 + length) {
                    *value = at<quint64>(extra, field);
                    field += 8;
                }
            }
        }
        i += 4 + length;
    }
}

} // namespace

bool ZipPackage::open(const QString &path, QString &detail)
{
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly)) {
        detail = file_.errorString();
        return false;
    }
    return readCentralDirectory(detail);
}

bool ZipPackage::readAt(quint64 offset, qint64 length, QByteArray &bytes)
{
    if (offset > quint64(file_.size()) || length < 0 || length > file_.size() - qint64(offset) || !file_.seek(qint64(offset)))
        return false;
    bytes = file_.read(length);
    return bytes.size() == length;
}

bool ZipPackage::readCentralDirectory(QString &detail)
{
    detail = QStringLiteral("no zip directory");
    const qint64 tailLength = std::min(file_.size(), kEndRecordSize + kMaxComment);
    QByteArray tail;
    if (!readAt(quint64(file_.size() - tailLength), tailLength, tail))
        return false;
    qsizetype end = tail.size() - kEndRecordSize;
    while (end >= 0 && at<quint32>(tail, end) != kEndOfDirectory)
        --end;
    if (end < 0)
        return false;
    quint64 count = at<quint16>(tail, end + 10), directorySize = at<quint32>(tail, end + 12),
            directoryOffset = at<quint32>(tail, end + 16);
    if (at<quint32>(tail, end - 20) == kZip64Locator) {
        QByteArray end64;
        if (!readAt(at<quint64>(tail, end - 12), 56, end64) || at<quint32>(end64, 0) != kZip64End)
            return false;
        count = at<quint64>(end64, 32);
        directorySize = at<quint64>(end64, 40);
        directoryOffset = at<quint64>(end64, 48);
    }
    QByteArray directory;
    if (directorySize > kMaxPartSize || !readAt(directoryOffset, qint64(directorySize), directory))
        return false;
    qsizetype p = 0;
    for (quint64 i = 0; i < count; ++i) {
        if (at<quint32>(directory, p) != kDirectoryEntry)
            return false;
        const quint16 nameLength = at<quint16>(directory, p + 28), extraLength = at<quint16>(directory, p + 30),
                      commentLength = at<quint16>(directory, p + 32);
        Entry entry{at<quint16>(directory, p + 8),  at<quint16>(directory, p + 10), at<quint32>(directory, p + 16),
                    at<quint32>(directory, p + 20), at<quint32>(directory, p + 24), at<quint32>(directory, p + 42)};
        applyZip64(directory.mid(p + 46 + nameLength, extraLength), entry.size, entry.compressedSize, entry.localHeader);
        entries_.insert(QString::fromUtf8(directory.mid(p + 46, nameLength)).toLower(), entry);
        p += 46 + nameLength + extraLength + commentLength;
    }
    detail.clear();
    return true;
}

std::unique_ptr<ZipPart> ZipPackage::part(const QString &name, QString &detail)
{
    const auto found = entries_.constFind(name.toLower());
    if (found == entries_.cend()) {
        detail = QStringLiteral("no %1").arg(name);
        return nullptr;
    }
    const Entry &entry = *found;
    detail = QStringLiteral("%1 cannot be unpacked").arg(name);
    if ((entry.flags & kEncrypted) || (entry.method != kStored && entry.method != kDeflated)
        || entry.size > kMaxPartSize || entry.compressedSize > kMaxPartSize)
        return nullptr;
    QByteArray header, packed;
    if (!readAt(entry.localHeader, 30, header) || at<quint32>(header, 0) != kLocalHeader)
        return nullptr;
    const quint64 start = entry.localHeader + 30 + at<quint16>(header, 26) + at<quint16>(header, 28);
    if (!readAt(start, qint64(entry.compressedSize), packed))
        return nullptr;
    detail.clear();
    return std::make_unique<ZipPart>(std::move(packed), entry.method == kDeflated, entry.size, entry.crc);
}

ZipPart::ZipPart(QByteArray packed, bool deflated, quint64 size, quint32 crc)
    : packed_(std::move(packed)), deflated_(deflated), size_(size), expectedCrc_(crc)
{
    stream_.next_in = reinterpret_cast<Bytef *>(packed_.data());
    stream_.avail_in = uInt(packed_.size());
    failed_ = deflated_ && inflateInit2(&stream_, -MAX_WBITS) != Z_OK;
    open(QIODevice::ReadOnly);
}

ZipPart::~ZipPart()
{
    if (deflated_ && !failed_)
        inflateEnd(&stream_);
}

qint64 ZipPart::readData(char *data, qint64 maxSize)
{
    if (failed_)
        return -1;
    if (finished_ || maxSize == 0)
        return 0;
    const uInt room = uInt(std::min<qint64>(maxSize, 1 << 20));
    qint64 produced = 0;
    if (!deflated_) {
        produced = std::min<qint64>(room, stream_.avail_in);
        memcpy(data, stream_.next_in, size_t(produced));
        stream_.next_in += produced;
        stream_.avail_in -= uInt(produced);
        finished_ = stream_.avail_in == 0;
    } else {
        stream_.next_out = reinterpret_cast<Bytef *>(data);
        stream_.avail_out = room;
        const int result = inflate(&stream_, Z_NO_FLUSH);
        produced = room - stream_.avail_out;
        finished_ = result == Z_STREAM_END;
        failed_ = !finished_ && (result != Z_OK || produced == 0);
    }
    produced_ += quint64(produced);
    failed_ = failed_ || produced_ > size_;
    crc_ = quint32(crc32(crc_, reinterpret_cast<const Bytef *>(data), uInt(produced)));
    return failed_ ? -1 : produced;
}
