#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <compare>
#include <map>
#include <vector>

// The in-memory workbook every reader produces and every writer consumes.

enum class NumberFormat : quint8 { General, Percent, DateTime };

// A cell's value is invalid (empty), double (number), QString (text) or QDateTime
// (date-time, a wall-clock time carried as UTC so no daylight-saving rule can shift it).
struct Cell
{
    QVariant value;
    NumberFormat format = NumberFormat::General;
    bool centred = false;

    bool isEmpty() const { return !value.isValid(); }
};

// 0-based sheet coordinates; ordered row by row, as writers need them.
struct CellPos
{
    int row = 0;
    int column = 0;
    auto operator<=>(const CellPos &) const = default;
};

struct UsedRange
{
    int firstRow = 0;
    int firstColumn = 0;
    int rowCount = 0;
    int columnCount = 0;
};

struct Sheet
{
    QString name;
    std::map<CellPos, Cell> cells;

    // From the first to the last non-empty row and column; formatted blanks do not count.
    UsedRange usedRange() const;
    const Cell *cell(CellPos pos) const;
};

struct Workbook
{
    std::vector<Sheet> sheets;
};

enum class WorkbookFormat { Xls, Xlsx };

// Largest sheet each format holds.
struct SheetLimits
{
    int rows;
    int columns;
};
SheetLimits sheetLimits(WorkbookFormat format);
// Cells beyond this many in a used range are refused on reading (damaged or hostile files):
// the engine hands a used range out as one value for each cell, empty ones included, and
// that copy must fit beside the workbook within the read's memory budget.
constexpr qint64 kMaxUsedCells = 3'000'000;
// A spreadsheet cell holds at most this many characters.
constexpr int kMaxTextLength = 32767;

// Spreadsheet day numbers: days since 1899-12-30 plus the fraction of the day.
double serialFromDateTime(const QDateTime &dateTime);
QDateTime dateTimeFromSerial(double serial, bool base1904 = false);

// What a person typing text into a spreadsheet cell gets: a number, a percentage
// ("12.5%" → 0.125), a date-time ("yyyy/MM/dd  hh:mm", one space, or a date alone) or text.
Cell cellFromText(const QString &text);
// Rows of texts laid over one sheet as it is written: texts[i] fills 0-based sheet row
// firstRow + i from column 0 on, each text through cellFromText and centred (an empty text
// makes an empty centred cell); cells the texts do not reach keep what the sheet has.
struct RowsOverSheet
{
    std::size_t sheet = 0;
    int firstRow = 0;
    const QList<QStringList> *texts = nullptr;
};

// Calls visit(CellPos, const Cell &) for every cell of the sheet with the rows laid over it, row
// by row, without building the merged sheet; stops at and returns the first non-zero result.
template<typename Result, typename Visit>
Result forEachCellWithRows(const Sheet &sheet, const QList<QStringList> &texts, int firstRow, Visit &&visit)
{
    auto own = sheet.cells.begin();
    const auto end = sheet.cells.end();
    for (qsizetype r = 0; r < texts.size(); ++r) {
        const int row = firstRow + int(r);
        const QStringList &line = texts[r];
        for (; own != end && own->first < CellPos{row, 0}; ++own) {
            if (const Result result = visit(own->first, own->second))
                return result;
        }
        for (qsizetype c = 0; c < line.size(); ++c) {
            Cell cell = cellFromText(line[c]);
            cell.centred = true;
            if (const Result result = visit(CellPos{row, int(c)}, cell))
                return result;
        }
        // The sheet's own cells under the texts give way to them.
        while (own != end && own->first < CellPos{row, int(line.size())})
            ++own;
    }
    for (; own != end; ++own) {
        if (const Result result = visit(own->first, own->second))
            return result;
    }
    return Result();
}

// Numbers and date-times are stored as they are; anything else as its text entry.
// Invalid values make an empty cell. Returns false for values no cell can hold.
bool cellFromValue(const QVariant &value, Cell &cell);
