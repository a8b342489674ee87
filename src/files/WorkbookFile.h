#pragma once

#include "Workbook.h"

#include <QString>

// Reading and writing whole workbook files. The format is told by the file's first bytes;
// an empty file is a workbook with one empty sheet in the format its extension names.
// Errors name the file and the reason, ready to show.

// .xlsx for a name ending in .xlsx, else .xls (the program's archive format).
WorkbookFormat formatForExtension(const QString &path);

// Opens a file to read only when it is a regular file: a FIFO, a device or a directory is
// refused at once instead of blocking or reading forever. A descriptor, or -1 with reason.
int openRegularFile(const QString &path, QString &reason);

bool readWorkbookFile(const QString &path, Workbook &workbook, WorkbookFormat &format, QString &error);

// Writes a temporary file beside path and renames it over path only once it is complete,
// so a failed or interrupted save leaves the previous file as it was.
// rows, when given, are laid over their sheet in the file written; the workbook stays as it is.
// The file a name stands for: a symbolic link is followed, link by link, to the file it points
// to, which need not exist yet. Empty for a loop of links.
QString followedLinks(const QString &fileName);

bool writeWorkbookFile(const QString &path, const Workbook &workbook, WorkbookFormat format, QString &error,
                       const RowsOverSheet *rows = nullptr);
