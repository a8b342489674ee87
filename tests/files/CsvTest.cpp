// SPDX-License-Identifier: Apache-2.0
// Lists saved as .csv, read back by Python's csv module as a spreadsheet program would read them.
#include "WorkbookSave.h"
#include "WorkbookTestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char *const CsvDump = "import sys, csv, json\n"
                            "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                            "    print(json.dumps(list(csv.reader(f)), ensure_ascii=False))\n";

QList<QStringList> rowsOf(const QString &json)
{
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(json.toUtf8()).array())
        rows << row.toVariant().toStringList();
    return rows;
}

TEST(CsvExport, PythonReadsBackEveryRowAsSaved)
{
    QTemporaryDir folder;
    const QList<QStringList> rows{{"NO", "Name", "Time", "Standard Haze", "Result"},
                                  {"1", "样品 A", "2024/05/01 10:30", "12.34%", "PASS"},
                                  {"2", "comma, \"quoted\"", "", "-0.5", "不合格"},
                                  {"3", "two\nlines\r\nhere", " leading space", "1e-07", ""}};
    const QString file = folder.filePath("list.csv");
    ASSERT_EQ(saveRowsVerified(file, rows), SaveResult::Saved);
    EXPECT_TRUE(contents(file).startsWith("\xEF\xBB\xBFNO,Name,Time,Standard Haze,Result\r\n1,"));
    EXPECT_EQ(rowsOf(runPython(CsvDump, {file})), rows);
    // Replaced whole, nothing left beside it.
    ASSERT_EQ(saveRowsVerified(file, rows.mid(0, 2)), SaveResult::Saved);
    EXPECT_EQ(rowsOf(runPython(CsvDump, {file})), rows.mid(0, 2));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.csv"});
    EXPECT_EQ(saveRowsVerified(folder.filePath("gone/list.csv"), rows), SaveResult::CantOpen);
}

TEST(CsvExport, TheNameOrTheFilterChosenGivesTheFormat)
{
    const struct { const char *name, *filter, *saved; } cases[] = {
        {"list", "CSV file (*.csv)", "list.csv"},
        {"list.csv", "excel file (*.xls)", "list.csv"},
        {"list.CSV", "excel file (*.xlsx)", "list.CSV"},
        {"list", "excel file (*.xlsx)", "list.xlsx"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withWorkbookSuffix(c.name, c.filter), c.saved) << c.name << " " << c.filter;
}

} // namespace
