#pragma once

#include "MeterPageFor310.h"
#include "SimulatedLink.h"

#include <QCheckBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtEndian>

// The spectral page on a simulated instrument with a polling worker and its lock.
struct SpectralRig : SimulatedLink
{
    explicit SpectralRig(const SimProfile &profile = {}) : SimulatedLink(profile)
    {
        link()->startWorker();
        page = std::make_unique<MeterPageFor310>(&port, profile.deviceType);
    }

    QTableWidget *table() const { return page->findChild<QTableWidget *>(QStringLiteral("tableWidget_data")); }
    bool lockIsFree() { return ::lockIsFree(link()); }

    std::unique_ptr<MeterPageFor310> page; // goes first, then the link closes and its worker stops
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
