#pragma once

#include "SpectralChart.h"

#include <QDialog>
#include <QList>
#include <memory>

class InstrumentLink;
class LinkPort;
namespace Ui {
class MeterPageFor310;
}

// The spectral page: a table of measured or downloaded spectra, their chart, and the export.
class MeterPageFor310 : public QDialog
{
    Q_OBJECT

public:
    // `port` may be null (no instrument); its current link is looked up for every series, so a
    // re-plug while the page is open is followed.
    MeterPageFor310(const LinkPort *port, int deviceType, QWidget *parent = nullptr);
    ~MeterPageFor310() override;

    // Appends one table row; an empty name takes the next "spec%1". The caller appends the record next.
    void addSpectralRow(const SpectralRecord &record, const QString &name);
    const QList<SpectralRecord> &records() const { return records_; }
    // Decodes count stored records (62 value bytes and a 16-byte name each) and appends them;
    // never more than the buffers hold.
    void appendStoredRecords(const QByteArray &values, const QByteArray &names, int count);

public slots:
    void slot_cellDoubleClicked(int row, int column);
    void slot_updateChart(bool checked);
    void slot_updateTable();
    void on_pushButton_clearData_clicked();
    void on_pushButton_spectralMeasurement_clicked();
    void on_pushButton_spectralHistory_clicked();
    bool on_pushButton_exportExcel_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void initSpectralTable();
    void insertSpectralRow(const SpectralRecord &record, const QString &name);
    int rowOfCellWidget(const QObject *widget, int column) const;
    bool offerExportBeforeDownload();
    struct Notice
    {
        QString title;
        QString text; // empty when all went well
    };
    void downloadHistory();
    Notice readHistory(int &count, QList<QByteArray> &buffers);
    void inform(const QString &title, const QString &text);

    std::unique_ptr<Ui::MeterPageFor310> ui;
    std::shared_ptr<InstrumentLink> currentLink() const;

    const LinkPort *port_;
    int deviceType_;
    QList<SpectralRecord> records_;
    int nameCounter_ = 1;
};
