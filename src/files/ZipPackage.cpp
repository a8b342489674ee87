#include "ZipPackage.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

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
