// Targets: a chart repaint with 1000 curves <= 50 ms; 1000 stored spectra downloaded <= 1 s of our CPU
// (the instrument holds 100: their download through the simulator plus decoding and showing 1000).
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MeterPageFor310.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"
#include "SpectralChart.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <benchmark/benchmark.h>

namespace {

QList<SpectralRecord> curves(int n)
{
    QList<SpectralRecord> records(n);
    for (int k = 0; k < n; ++k) {
        for (int i = 0; i < SpectralRecord::valueCount; ++i)
            records[k].values[i] = 20 + 30 * std::sin(0.1 * i + 0.01 * k);
    }
    return records;
}

void BM_ChartRepaint1000Curves(benchmark::State &state)
{
    const QList<SpectralRecord> records = curves(1000);
    QImage image(1920, 400, QImage::Format_ARGB32_Premultiplied); // the chart's share of a 1960 x 800 page
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        SpectralChart::paint(painter, QRectF(image.rect()), records, 0);
    }
    state.SetLabel("target <= 50 ms");
}
BENCHMARK(BM_ChartRepaint1000Curves)->Unit(benchmark::kMillisecond);

void BM_PageRepaint1000Curves(benchmark::State &state)
{
    MeterPageFor310 page(nullptr, 0);
    QByteArray values(62 * 1000, '\0'), names(16 * 1000, '\0');
    for (int k = 0; k < 1000; ++k) {
        for (int i = 0; i < 31; ++i)
            qToLittleEndian<qint16>(qint16(2000 + 20 * i + k), values.data() + 62 * k + 2 * i);
    }
    page.appendStoredRecords(values, names, 1000);
    page.show();
    for (auto _ : state)
        benchmark::DoNotOptimize(page.grab());
    state.SetLabel("whole page, table included");
}
BENCHMARK(BM_PageRepaint1000Curves)->Unit(benchmark::kMillisecond);

void BM_DecodeAndShow1000Stored(benchmark::State &state)
{
    QByteArray values(62 * 1000, '\0'), names(16 * 1000, '\0');
    for (int k = 0; k < 1000; ++k) {
        for (int i = 0; i < 31; ++i)
            qToLittleEndian<qint16>(qint16(1000 + 10 * i + k), values.data() + 62 * k + 2 * i);
        names.replace(16 * k, 6, QByteArray::number(100000 + k));
    }
    MeterPageFor310 page(nullptr, 0);
    for (auto _ : state) {
        page.appendStoredRecords(values, names, 1000);
        state.PauseTiming();
        page.on_pushButton_clearData_clicked();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DecodeAndShow1000Stored)->Unit(benchmark::kMillisecond);

// 100 stored spectra (the instrument's whole region) through the real link and the lock.
void BM_Download100StoredFromSimulator(benchmark::State &state)
{
    SimulatedInstrument sim;
    sim.preload(0, 100);
    setTransportFactory([&sim] { return sim.makeTransport(); });
    LinkPort port;
    port.setLink(InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
    port.current()->startWorker();
    {
        MeterPageFor310 page(&port, 0);
        for (auto _ : state) {
            page.on_pushButton_spectralHistory_clicked();
            state.PauseTiming();
            if (page.records().size() != 100)
                state.SkipWithError("download incomplete");
            page.on_pushButton_clearData_clicked();
            state.ResumeTiming();
        }
    }
    port.current()->close();
    port.setLink(nullptr);
    setTransportFactory({});
    state.SetLabel("x10 for 1000, plus decoding 1000");
}
BENCHMARK(BM_Download100StoredFromSimulator)->Unit(benchmark::kMillisecond);

} // namespace
