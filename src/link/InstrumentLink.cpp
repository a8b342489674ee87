#include "InstrumentLink.h"

#include "CLinkerUSB.h"
#include "Crc16.h"
#include "HidapiTransport.h"
#include "LinkLog.h"
#include "MyThread.h"
#include "ProtocolTrace.h"
#include "WireBytes.h"

#include <QThread>

namespace {

bool frameCheckPasses(const QByteArray &frame, int expectedLength)
{
    if (expectedLength < 2 || frame.size() < expectedLength)
        return false;
    return crc16Modbus(frame.constData(), expectedLength - 2) == WireBytes::u16(frame, expectedLength - 2);
}

} // namespace

InstrumentLink::InstrumentLink(std::unique_ptr<CLinker> link) : link_(std::move(link)) {}

InstrumentLink::~InstrumentLink()
{
    close();
}

std::shared_ptr<InstrumentLink> InstrumentLink::openUsb(quint16 vendorId, quint16 productId, bool *refused)
{
    auto usb = std::make_unique<CLinkerUSB>();
    const bool opened = usb->Open(vendorId, productId) == 0;
    const bool wasRefused = HidapiTransport::takeOpenRefused();
    if (refused)
        *refused = !opened && wasRefused;
    if (!opened)
        return nullptr;
    return std::make_shared<InstrumentLink>(std::move(usb));
}

int InstrumentLink::sendFrame(QByteArray &frame, int timeoutMs)
{
    if (!isOpen())
        return -1;
    const quint16 check = crc16Modbus(frame);
    WireBytes::appendU16(frame, check);
    ProtocolTrace::frame(ProtocolTrace::Direction::Sent, frame);
    return link_->WriteMessage(frame, timeoutMs);
}

int InstrumentLink::receiveFrame(QByteArray &out, int timeoutMs, int expectedLength, bool testFrameCheck)
{
    if (closed_ || !link_)
        return -1;
    const int n = link_->ReadMessage(out, timeoutMs, expectedLength);
    if (n > 0)
        ProtocolTrace::frame(ProtocolTrace::Direction::Received, out.left(n));
    if (n <= 0 || !testFrameCheck)
        return n;
    return frameCheckPasses(out, expectedLength) ? n : -1;
}

bool InstrumentLink::isOpen() const
{
    return !closed_ && link_ && link_->IsOpen();
}

bool InstrumentLink::isRemoved()
{
    return !link_ || link_->IsRemoved();
}

void InstrumentLink::startWorker()
{
    stopWorker();
    if (closed_)
        return;
    qCDebug(lumivexLink, "openThreadSlot");
    thread_ = new QThread;
    worker_ = std::make_unique<MyThread>(*this);
    connect(worker_.get(), &MyThread::senddata, this, &InstrumentLink::senddata, Qt::QueuedConnection);
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::started, worker_.get(), &MyThread::startThreadSlot);
    thread_->start();
}

void InstrumentLink::stopWorker()
{
    if (!worker_)
        return;
    qCDebug(lumivexLink, "closeThreadSlot");
    worker_->requestStop();
    thread_->quit();
    thread_->wait();
    worker_.reset();
    delete thread_;
    thread_ = nullptr;
}

bool InstrumentLink::workerRunning() const
{
    return worker_ && thread_->isRunning();
}

void InstrumentLink::close()
{
    stopWorker();
    closed_ = true;
    if (link_)
        link_->Close();
}

LinkLock::LinkLock(const std::shared_ptr<InstrumentLink> &link) : link_(link)
{
    if (!link_)
        return;
    LinkLockState &state = link_->lockState();
    ++state.waiting;
    state.mutex.lock();
    --state.waiting;
}

LinkLock::~LinkLock()
{
    if (link_)
        link_->lockState().mutex.unlock();
}
