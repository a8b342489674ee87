// SPDX-License-Identifier: Apache-2.0
#include "CsvFile.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

void appendField(QByteArray &out, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const bool quoted = bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r');
    if (!quoted) {
        out += bytes;
        return;
    }
    out += '"';
    for (const char c : bytes) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

bool CsvFile::isCsvName(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

QByteArray CsvFile::encode(const QList<QStringList> &rows)
{
    QByteArray out = ByteOrderMark;
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += ',';
            appendField(out, row[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::optional<QList<QStringList>> CsvFile::decode(const QByteArray &bytes)
{
    QList<QStringList> rows;
    QStringList row;
    QByteArray field;
    bool inQuotes = false;
    qsizetype i = bytes.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
    const auto endField = [&] {
        row << QString::fromUtf8(field);
        field.clear();
    };
    for (; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inQuotes) {
            if (c != '"')
                field += c;
            else if (i + 1 < bytes.size() && bytes[i + 1] == '"')
                field += bytes[++i];
            else
                inQuotes = false;
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            endField();
            rows << row;
            row.clear();
        } else {
            field += c;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (!field.isEmpty() || !row.isEmpty()) {
        endField();
        rows << row;
    }
    return rows;
}

SaveResult CsvFile::writeChecked(const QString &fileName, const QList<QStringList> &rows)
{
    const QByteArray bytes = encode(rows);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return SaveResult::CantOpen;
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
        return SaveResult::WriteFailed;
    if (!file.seek(0) || decode(file.readAll()) != rows)
        return SaveResult::NotReadBack;
    return SaveResult::Saved;
}
