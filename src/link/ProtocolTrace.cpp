// SPDX-License-Identifier: Apache-2.0
#include "ProtocolTrace.h"

#include "ReportTransport.h"

#include <QDateTime>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

// The link thread writes lines as they come; the buffer keeps disk writes rare.
constexpr size_t BufferBytes = 1 << 20;
// A crash loses at most this much of the end: what a support engineer needs most.
constexpr qint64 FlushEveryMs = 200;

struct Trace
{
    std::mutex mutex;
    std::FILE *file = nullptr;
    std::unique_ptr<char[]> buffer; // the C library takes a buffer size only together with the buffer
    qint64 utcOffsetMs = 0; // local time of day from the system clock without a time-zone call per line
    qint64 flushedAt = 0;

    ~Trace() { close(); }
    void close()
    {
        const std::lock_guard lock(mutex);
        if (file)
            std::fclose(file);
        file = nullptr;
        buffer.reset();
    }
};

Trace &trace()
{
    static Trace instance;
    return instance;
}

std::atomic<bool> on{false};

char *putTime(char *out, qint64 msOfDay)
{
    const auto two = [&out](int v) {
        *out++ = char('0' + v / 10);
        *out++ = char('0' + v % 10);
    };
    two(int(msOfDay / 3600000));
    *out++ = ':';
    two(int(msOfDay / 60000 % 60));
    *out++ = ':';
    two(int(msOfDay / 1000 % 60));
    *out++ = '.';
    const int ms = int(msOfDay % 1000);
    *out++ = char('0' + ms / 100);
    two(ms % 100);
    return out;
}

// " 00" to " ff": one copy per byte.
struct HexTable
{
    char text[256][3];
    constexpr HexTable() : text()
    {
        constexpr char digits[] = "0123456789abcdef";
        for (int i = 0; i < 256; ++i) {
            text[i][0] = ' ';
            text[i][1] = digits[i >> 4];
            text[i][2] = digits[i & 15];
        }
    }
};
constexpr HexTable Hex;

void writeLine(ProtocolTrace::Direction direction, const char *kind, const char *bytes, qsizetype size)
{
    Trace &t = trace();
    const qint64 now = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    constexpr qint64 Day = 24 * 3600 * 1000;
    // Lines of a report or a reply frame fit on the stack; a longer frame takes the heap.
    char stack[1024];
    QByteArray heap;
    char *begin = stack;
    if (32 + 3 * size > qsizetype(sizeof stack)) {
        heap.resize(32 + 3 * size);
        begin = heap.data();
    }
    char *out = putTime(begin, ((now + t.utcOffsetMs) % Day + Day) % Day);
    *out++ = ' ';
    *out++ = direction == ProtocolTrace::Direction::Sent ? '-' : '<';
    *out++ = direction == ProtocolTrace::Direction::Sent ? '>' : '-';
    *out++ = ' ';
    for (const char *k = kind; *k; ++k)
        *out++ = *k;
    for (qsizetype i = 0; i < size; ++i, out += 3)
        std::memcpy(out, Hex.text[quint8(bytes[i])], 3);
    *out++ = '\n';
    const std::lock_guard lock(t.mutex);
    if (!t.file)
        return;
    std::fwrite(begin, 1, size_t(out - begin), t.file);
    if (now - t.flushedAt >= FlushEveryMs) {
        std::fflush(t.file);
        t.flushedAt = now;
    }
}

class TracingTransport : public ReportTransport
{
public:
    explicit TracingTransport(std::unique_ptr<ReportTransport> inner) : inner_(std::move(inner)) {}

    bool open(quint16 vendorId, quint16 productId) override { return inner_->open(vendorId, productId); }
    void close() override { inner_->close(); }
    int writeReport(const QByteArray &report, int timeoutMs) override
    {
        const int n = inner_->writeReport(report, timeoutMs);
        ProtocolTrace::report(ProtocolTrace::Direction::Sent, report);
        return n;
    }
    // Polls that time out carry nothing and leave no line.
    int readReport(QByteArray &report, int timeoutMs) override
    {
        const int n = inner_->readReport(report, timeoutMs);
        if (n > 0)
            ProtocolTrace::report(ProtocolTrace::Direction::Received,
                                  QByteArray::fromRawData(report.constData(), qMin<qsizetype>(n, report.size())));
        return n;
    }
    bool isPresent() override { return inner_->isPresent(); }
    int inputReportLength() const override { return inner_->inputReportLength(); }
    int outputReportLength() const override { return inner_->outputReportLength(); }

private:
    std::unique_ptr<ReportTransport> inner_;
};

} // namespace

bool ProtocolTrace::start(const QString &fileName, QString *errorText)
{
    stop();
    std::FILE *file = std::fopen(QFile::encodeName(fileName).constData(), "wb");
    if (!file) {
        if (errorText)
            *errorText = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    auto buffer = std::make_unique_for_overwrite<char[]>(BufferBytes);
    std::setvbuf(file, buffer.get(), _IOFBF, BufferBytes);
    const QDateTime started = QDateTime::currentDateTime();
    std::fprintf(file, "# lumivex protocol trace, started %s\n",
                 started.toString(Qt::ISODateWithMs).toUtf8().constData());
    Trace &t = trace();
    {
        const std::lock_guard lock(t.mutex);
        t.file = file;
        t.buffer = std::move(buffer);
        t.utcOffsetMs = qint64(started.offsetFromUtc()) * 1000;
    }
    on = true;
    return true;
}

void ProtocolTrace::stop()
{
    on = false;
    trace().close();
}

bool ProtocolTrace::isOn()
{
    return on;
}

// A report's padding after its count byte says nothing and is left out.
void ProtocolTrace::report(Direction direction, const QByteArray &report)
{
    if (!on)
        return;
    const qsizetype used = report.size() >= 2 ? qMin<qsizetype>(report.size(), 2 + quint8(report[1])) : report.size();
    writeLine(direction, "report", report.constData(), used);
}

void ProtocolTrace::frame(Direction direction, const QByteArray &frame)
{
    if (on)
        writeLine(direction, "frame ", frame.constData(), frame.size());
}

std::unique_ptr<ReportTransport> ProtocolTrace::traced(std::unique_ptr<ReportTransport> transport)
{
    if (!on || !transport)
        return transport;
    return std::make_unique<TracingTransport>(std::move(transport));
}
