#pragma once

#include "Workbook.h"

#include <QString>

// The readers and writers behind WorkbookFile. Each fills reason (translated, without the
// file name) when it fails. Writers may assume the cells lie within the format's limits.

bool readXls(const QString &path, Workbook &workbook, QString &reason);
bool readXlsx(const QString &path, Workbook &workbook, QString &reason);
bool writeXls(const QString &path, const Workbook &workbook, QString &reason);
// rows, when given, are laid over their sheet as it is written.
bool writeXlsx(const QString &path, const Workbook &workbook, QString &reason, const RowsOverSheet *rows = nullptr);

// Reasons shared by the readers.
QString damagedReason(const QString &detail);
QString passwordReason();
QString tooLargeReason(const QString &sheetName);

// The date-time format both writers give date-time cells.
inline constexpr char kDateTimeFormatCode[] = "yyyy/mm/dd hh:mm";
