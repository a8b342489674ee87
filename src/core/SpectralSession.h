#pragma once

#include "Outcome.h"
#include "SpectralRecordModel.h"

#include <QCoreApplication>
#include <QObject>
#include <memory>

class InstrumentLink;
class LinkPort;

// The spectral page without its widgets: its record list, one spectrum at a time from the
// instrument, the stored history and the export. Texts keep the spectral page's context.
class SpectralSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxMeasuredRecords = 1000;

    SpectralSession(LinkPort &port, int deviceType, QObject *parent = nullptr);

    static QString trPage(const char *text, const char *disambiguation = nullptr, int n = -1)
    {
        return QCoreApplication::translate("MeterPageFor310", text, disambiguation, n);
    }

    SpectralRecordModel &records() { return records_; }
    const SpectralRecordModel &records() const { return records_; }
    int deviceType() const { return deviceType_; }

    bool isDeviceOpen() const;
    Outcome notConnected() const;
    Outcome measure();
    // The download fills an empty page: the page offers to save what it holds first.
    bool downloadWouldReplace() const { return records_.count() > 0; }
    Outcome downloadHistory(const Progress &progress);
    Outcome noDataToExport() const;
    // Saves to fileName and empties the list once the saved file holds every row.
    Outcome exportTo(const QString &fileName);

private:
    std::shared_ptr<InstrumentLink> openLink() const;

    LinkPort &port_;
    int deviceType_;
    SpectralRecordModel records_;
};
