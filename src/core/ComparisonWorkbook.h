#pragma once

#include "ComparisonRecord.h"

#include <QList>
#include <QStringList>

// The comparison workbook: which record columns each result kind writes, under which headers.
namespace ComparisonWorkbook {

// The header row, then one row per record, in the current language.
QList<QStringList> rows(int resultKind, const QList<ComparisonRecord> &records);

// The records of an exported workbook, or the message why it cannot be imported (in the
// comparison page's context, naming the sheet row at fault where one is); every row is
// checked before anything is returned.
QString read(const QString &fileName, int resultKind, QList<ComparisonRecord> &records);

} // namespace ComparisonWorkbook
