#pragma once

#include <QColor>
#include <QList>
#include <QStringList>
#include <QRectF>
#include <array>

#include "SpectralRecordModel.h"

class QPainter;

// The spectral page's chart, painted from the record list on every repaint.
namespace SpectralChart {

// 60, 120 or 240: the smallest that holds every visible value (a value equal to it does not raise it).
int ceilingFor(const QList<SpectralRecord> &records);
// Colour of record k, counted over all records so hiding others keeps it.
QColor curveColour(int k);
// Draws grid, axes, labels, the visible curves and their legend (names[k] names record k) into
// area (the placeholder's rectangle); tick steps follow the room the area gives.
void paint(QPainter &painter, const QRectF &area, const QList<SpectralRecord> &records, const QStringList &names,
           int deviceType);

} // namespace SpectralChart
