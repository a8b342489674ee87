#include "ProcessRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct OutputCase
{
    const char *what;
    QStringList arguments;
    const char *input;
    const char *output;
};

void PrintTo(const OutputCase &c, std::ostream *out)
{
    *out << c.what;
}

class DeltaEOutput : public testing::TestWithParam<OutputCase>
{
};

TEST_P(DeltaEOutput, OneValuePerLineWithFourDecimals)
{
    const OutputCase &c = GetParam();
    const ProcessResult result = runCli(QStringList{"delta-e"} + c.arguments, c.input);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QString::fromUtf8(c.output));
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
}

const char *const pair = "50,10,10,52,12,8\n";

INSTANTIATE_TEST_SUITE_P(
    StandardInput, DeltaEOutput,
    testing::Values(OutputCase{"default CIEDE2000", {}, pair, "3.3674\n"},
                    OutputCase{"ab", {"--formula", "0"}, pair, "3.4641\n"},
                    OutputCase{"94", {"--formula=2"}, pair, "3.0663\n"},
                    OutputCase{"cmc 1:1 from -", {"--formula", "4", "-"}, pair, "4.9067\n"},
                    OutputCase{"semicolons, tabs, spaces, comma and space",
                               {},
                               "50;10;10;52;12;8\n50\t10\t10\t52\t12\t8\n50 10  10 52 12 8\n50, 2.5, 0, 73, 25, -18\n",
                               "3.3674\n3.3674\n3.3674\n27.1492\n"},
                    OutputCase{"comments, blank lines, CRLF, no final newline",
                               {},
                               "# standard, sample\r\n\r\n  \n50,20,-1,50,20,1 # across 0 degrees\r\n50,10,10,50,10,10",
                               "1.3230\n0.0000\n"},
                    OutputCase{"nothing to compute", {}, "# only a comment\n", ""}));

TEST(DeltaECommand, ReadsAFile)
{
    QTemporaryDir folder;
    QFile file(folder.filePath("pairs.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("50,10,10,52,12,8\n50,2.6772,-79.7751,50,0,-82.7485\n");
    file.close();
    const ProcessResult result = runCli({"delta-e", "--formula", "5", file.fileName()}, "1,2,3,4,5,6\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "3.3674\n2.0424\n");
}

struct ErrorCase
{
    const char *what;
    QStringList arguments;
    const char *input;
    int exitCode;
    const char *message;
};

void PrintTo(const ErrorCase &c, std::ostream *out)
{
    *out << c.what;
}

class DeltaEErrors : public testing::TestWithParam<ErrorCase>
{
};

TEST_P(DeltaEErrors, MessageOnStandardErrorAndNoPartialOutput)
{
    const ErrorCase &c = GetParam();
    const ProcessResult result = runCli(c.arguments, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.startsWith(QString::fromUtf8(c.message))) << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, DeltaEErrors,
    testing::Values(
        ErrorCase{"letter in line 4",
                  {"delta-e"},
                  "50,10,10,52,12,8\n# fine so far\n50,10,10,52,12,8\n50,10,x,52,12,8\n",
                  2,
                  "Line 4: expected six numbers L1,a1,b1,L2,a2,b2, found \"50,10,x,52,12,8\".\n"},
        ErrorCase{"five numbers", {"delta-e"}, "50,10,10,52,12\n", 2, "Line 1: expected six numbers"},
        ErrorCase{"seven numbers", {"delta-e"}, "50,10,10,52,12,8,1\n", 2, "Line 1: expected six numbers"},
        ErrorCase{"empty field", {"delta-e"}, "\n50,,10,10,52,12,8\n", 2, "Line 2: expected six numbers"},
        ErrorCase{"not finite", {"delta-e"}, "50,10,10,nan,12,8\n", 2, "Line 1: expected six numbers"},
        ErrorCase{"formula out of range", {"delta-e", "--formula", "6"}, pair, 2,
                  "--formula takes a number from 0 to 5, not \"6\".\n"},
        ErrorCase{"formula missing", {"delta-e", "--formula"}, pair, 2, "--formula takes a number from 0 to 5"},
        ErrorCase{"unknown option", {"delta-e", "--fast"}, pair, 2, "Unknown option \"--fast\".\n"},
        ErrorCase{"two files", {"delta-e", "a.csv", "b.csv"}, pair, 2, "Only one input file can be given.\n"},
        ErrorCase{"missing file", {"delta-e", "/nonexistent/pairs.csv"}, "", 1,
                  "Cannot read \"/nonexistent/pairs.csv\": "},
        ErrorCase{"unknown command", {"sheets"}, "", 2, "Unknown command \"sheets\".\n"},
        ErrorCase{"no command", {}, "", 2, "Usage: lumivex-cli <command> [options]\n"}));

TEST(LumivexCli, HelpListsTheCommands)
{
    const ProcessResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: lumivex-cli <command> [options]\n"));
    EXPECT_TRUE(help.out.contains("\n  delta-e     Colour difference of L*a*b* pairs, one per line\n"));

    const ProcessResult commandHelp = runCli({"delta-e", "--help"});
    EXPECT_EQ(commandHelp.exitCode, 0);
    EXPECT_TRUE(commandHelp.out.contains(QString::fromUtf8("0 △E*ab, 1 △E*uv, 2 △E*94, 3 △E*cmc(2:1), "
                                                           "4 △E*cmc(1:1), 5 △E*00 (default 5)")));
}

TEST(LumivexCli, SpeaksChineseInAChineseLocale)
{
    const ProcessResult result = runCli({"delta-e"}, "1,2\n", "zh_CN.UTF-8");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, QString::fromUtf8("第 1 行：应为六个数 L1,a1,b1,L2,a2,b2，实际为“1,2”。\n"));
}

} // namespace
