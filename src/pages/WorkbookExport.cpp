#include "WorkbookExport.h"

#include "ExcelEngine.h"
#include "FileChooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTableWidget>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace WorkbookExport {
namespace {

bool isWorkbookSuffix(const QString &suffix)
{
    return suffix == QLatin1String("xls") || suffix == QLatin1String("xlsx");
}

// "excel file (*.xlsx)" gives ".xlsx"; a filter without a workbook pattern gives ".xls".
QString suffixOfFilter(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QString suffix = pattern.match(filter).captured(1).toLower();
    return isWorkbookSuffix(suffix) ? suffix : QStringLiteral("xls");
}

QString withWorkbookSuffix(const QString &fileName, const QString &selectedFilter)
{
    if (isWorkbookSuffix(QFileInfo(fileName).suffix().toLower()))
        return fileName;
    return fileName + u'.' + suffixOfFilter(selectedFilter);
}

// Replacing means renaming over it, which needs the folder; a read-only file is taken as in use.
bool canReplace(const QFileInfo &target)
{
    if (!target.exists())
        return true;
    return target.isFile() && target.isWritable() && QFileInfo(target.absolutePath()).isWritable();
}

// Same folder and suffix as the target, so the rename stays on one file system and the
// engine picks the target's format.
QString scratchNameBeside(const QFileInfo &target)
{
    const QString unique = QUuid::createUuid().toString(QUuid::Id128).left(12);
    return target.absoluteDir().filePath(QStringLiteral(".%1.%2.%3")
                                             .arg(target.completeBaseName(), unique, target.suffix()));
}

// Saves the rows into the open engine through a scratch table without header items.
bool saveRows(ExcelEngine &engine, const QList<QStringList> &rows)
{
    int columns = 0;
    for (const QStringList &row : rows)
        columns = std::max(columns, int(row.size()));
    QTableWidget scratch(int(rows.size()), columns);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            scratch.setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
    return engine.saveTable(&scratch);
}

bool rowMatches(const QList<QVariant> &stored, const QStringList &texts)
{
    for (int c = 0; c < std::max(stored.size(), texts.size()); ++c) {
        if (!cellMatches(stored.value(c), texts.value(c)))
            return false;
    }
    return true;
}

// The used range starts at the header row unless a template put something above it.
bool holdsEveryRow(const QString &fileName, const QList<QStringList> &rows)
{
    ExcelEngine engine(fileName);
    if (!engine.openForReading(1))
        return false;
    QList<QList<QVariant>> stored;
    engine.readAll(stored);
    for (qsizetype first = 0; first + rows.size() <= stored.size(); ++first) {
        if (!rowMatches(stored[first], rows[0]))
            continue;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            if (!rowMatches(stored[first + r], rows[r]))
                return false;
        }
        return true;
    }
    return false;
}

bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString trExport(const char *text)
{
    return QCoreApplication::translate("WorkbookExport", text);
}

} // namespace

bool cellMatches(const QVariant &stored, const QString &text)
{
    const QVariant expected = cellFromText(text).value;
    if (!expected.isValid() || !stored.isValid())
        return expected.isValid() == stored.isValid();
    if (expected.typeId() == QMetaType::Double && stored.typeId() == QMetaType::Double) {
        const double a = expected.toDouble(), b = stored.toDouble();
        return std::abs(a - b) <= 1e-12 * std::max(1.0, std::abs(a));
    }
    if (expected.typeId() == QMetaType::QDateTime && stored.typeId() == QMetaType::QDateTime)
        return std::abs(expected.toDateTime().msecsTo(stored.toDateTime())) < 1000;
    return expected.typeId() == stored.typeId() && expected.toString() == stored.toString();
}

bool write(QWidget *parent, const QList<QStringList> &rows, const Texts &texts,
           const std::function<void()> &afterSaved)
{
    if (rows.size() <= 1) {
        QMessageBox::information(parent, texts.noDataTitle, texts.noDataText);
        return false;
    }
    QString selectedFilter;
    const QString answer =
        FileChooser::saveFileName(parent, texts.caption, texts.proposedName, texts.filters, &selectedFilter);
    if (answer.isEmpty())
        return false;
    const QFileInfo target(withWorkbookSuffix(answer, selectedFilter));
    if (!canReplace(target)) {
        QMessageBox::information(parent, texts.overwriteTitle, texts.cantOverwrite);
        return false;
    }

    const QString scratch = scratchNameBeside(target);
    auto removeScratch = qScopeGuard([&scratch] { QFile::remove(scratch); });
    {
        ExcelEngine engine(scratch);
        if (!engine.open(1)) {
            QMessageBox::information(parent, texts.errorTitle, texts.cantOpen);
            return false;
        }
        if (!saveRows(engine, rows)) {
            QMessageBox::information(parent, texts.errorTitle, texts.writeFailed);
            return false;
        }
    }
    if (!holdsEveryRow(scratch, rows)) {
        QMessageBox::information(parent, texts.errorTitle,
                                 trExport("The saved file could not be read back completely; "
                                          "the old file and the data were kept."));
        return false;
    }
    if (!renameOver(scratch, target.absoluteFilePath())) {
        QMessageBox::information(parent, texts.overwriteTitle, texts.cantOverwrite);
        return false;
    }
    removeScratch.dismiss();
    if (afterSaved)
        afterSaved();
    QMessageBox::information(parent, texts.successTitle, texts.successText);
    return true;
}

} // namespace WorkbookExport
