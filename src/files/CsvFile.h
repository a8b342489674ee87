// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "WorkbookSave.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Record lists as comma-separated text: UTF-8 behind a byte-order mark, so spreadsheet programs
// read Chinese names; the texts as the lists show them ("." decimal point, whatever the locale);
// a field holding a comma, quote or line break quoted, its quotes doubled; CRLF after each row.
namespace CsvFile {

bool isCsvName(const QString &fileName);
QByteArray encode(const QList<QStringList> &rows);
// The rows of text encode wrote; empty when the bytes are not such text (unterminated quote).
std::optional<QList<QStringList>> decode(const QByteArray &bytes);

// Writes the rows to fileName, on disk, and reads them back; saveRowsVerified calls it for the
// scratch file it renames over the target.
SaveResult writeChecked(const QString &fileName, const QList<QStringList> &rows);

} // namespace CsvFile
