// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// Readers take a path: the input goes to a file of this process under /tmp, rewritten each run.
inline QString inputFile(const uint8_t *data, size_t size, const char *suffix)
{
    const std::string path = "/tmp/lumivex-fuzz-" + std::to_string(getpid()) + suffix;
    if (FILE *file = std::fopen(path.c_str(), "wb")) {
        if (size)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    static const struct Cleanup
    {
        std::string path;
        ~Cleanup() { std::remove(path.c_str()); }
    } cleanup{path};
    return QString::fromStdString(path);
}

// Rows as the engine's readAll gives them, from tab-separated lines: a cell that reads as a
// number is a double, an empty cell is empty, anything else text.
inline QList<QList<QVariant>> gridRows(const uint8_t *data, size_t size)
{
    QList<QList<QVariant>> rows;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &line : text.split(u'\n')) {
        QList<QVariant> &row = rows.emplace_back();
        for (const QString &cell : line.split(u'\t')) {
            bool number = false;
            const double value = cell.toDouble(&number);
            row.append(cell.isEmpty() ? QVariant() : number ? QVariant(value) : QVariant(cell));
        }
    }
    return rows;
}
