#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Asks where to write a table of texts and writes it with saveRowsVerified, the way every
// page exports: the old file is replaced only by a complete new one that has been read back.
namespace WorkbookExport {

// The caller's texts, already translated in its own context.
struct Texts
{
    QString noDataTitle;
    QString noDataText;
    QString caption;
    QString proposedName; // without directory or extension
    QString filters;      // ";;"-separated; a name without a workbook suffix gets the chosen filter's
                          // (".xls" when the filter names none)
    QString overwriteTitle;
    QString cantOverwrite;
    QString errorTitle;
    QString cantOpen;
    QString writeFailed;
    QString successTitle;
    QString successText;
};

// rows[0] is the header row and lands in sheet row 2, the others below it (sheet row 1 stays
// as the template has it). afterSaved runs once the file holds every row, before the success
// message. False when nothing was written; the old file is then unchanged.
bool write(QWidget *parent, const QList<QStringList> &rows, const Texts &texts,
           const std::function<void()> &afterSaved);

} // namespace WorkbookExport
