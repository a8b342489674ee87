#pragma once

#include "FirstPageFor310.h"
#include "ModalCatcher.h"
#include "SimulatedLink.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <ostream>

// The comparison page on a simulated instrument with its own polling worker, as the main window wires it.
struct MeasurementRig : SimulatedLink
{
    explicit MeasurementRig(const SimProfile &profile = {}) : SimulatedLink(profile)
    {
        page = std::make_unique<FirstPageFor310>();
        page->setLinkPort(&port);
        page->openThreadSlot();
    }
    ~MeasurementRig() { page->closeThreadSlot(); }

    // What the main window does once the link is open; the success box is swallowed.
    void readSettings() const
    {
        ModalCatcher catcher;
        page->readDeviceSettings();
    }

    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return page->findChild<T *>(QLatin1String(name));
    }
    QString text(const char *lineEdit) const { return child<QLineEdit>(lineEdit)->text(); }
    void type(const char *lineEdit, const QString &value) const { child<QLineEdit>(lineEdit)->setText(value); }
    void click(const char *button) const { child<QAbstractButton>(button)->click(); }

    QTableWidget *comparison() const { return child<QTableWidget>("tableWidget_colorDiff"); }
    QTableWidget *list() const { return child<QTableWidget>("tableWidget_data"); }
    // Comparison table cell: rows 1-11 the quantities, 12 ΔE; columns 1 standard, 2 sample, 3 difference, 4 word.
    QString cell(int row, int column) const
    {
        if (auto *edit = qobject_cast<QLineEdit *>(comparison()->cellWidget(row, column)))
            return edit->text();
        return comparison()->item(row, column)->text();
    }
    QString record(int row, int column) const { return list()->item(row, column)->text(); }

    // The write requests (function 0x70) the instrument received since the log was cleared.
    QList<QByteArray> writes() const
    {
        QList<QByteArray> frames;
        for (const QByteArray &frame : sim.requestLog())
            if (quint8(frame[1]) == 0x70)
                frames.append(frame);
        return frames;
    }
    // The result reads (function 0x44): their block address byte.
    QList<int> resultReads() const
    {
        QList<int> blocks;
        for (const QByteArray &frame : sim.requestLog())
            if (quint8(frame[1]) == 0x44)
                blocks.append(quint8(frame[2]));
        return blocks;
    }

    bool lockIsFree() const { return ::lockIsFree(link()); }

    std::unique_ptr<FirstPageFor310> page;
};

// Message boxes compare and print as "title / text".
inline bool operator==(const ModalCatcher::Seen &a, const ModalCatcher::Seen &b)
{
    return a.title == b.title && a.text == b.text;
}

inline void PrintTo(const ModalCatcher::Seen &seen, std::ostream *os)
{
    *os << seen.title.toStdString() << " / " << seen.text.toStdString();
}

// A measurement with the given haze, transmittance and L*a*b*; the rest derived as the instrument does.
inline SimMeasurement simMeasurement(double haze, double t, double L, double a, double b)
{
    return SimMeasurement::fromHazeTLab(haze, t, L, a, b);
}
