#pragma once

#include "WorkbookFile.h"

#include <QString>
#include <QStringList>

// Runs /usr/bin/python3 -c script with arguments; returns its standard output (empty and
// a failed expectation when it does not succeed).
QString runPython(const QString &script, const QStringList &arguments);

// A sheet as text, one line per row from A1 and one tab-separated field per column:
// "n:12.5" number, "p:0.125" number shown as percent, "d:2024-05-01T10:30:00" date-time,
// "s:text" text, "" empty; a trailing "^" marks a centred cell. withFormats false leaves
// out the percent and centring marks, for readers that do not report them.
QString canonicalSheet(const Sheet &sheet, bool withFormats = true);
QString canonicalCell(const Cell &cell, bool withFormats = true);

// Python functions printing the first sheet of a workbook in canonicalSheet's form.
extern const char *const kXlrdDump;
extern const char *const kOpenpyxlDump;

// One sheet with every kind of cell, Chinese text, gaps, a column past Z and a text long enough
// to be continued across BIFF records.
Sheet sampleSheet();
Workbook workbookOf(Sheet sheet);
// Writes the workbook (by default the sample sheet) in that format; returns the path.
QString writeSample(const QString &path, WorkbookFormat format, const Workbook &workbook = workbookOf(sampleSheet()));
QByteArray contents(const QString &path);
bool putContents(const QString &path, const QByteArray &bytes);
