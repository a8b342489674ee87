#include "libHidDevice.h"

#include <QMutexLocker>
#include <cstring>

namespace {

// A device that reports no usable size keeps the default.
int reportLengthOr64(int length)
{
    return length > 2 ? length : 64;
}

} // namespace

libHidDevice::~libHidDevice()
{
    Close();
}

int libHidDevice::Open(quint16 vendorId, quint16 productId)
{
    Close();
    std::unique_ptr<ReportTransport> transport = createTransport();
    if (!transport || !transport->open(vendorId, productId))
        return -1;
    auto context = std::make_unique<HidDeviceContext>();
    context->inputReportLength = reportLengthOr64(transport->inputReportLength());
    context->outputReportLength = reportLengthOr64(transport->outputReportLength());
    context->transport = std::move(transport);
    const QMutexLocker locker(&mutex_);
    context_ = std::move(context);
    opened_ = true;
    return 0;
}

void libHidDevice::Close()
{
    const QMutexLocker locker(&mutex_);
    if (!context_)
        return;
    opened_ = false;
    context_->transport->close();
    context_.reset();
}

int libHidDevice::Read(char *buffer, int length, int timeoutMs)
{
    const QMutexLocker locker(&mutex_);
    if (!opened_ || length <= 0)
        return 0;
    context_->readTimeoutMs = timeoutMs;
    int delivered = takeLeftover(buffer, length);
    while (delivered < length) {
        const int n = context_->transport->readReport(context_->report, context_->readTimeoutMs);
        if (n == 0)
            return delivered; // timed out: what arrived so far, possibly nothing
        if (n < 0)
            return 0;
        context_->report.truncate(n);
        delivered += takeReport(buffer + delivered, length - delivered);
    }
    return delivered;
}

int libHidDevice::takeLeftover(char *buffer, int length)
{
    QByteArray &leftover = context_->leftover;
    const int taken = int(qMin<qsizetype>(leftover.size(), length));
    std::memcpy(buffer, leftover.constData(), size_t(taken));
    leftover.remove(0, taken);
    return taken;
}

// Payload of the last report, up to wanted bytes; the rest waits for the next Read.
int libHidDevice::takeReport(char *buffer, int wanted)
{
    const QByteArray &report = context_->report;
    if (report.size() < 2 || report[0] != reportId)
        return 0;
    // The count byte is not trusted beyond the bytes that actually came.
    const int count = qMin(int(quint8(report[1])), int(report.size()) - 2);
    const int taken = qMin(count, wanted);
    std::memcpy(buffer, report.constData() + 2, size_t(taken));
    context_->leftover = report.mid(2 + taken, count - taken);
    return taken;
}

int libHidDevice::Write(const char *buffer, int length, int timeoutMs)
{
    const QMutexLocker locker(&mutex_);
    if (!opened_ || length <= 0)
        return 0;
    HidDeviceContext &context = *context_;
    context.writeTimeoutMs = timeoutMs;
    const int chunkLimit = qMin(maxPayload, context.outputReportLength - 2);
    for (int sent = 0; sent < length;) {
        const int chunk = qMin(chunkLimit, length - sent);
        QByteArray report(context.outputReportLength, '\0');
        report[0] = reportId;
        report[1] = char(chunk);
        std::memcpy(report.data() + 2, buffer + sent, size_t(chunk));
        if (context.transport->writeReport(report, context.writeTimeoutMs) < report.size())
            return 0;
        sent += chunk;
    }
    return length;
}

bool libHidDevice::IsRemoved()
{
    const QMutexLocker locker(&mutex_);
    return !context_ || !context_->transport->isPresent();
}
