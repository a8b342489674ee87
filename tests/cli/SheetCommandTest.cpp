// lumivex-cli sheet, run as a separate process on workbooks made by python3-openpyxl.

#include "ProcessRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ProcessResult sheet(const QStringList &arguments, const QString &language = "C")
{
    return runCli(QStringList{"sheet"} + arguments, {}, language);
}

ProcessResult python(const char *script, const QStringList &arguments)
{
    return runProcess(QStringLiteral(PYTHON3_WITH_SPREADSHEETS), QStringList{"-c", script} + arguments);
}

const char *const makeWorkbook = R"(
import sys, datetime, openpyxl
book = openpyxl.Workbook()
sheet = book.active
sheet['B2'] = 'Name'
sheet['C2'] = '名称'
sheet['B3'] = 0.1
sheet['C3'] = 310000
sheet['D3'] = datetime.datetime(2024, 5, 1, 10, 30)
sheet['D3'].number_format = 'yyyy/mm/dd hh:mm'
sheet['B4'] = 'tab\there\nand a line'
sheet['D4'] = -1.5e-07
book.create_sheet('Other')['A1'] = 'not printed'
book.save(sys.argv[1])
)";


const QString expectedTable = QString::fromUtf8("Name\t名称\t\n"
                                                "0.1\t310000\t2024-05-01T10:30:00\n"
                                                "tab\\there\\nand a line\t\t-1.5e-07\n");

TEST(SheetCommand, PrintsTheUsedRangeOfSheetOne)
{
    QTemporaryDir folder;
    const QString book = folder.filePath("in.xlsx");
    ASSERT_EQ(python(makeWorkbook, {book}).exitCode, 0);
    const ProcessResult result = sheet({book});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, expectedTable);
    EXPECT_TRUE(result.err.isEmpty());
}

TEST(SheetCommand, ConvertsBetweenXlsAndXlsx)
{
    QTemporaryDir folder;
    const QString book = folder.filePath("in.xlsx"), xls = folder.filePath("out.xls"), xlsx = folder.filePath("back.xlsx");
    ASSERT_EQ(python(makeWorkbook, {book}).exitCode, 0);
    ASSERT_EQ(sheet({"--to", xls, book}).exitCode, 0);
    ASSERT_EQ(sheet({"--to", xlsx, xls}).exitCode, 0);
    EXPECT_EQ(sheet({xls}).out, expectedTable);
    EXPECT_EQ(sheet({xlsx}).out, expectedTable);

    // The second sheet goes along.
    const ProcessResult xlrd = python(R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
print(book.sheet_by_index(1).cell_value(0, 0), book.nsheets))",
                            {xls});
    EXPECT_EQ(xlrd.out, "not printed 2\n") << xlrd.err.toStdString();
}

struct ErrorCase
{
    const char *what;
    QStringList arguments; // "{dir}" stands for a scratch folder
    const char *message;   // the start of standard error
};

void PrintTo(const ErrorCase &c, std::ostream *out)
{
    *out << c.what;
}

class SheetErrors : public testing::TestWithParam<ErrorCase>
{
};

TEST_P(SheetErrors, NameTheFileAndTheReasonWithStatusTwo)
{
    QTemporaryDir folder;
    QFile text(folder.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just some notes\n");
    text.close();
    ASSERT_EQ(python(makeWorkbook, {folder.filePath("in.xlsx")}).exitCode, 0);
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings("{dir}", folder.path());
    const ProcessResult result = sheet(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    const QString message = QString::fromUtf8(GetParam().message).replace("{dir}", folder.path());
    EXPECT_TRUE(result.err.startsWith(message)) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath("missing/out.xls")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SheetErrors,
    testing::Values(ErrorCase{"missingFile", {"{dir}/none.xls"}, "Cannot read {dir}/none.xls: "},
                    ErrorCase{"notAWorkbook", {"{dir}/notes.txt"},
                              "Cannot read {dir}/notes.txt: it is neither an .xls nor an .xlsx workbook\n"},
                    ErrorCase{"unwritableTarget", {"--to", "{dir}/missing/out.xls", "{dir}/in.xlsx"},
                              "Cannot save {dir}/missing/out.xls: "},
                    ErrorCase{"noFile", {}, "Usage: lumivex-cli sheet [--to OUT] FILE\n"},
                    ErrorCase{"toWithoutName", {"{dir}/in.xlsx", "--to"}, "--to takes the name of the workbook to write.\n"},
                    ErrorCase{"twoFiles", {"a.xls", "b.xls"}, "Only one workbook can be given.\n"}),
    [](const auto &info) { return std::string(info.param.what); });

TEST(SheetCommand, ExplainsInChineseInAChineseLocale)
{
    const ProcessResult result = sheet({"/nonexistent/none.xls"}, "zh_CN.UTF-8");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.startsWith(QString::fromUtf8("无法读取 /nonexistent/none.xls："))) << result.err.toStdString();
}

} // namespace
