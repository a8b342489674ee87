// lumivex-cli run as a separate process: delta-e on L*a*b* pairs, sheet on workbooks made by
// python3-openpyxl, the meter commands on the simulated meters.
#include "ProcessRun.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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

const char *const expectedTable = "Name\t名称\t\n0.1\t310000\t2024-05-01T10:30:00\ntab\\there\\nand a line\t\t-1.5e-07\n";

// A run: "{dir}" in arguments and messages stands for a scratch folder holding pairs.csv, notes.txt
// and, when named, in.xlsx. Success prints exactly "out" and nothing on standard error; a failure
// prints nothing on standard output and a message starting with "err".
struct RunCase { const char *what; QStringList arguments; const char *input; int exitCode; const char *out, *err;
                 const char *language = "C"; };
using Cli = testing::TestWithParam<RunCase>;

TEST_P(Cli, PrintsItsResultOrSaysWhyNot)
{
    const RunCase &c = GetParam();
    QTemporaryDir folder;
    const auto put = [&folder](const char *name, const char *text) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(text) > 0;
    };
    ASSERT_TRUE(put("pairs.csv", "50,10,10,52,12,8\n50,2.6772,-79.7751,50,0,-82.7485\n") && put("notes.txt", "notes\n"));
    if (c.arguments.join(' ').contains("in.xlsx")) {
        ASSERT_EQ(python(makeWorkbook, {folder.filePath("in.xlsx")}).exitCode, 0);
    }
    const ProcessResult result = runCli(QStringList(c.arguments).replaceInStrings("{dir}", folder.path()),
                                        c.input, c.language);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.what << ": " << result.err.toStdString();
    EXPECT_EQ(result.out, QString::fromUtf8(c.out)) << c.what;
    const QString err = QString::fromUtf8(c.err).replace("{dir}", folder.path());
    EXPECT_TRUE(err.isEmpty() ? result.err.isEmpty() : result.err.startsWith(err))
        << c.what << ": " << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath("missing/out.xls")));
}

const char *const pair = "50,10,10,52,12,8\n";
const char *const sixNumbers = "Line 1: expected six numbers";

INSTANTIATE_TEST_SUITE_P(DeltaE, Cli, testing::Values(
    RunCase{"default CIEDE2000", {"delta-e"}, pair, 0, "3.3674\n", ""},
    RunCase{"ab", {"delta-e", "--formula", "0"}, pair, 0, "3.4641\n", ""},
    RunCase{"94", {"delta-e", "--formula=2"}, pair, 0, "3.0663\n", ""},
    RunCase{"cmc 1:1 from -", {"delta-e", "--formula", "4", "-"}, pair, 0, "4.9067\n", ""},
    RunCase{"a file, not standard input", {"delta-e", "--formula", "5", "{dir}/pairs.csv"}, "1,2,3,4,5,6\n", 0,
            "3.3674\n2.0424\n", ""},
    RunCase{"semicolons, tabs, spaces, comma and space", {"delta-e"},
            "50;10;10;52;12;8\n50\t10\t10\t52\t12\t8\n50 10  10 52 12 8\n50, 2.5, 0, 73, 25, -18\n", 0,
            "3.3674\n3.3674\n3.3674\n27.1492\n", ""},
    RunCase{"comments, blank lines, CRLF, no final newline", {"delta-e"},
            "# standard, sample\r\n\r\n  \n50,20,-1,50,20,1 # across 0 degrees\r\n50,10,10,50,10,10", 0,
            "1.3230\n0.0000\n", ""},
    RunCase{"nothing to compute", {"delta-e"}, "# only a comment\n", 0, "", ""},
    RunCase{"letter in line 4", {"delta-e"}, "50,10,10,52,12,8\n# fine so far\n50,10,10,52,12,8\n50,10,x,52,12,8\n", 2,
            "", "Line 4: expected six numbers L1,a1,b1,L2,a2,b2, found \"50,10,x,52,12,8\".\n"},
    RunCase{"five numbers", {"delta-e"}, "50,10,10,52,12\n", 2, "", sixNumbers},
    RunCase{"empty field", {"delta-e"}, "\n50,,10,10,52,12,8\n", 2, "", "Line 2: expected six numbers"},
    RunCase{"not finite", {"delta-e"}, "50,10,10,nan,12,8\n", 2, "", sixNumbers},
    RunCase{"in Chinese", {"delta-e"}, "1,2\n", 2, "", "第 1 行：应为六个数 L1,a1,b1,L2,a2,b2，实际为“1,2”。\n",
            "zh_CN.UTF-8"},
    RunCase{"formula out of range", {"delta-e", "--formula", "6"}, pair, 2, "",
            "--formula takes a number from 0 to 5, not \"6\".\n"},
    RunCase{"formula missing", {"delta-e", "--formula"}, pair, 2, "", "--formula takes a number from 0 to 5"},
    RunCase{"unknown option", {"delta-e", "--fast"}, pair, 2, "", "Unknown option \"--fast\".\n"},
    RunCase{"two files", {"delta-e", "a.csv", "b.csv"}, pair, 2, "", "Only one input file can be given.\n"},
    RunCase{"missing file", {"delta-e", "{dir}/none.csv"}, "", 1, "", "Cannot read \"{dir}/none.csv\": "},
    RunCase{"unknown command", {"sheets"}, "", 2, "", "Unknown command \"sheets\".\n"},
    RunCase{"no command", {}, "", 2, "", "Usage: lumivex-cli <command> [options]\n"}));

INSTANTIATE_TEST_SUITE_P(Sheet, Cli, testing::Values(
    RunCase{"missing file", {"sheet", "{dir}/none.xls"}, "", 2, "", "Cannot read {dir}/none.xls: "},
    RunCase{"in Chinese", {"sheet", "{dir}/none.xls"}, "", 2, "", "无法读取 {dir}/none.xls：", "zh_CN.UTF-8"},
    RunCase{"not a workbook", {"sheet", "{dir}/notes.txt"}, "", 2, "",
            "Cannot read {dir}/notes.txt: it is neither an .xls nor an .xlsx workbook\n"},
    RunCase{"unwritable target", {"sheet", "--to", "{dir}/missing/out.xls", "{dir}/in.xlsx"}, "", 2, "",
            "Cannot save {dir}/missing/out.xls: "},
    RunCase{"no file", {"sheet"}, "", 2, "", "Usage: lumivex-cli sheet [--to OUT] FILE\n"},
    RunCase{"to without name", {"sheet", "{dir}/in.xlsx", "--to"}, "", 2, "",
            "--to takes the name of the workbook to write.\n"},
    RunCase{"two files", {"sheet", "a.xls", "b.xls"}, "", 2, "", "Only one workbook can be given.\n"}));

const char *const tq310Info = "Serial number: 23100017\nModel: TQ310\nDevice type: 0\nFirmware version: 105\n"
                              "Result kind: Haze and transmittance (0, haze-t)\nHaze tolerance: 0.50%\n"
                              "Transmittance tolerance: 1.00%\nColour difference threshold: 1.0\n";

INSTANTIATE_TEST_SUITE_P(Meter, Cli, testing::Values(
    RunCase{"info, TQ310", {"info", "--simulate"}, "", 0, tq310Info, ""},
    RunCase{"info, TQ320", {"info", "--simulate=TQ320"}, "", 0,
            "Serial number: 23200118\nModel: TQ320\nDevice type: 1\nFirmware version: 110\nResult kind: L*a*b* (3, lab)\n"
            "Colour difference formula: △E*ab\nColour difference threshold: 1.0\n", ""},
    RunCase{"no meter on USB", {"measure"}, "", 1, "", "Please connect the device first!\n"},
    RunCase{"in Chinese", {"info"}, "", 1, "", "请先连接设备！\n", "zh_CN.UTF-8"},
    RunCase{"unknown simulated meter", {"measure", "--simulate=tq999"}, "", 2, "",
            "There is no simulated meter \"tq999\"; choose tq310, tq320, tq320e or legacy.\n"},
    RunCase{"kind out of range", {"records", "--kind", "6", "-o", "{dir}/r.csv", "--simulate"}, "", 2, "",
            "--kind takes a result kind: 0 to 5, or haze-t, haze, t, lab, lch, yxy.\n"},
    RunCase{"kind on another command", {"spectra", "--kind", "1", "-o", "{dir}/r.csv"}, "", 2, "",
            "Unknown option \"--kind\".\n"},
    RunCase{"no output named", {"spectra", "--simulate"}, "", 2, "", "-o FILE is missing.\n"},
    RunCase{"output of no list format", {"records", "-o", "{dir}/r.txt", "--simulate"}, "", 2, "",
            "-o takes the name of an .xlsx, .xls or .csv file.\n"},
    RunCase{"kind the meter does not keep", {"records", "--kind", "haze", "-o", "{dir}/r.csv", "--simulate=tq320"}, "", 1,
            "", "The TQ320 keeps no records of the result kind Haze.\n"},
    RunCase{"no records stored", {"records", "-o", "{dir}/r.csv", "--simulate", "--sim-records", "0"}, "", 1, "",
            "No comparison record!\n"},
    RunCase{"no spectra stored", {"spectra", "-o", "{dir}/s.csv", "--simulate", "--sim-spectra", "0"}, "", 1, "",
            "No spectral history!\n"},
    RunCase{"trace not writable", {"info", "--simulate", "--trace", "{dir}/missing/t.txt"}, "", 1, "",
            "Cannot write the trace to {dir}/missing/t.txt: "}));

// Each list as .csv and as a workbook (read back by the sheet command): the same header, in Chinese
// too, and the same names; progress and the count on standard error, nothing on standard output.
TEST(MeterCommands, ListsGoToTheFormatTheNameAsksForWithTheWorkbookColumns)
{
    QTemporaryDir folder;
    const struct { QStringList command; const char *workbook; int rows, nameColumn; } lists[] = {
        {{"records", "--kind", "lab"}, "records.xlsx", 12, 3},
        {{"spectra"}, "spectra.xls", 8, 1},
    };
    for (const auto &list : lists) {
        const QString csv = folder.filePath(list.command[0] + ".csv"), workbook = folder.filePath(list.workbook);
        for (const QString &file : {csv, workbook}) {
            const ProcessResult run = runCli(list.command + QStringList{"-o", file, "--simulate"}, {}, "zh_CN.UTF-8");
            EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
            EXPECT_EQ(run.out, "");
            EXPECT_TRUE(run.err.endsWith(QString::fromUtf8("已保存 %1 条记录到 %2\n").arg(list.rows).arg(file)))
                << run.err.toStdString();
        }
        QFile csvFile(csv);
        ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
        const QStringList fromCsv = QString::fromUtf8(csvFile.readAll()).split("\r\n", Qt::SkipEmptyParts);
        const QStringList fromWorkbook = runCli({"sheet", workbook}).out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(fromCsv.size(), list.rows + 1);
        ASSERT_EQ(fromWorkbook.size(), list.rows + 1);
        EXPECT_EQ(fromCsv[0].split(','), fromWorkbook[0].split('\t'));
        EXPECT_TRUE(fromCsv[0].contains(QString::fromUtf8("名称")));
        for (int r = 1; r <= list.rows; ++r)
            EXPECT_EQ(fromCsv[r].split(',')[list.nameColumn], fromWorkbook[r].split('\t')[list.nameColumn]);
        EXPECT_EQ(fromCsv[1].split(',')[list.nameColumn], list.command[0] == "records" ? "S-001" : "SP-001");
    }
    const ProcessResult unwritable = runCli({"records", "-o", folder.filePath("missing/r.xls"), "--simulate"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.endsWith("Failed to store data, can't open file!\n")) << unwritable.err.toStdString();
}

// One result, its column as the comparison table shows it; the trace
// holds every report and frame, its last line the meter's reply.
TEST(MeterCommands, MeasurePrintsTheTableColumnAndTheTraceKeepsItsLastLine)
{
    QTemporaryDir folder;
    const QString value = QStringLiteral(": -?\\d+\\.\\d\\d\n");
    // The TQ310's old firmware delivers haze and transmittance only; the rest shows 0.
    const QString pattern = "Haze: \\d+\\.\\d\\d%\nTransmittance: \\d+\\.\\d\\d%\nL\\*" + value + "a\\*" + value + "b\\*" + value
                      + "L\\*" + value + "C\\*" + value + "h: \\d+\\.\\d\nY" + value + "x: \\d\\.\\d{4}\ny: \\d\\.\\d{4}\n"
                      + "R, G, B: \\d+, \\d+, \\d+\n";
    for (const char *meter : {"tq310", "tq320"}) {
        const QString trace = folder.filePath(QString("%1.trace").arg(meter));
        const ProcessResult run = runCli({"measure", QString("--simulate=%1").arg(meter), "--trace", trace});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(QRegularExpression("^" + pattern + "$").match(run.out).hasMatch()) << meter << ":\n" << run.out.toStdString();
        QFile file(trace);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        EXPECT_GT(lines.count(), 10);
        EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} <- frame  ab [0-9a-f]{2}( [0-9a-f]{2})+$")
                        .match(QString::fromLatin1(lines.last())).hasMatch())
            << lines.last().toStdString();
    }
}

TEST(LumivexCli, HelpNamesTheCommandsAndTheFormulaNumbers)
{
    EXPECT_TRUE(runCli({"--help"}).out.startsWith("Usage: lumivex-cli <command> [options]\n"));
    EXPECT_TRUE(runCli({"delta-e", "--help"}).out.contains(QString::fromUtf8("5 △E*00 (default 5)")));
}

TEST(SheetCommand, PrintsAndConvertsBetweenXlsAndXlsx)
{
    QTemporaryDir folder;
    const QString book = folder.filePath("in.xlsx"), xls = folder.filePath("out.xls");
    ASSERT_EQ(python(makeWorkbook, {book}).exitCode, 0);
    EXPECT_EQ(runCli({"sheet", book}).out, QString::fromUtf8(expectedTable));
    ASSERT_EQ(runCli({"sheet", "--to", xls, book}).exitCode, 0);
    EXPECT_EQ(runCli({"sheet", xls}).out, QString::fromUtf8(expectedTable));
    // The second sheet goes along.
    const ProcessResult xlrd = python("import sys, xlrd\nbook = xlrd.open_workbook(sys.argv[1])\n"
                                      "print(book.sheet_by_index(1).cell_value(0, 0), book.nsheets)", {xls});
    EXPECT_EQ(xlrd.out, "not printed 2\n") << xlrd.err.toStdString();
}

} // namespace
