#pragma once

#include "Workbook.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

// The program's one door to workbooks (.xls and .xlsx). Every operation works on an
// in-memory workbook: open reads the file into it, save writes it back atomically.
// Construct on a path, open sheet 1, read or write, save where something was written,
// close. Nothing reaches the file before save; close discards unsaved changes.
class ExcelEngine : public QObject
{
    Q_OBJECT

public:
    explicit ExcelEngine(const QString &fileName, QObject *parent = nullptr);
    ~ExcelEngine() override;

    // Makes sure the file exists: kept when present, else a copy of "./template.xls",
    // else an empty file (an empty workbook). True when it can be opened read-write.
    static bool prepareFile(const QString &fileName);

    // Opens for writing: prepares the file first, so a missing file is created.
    bool open(int sheetIndex);
    // Opens only to read: never creates anything, a missing file fails.
    bool openForReading(int sheetIndex);

    bool isOpen() const { return isOpen_; }
    // The format the file has, or will be saved in.
    WorkbookFormat format() const { return format_; }
    // Rows of the sheet's used range, counted from its first non-empty row.
    int rowCount() const;
    // The 1-based sheet row the used range begins at (0 while closed).
    int firstRow() const;
    int columnCount() const;

    // Writes one centred cell at 1-based sheet coordinates. Texts pass through the
    // spreadsheet's text entry (numbers, "12.5%", "yyyy/MM/dd  hh:mm" become typed).
    bool setCellData(int row, int column, const QVariant &value);
    // Saves the workbook with rows[i] in sheet row firstSheetRow + i from column 1 on, each text
    // through the text entry and centred (an empty text makes an empty centred cell; cells right
    // of a short row stay as they are). Rows above firstSheetRow keep what the file had. The
    // open workbook itself stays as it was read.
    bool saveRows(const QList<QStringList> &rows, int firstSheetRow);
    // Appends the used range: doubles, QDateTime (UTC wall clock), QString, invalid for empty.
    void readAll(QList<QList<QVariant>> &rows);
    // Writes the workbook in the format the file has; a file open() created, also from the
    // template, in the format its extension names.
    bool save();
    void close();

    QString errorString() const { return errorString_; }

private:
    bool openSheet(int sheetIndex, bool createMissing);
    bool fail(const QString &message);
    bool checkPlace(int row, int column);
    bool failCannotHold(int row, int column);
    Sheet *sheet();
    const Sheet *sheet() const;

    QString fileName_;
    Workbook workbook_;
    WorkbookFormat format_ = WorkbookFormat::Xls;
    int sheetIndex_ = 0;
    bool isOpen_ = false;
    QString errorString_;
};
