#pragma once

#include "CLinkerUSB.h"
#include "LinkPort.h"
#include "MeterPageFor310.h"
#include "MyThread.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"

#include <QCheckBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <atomic>
#include <memory>
#include <thread>

// The spectral page on a simulated instrument: the real link, the polling worker and the lock.
struct SpectralRig
{
    explicit SpectralRig(const SimProfile &profile = {}) : sim(profile)
    {
        setTransportFactory([this] { return sim.makeTransport(); });
        link.Open(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId);
        LinkPort::setLink(&link);
        worker.start();
        page = std::make_unique<MeterPageFor310>(&worker, profile.deviceType);
    }
    ~SpectralRig()
    {
        page.reset();
        worker.stop();
        LinkPort::setLink(nullptr);
        link.Close();
        setTransportFactory({});
    }

    QTableWidget *table() const { return page->findChild<QTableWidget *>(QStringLiteral("tableWidget_data")); }
    // The lock is free again once a series has ended: another thread can take it.
    bool lockIsFree()
    {
        auto taken = std::make_shared<std::atomic<bool>>(false);
        std::thread([worker = this->worker.worker(), taken] {
            LinkLock lock(worker);
            *taken = true;
        }).detach();
        QElapsedTimer waited;
        waited.start();
        while (!*taken && waited.elapsed() < 3000)
            QThread::msleep(5);
        return *taken;
    }

    SimulatedInstrument sim;
    CLinkerUSB link;
    LinkWorker worker;
    std::unique_ptr<MeterPageFor310> page;
};

// Watches the download's progress dialog from inside its event processing, and may cancel it.
struct ProgressWatch
{
    explicit ProgressWatch(QWidget *page, int cancelAtValue = -1)
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this, page, cancelAtValue] {
            auto *dialog = page->findChild<QProgressDialog *>();
            if (!dialog || !dialog->isVisible())
                return;
            maximum = dialog->maximum();
            if (values.isEmpty() || values.last() != dialog->value())
                values.append(dialog->value());
            if (cancelAtValue >= 0 && dialog->value() >= cancelAtValue && !dialog->wasCanceled())
                dialog->findChild<QPushButton *>()->click();
        });
        timer.start();
    }
    QTimer timer;
    int maximum = -1;
    QList<int> values;
};

inline QCheckBox *curveBox(QTableWidget *table, int row)
{
    return qobject_cast<QCheckBox *>(table->cellWidget(row, 33));
}

inline QPushButton *deleteButton(QTableWidget *table, int row)
{
    return qobject_cast<QPushButton *>(table->cellWidget(row, 34));
}

// n stored records as the instrument keeps them: 62 value bytes (in 64-byte slots' packing) and 16-byte names.
struct StoredSpectra
{
    explicit StoredSpectra(int n) : values(62 * n, '\0'), names(16 * n, '\0')
    {
        for (int k = 0; k < n; ++k) {
            for (int i = 0; i < 31; ++i)
                qToLittleEndian<qint16>(qint16((k % 200) * 10 + i), values.data() + 62 * k + 2 * i);
        }
    }
    QByteArray values;
    QByteArray names;
};
