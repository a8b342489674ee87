#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <memory>

struct zip;
struct zip_file;

// One part of a zip package, unpacked as it is read so a large sheet never sits in memory
// whole. intact() tells, once everything has been read, whether size and CRC were right; a
// part that unpacks to more than its declared size fails as it reads.
class ZipPart : public QIODevice
{
public:
    ZipPart(zip_file *file, quint64 size);
    ~ZipPart() override;

    bool intact() const { return finished_ && !failed_ && produced_ == size_; }
    bool isSequential() const override { return true; }

    // A reader that holds what it is given until a token is complete says when one is
    // (mark()); more than bytes unpacked between two marks fails the part, so one endless
    // token cannot make the reader buffer the whole part. 0: no such bound.
    void setLeash(qint64 bytes) { leash_ = bytes; }
    void mark() { markedAt_ = produced_; }
    bool leashBroken() const { return leashBroken_; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file *file_;
    quint64 size_;
    quint64 produced_ = 0;
    quint64 markedAt_ = 0;
    qint64 leash_ = 0;
    bool finished_ = false;
    bool failed_ = false;
    bool leashBroken_ = false;
};

// Reads parts of a zip package, the container of .xlsx workbooks, through libzip (whose
// zip_* names do not meet the minizip inside libxlsxwriter). Stored and deflated parts only.
class ZipPackage
{
public:
    // Parts declared larger than this are refused before anything is unpacked.
    static constexpr quint64 kMaxPartSize = quint64(256) << 20;

    ZipPackage();
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    bool open(const QString &path, QString &detail);
    // Takes an open file descriptor (closed by the package, also when opening fails).
    bool open(int descriptor, QString &detail);
    qint64 partCount() const;
    // Part names compare without regard to case, as Office does. Null with detail on failure.
    std::unique_ptr<ZipPart> part(const QString &name, QString &detail);
    QStringList partNames() const;

private:
    zip *archive_ = nullptr;
};
