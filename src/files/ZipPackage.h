#pragma once

#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QString>

#include <memory>

#include <zlib.h>

// One part of a zip package, unpacked as it is read so a large sheet never sits in memory
// whole. intact() tells, once everything has been read, whether size and CRC were right.
class ZipPart : public QIODevice
{
public:
    ZipPart(QByteArray packed, bool deflated, quint64 size, quint32 crc);
    ~ZipPart() override;

    bool intact() const { return finished_ && produced_ == size_ && crc_ == expectedCrc_; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray packed_;
    bool deflated_;
    quint64 size_;
    quint32 expectedCrc_;
    z_stream stream_{};
    quint64 produced_ = 0;
    quint32 crc_ = 0;
    bool finished_ = false;
    bool failed_ = false;
};

// Reads parts of a zip package, the container of .xlsx workbooks: stored or deflated
// entries, zip64 included. (QuaZip cannot be used here: it exports minizip's symbols with
// its own calling conventions, and libxlsxwriter, which links the real minizip, then
// crashes in the same process.)
class ZipPackage
{
public:
    bool open(const QString &path, QString &detail);
    // Part names compare without regard to case, as Office does. Null with detail on failure.
    std::unique_ptr<ZipPart> part(const QString &name, QString &detail);
    QStringList partNames() const { return entries_.keys(); }

private:
    struct Entry
    {
        quint16 flags = 0;
        quint16 method = 0;
        quint32 crc = 0;
        quint64 compressedSize = 0;
        quint64 size = 0;
        quint64 localHeader = 0;
    };

    bool readCentralDirectory(QString &detail);
    bool readAt(quint64 offset, qint64 length, QByteArray &bytes);

    QFile file_;
    QHash<QString, Entry> entries_;
};
