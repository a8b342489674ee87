#pragma once

#include "SpectralSession.h"
#include "UnsavedQuestion.h"

#include <QDialog>
#include <memory>

class LinkPort;
namespace Ui {
class MeterPageFor310;
}

// The spectral page: the widgets over a SpectralSession — its list of spectra, their chart,
// measurement, the stored history and the export.
class MeterPageFor310 : public QDialog
{
    Q_OBJECT

public:
    using QDialog::show; // beside show(Outcome)
    // The instrument is looked up through port for every exchange, so a re-plug while the
    // page is open is followed.
    MeterPageFor310(LinkPort &port, int deviceType, QWidget *parent = nullptr);
    ~MeterPageFor310() override;

    SpectralSession &session() { return session_; }

public slots:
    void slot_cellDoubleClicked(int row, int column);
    void deleteRecord(int row);
    void on_pushButton_clearData_clicked();
    void on_pushButton_spectralMeasurement_clicked();
    void on_pushButton_spectralHistory_clicked();
    bool on_pushButton_exportExcel_clicked();
    void reject() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void initSpectralTable();
    void show(const Outcome &outcome);
    bool offerExportBeforeDownload();
    bool carryOut(UnsavedQuestion::Answer answer);

    std::unique_ptr<Ui::MeterPageFor310> ui;
    SpectralSession session_;
};
