#include "ZipPackage.h"

#include <QFile>
#include <QtEndian>

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

namespace {

// Far more parts than any workbook has. libzip holds and checks every entry of the directory
// before anything else can be asked, so a directory of millions of empty entries would cost
// hundreds of megabytes and many seconds; it is read only once its end record says it is small.
constexpr quint64 kMaxParts = 10000;
constexpr quint64 kMaxDirectoryBytes = quint64(16) << 20;

template<typename T>
T at(const QByteArray &bytes, qsizetype offset)
{
    return offset >= 0 && offset + qsizetype(sizeof(T)) <= bytes.size() ? qFromLittleEndian<T>(bytes.constData() + offset)
                                                                         : T(0);
}

QByteArray readAt(int descriptor, qint64 offset, qint64 length)
{
    if (length <= 0 || offset < 0)
        return {};
    QByteArray bytes(length, Qt::Uninitialized);
    const ssize_t count = ::pread(descriptor, bytes.data(), size_t(length), offset);
    bytes.resize(count > 0 ? count : 0);
    return bytes;
}

// The part count and directory size the end record gives (zip64's where it defers to it).
// False only when a record found claims too much; a missing record is left to libzip.
bool directoryIsSmall(int descriptor)
{
    const off_t size = ::lseek(descriptor, 0, SEEK_END);
    const qint64 tailLength = std::min<qint64>(size, 22 + 0xFFFF);
    const QByteArray tail = readAt(descriptor, size - tailLength, tailLength);
    qsizetype end = tail.size() - 22;
    while (end >= 0 && at<quint32>(tail, end) != 0x06054b50)
        --end;
    if (end < 0)
        return true;
    quint64 parts = at<quint16>(tail, end + 10), bytes = at<quint32>(tail, end + 12);
    if (at<quint32>(tail, end - 20) == 0x07064b50) {
        const QByteArray end64 = readAt(descriptor, qint64(std::min<quint64>(at<quint64>(tail, end - 12), INT64_MAX)), 56);
        if (at<quint32>(end64, 0) == 0x06064b50) {
            parts = at<quint64>(end64, 32);
            bytes = at<quint64>(end64, 40);
        }
    }
    return parts <= kMaxParts && bytes <= kMaxDirectoryBytes;
}

} // namespace

ZipPackage::ZipPackage() = default;

ZipPackage::~ZipPackage()
{
    if (archive_)
        zip_discard(archive_);
}

bool ZipPackage::open(const QString &path, QString &detail)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        detail = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    return open(descriptor, detail);
}

bool ZipPackage::open(int descriptor, QString &detail)
{
    if (archive_) {
        zip_discard(archive_);
        archive_ = nullptr;
    }
    if (!directoryIsSmall(descriptor)) {
        ::close(descriptor);
        detail = QStringLiteral("more than %1 parts").arg(kMaxParts);
        return false;
    }
    int error = 0;
    archive_ = zip_fdopen(descriptor, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive_) {
        ::close(descriptor);
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        detail = QString::fromUtf8(zip_error_strerror(&reason));
        zip_error_fini(&reason);
        return false;
    }
    return true;
}

qint64 ZipPackage::partCount() const
{
    return archive_ ? zip_get_num_entries(archive_, 0) : 0;
}

QStringList ZipPackage::partNames() const
{
    QStringList names;
    for (qint64 i = 0; i < partCount(); ++i) {
        if (const char *name = zip_get_name(archive_, zip_uint64_t(i), 0))
            names.append(QString::fromUtf8(name));
    }
    return names;
}

std::unique_ptr<ZipPart> ZipPackage::part(const QString &name, QString &detail)
{
    const zip_int64_t index = archive_ ? zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_NOCASE) : -1;
    if (index < 0) {
        detail = QStringLiteral("no %1").arg(name);
        return nullptr;
    }
    detail = QStringLiteral("%1 cannot be unpacked").arg(name);
    zip_stat_t stat;
    zip_stat_init(&stat);
    const zip_uint64_t needed = ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
    if (zip_stat_index(archive_, zip_uint64_t(index), 0, &stat) != 0 || (stat.valid & needed) != needed
        || stat.encryption_method != ZIP_EM_NONE
        || (stat.comp_method != ZIP_CM_STORE && stat.comp_method != ZIP_CM_DEFLATE) || stat.size > kMaxPartSize)
        return nullptr;
    zip_file_t *file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
    if (!file)
        return nullptr;
    detail.clear();
    return std::make_unique<ZipPart>(file, stat.size);
}

ZipPart::ZipPart(zip_file *file, quint64 size) : file_(file), size_(size)
{
    QIODevice::open(QIODevice::ReadOnly);
}

ZipPart::~ZipPart()
{
    zip_fclose(file_);
}

qint64 ZipPart::readData(char *data, qint64 maxSize)
{
    if (failed_)
        return -1;
    if (finished_ || maxSize <= 0)
        return 0;
    // One byte beyond the declared size is enough to tell a part that unpacks to more.
    const quint64 room = std::min<quint64>({quint64(maxSize), size_ - produced_ + 1, quint64(1) << 20});
    const zip_int64_t produced = zip_fread(file_, data, room);
    if (produced < 0) {
        failed_ = true; // damaged data or a wrong CRC
        return -1;
    }
    finished_ = produced == 0;
    produced_ += quint64(produced);
    leashBroken_ = leash_ > 0 && produced_ - markedAt_ > quint64(leash_);
    failed_ = produced_ > size_ || leashBroken_;
    return failed_ ? -1 : produced;
}
