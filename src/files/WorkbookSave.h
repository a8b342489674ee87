#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Writing a table of texts over a workbook the user named: the old file is replaced only by a
// complete new one that has been read back, and is never removed first.

enum class SaveResult { Saved, CantOverwrite, CantOpen, WriteFailed, NotReadBack };

// rows[0] is the header row and lands in sheet row 2, the others below it (sheet row 1 stays as
// the template has it). The rows go to a scratch file beside the target, which is renamed over
// the target once it reads back whole. On any failure the target is as it was. Through a symbolic
// link the file it points to is replaced (a directory is refused) and the link stays; the format
// is the one the chosen name's extension asks for, also over a copy of the template.
SaveResult saveRowsVerified(const QString &targetFile, const QList<QStringList> &rows);

// A name ending in .xls or .xlsx is kept; any other gets the suffix the chosen filter names
// ("excel file (*.xlsx)" gives ".xlsx"), ".xls" when the filter names no workbook suffix.
QString withWorkbookSuffix(const QString &fileName, const QString &selectedFilter);

// Whether a cell read back holds what the text entry of this text stores.
bool cellMatches(const QVariant &stored, const QString &text);
